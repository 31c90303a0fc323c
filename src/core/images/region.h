#pragma once

#include "core/images/source_set.h"

#include <cstdint>
#include <optional>

namespace vireo::images {

enum class RegionKind { Palette, Pixels, Settings };

// One fixed region of a flat skin layout: `length` bytes at `offset`. Both
// layouts describe themselves with it; the generated one also says which
// source file and source offset each region is copied from.
struct Region {
    std::uint32_t offset;
    std::uint32_t length;
    RegionKind kind;
    // The source picture; empty for the settings record, which comes from BACK,
    // and for every region of the older layout, which is never generated.
    std::optional<Source> source;
    std::uint32_t sourceOffset;
    const char* what;  // English description, for listings
};

}  // namespace vireo::images
