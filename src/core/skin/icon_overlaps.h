#pragma once

#include "core/settings/record.h"

#include <cstddef>
#include <vector>

namespace vireo::skin {

// Where a later-drawn main-screen icon hides part of an earlier one, by more
// pixels than any two icons share at the default places (the grid's two rows
// share four lines). Icons are numbered in drawing order (kMainScreenIcons).
struct IconOverlap {
    std::size_t hidden;  // drawn first
    std::size_t over;    // drawn over it
    int x, y, width, height;
    int pixels() const { return width * height; }
};

std::vector<IconOverlap> excessOverlaps(const settings::Record& record);

}  // namespace vireo::skin
