#include "core/images/bmp.h"

#include "core/images/source_set.h"

namespace vireo::images {

namespace {

void put16(Bytes& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch

}  // namespace

Bytes makeBmpHeader(std::int32_t width, std::int32_t height) {
    // Negated as unsigned: a top-down height of INT_MIN has no positive int.
    const std::uint32_t rows =
        height < 0 ? 0u - static_cast<std::uint32_t>(height) : static_cast<std::uint32_t>(height);
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(width) * rows;
    Bytes header(kBmpHeaderLength, 0);
    header[0] = 'B';
    header[1] = 'M';
    put32(header, 2, kPixelOffset + pixelBytes);
    put32(header, 10, kPixelOffset);
    put32(header, 14, kBmpInfoHeaderLength);
    put32(header, 18, static_cast<std::uint32_t>(width));
    put32(header, 22, static_cast<std::uint32_t>(height));
    put16(header, 26, 1);  // planes
    put16(header, 28, 8);  // bits per pixel
    put32(header, 30, 0);  // no compression
    put32(header, 34, pixelBytes);
    put32(header, 38, kPixelsPerMetre);
    put32(header, 42, kPixelsPerMetre);
    put32(header, 46, 256);  // colours used
    put32(header, 50, 0);    // all colours important
    return header;
}

Bytes writeSourceBmp(const IndexedPicture& picture) {
    Bytes out = makeBmpHeader(picture.width, picture.height);
    out.reserve(kPixelOffset + picture.indices.size());
    for (const Colour& c : picture.palette) out.insert(out.end(), {c.blue, c.green, c.red, 0});
    out.insert(out.end(), picture.indices.begin(), picture.indices.end());
    return out;
}

}  // namespace vireo::images
