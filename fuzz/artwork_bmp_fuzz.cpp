// The strict BMP reader and diagnoser on any bytes. Whatever it decodes must
// become an exact source that passes its own check with the same colours.
#include "artwork/bmp_check.h"

#include <cstdint>
#include <cstdlib>

using namespace vireo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes bytes(data, data + size);
    const artwork::BmpScan scan = artwork::scanBmp(bytes);
    artwork::Palette grey{};
    for (int i = 0; i < 256; ++i) grey[std::size_t(i)] = {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)};
    for (std::size_t role = 0; role < images::kSourceCount; ++role)
        (void)artwork::diagnoseBmp(scan, static_cast<images::Source>(role));
    (void)artwork::iconColourFinding(scan, grey);
    if (!scan.picture) return 0;
    if (scan.picture->indices.size() != std::size_t(scan.picture->width) * std::size_t(scan.picture->height))
        std::abort();
    if (scan.picture->width != 16 || scan.picture->height != 16) return 0;

    for (const bool keepRows : {false, true}) {
        const auto fixed = artwork::exactSourceFromBmp(bytes, images::Source::FolderIcon, keepRows, "f.bmp");
        if (!fixed || fixed.value().size() != 1334) std::abort();
        const artwork::BmpScan again = artwork::scanBmp(fixed.value());
        if (!again.picture || !artwork::diagnoseBmp(again, images::Source::FolderIcon).empty()) std::abort();
        if (again.picture->palette != scan.picture->palette) std::abort();
    }
    return 0;
}
