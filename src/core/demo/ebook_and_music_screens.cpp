#include "core/demo/pictures.h"

#include "core/images/source_set.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vireo::demo {

namespace {

using images::kIconSide;
using images::kScreenHeight;
using images::kScreenWidth;
using images::kSmallIconSide;

// --- the other two backgrounds -------------------------------------------

constexpr int kParchment = 0, kParchmentCount = 48;
constexpr int kRuled = 48, kMargin = 49, kBinding = 50;

constexpr int kNight = 0, kNightCount = 64;
constexpr int kBar = 64, kBarCount = 32;
constexpr int kDisc = 96, kDiscCount = 8;
constexpr int kLabel = 104, kLabelDot = 105;

}  // namespace

Palette ebookPalette() {
    Palette p{};
    ramp(p, kParchment, kParchmentCount, {252, 248, 232}, {226, 208, 168});
    p[kRuled] = {214, 196, 156};
    p[kMargin] = {212, 96, 88};
    p[kBinding] = {150, 104, 60};
    return p;
}

Canvas ebookBackground() {
    Canvas c(kScreenWidth, kScreenHeight);
    for (int y = 0; y < kScreenHeight; ++y) {
        for (int x = 0; x < kScreenWidth; ++x) {
            // Lighter in the middle of the page, darker towards its edges.
            const int ex = std::abs(x - 124), ey = std::abs(y - 80);
            const int edge =
                std::max(ex * kScreenHeight / kScreenWidth, ey) * ex * 2 / kScreenWidth +
                ey * ey / 200;
            int index =
                dithered(kParchment, kParchmentCount, edge * 16 * kParchmentCount / 120, x, y);
            if (y >= 20 && (y - 20) % 14 == 13) index = kRuled;
            if (x == 18) index = kMargin;
            if (x < 6) index = kBinding;
            c.set(x, y, index);
        }
    }
    return c;
}

Palette musicPalette() {
    Palette p{};
    ramp(p, kNight, kNightCount, {10, 8, 32}, {72, 24, 104});
    ramp(p, kBar, kBarCount / 2, {40, 200, 220}, {120, 120, 240});
    ramp(p, kBar + kBarCount / 2, kBarCount / 2, {140, 100, 240}, {250, 90, 190});
    ramp(p, kDisc, kDiscCount, {12, 12, 16}, {64, 64, 76});
    p[kLabel] = {250, 190, 70};
    p[kLabelDot] = {30, 20, 10};
    return p;
}

Canvas musicBackground() {
    Canvas c(kScreenWidth, kScreenHeight);
    for (int y = 0; y < kScreenHeight; ++y)
        for (int x = 0; x < kScreenWidth; ++x)
            c.set(x, y, dithered(kNight, kNightCount, (y + x / 4) * 16 * kNightCount / 220, x, y));
    // A record with grooves, partly off the right edge.
    c.paint(
        [](double x, double y) {
            const double d = std::sqrt((x - 196) * (x - 196) + (y - 58) * (y - 58));
            return d <= 46 && int(d) % 4 != 0;
        },
        kDisc + 2);
    c.paint(
        [](double x, double y) {
            const double d = std::sqrt((x - 196) * (x - 196) + (y - 58) * (y - 58));
            return d <= 46 && int(d) % 4 == 0;
        },
        kDisc + 6);
    c.paint(circle(196, 58, 14), kLabel);
    c.paint(circle(196, 58, 2.5), kLabelDot);
    // An equaliser along the bottom.
    constexpr int heights[] = {18, 30, 44, 36, 52, 40, 28, 46, 58,
                               50, 34, 24, 38, 48, 30, 20, 26, 16};
    for (int i = 0; i < 18; ++i) {
        const int left = 8 + i * 13;
        for (int y = 150 - heights[i]; y < 150; ++y) {
            if ((150 - y) % 4 == 0) continue;  // gaps between the segments
            for (int x = left; x < left + 9; ++x)
                c.set(x, y, kBar + std::min(kBarCount - 1, (150 - y) * kBarCount / 60));
        }
    }
    return c;
}

}  // namespace vireo::demo
