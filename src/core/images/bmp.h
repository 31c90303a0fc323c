#pragma once

#include "core/base/binary_file.h"
#include "core/images/picture.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vireo::images {

// The fixed parts of a BMP: the 14-byte file header, then an information
// header whose first four bytes give its own length (40 for the one the
// player reads, 12 for the old OS/2 core header).
constexpr std::uint32_t kBmpFileHeaderLength = 14;
constexpr std::uint32_t kBmpInfoHeaderLength = 40;
constexpr std::uint32_t kBmpCoreHeaderLength = 12;
constexpr std::uint32_t kBmpHeaderLength = kBmpFileHeaderLength + kBmpInfoHeaderLength;

// The compression field's values the reader decodes.
constexpr std::uint32_t kBmpUncompressed = 0;
constexpr std::uint32_t kBmpRle8 = 1;
constexpr std::uint32_t kBmpRle4 = 2;

// What the header of a BMP says, as far as the bytes allow.
struct BmpScan {
    std::uint64_t fileLength = 0;  // of the whole file, which `bytes` may only begin
    std::string
        otherFormat;  // set when the file is not a BMP: "PNG", "JPEG", ..., "empty", "unknown"
    std::uint32_t headerSize = 0;  // 0 when not even that could be read
    bool headerRead = false;       // the fields below come from a whole known header
    std::int64_t width = 0;
    std::int64_t height = 0;  // positive; see topDown
    bool topDown = false;
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t pixelOffset = 0;
    std::uint32_t fileSizeField = 0;
    std::uint32_t tableEntries = 0;  // colour-table entries the file holds
    // The decoded picture when the file is one we can read without loss:
    // 1, 4 or 8 bits, uncompressed, RLE8 or RLE4, any known header version.
    // The table is padded with black to 256 entries.
    std::optional<IndexedPicture> picture;
    std::vector<Colour> table;  // the table as stored, before padding

    // The picture in the file's stored row order (bottom row first for a
    // bottom-up file). Only when `picture` is set.
    IndexedPicture storedOrder() const { return topDown ? *picture : flippedRows(*picture); }
};

// The one BMP reader: reads what `bytes` hold of a file of `fileLength` bytes.
// Never reads outside `bytes`: every offset and length is checked first.
BmpScan scanBmp(const Bytes& bytes, std::uint64_t fileLength);
inline BmpScan scanBmp(const Bytes& bytes) {
    return scanBmp(bytes, bytes.size());
}

// The 54-byte header of an uncompressed bottom-up 8-bit BMP of the given size,
// with a full 256-entry colour table and the pixels at byte 1,078.
Bytes makeBmpHeader(std::int32_t width, std::int32_t height);

// The 1,078-byte header and table plus pixels of an exact source, the
// picture's top row stored first.
Bytes writeSourceBmp(const IndexedPicture& picture);

}  // namespace vireo::images
