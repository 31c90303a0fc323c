// The BMP header reader on any bytes. A header that reads back must survive
// being made again from its own dimensions.
#include "images/bmp.h"
#include "images/source_set.h"

#include <cstdint>
#include <cstdlib>

using namespace vireo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes bytes(data, data + size);
    const auto info = images::readBmpHeader(bytes, "fuzz.bmp");
    if (!info) {
        if (info.error().path != "fuzz.bmp") std::abort();
        return 0;
    }
    const auto& read = info.value();
    (void)images::isSourceForm(read, 240, 160);

    const Bytes again = images::makeBmpHeader(read.width, read.height);
    const auto reread = images::readBmpHeader(again);
    if (!reread || reread.value().width != read.width || reread.value().height != read.height ||
        reread.value().bitsPerPixel != 8 || reread.value().pixelOffset != images::kPixelOffset)
        std::abort();
    return 0;
}
