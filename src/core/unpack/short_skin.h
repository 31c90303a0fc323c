#pragma once

#include "core/images/region.h"
#include "core/images/source_set.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace vireo::unpack {

// The older skin layout that the unpacker reads: flat, no header, the pictures'
// palettes and pixels back to back and the 32-byte settings record at the end.
constexpr std::uint32_t kShortSkinLength = 178720;
constexpr std::uint32_t kRecordOffset = 178688;
constexpr std::uint32_t kRecordLength = 32;
using images::kSkinFileName;

using images::Region;
using images::RegionKind;

// In file order; the regions follow each other without gaps and cover the file.
extern const std::array<Region, 16> kShortSkinRegions;

// The three BMP header templates, in the order in which they are opened.
enum class Template : std::size_t { Head16, Head64, Head256 };
constexpr std::array<const char*, 3> kTemplateNames = {"BMPHEAD16", "BMPHEAD64", "BMPHEAD256"};
// The picture size each template heads: 16×16, 64×64, 240×160.
struct PictureSize {
    std::int32_t width;
    std::int32_t height;
};
PictureSize pictureSizeOf(Template header);
// Only the first 54 bytes of a template are used.
constexpr std::uint32_t kTemplateLength = 54;

// One restored BMP: template header, a 1,024-byte palette, then the pixels.
struct RestoreItem {
    const char* fileName;
    Template header;
    std::uint32_t paletteOffset;
    std::uint32_t pixelOffset;
    std::uint32_t pixelLength;
};

// In the order of writing.
extern const std::array<RestoreItem, 11> kRestoreSet;

}  // namespace vireo::unpack
