#include "artwork/convert.h"

namespace vireo::artwork {

std::optional<images::Source> sourceNamed(const std::string& fileName) {
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        if (fileName == images::kSourceSet[i].fileName) return static_cast<images::Source>(i);
    return std::nullopt;
}

bool isBackground(images::Source role) {
    return images::sourceImage(role).background;
}

std::optional<RgbaImage> backdropUnderIcon(images::Source icon, const IndexedPicture& mainBackground,
                                           const settings::Record& record, Colour matte) {
    std::size_t xOffset = 0;
    switch (icon) {
    case images::Source::MovieIcon: xOffset = 16; break;
    case images::Source::MusicIcon: xOffset = 18; break;
    case images::Source::PictureIcon: xOffset = 20; break;
    case images::Source::GameIcon: xOffset = 22; break;
    case images::Source::EbookIcon: xOffset = 24; break;
    case images::Source::OptionsIcon: xOffset = 26; break;
    default: return std::nullopt;
    }
    const int left = record[xOffset];
    const int top = record[xOffset + 1];
    const int size = images::sourceImage(icon).width;
    RgbaImage out{size, size, {}};
    out.pixels.reserve(static_cast<std::size_t>(size) * size * 4);
    for (int row = 0; row < size; ++row) {
        for (int col = 0; col < size; ++col) {
            const int x = left + col;
            const int y = top + row;
            Colour c = matte;
            if (x < mainBackground.width && y < mainBackground.height)
                c = mainBackground.palette[mainBackground.indices[static_cast<std::size_t>(y) * mainBackground.width + x]];
            out.pixels.insert(out.pixels.end(), {c.red, c.green, c.blue, 255});
        }
    }
    return out;
}

Result<IndexedPicture> convertPicture(const RgbaImage& picture, images::Source role,
                                      const ConvertOptions& options, const IconContext& icon,
                                      const std::string& path, const std::vector<RgbaImage>& alsoDrawn) {
    const images::SourceImage& source = images::sourceImage(role);
    auto fitted = fitPicture(picture, source.width, source.height, options.fit, path);
    if (!fitted) return fitted.error();
    const RgbaImage* backdrop = icon.backdrop ? &*icon.backdrop : nullptr;
    const RgbaImage opaque = compositeOver(fitted.value(), isBackground(role) ? nullptr : backdrop,
                                           options.matte);
    if (isBackground(role)) return quantiseBackground(opaque, options.dither, path, alsoDrawn);
    return mapOntoPalette(opaque, icon.drawPalette, options.dither, path);
}

}  // namespace vireo::artwork
