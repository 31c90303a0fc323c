#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

// Everything is drawn with integer arithmetic, + - * / and sqrt only, so that
// every compiler and optimisation level produces the same bytes: the committed
// demo folder is compared against a fresh drawing by the tests.

namespace vireo::demo {

struct Rgb {
    int r, g, b;
};

using Palette = std::array<Rgb, 256>;

// Fills palette[first .. first+count) with an even ramp from `from` to `to`.
void ramp(Palette& palette, int first, int count, Rgb from, Rgb to);

// Ramp entry for position `sixteenths` (in 1/16 of an entry) at pixel (x, y),
// spread over neighbouring entries by a 4×4 ordered dither.
int dithered(int first, int count, int sixteenths, int x, int y);

// A picture as palette indices, row 0 at the top.
struct Canvas {
    Canvas(int w, int h, std::uint8_t fill = 0) : width(w), height(h), pixels(w * h, fill) {}

    void set(int x, int y, int index) {
        if (x >= 0 && y >= 0 && x < width && y < height)
            pixels[y * width + x] = static_cast<std::uint8_t>(index);
    }
    // Paints every pixel whose centre lies inside `shape`, moved by (dx, dy).
    void paint(const std::function<bool(double, double)>& shape, int index, int dx = 0,
               int dy = 0) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (shape(x + 0.5 - dx, y + 0.5 - dy)) set(x, y, index);
    }

    int width;
    int height;
    std::vector<std::uint8_t> pixels;
};

// A shape says whether a point lies inside it.
using Shape = std::function<bool(double, double)>;

Shape rect(double x0, double y0, double x1, double y1);
Shape ellipse(double cx, double cy, double rx, double ry);
Shape circle(double cx, double cy, double r);
Shape polygon(std::vector<std::pair<double, double>> points);
Shape roundedRect(double x0, double y0, double x1, double y1, double r);
Shape both(Shape a, Shape b);     // the union
Shape without(Shape a, Shape b);  // a with b cut out

}  // namespace vireo::demo
