// The BMP reader and the doctor on any bytes. A header that reads back must
// survive being made again from its own dimensions, and whatever the reader
// decodes must become an exact source that passes its own check with the same
// colours.
#include "core/artwork/bmp_check.h"
#include "core/images/bmp.h"

#include <cstdint>
#include <cstdlib>

using namespace vireo;

namespace {

void remakeHeader(const images::BmpScan& scan) {
    const auto height = static_cast<std::int32_t>(scan.topDown ? -scan.height : scan.height);
    const images::BmpScan again =
        images::scanBmp(images::makeBmpHeader(static_cast<std::int32_t>(scan.width), height));
    if (!again.headerRead || again.width != scan.width || again.height != scan.height ||
        again.topDown != scan.topDown || again.bitsPerPixel != 8 ||
        again.pixelOffset != images::kPixelOffset)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes bytes(data, data + size);
    const images::BmpScan scan = images::scanBmp(bytes);
    if (scan.headerRead) remakeHeader(scan);
    artwork::Palette grey{};
    for (int i = 0; i < 256; ++i)
        grey[std::size_t(i)] = {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)};
    for (std::size_t role = 0; role < images::kSourceCount; ++role)
        (void)artwork::diagnoseBmp(scan, static_cast<images::Source>(role));
    (void)artwork::iconColourFinding(scan, grey);
    if (!scan.picture) return 0;
    if (scan.picture->indices.size() !=
        std::size_t(scan.picture->width) * std::size_t(scan.picture->height))
        std::abort();
    if (scan.picture->width != 16 || scan.picture->height != 16) return 0;

    for (const bool keepRows : {false, true}) {
        const auto fixed =
            artwork::exactSourceFromBmp(bytes, images::Source::FolderIcon, keepRows, "f.bmp");
        if (!fixed || fixed.value().size() != 1334) std::abort();
        const images::BmpScan again = images::scanBmp(fixed.value());
        if (!again.picture || !artwork::diagnoseBmp(again, images::Source::FolderIcon).empty())
            std::abort();
        if (again.picture->palette != scan.picture->palette) std::abort();
    }
    return 0;
}
