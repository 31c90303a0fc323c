#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vireo::images {

// Plenty for any picture a skin needs; a larger file is still diagnosed by its header.
constexpr std::size_t kPictureReadLimit = 64u * 1024u * 1024u;

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Colour& other) const {
        return red == other.red && green == other.green && blue == other.blue;
    }
    bool operator!=(const Colour& other) const { return !(*this == other); }
};

// A source's colour table: always the full 256 entries the player reads.
using Palette = std::array<Colour, 256>;

// Decoded pixels, four bytes (red, green, blue, alpha) each, rows top row
// first as an image viewer shows them.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
    // The file's own size when it was decoded already scaled down; 0 when
    // decoded at its own size. A size refusal names the file's size.
    int fileWidth = 0;
    int fileHeight = 0;
};

// A picture in palette form, rows top row first.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    Palette palette{};
    std::vector<std::uint8_t> indices;
};

// The picture's colours, fully opaque.
RgbaImage toRgba(const IndexedPicture& picture);

// Rows in reverse order: a bottom-up file's stored order and the picture's
// shown order are each other's flip.
RgbaImage flippedRows(const RgbaImage& image);
IndexedPicture flippedRows(const IndexedPicture& picture);

}  // namespace vireo::images
