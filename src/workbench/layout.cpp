#include "workbench/layout.h"

#include "skin/screen.h"

#include <algorithm>

namespace vireo::workbench {

namespace {

using images::Source;

constexpr std::uint8_t xOf(std::size_t pair) { return static_cast<std::uint8_t>(16 + 2 * pair); }
constexpr std::uint8_t yOf(std::size_t pair) { return static_cast<std::uint8_t>(17 + 2 * pair); }

int floorToGrid(int value, int grid) {
    return value >= 0 ? value / grid * grid : -((-value + grid - 1) / grid) * grid;
}

}  // namespace

const std::array<IconSlot, kIconCount> kIcons = {{
    {Source::MovieIcon, xOf(0), yOf(0)},
    {Source::MusicIcon, xOf(1), yOf(1)},
    {Source::PictureIcon, xOf(2), yOf(2)},
    {Source::GameIcon, xOf(3), yOf(3)},
    {Source::EbookIcon, xOf(4), yOf(4)},
    {Source::OptionsIcon, xOf(5), yOf(5)},
}};

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
    if (x < 0 || y < 0 || x >= skin::kScreenWidth || y >= skin::kScreenHeight) return std::nullopt;
    for (std::size_t i = positions.size(); i-- > 0;) {
        const Position& p = positions[i];
        if (x >= p.x && x < p.x + kIconSide && y >= p.y && y < p.y + kIconSide) return i;
    }
    return std::nullopt;
}

}  // namespace vireo::workbench
