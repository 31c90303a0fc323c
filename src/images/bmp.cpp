#include "images/bmp.h"

#include "images/source_set.h"

namespace vireo::images {

namespace {

void put16(Bytes& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
std::uint16_t get16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t get32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

constexpr std::uint32_t kInfoHeaderLength = 40;
constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch

}  // namespace

Bytes makeBmpHeader(std::int32_t width, std::int32_t height) {
    // Negated as unsigned: a top-down height of INT_MIN has no positive int.
    const std::uint32_t rows = height < 0 ? 0u - static_cast<std::uint32_t>(height)
                                          : static_cast<std::uint32_t>(height);
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(width) * rows;
    Bytes header(kBmpHeaderLength, 0);
    header[0] = 'B';
    header[1] = 'M';
    put32(header, 2, kPixelOffset + pixelBytes);
    put32(header, 10, kPixelOffset);
    put32(header, 14, kInfoHeaderLength);
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

Result<BmpInfo> readBmpHeader(const Bytes& bytes, const std::string& path) {
    if (bytes.size() < kBmpHeaderLength)
        return Error{Error::Kind::ShortRead, path, "shorter than a BMP header"};
    if (bytes[0] != 'B' || bytes[1] != 'M' || get32(bytes, 14) != kInfoHeaderLength)
        return Error{Error::Kind::Invalid, path, "not a BMP with a 40-byte information header"};
    BmpInfo info;
    info.fileSize = get32(bytes, 2);
    info.pixelOffset = get32(bytes, 10);
    info.width = static_cast<std::int32_t>(get32(bytes, 18));
    info.height = static_cast<std::int32_t>(get32(bytes, 22));
    info.bitsPerPixel = get16(bytes, 28);
    info.compression = get32(bytes, 30);
    info.coloursUsed = get32(bytes, 46);
    return info;
}

bool isSourceForm(const BmpInfo& info, std::int32_t width, std::int32_t height) {
    return info.width == width && (info.height == height || info.height == -height) &&
           info.bitsPerPixel == 8 && info.compression == 0 && info.pixelOffset == kPixelOffset;
}

}  // namespace vireo::images
