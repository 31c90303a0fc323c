#include "core/skin/skin_layout.h"

#include "core/images/icons.h"

namespace vireo::skin {

namespace {

using images::kPaletteLength;
using images::kPaletteOffset;
using images::kPixelOffset;
using images::Source;

constexpr std::uint32_t kBackground = images::kScreenWidth * images::kScreenHeight;
constexpr std::uint32_t kIcon = images::kIconSide * images::kIconSide;
constexpr std::uint32_t kSmallIcon = images::kSmallIconSide * images::kSmallIconSide;

constexpr Region palette(std::uint32_t offset, Source source, const char* what) {
    return {offset, kPaletteLength, RegionKind::Palette, source, kPaletteOffset, what};
}
constexpr Region pixels(std::uint32_t offset, std::uint32_t length, Source source,
                        const char* what) {
    return {offset, length, RegionKind::Pixels, source, kPixelOffset, what};
}

}  // namespace

const std::array<Region, 17> kSkinRegions = {{
    palette(0, Source::MainBackground, "main-screen background palette"),
    pixels(1024, kBackground, Source::MainBackground, "main-screen background pixels"),
    pixels(39424, kIcon, Source::MovieIcon, "movie icon pixels"),
    pixels(43520, kIcon, Source::MusicIcon, "music icon pixels"),
    pixels(47616, kIcon, Source::PictureIcon, "picture-browser icon pixels"),
    pixels(51712, kIcon, Source::GameIcon, "game icon pixels"),
    pixels(55808, kIcon, Source::EbookIcon, "e-book icon pixels"),
    palette(59904, Source::TreeBackground, "directory-tree background palette"),
    pixels(60928, kBackground, Source::TreeBackground, "directory-tree background pixels"),
    pixels(99328, kSmallIcon, Source::FolderIcon, "folder icon pixels"),
    pixels(99584, kSmallIcon, Source::ParentFolderIcon, "parent-folder icon pixels"),
    palette(99840, Source::EbookBackground, "e-book background palette"),
    pixels(100864, kBackground, Source::EbookBackground, "e-book background pixels"),
    palette(139264, Source::MusicBackground, "music-player background palette"),
    pixels(140288, kBackground, Source::MusicBackground, "music-player background pixels"),
    pixels(178688, kIcon, Source::OptionsIcon, "options icon pixels"),
    {kSettingsOffset, 32, RegionKind::Settings, std::nullopt, 0, "settings record"},
}};

std::optional<Region> regionOf(images::Source source, RegionKind kind) {
    for (const Region& region : kSkinRegions) {
        if (region.source == source && region.kind == kind) return region;
    }
    return std::nullopt;
}

images::Source paletteSourceOf(images::Source source) {
    const images::Icon* icon = images::iconOf(source);
    return icon ? icon->background : source;
}

}  // namespace vireo::skin
