#include "core/skin/screen.h"

#include "core/images/icons.h"
#include "core/skin/skin_layout.h"
#include "core/unpack/short_skin.h"
#include "core/unpack/skin_info.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace vireo::skin {

namespace {

using images::kIconSide;
using images::kScreenHeight;
using images::kScreenWidth;
using images::Source;

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

// The older layout's pictures, found by the names restoration gives them.
const unpack::RestoreItem& shortSkinItem(const char* fileName) {
    for (const unpack::RestoreItem& item : unpack::kRestoreSet) {
        if (std::strcmp(item.fileName, fileName) == 0) return item;
    }
    return unpack::kRestoreSet.front();  // every name asked for is in the set
}

Background backgroundOf(const SkinFile& skinFile, Screen screen) {
    const Source source = sourceOf(screen);
    if (skinFile.layout == Layout::ShortSkin) {
        const auto& item = shortSkinItem(images::sourceImage(source).fileName);
        return {item.paletteOffset, item.pixelOffset};
    }
    return {regionOf(source, RegionKind::Palette)->offset,
            regionOf(source, RegionKind::Pixels)->offset};
}

}  // namespace

std::uint32_t paletteColour(const std::uint8_t* palette, std::uint8_t index) {
    const std::uint8_t* entry = palette + 4 * index;
    return 0xFF000000u | (std::uint32_t(entry[2]) << 16) | (std::uint32_t(entry[1]) << 8) |
           entry[0];
}

std::vector<IconPlacement> mainScreenIcons(const SkinFile& skinFile) {
    const Bytes record = settingsRecordOf(skinFile);
    std::vector<IconPlacement> icons;
    if (skinFile.layout == Layout::ShortSkin) {
        // The older arrangement has a sixth pair, for the folder icon, which
        // is not one of the 64×64 pictures.
        static constexpr const char* kIcons[] = {"movie256.bmp", "music256.bmp", "ebook256.bmp",
                                                 "about256.bmp", "help256.bmp"};
        const auto decoded = unpack::decodeRecord(record);
        for (std::size_t i = 0; i < std::size(kIcons); ++i) {
            const auto& position = decoded.value().positions[i];
            icons.push_back({shortSkinItem(kIcons[i]).pixelOffset, position.x, position.y});
        }
        return icons;
    }
    for (const images::PlacedIcon& icon : images::kMainScreenIcons) {
        icons.push_back({regionOf(icon.source, RegionKind::Pixels)->offset, record[icon.xOffset],
                         record[icon.yOffset]});
    }
    return icons;
}

Picture renderScreen(const SkinFile& skinFile, Screen screen) {
    Picture picture{kScreenWidth, kScreenHeight,
                    std::vector<std::uint32_t>(kScreenWidth * kScreenHeight)};
    const Background background = backgroundOf(skinFile, screen);
    const std::uint8_t* palette = skinFile.bytes.data() + background.paletteOffset;
    const std::uint8_t* pixels = skinFile.bytes.data() + background.pixelOffset;
    for (std::size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = paletteColour(palette, pixels[i]);
    if (screen != Screen::Main) return picture;

    for (const IconPlacement& icon : mainScreenIcons(skinFile)) {
        const std::uint8_t* iconPixels = skinFile.bytes.data() + icon.pixelOffset;
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
        for (int x = 0; x < scaled.width; ++x)
            scaled.pixels.push_back(picture.at(x / factor, y / factor));
    }
    return scaled;
}

namespace {

// The source pixels [first, last) that destination pixel `index` of `count` covers.
std::pair<int, int> coveredSpan(int index, int count, int sourceCount) {
    const long long first = static_cast<long long>(index) * sourceCount / count;
    const long long end = (static_cast<long long>(index + 1) * sourceCount + count - 1) / count;
    return {static_cast<int>(first), static_cast<int>(std::max(end, first + 1))};
}

std::uint32_t meanColour(const Picture& picture, std::pair<int, int> xs, std::pair<int, int> ys) {
    std::uint64_t red = 0, green = 0, blue = 0, count = 0;
    for (int y = ys.first; y < ys.second; ++y) {
        for (int x = xs.first; x < xs.second; ++x) {
            const std::uint32_t colour = picture.at(x, y);
            red += (colour >> 16) & 0xFF;
            green += (colour >> 8) & 0xFF;
            blue += colour & 0xFF;
            ++count;
        }
    }
    const auto channel = [count](std::uint64_t sum) {
        return static_cast<std::uint32_t>((sum + count / 2) / count);
    };
    return 0xFF000000u | channel(red) << 16 | channel(green) << 8 | channel(blue);
}

}  // namespace

Picture scaleToLongerSide(const Picture& picture, int longerSide) {
    const bool wide = picture.width >= picture.height;
    const long long shorter = wide ? picture.height : picture.width;
    const long long longer = wide ? picture.width : picture.height;
    const int otherSide =
        static_cast<int>(std::max(1LL, (shorter * longerSide + longer / 2) / longer));
    Picture scaled{wide ? longerSide : otherSide, wide ? otherSide : longerSide, {}};
    scaled.pixels.reserve(static_cast<std::size_t>(scaled.width) * scaled.height);
    for (int y = 0; y < scaled.height; ++y) {
        const auto ys = coveredSpan(y, scaled.height, picture.height);
        for (int x = 0; x < scaled.width; ++x) {
            const auto xs = coveredSpan(x, scaled.width, picture.width);
            scaled.pixels.push_back(meanColour(picture, xs, ys));
        }
    }
    return scaled;
}

}  // namespace vireo::skin
