#include "core/demo/drawing_kit.h"

#include <algorithm>

namespace vireo::demo {

namespace {

// 4×4 ordered dither: spreads a fractional ramp position over neighbouring entries.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

}  // namespace

void ramp(Palette& palette, int first, int count, Rgb from, Rgb to) {
    for (int i = 0; i < count; ++i) {
        const int d = count > 1 ? count - 1 : 1;
        palette[first + i] = {from.r + (to.r - from.r) * i / d, from.g + (to.g - from.g) * i / d,
                              from.b + (to.b - from.b) * i / d};
    }
}

int dithered(int first, int count, int sixteenths, int x, int y) {
    const int step = (sixteenths + kBayer[y & 3][x & 3]) >> 4;
    return first + std::clamp(step, 0, count - 1);
}

Shape rect(double x0, double y0, double x1, double y1) {
    return [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; };
}
Shape ellipse(double cx, double cy, double rx, double ry) {
    return [=](double x, double y) {
        const double u = (x - cx) / rx, v = (y - cy) / ry;
        return u * u + v * v <= 1.0;
    };
}
Shape circle(double cx, double cy, double r) {
    return ellipse(cx, cy, r, r);
}
Shape polygon(std::vector<std::pair<double, double>> points) {
    return [points = std::move(points)](double x, double y) {
        bool inside = false;
        for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const auto [xi, yi] = points[i];
            const auto [xj, yj] = points[j];
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
        }
        return inside;
    };
}
Shape roundedRect(double x0, double y0, double x1, double y1, double r) {
    return [=](double x, double y) {
        if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
        const double cx = std::clamp(x, x0 + r, x1 - r), cy = std::clamp(y, y0 + r, y1 - r);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
    };
}
Shape both(Shape a, Shape b) {
    return [=](double x, double y) { return a(x, y) || b(x, y); };
}
Shape without(Shape a, Shape b) {
    return [=](double x, double y) { return a(x, y) && !b(x, y); };
}

}  // namespace vireo::demo
