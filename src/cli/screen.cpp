#include "cli/screen.h"

#include "skin/skin_layout.h"

namespace vireo::cli {

namespace {

using images::Source;

constexpr int kIconSide = 64;

struct Background {
    std::uint32_t paletteOffset;
    std::uint32_t pixelOffset;
};

Source sourceOf(Screen screen) {
    switch (screen) {
    case Screen::Main: return Source::MainBackground;
    case Screen::Tree: return Source::TreeBackground;
    case Screen::Ebook: return Source::EbookBackground;
    case Screen::Music: return Source::MusicBackground;
    }
    return Source::MainBackground;
}

Background backgroundOf(Screen screen) {
    const Source source = sourceOf(screen);
    return {skin::regionOf(source, skin::RegionKind::Palette)->offset,
            skin::regionOf(source, skin::RegionKind::Pixels)->offset};
}

}  // namespace

std::uint32_t paletteColour(const std::uint8_t* palette, std::uint8_t index) {
    const std::uint8_t* entry = palette + 4 * index;
    return 0xFF000000u | (std::uint32_t(entry[2]) << 16) | (std::uint32_t(entry[1]) << 8) |
           entry[0];
}

std::vector<IconPlacement> mainScreenIcons(const SkinFile& skin) {
    // Record order of the six position pairs.
    static constexpr Source kIcons[] = {Source::MovieIcon, Source::MusicIcon, Source::PictureIcon,
                                        Source::GameIcon,  Source::EbookIcon, Source::OptionsIcon};
    std::vector<IconPlacement> icons;
    const std::uint8_t* record = skin.bytes.data() + skin::kSettingsOffset;
    for (std::size_t i = 0; i < std::size(kIcons); ++i) {
        icons.push_back({skin::regionOf(kIcons[i], skin::RegionKind::Pixels)->offset,
                         record[16 + 2 * i], record[17 + 2 * i]});
    }
    return icons;
}

Picture renderScreen(const SkinFile& skin, Screen screen) {
    Picture picture{kScreenWidth, kScreenHeight,
                    std::vector<std::uint32_t>(kScreenWidth * kScreenHeight)};
    const Background background = backgroundOf(screen);
    const std::uint8_t* palette = skin.bytes.data() + background.paletteOffset;
    const std::uint8_t* pixels = skin.bytes.data() + background.pixelOffset;
    for (std::size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = paletteColour(palette, pixels[i]);
    if (screen != Screen::Main) return picture;

    for (const IconPlacement& icon : mainScreenIcons(skin)) {
        const std::uint8_t* iconPixels = skin.bytes.data() + icon.pixelOffset;
        for (int y = 0; y < kIconSide && icon.y + y < kScreenHeight; ++y) {
            for (int x = 0; x < kIconSide && icon.x + x < kScreenWidth; ++x) {
                picture.pixels[static_cast<std::size_t>(icon.y + y) * kScreenWidth + icon.x + x] =
                    paletteColour(palette, iconPixels[y * kIconSide + x]);
            }
        }
    }
    return picture;
}

Picture scaleNearest(const Picture& picture, int factor) {
    Picture scaled{picture.width * factor, picture.height * factor, {}};
    scaled.pixels.reserve(static_cast<std::size_t>(scaled.width) * scaled.height);
    for (int y = 0; y < scaled.height; ++y) {
        for (int x = 0; x < scaled.width; ++x) scaled.pixels.push_back(picture.at(x / factor, y / factor));
    }
    return scaled;
}

}  // namespace vireo::cli
