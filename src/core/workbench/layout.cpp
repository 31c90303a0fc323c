#include "core/workbench/layout.h"

#include <algorithm>

namespace vireo::workbench {

namespace {

int floorToGrid(int value, int grid) {
    return value >= 0 ? value / grid * grid : -((-value + grid - 1) / grid) * grid;
}

}  // namespace

int clampPosition(int value) {
    return std::clamp(value, 0, kMaxPosition);
}

int snapPosition(int value, int grid) {
    if (grid <= 1) return clampPosition(value);
    return clampPosition(floorToGrid(value + grid / 2, grid));
}

Position dragTo(Position start, Position delta, int grid) {
    return {snapPosition(start.x + delta.x, grid), snapPosition(start.y + delta.y, grid)};
}

int nudgePosition(int value, int delta, int grid) {
    int target = value + delta;
    if (grid > 1) {
        const int below = floorToGrid(target, grid);
        target = (delta > 0 && below != target) ? below + grid : below;
    }
    return clampPosition(target);
}

std::optional<std::size_t> iconAt(const IconPositions& positions, int x, int y) {
    if (x < 0 || y < 0 || x >= images::kScreenWidth || y >= images::kScreenHeight)
        return std::nullopt;
    for (std::size_t i = positions.size(); i-- > 0;) {
        const Position& p = positions[i];
        const int side = images::kIconSide;
        if (x >= p.x && x < p.x + side && y >= p.y && y < p.y + side) return i;
    }
    return std::nullopt;
}

}  // namespace vireo::workbench
