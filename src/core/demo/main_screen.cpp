#include "core/demo/pictures.h"

#include "core/images/source_set.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace vireo::demo {

namespace {

using images::kIconSide;
using images::kScreenHeight;
using images::kScreenWidth;
using images::kSmallIconSide;

// --- the main-screen palette, shared by the six 64×64 icons ----------------

constexpr int kSky = 0, kSkyCount = 112;
constexpr int kFarHill = 112, kNearHill = 128, kHillCount = 16;
constexpr int kSun = 144, kSunCount = 16;
constexpr int kGrey = 160, kGreyCount = 16;
constexpr int kIconRamp = 176, kIconRampCount = 12;  // six ramps, one per icon
constexpr int kWhite = 248, kInk = 249, kGold = 250, kLeaf = 251;

// Height of the hill line above row 160 at column x: the highest of a few
// parabolic bumps.
int hillTop(int x, const std::vector<std::array<int, 3>>& bumps, int base) {
    int top = base;
    for (const auto& [cx, half, height] : bumps) {
        const int d = x - cx;
        if (d > -half && d < half)
            top = std::min(top, base - height + height * d * d / (half * half));
    }
    return top;
}

// A square tile with a vertical gradient of ramp `which` and a bevelled edge.
Canvas iconTile(int which) {
    const int first = kIconRamp + which * kIconRampCount;
    Canvas c(kIconSide, kIconSide);
    for (int y = 0; y < kIconSide; ++y)
        for (int x = 0; x < kIconSide; ++x)
            c.set(x, y,
                  dithered(first, kIconRampCount,
                           (kIconSide - 1 - y) * 16 * (kIconRampCount - 2) / (kIconSide - 1) + 16,
                           x, y));
    c.paint([](double x, double y) { return x < 2 || y < 2; }, first + kIconRampCount - 1);
    c.paint([](double x, double y) { return x > kIconSide - 2 || y > kIconSide - 2; }, first);
    c.paint(
        [](double x, double y) { return x < 1 || y < 1 || x > kIconSide - 1 || y > kIconSide - 1; },
        kInk);
    return c;
}

// A white glyph with a shadow two pixels down and right in the tile's darkest shade.
void glyph(Canvas& c, int which, const Shape& shape) {
    c.paint(shape, kIconRamp + which * kIconRampCount, 2, 2);
    c.paint(shape, kWhite);
}

}  // namespace

Palette mainPalette() {
    Palette p{};
    ramp(p, kSky, kSkyCount, {14, 30, 88}, {126, 200, 244});
    ramp(p, kFarHill, kHillCount, {52, 120, 124}, {104, 170, 150});
    ramp(p, kNearHill, kHillCount, {18, 84, 40}, {112, 184, 72});
    ramp(p, kSun, kSunCount, {255, 248, 200}, {255, 196, 84});
    ramp(p, kGrey, kGreyCount, {0, 0, 0}, {255, 255, 255});
    const std::array<std::pair<Rgb, Rgb>, 6> icons = {{
        {{110, 18, 34}, {244, 98, 96}},    // movie: red
        {{64, 28, 118}, {196, 136, 252}},  // music: violet
        {{16, 86, 62}, {92, 206, 146}},    // e-book: green
        {{28, 48, 108}, {116, 154, 232}},  // options: slate blue
        {{140, 62, 8}, {255, 176, 64}},    // game: orange
        {{14, 84, 132}, {96, 204, 244}},   // pictures: azure
    }};
    for (std::size_t i = 0; i < icons.size(); ++i)
        ramp(p, kIconRamp + int(i) * kIconRampCount, kIconRampCount, icons[i].first,
             icons[i].second);
    p[kWhite] = {255, 255, 255};
    p[kInk] = {18, 18, 28};
    p[kGold] = {255, 212, 64};
    p[kLeaf] = {40, 140, 60};
    return p;
}

