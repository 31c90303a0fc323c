#include "core/artwork/convert.h"

#include "core/images/icons.h"

#include <algorithm>

namespace vireo::artwork {

namespace {

// A photo on the player's screen looks and measures best lightly dithered:
// full error diffusion adds more grain than the palette's steps take away.
constexpr float kBackgroundDitherShare = 0.25f;

}  // namespace

std::optional<images::Source> sourceNamed(const std::string& fileName) {
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        if (fileName == images::kSourceSet[i].fileName) return static_cast<images::Source>(i);
    return std::nullopt;
}

bool isBackground(images::Source role) {
    return images::iconOf(role) == nullptr;
}

std::optional<RgbaImage> backdropUnderIcon(images::Source icon, const IndexedPicture& background,
                                           const settings::Record& record, Colour matte,
                                           const ScreenIcons& drawn) {
    const images::Icon* placed = images::iconOf(icon);
    if (!placed) return std::nullopt;
    // The 16×16 icons stand where the file list begins.
    const images::RecordPosition at = placed->position.value_or(images::kFileListPosition);
    const int left = record[at.xOffset];
    const int top = record[at.yOffset];
    const int size = placed->side;
    RgbaImage out{size, size, {}};
    out.pixels.reserve(static_cast<std::size_t>(size) * size * 4);
    for (int row = 0; row < size; ++row) {
        for (int col = 0; col < size; ++col) {
            const int x = left + col;
            const int y = top + row;
            Colour c = matte;
            if (x < background.width && y < background.height)
                c = background.palette
                        [background.indices[static_cast<std::size_t>(y) * background.width + x]];
            out.pixels.insert(out.pixels.end(), {c.red, c.green, c.blue, 255});
        }
    }
    if (!placed->position) return out;
    // The player draws each earlier icon as a solid square, background and
    // all, in the main palette; a later one covers an earlier one.
    for (const images::PlacedIcon& before : images::kMainScreenIcons) {
        if (before.source == icon) break;
        const IndexedPicture* square = drawn[images::indexOf(before.source)];
        if (!square || square->width != size || square->height != size) continue;
        const int dx = record[before.xOffset] - left, dy = record[before.yOffset] - top;
        for (int row = std::max(0, dy); row < std::min(size, dy + size); ++row)
            for (int col = std::max(0, dx); col < std::min(size, dx + size); ++col) {
                if (left + col >= background.width || top + row >= background.height) continue;
                const Colour c = background.palette[square->indices[static_cast<std::size_t>(
                    (row - dy) * size + (col - dx))]];
                std::uint8_t* p = &out.pixels[static_cast<std::size_t>(row * size + col) * 4];
                p[0] = c.red, p[1] = c.green, p[2] = c.blue;
            }
    }
    return out;
}

std::optional<Colour> edgeColour(const RgbaImage& picture) {
    const auto alphaAt = [&](int x, int y) {
        return picture.pixels[(static_cast<std::size_t>(y) * picture.width + x) * 4 + 3];
    };
    std::uint64_t sum[3] = {0, 0, 0}, count = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (alphaAt(x, y) != 255) continue;
            const bool edge = (x > 0 && alphaAt(x - 1, y) != 255) ||
                              (x + 1 < picture.width && alphaAt(x + 1, y) != 255) ||
                              (y > 0 && alphaAt(x, y - 1) != 255) ||
                              (y + 1 < picture.height && alphaAt(x, y + 1) != 255);
            if (!edge) continue;
            const std::uint8_t* p =
                &picture.pixels[(static_cast<std::size_t>(y) * picture.width + x) * 4];
            for (int c = 0; c < 3; ++c) sum[c] += p[c];
            ++count;
        }
    }
    if (count == 0) return std::nullopt;
    const auto mean = [&](int c) {
        return static_cast<std::uint8_t>((sum[c] + count / 2) / count);
    };
    return Colour{mean(0), mean(1), mean(2)};
}

RgbaImage opaqueBackground(const RgbaImage& fitted, const ConvertOptions& options) {
    // A background has no transparency: its holes continue the picture's edge.
    return compositeOver(fitted, nullptr,
                         options.margin.value_or(edgeColour(fitted).value_or(options.matte)));
}

Result<IndexedPicture> convertPicture(const RgbaImage& picture, images::Source role,
                                      const ConvertOptions& options, const IconContext& icon,
                                      const std::string& path,
                                      const std::vector<RgbaImage>& alsoDrawn) {
    const images::SourceImage& source = images::sourceImage(role);
    auto fitted =
        fitPicture(picture, source.width, source.height, options.fit, path, options.frame);
    if (!fitted) return fitted.error();
    if (isBackground(role))
        return quantiseBackground(opaqueBackground(fitted.value(), options),
                                  options.dither * kBackgroundDitherShare, path, alsoDrawn);
    const RgbaImage* backdrop = icon.backdrop ? &*icon.backdrop : nullptr;
    const RgbaImage opaque = compositeOver(fitted.value(), backdrop, options.matte);
    // No error diffusion: an icon's own pixels then map the same wherever it
    // stands, so a moved icon gets no new noise from its new backdrop.
    // Nor does a pixel that shows only the backdrop change: its colour is in
    // the palette, and undiffused it maps to that colour's own index.
    return mapOntoPalette(opaque, icon.drawPalette, 0.0f, path);
}

}  // namespace vireo::artwork
