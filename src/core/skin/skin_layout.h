#pragma once

#include "core/images/region.h"
#include "core/images/source_set.h"

#include <array>
#include <cstdint>
#include <optional>

namespace vireo::skin {

constexpr std::uint32_t kSkinLength = 182816;
constexpr std::uint32_t kSettingsOffset = 182784;

using images::Region;
using images::RegionKind;

// In file order, which is also the order in which generation copies them.
// The regions follow each other without gaps and cover the whole file.
extern const std::array<Region, 17> kSkinRegions;

// The region that holds `source`'s palette or pixels; nullopt for an icon's
// palette, which the file does not carry.
std::optional<Region> regionOf(images::Source source, RegionKind kind);

// The picture whose palette `source` is drawn with: a background its own, an
// icon the background of its row in images::kIcons.
images::Source paletteSourceOf(images::Source source);

}  // namespace vireo::skin
