#include "core/unpack/short_skin.h"

namespace vireo::unpack {

namespace {

// Pixel counts of a background, an icon and a list icon.
constexpr std::uint32_t kScreen = images::kScreenWidth * images::kScreenHeight;
constexpr std::uint32_t kIcon = images::kIconSide * images::kIconSide;
constexpr std::uint32_t kSmallIcon = images::kSmallIconSide * images::kSmallIconSide;

constexpr Region pixels(std::uint32_t offset, std::uint32_t length, const char* what) {
    return {offset, length, RegionKind::Pixels, std::nullopt, 0, what};
}

}  // namespace

const std::array<Region, 16> kShortSkinRegions = {{
    {0, 1024, RegionKind::Palette, std::nullopt, 0, "main-screen background palette"},
    pixels(1024, kScreen, "main-screen background pixels, 240x160"),
    pixels(39424, kIcon, "movie icon pixels, 64x64"),
    pixels(43520, kIcon, "music icon pixels, 64x64"),
    pixels(47616, kIcon, "e-book icon pixels, 64x64"),
    pixels(51712, kIcon, "about icon pixels, 64x64"),
    pixels(55808, kIcon, "help icon pixels, 64x64"),
    {59904, 1024, RegionKind::Palette, std::nullopt, 0, "directory-tree background palette"},
    pixels(60928, kScreen, "directory-tree background pixels, 240x160"),
    pixels(99328, kSmallIcon, "folder icon pixels, 16x16"),
    pixels(99584, kSmallIcon, "parent-folder icon pixels, 16x16"),
    {99840, 1024, RegionKind::Palette, std::nullopt, 0, "e-book background palette"},
    pixels(100864, kScreen, "e-book background pixels, 240x160"),
    {139264, 1024, RegionKind::Palette, std::nullopt, 0, "music-player background palette"},
    pixels(140288, kScreen, "music-player background pixels, 240x160"),
    {kRecordOffset, kRecordLength, RegionKind::Settings, std::nullopt, 0, "settings record"},
}};

// Icons have no palette of their own: the 64x64 ones borrow the main-screen
// background's, the 16x16 ones the directory-tree background's.
const std::array<RestoreItem, 11> kRestoreSet = {{
    {"main256.bmp", Template::Head256, 0, 1024, kScreen},
    {"movie256.bmp", Template::Head64, 0, 39424, kIcon},
    {"music256.bmp", Template::Head64, 0, 43520, kIcon},
    {"ebook256.bmp", Template::Head64, 0, 47616, kIcon},
    {"about256.bmp", Template::Head64, 0, 51712, kIcon},
    {"help256.bmp", Template::Head64, 0, 55808, kIcon},
    {"tree_main256.bmp", Template::Head256, 59904, 60928, kScreen},
    {"ft256.bmp", Template::Head16, 59904, 99328, kSmallIcon},
    {"fu256.bmp", Template::Head16, 59904, 99584, kSmallIcon},
    {"ebook_main256.bmp", Template::Head256, 99840, 100864, kScreen},
    {"music_main256.bmp", Template::Head256, 139264, 140288, kScreen},
}};

PictureSize pictureSizeOf(Template header) {
    switch (header) {
    case Template::Head16: return {images::kSmallIconSide, images::kSmallIconSide};
    case Template::Head64: return {images::kIconSide, images::kIconSide};
    case Template::Head256: return {images::kScreenWidth, images::kScreenHeight};
    }
    return {0, 0};
}

}  // namespace vireo::unpack
