#pragma once

#include "core/artwork/picture.h"
#include "core/base/binary_file.h"

#include <cstdint>

namespace vireo::test {

// How a generated BMP departs from an exact source.
struct BmpForm {
    std::uint32_t headerSize = 40;  // 12, 40, 52, 56, 108 or 124
    std::uint16_t bits = 8;         // 1, 4, 8 or 24
    bool rle = false;               // RLE8 (8 bits) or RLE4 (4 bits)
    bool topDown = false;
    std::uint32_t tableEntries = 256;
};

// `v` at `at`, little-endian, as BMP fields are stored.
void put32(Bytes& b, std::size_t at, std::uint32_t v);

// `picture` (top row first) written in `form`; the palette's first
// `tableEntries` entries make the table.
Bytes makeBmp(const artwork::IndexedPicture& picture, const BmpForm& form);

// A picture whose indices stay below 2^bits, with 256 distinct colours.
artwork::IndexedPicture testPicture(int width, int height, unsigned bits);

}  // namespace vireo::test
