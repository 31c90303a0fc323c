#pragma once

#include "images/source_set.h"

#include <array>
#include <cstdint>
#include <optional>

namespace vireo::skin {

constexpr std::uint32_t kSkinLength = 182816;
constexpr std::uint32_t kSettingsOffset = 182784;

enum class RegionKind { Palette, Pixels, Settings };

// One fixed region of BACKIMG: a verbatim copy of `length` bytes of a source
// file, read from `sourceOffset` and written at `offset`.
struct Region {
    std::uint32_t offset;
    std::uint32_t length;
    RegionKind kind;
    // The source picture; empty for the settings record, which comes from BACK.
    std::optional<images::Source> source;
    std::uint32_t sourceOffset;
    const char* what;  // English description, for listings
};

// In file order, which is also the order in which generation copies them.
// The regions follow each other without gaps and cover the whole file.
extern const std::array<Region, 17> kSkinRegions;

}  // namespace vireo::skin
