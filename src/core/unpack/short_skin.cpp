#include "core/unpack/short_skin.h"

namespace vireo::unpack {

namespace {

// Pixel counts of a background, an icon and a list icon.
constexpr std::uint32_t kScreen = images::kScreenWidth * images::kScreenHeight;
constexpr std::uint32_t kIcon = images::kIconSide * images::kIconSide;
constexpr std::uint32_t kSmallIcon = images::kSmallIconSide * images::kSmallIconSide;

// Where each block starts in the older layout; the regions and the restore
// set below both read them from here.
constexpr std::uint32_t kMainPalette = 0;
constexpr std::uint32_t kMainPixels = 1024;
constexpr std::uint32_t kMoviePixels = 39424;
constexpr std::uint32_t kMusicPixels = 43520;
constexpr std::uint32_t kEbookIconPixels = 47616;
constexpr std::uint32_t kAboutPixels = 51712;
constexpr std::uint32_t kHelpPixels = 55808;
constexpr std::uint32_t kTreePalette = 59904;
constexpr std::uint32_t kTreePixels = 60928;
constexpr std::uint32_t kFolderPixels = 99328;
constexpr std::uint32_t kParentFolderPixels = 99584;
constexpr std::uint32_t kEbookPalette = 99840;
constexpr std::uint32_t kEbookPixels = 100864;
constexpr std::uint32_t kMusicPalette = 139264;
constexpr std::uint32_t kMusicPlayerPixels = 140288;

constexpr Region pixels(std::uint32_t offset, std::uint32_t length, const char* what) {
    return {offset, length, RegionKind::Pixels, std::nullopt, 0, what};
}

}  // namespace

const std::array<Region, 16> kShortSkinRegions = {{
    {kMainPalette, images::kPaletteLength, RegionKind::Palette, std::nullopt, 0,
     "main-screen background palette"},
    pixels(kMainPixels, kScreen, "main-screen background pixels, 240x160"),
    pixels(kMoviePixels, kIcon, "movie icon pixels, 64x64"),
    pixels(kMusicPixels, kIcon, "music icon pixels, 64x64"),
    pixels(kEbookIconPixels, kIcon, "e-book icon pixels, 64x64"),
    pixels(kAboutPixels, kIcon, "about icon pixels, 64x64"),
    pixels(kHelpPixels, kIcon, "help icon pixels, 64x64"),
    {kTreePalette, images::kPaletteLength, RegionKind::Palette, std::nullopt, 0,
     "directory-tree background palette"},
    pixels(kTreePixels, kScreen, "directory-tree background pixels, 240x160"),
    pixels(kFolderPixels, kSmallIcon, "folder icon pixels, 16x16"),
    pixels(kParentFolderPixels, kSmallIcon, "parent-folder icon pixels, 16x16"),
    {kEbookPalette, images::kPaletteLength, RegionKind::Palette, std::nullopt, 0,
     "e-book background palette"},
    pixels(kEbookPixels, kScreen, "e-book background pixels, 240x160"),
    {kMusicPalette, images::kPaletteLength, RegionKind::Palette, std::nullopt, 0,
     "music-player background palette"},
    pixels(kMusicPlayerPixels, kScreen, "music-player background pixels, 240x160"),
    {kRecordOffset, kRecordLength, RegionKind::Settings, std::nullopt, 0, "settings record"},
}};

// Icons have no palette of their own: the 64x64 ones borrow the main-screen
// background's, the 16x16 ones the directory-tree background's.
const std::array<RestoreItem, 11> kRestoreSet = {{
    {"main256.bmp", Template::Head256, kMainPalette, kMainPixels, kScreen},
    {"movie256.bmp", Template::Head64, kMainPalette, kMoviePixels, kIcon},
    {"music256.bmp", Template::Head64, kMainPalette, kMusicPixels, kIcon},
    {"ebook256.bmp", Template::Head64, kMainPalette, kEbookIconPixels, kIcon},
    {"about256.bmp", Template::Head64, kMainPalette, kAboutPixels, kIcon},
    {"help256.bmp", Template::Head64, kMainPalette, kHelpPixels, kIcon},
    {"tree_main256.bmp", Template::Head256, kTreePalette, kTreePixels, kScreen},
    {"ft256.bmp", Template::Head16, kTreePalette, kFolderPixels, kSmallIcon},
    {"fu256.bmp", Template::Head16, kTreePalette, kParentFolderPixels, kSmallIcon},
    {"ebook_main256.bmp", Template::Head256, kEbookPalette, kEbookPixels, kScreen},
    {"music_main256.bmp", Template::Head256, kMusicPalette, kMusicPlayerPixels, kScreen},
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
