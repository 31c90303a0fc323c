#include "core/skin/icon_overlaps.h"

#include "core/images/icons.h"

#include <algorithm>

namespace vireo::skin {

namespace {

std::vector<IconOverlap> overlapsAt(const settings::Record& record) {
    const auto& icons = images::kMainScreenIcons;
    const int side = images::kIconSide;
    std::vector<IconOverlap> found;
    for (std::size_t i = 0; i < icons.size(); ++i) {
        for (std::size_t k = i + 1; k < icons.size(); ++k) {
            const int ax = record[icons[i].xOffset], ay = record[icons[i].yOffset];
            const int bx = record[icons[k].xOffset], by = record[icons[k].yOffset];
            const int left = std::max(ax, bx), top = std::max(ay, by);
            const int width = std::min(ax, bx) + side - left;
            const int height = std::min(ay, by) + side - top;
            if (width > 0 && height > 0) found.push_back({i, k, left, top, width, height});
        }
    }
    return found;
}

int defaultOverlap() {
    settings::Record defaults{};
    for (const auto& field : settings::kPositionFields) defaults[field.offset] = field.defaultValue;
    int most = 0;
    for (const IconOverlap& overlap : overlapsAt(defaults)) most = std::max(most, overlap.pixels());
    return most;
}

}  // namespace

std::vector<IconOverlap> excessOverlaps(const settings::Record& record) {
    static const int allowed = defaultOverlap();
    std::vector<IconOverlap> found = overlapsAt(record);
    found.erase(std::remove_if(found.begin(), found.end(),
                               [](const IconOverlap& o) { return o.pixels() <= allowed; }),
                found.end());
    return found;
}

}  // namespace vireo::skin
