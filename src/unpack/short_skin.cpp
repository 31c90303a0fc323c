#include "unpack/short_skin.h"

namespace vireo::unpack {

const std::array<Region, 16> kShortSkinRegions = {{
    {0, 1024, RegionKind::Palette, std::nullopt, 0, "main-screen background palette"},
    {1024, 38400, RegionKind::Pixels, std::nullopt, 0, "main-screen background pixels, 240x160"},
    {39424, 4096, RegionKind::Pixels, std::nullopt, 0, "movie icon pixels, 64x64"},
    {43520, 4096, RegionKind::Pixels, std::nullopt, 0, "music icon pixels, 64x64"},
    {47616, 4096, RegionKind::Pixels, std::nullopt, 0, "e-book icon pixels, 64x64"},
    {51712, 4096, RegionKind::Pixels, std::nullopt, 0, "about icon pixels, 64x64"},
    {55808, 4096, RegionKind::Pixels, std::nullopt, 0, "help icon pixels, 64x64"},
    {59904, 1024, RegionKind::Palette, std::nullopt, 0, "directory-tree background palette"},
    {60928, 38400, RegionKind::Pixels, std::nullopt, 0, "directory-tree background pixels, 240x160"},
    {99328, 256, RegionKind::Pixels, std::nullopt, 0, "folder icon pixels, 16x16"},
    {99584, 256, RegionKind::Pixels, std::nullopt, 0, "parent-folder icon pixels, 16x16"},
    {99840, 1024, RegionKind::Palette, std::nullopt, 0, "e-book background palette"},
    {100864, 38400, RegionKind::Pixels, std::nullopt, 0, "e-book background pixels, 240x160"},
    {139264, 1024, RegionKind::Palette, std::nullopt, 0, "music-player background palette"},
    {140288, 38400, RegionKind::Pixels, std::nullopt, 0, "music-player background pixels, 240x160"},
    {kRecordOffset, kRecordLength, RegionKind::Settings, std::nullopt, 0, "settings record"},
}};

// Icons have no palette of their own: the 64x64 ones borrow the main-screen
// background's, the 16x16 ones the directory-tree background's.
const std::array<RestoreItem, 11> kRestoreSet = {{
    {"main256.bmp", Template::Head256, 0, 1024, 38400},
    {"movie256.bmp", Template::Head64, 0, 39424, 4096},
    {"music256.bmp", Template::Head64, 0, 43520, 4096},
    {"ebook256.bmp", Template::Head64, 0, 47616, 4096},
    {"about256.bmp", Template::Head64, 0, 51712, 4096},
    {"help256.bmp", Template::Head64, 0, 55808, 4096},
    {"tree_main256.bmp", Template::Head256, 59904, 60928, 38400},
    {"ft256.bmp", Template::Head16, 59904, 99328, 256},
    {"fu256.bmp", Template::Head16, 59904, 99584, 256},
    {"ebook_main256.bmp", Template::Head256, 99840, 100864, 38400},
    {"music_main256.bmp", Template::Head256, 139264, 140288, 38400},
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
