#include "core/images/picture.h"

#include <algorithm>

namespace vireo::images {

namespace {

// Reverses the order of `rows` rows of `rowLength` bytes each.
void flipRows(std::vector<std::uint8_t>& bytes, std::size_t rowLength, int rows) {
    for (int row = 0; row < rows / 2; ++row)
        std::swap_ranges(bytes.begin() + static_cast<std::ptrdiff_t>(row * rowLength),
                         bytes.begin() + static_cast<std::ptrdiff_t>((row + 1) * rowLength),
                         bytes.begin() + static_cast<std::ptrdiff_t>((rows - 1 - row) * rowLength));
}

}  // namespace

RgbaImage toRgba(const IndexedPicture& picture) {
    RgbaImage image{picture.width, picture.height, {}};
    image.pixels.reserve(picture.indices.size() * 4);
    for (const std::uint8_t index : picture.indices) {
        const Colour& c = picture.palette[index];
        image.pixels.insert(image.pixels.end(), {c.red, c.green, c.blue, 255});
    }
    return image;
}

RgbaImage flippedRows(const RgbaImage& image) {
    RgbaImage flipped = image;
    flipRows(flipped.pixels, static_cast<std::size_t>(image.width) * 4, image.height);
    return flipped;
}

IndexedPicture flippedRows(const IndexedPicture& picture) {
    IndexedPicture flipped = picture;
    flipRows(flipped.indices, static_cast<std::size_t>(picture.width), picture.height);
    return flipped;
}

}  // namespace vireo::images
