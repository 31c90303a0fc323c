#pragma once

#include "core/images/icons.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace vireo::workbench {

// The largest value a position byte of the record holds.
constexpr int kMaxPosition = 255;

struct Position {
    int x = 0;
    int y = 0;
    bool operator==(const Position& other) const { return x == other.x && y == other.y; }
    bool operator!=(const Position& other) const { return !(*this == other); }
};

// The six main-screen icons' positions, in the order of images::kMainScreenIcons.
using IconPositions = std::array<Position, images::kMainScreenIconCount>;

// Grid steps the snap offers; 0 (or 1) means off.
constexpr std::array<int, 4> kGridSteps = {0, 2, 4, 8};

int clampPosition(int value);

// `value` moved to the nearest multiple of `grid` (a half goes up), then
// clamped; grid 0 or 1 only clamps.
int snapPosition(int value, int grid);

// Where a drag that started with the icon at `start` puts it after the
// pointer moved by `delta` screen pixels.
Position dragTo(Position start, Position delta, int grid);

// One arrow-key step of `delta` pixels on one axis. With a grid the value
// goes on to the next grid line in that direction, so a 1-pixel step never
// gets stuck on a grid wider than the step.
int nudgePosition(int value, int delta, int grid);

// The icon under screen point (x, y): the one drawn last wins. Nothing when
// the point lies on no icon or off the screen.
std::optional<std::size_t> iconAt(const IconPositions& positions, int x, int y);

}  // namespace vireo::workbench