Canvas mainBackground() {
    Canvas c(kScreenWidth, kScreenHeight);
    const std::vector<std::array<int, 3>> far = {{{30, 70, 34}, {120, 60, 22}, {210, 80, 40}}};
    const std::vector<std::array<int, 3>> near = {{{70, 90, 30}, {190, 70, 22}, {0, 40, 18}}};
    for (int y = 0; y < kScreenHeight; ++y) {
        for (int x = 0; x < kScreenWidth; ++x) {
            const int dx = x - 198, dy = y - 34;
            const int d2 = dx * dx + dy * dy;
            int index;
            if (d2 <= 13 * 13) {
                index = dithered(kSun, kSunCount, int(std::sqrt(double(d2)) * 16 * kSunCount / 14),
                                 x, y);
            } else {
                // The sky lightens towards the sun.
                const int halo = std::max(0, 48 - int(std::sqrt(double(d2))));
                index = dithered(kSky, kSkyCount, (y + halo * 3 / 2) * 16 * kSkyCount / 132, x, y);
            }
            const int farTop = hillTop(x, far, 132);
            const int nearTop = hillTop(x, near, 150);
            if (y >= nearTop)
                index = dithered(kNearHill, kHillCount, (kHillCount - 1 - (y - nearTop) / 2) * 16,
                                 x, y);
            else if (y >= farTop)
                index =
                    dithered(kFarHill, kHillCount, (kHillCount - 1 - (y - farTop) / 3) * 16, x, y);
            c.set(x, y, index);
        }
    }
    // A few birds in the sky.
    constexpr std::array<std::pair<int, int>, 3> birds{{{40, 14}, {52, 20}, {150, 10}}};
    for (const auto& [bx, by] : birds) {
        for (int i = 0; i < 4; ++i) {
            c.set(bx - i, by - (i + 1) / 2, kInk);
            c.set(bx + i, by - (i + 1) / 2, kInk);
        }
    }
    return c;
}

Canvas movieIcon() {
    Canvas c = iconTile(0);
    Shape strip = roundedRect(14, 10, 50, 54, 3);
    for (int i = 0; i < 7; ++i) {
        strip = without(strip, rect(17, 13 + i * 6, 21, 16 + i * 6));
        strip = without(strip, rect(43, 13 + i * 6, 47, 16 + i * 6));
    }
    strip = without(strip, polygon({{27, 22}, {27, 42}, {40, 32}}));
    glyph(c, 0, strip);
    return c;
}

Canvas musicIcon() {
    Canvas c = iconTile(1);
    Shape note = both(ellipse(22, 46, 8, 6), ellipse(44, 42, 8, 6));
    note = both(note, rect(27, 16, 30.5, 46));
    note = both(note, rect(49, 12, 52.5, 42));
    note = both(note, polygon({{27, 16}, {52.5, 10}, {52.5, 18}, {27, 24}}));
    glyph(c, 1, note);
    return c;
}

Canvas ebookIcon() {
    Canvas c = iconTile(2);
    Shape book = both(polygon({{8, 18}, {31, 22}, {31, 52}, {8, 48}}),
                      polygon({{33, 22}, {56, 18}, {56, 48}, {33, 52}}));
    for (int i = 0; i < 4; ++i) {
        const double y = 28 + i * 5;
        book = without(book, polygon({{12, y}, {27, y + 3.5}, {27, y + 5}, {12, y + 1.5}}));
        book = without(book, polygon({{37, y + 3.5}, {52, y}, {52, y + 1.5}, {37, y + 5}}));
    }
    glyph(c, 2, book);
    return c;
}

Canvas optionsIcon() {
    Canvas c = iconTile(3);
    const double h = std::sqrt(0.5);
    const Shape gear = [h](double x, double y) {
        const double u = x - 32, v = y - 32;
        const double r2 = u * u + v * v;
        if (r2 <= 6.5 * 6.5) return false;
        if (r2 <= 15.5 * 15.5) return true;
        if (r2 > 22 * 22) return false;
        // Eight teeth, 9 pixels wide, along the axes and the diagonals.
        const double p = (u + v) * h, q = (u - v) * h;
        return std::abs(u) < 4.5 || std::abs(v) < 4.5 || std::abs(p) < 4.5 || std::abs(q) < 4.5;
    };
    glyph(c, 3, gear);
    return c;
}

Canvas gameIcon() {
    Canvas c = iconTile(4);
    Shape pad = both(roundedRect(12, 22, 52, 42, 8), both(circle(18, 40, 9), circle(46, 40, 9)));
    pad = without(pad, rect(17, 29, 20.5, 41));
    pad = without(pad, rect(13, 33, 25, 36.5));
    pad = without(pad, circle(42, 31, 3));
    pad = without(pad, circle(48, 36, 3));
    glyph(c, 4, pad);
    return c;
}

Canvas pictureIcon() {
    Canvas c = iconTile(5);
    const int first = kIconRamp + 5 * kIconRampCount;
    glyph(c, 5, rect(10, 14, 54, 50));
    c.paint(rect(13, 17, 51, 47), first + kIconRampCount - 2);
    c.paint(circle(41, 25, 4.5), kGold);
    c.paint(polygon({{13, 47}, {25, 28}, {35, 42}, {40, 35}, {51, 47}}), kLeaf);
    return c;
}

}  // namespace vireo::demo
