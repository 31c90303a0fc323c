#include "demo/demo_set.h"

#include "images/bmp.h"
#include "images/source_set.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>

// Everything is drawn with integer arithmetic, + - * / and sqrt only, so that
// every compiler and optimisation level produces the same bytes: the committed
// demo folder is compared against a fresh drawing by the tests.

namespace vireo::demo {

namespace {

using images::Source;

struct Rgb {
    int r, g, b;
};

using Palette = std::array<Rgb, 256>;

// Fills palette[first .. first+count) with an even ramp from `from` to `to`.
void ramp(Palette& palette, int first, int count, Rgb from, Rgb to) {
    for (int i = 0; i < count; ++i) {
        const int d = count > 1 ? count - 1 : 1;
        palette[first + i] = {from.r + (to.r - from.r) * i / d, from.g + (to.g - from.g) * i / d,
                              from.b + (to.b - from.b) * i / d};
    }
}

// 4×4 ordered dither: spreads a fractional ramp position over neighbouring entries.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// Ramp entry for position `sixteenths` (in 1/16 of an entry) at pixel (x, y).
int dithered(int first, int count, int sixteenths, int x, int y) {
    const int step = (sixteenths + kBayer[y & 3][x & 3]) >> 4;
    return first + std::clamp(step, 0, count - 1);
}

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

// --- shapes -------------------------------------------------------------

using Shape = std::function<bool(double, double)>;

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

// --- the main-screen palette, shared by the six 64×64 icons ----------------

constexpr int kSky = 0, kSkyCount = 112;
constexpr int kFarHill = 112, kNearHill = 128, kHillCount = 16;
constexpr int kSun = 144, kSunCount = 16;
constexpr int kGrey = 160, kGreyCount = 16;
constexpr int kIconRamp = 176, kIconRampCount = 12;  // six ramps, one per icon
constexpr int kWhite = 248, kInk = 249, kGold = 250, kLeaf = 251;

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

// Height of the hill line above row 160 at column x: the highest of a few
// parabolic bumps.
int hillTop(int x, const std::vector<std::array<int, 3>>& bumps, int base) {
    int top = base;
    for (const auto& [cx, half, height] : bumps) {
        const int d = x - cx;
        if (d > -half && d < half) top = std::min(top, base - height + height * d * d / (half * half));
    }
    return top;
}

Canvas mainBackground() {
    Canvas c(240, 160);
    const std::vector<std::array<int, 3>> far = {{{30, 70, 34}, {120, 60, 22}, {210, 80, 40}}};
    const std::vector<std::array<int, 3>> near = {{{70, 90, 30}, {190, 70, 22}, {0, 40, 18}}};
    for (int y = 0; y < 160; ++y) {
        for (int x = 0; x < 240; ++x) {
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
                index = dithered(kNearHill, kHillCount, (kHillCount - 1 - (y - nearTop) / 2) * 16, x, y);
            else if (y >= farTop)
                index = dithered(kFarHill, kHillCount, (kHillCount - 1 - (y - farTop) / 3) * 16, x, y);
            c.set(x, y, index);
        }
    }
    // A few birds in the sky.
    for (const auto& [bx, by] : std::array<std::pair<int, int>, 3>{{{40, 14}, {52, 20}, {150, 10}}}) {
        for (int i = 0; i < 4; ++i) {
            c.set(bx - i, by - (i + 1) / 2, kInk);
            c.set(bx + i, by - (i + 1) / 2, kInk);
        }
    }
    return c;
}

// A square tile with a vertical gradient of ramp `which` and a bevelled edge.
Canvas iconTile(int which) {
    const int first = kIconRamp + which * kIconRampCount;
    Canvas c(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            c.set(x, y, dithered(first, kIconRampCount, (63 - y) * 16 * (kIconRampCount - 2) / 63 + 16, x, y));
    c.paint([](double x, double y) { return x < 2 || y < 2; }, first + kIconRampCount - 1);
    c.paint([](double x, double y) { return x > 62 || y > 62; }, first);
    c.paint([](double x, double y) { return x < 1 || y < 1 || x > 63 || y > 63; }, kInk);
    return c;
}

// A white glyph with a shadow two pixels down and right in the tile's darkest shade.
void glyph(Canvas& c, int which, const Shape& shape) {
    c.paint(shape, kIconRamp + which * kIconRampCount, 2, 2);
    c.paint(shape, kWhite);
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

// --- the directory-tree palette, shared by the two 16×16 icons ---------------

constexpr int kPaper = 0, kPaperCount = 64;
constexpr int kHeader = 64, kHeaderCount = 16;
constexpr int kStripe = 80;
constexpr int kFolder = 96, kFolderCount = 8;
constexpr int kArrow = 112, kArrowCount = 4;
constexpr int kTreeInk = 120, kTreeWhite = 121, kRule = 122;

Palette treePalette() {
    Palette p{};
    ramp(p, kPaper, kPaperCount, {252, 252, 254}, {212, 224, 240});
    ramp(p, kHeader, kHeaderCount, {36, 64, 132}, {84, 126, 204});
    p[kStripe] = {236, 242, 250};
    ramp(p, kFolder, kFolderCount, {170, 112, 16}, {255, 224, 120});
    ramp(p, kArrow, kArrowCount, {20, 112, 44}, {96, 204, 96});
    p[kTreeInk] = {70, 56, 24};
    p[kTreeWhite] = {255, 255, 255};
    p[kRule] = {186, 200, 224};
    return p;
}

Canvas treeBackground() {
    Canvas c(240, 160);
    for (int y = 0; y < 160; ++y) {
        for (int x = 0; x < 240; ++x) {
            int index = dithered(kPaper, kPaperCount, (y * 3 + x) * 16 * kPaperCount / 720, x, y);
            if (y >= 30 && ((y - 30) / 16) % 2 == 1) index = kStripe;
            if (y < 22) index = dithered(kHeader, kHeaderCount, (21 - y) * 16 * kHeaderCount / 22, x, y);
            if (y == 22 || x == 24) index = kRule;
            c.set(x, y, index);
        }
    }
    // Three dots in the header, as on a title bar.
    for (int i = 0; i < 3; ++i) c.paint(circle(226 - i * 9, 11, 2.6), kTreeWhite);
    return c;
}

// 16×16 pixel art: '.' keeps the tile's backdrop, the other letters name entries.
Canvas pixelArt(const std::array<const char*, 16>& rows) {
    Canvas c(16, 16, kPaper);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            switch (rows[y][x]) {
            case 'o': c.set(x, y, kTreeInk); break;
            case 'd': c.set(x, y, kFolder + 1); break;
            case 'm': c.set(x, y, kFolder + 4); break;
            case 'l': c.set(x, y, kFolder + 7); break;
            case 'g': c.set(x, y, kArrow + 3); break;
            case 'G': c.set(x, y, kArrow); break;
            default: break;
            }
        }
    }
    return c;
}

Canvas folderIcon() {
    return pixelArt({
        "................",
        "................",
        ".ooooo..........",
        "olllllo.........",
        "olmmmmmoooooooo.",
        "olmmmmmmmmmmmmdo",
        "oooooooooooooodo",
        "olllllllllllllmo",
        "olmmmmmmmmmmmmdo",
        "olmmmmmmmmmmmmdo",
        "olmmmmmmmmmmmmdo",
        "olmmmmmmmmmmmmdo",
        "olmmmmmmmmmmmmdo",
        "oddddddddddddddo",
        ".oooooooooooooo.",
        "................",
    });
}

Canvas parentFolderIcon() {
    return pixelArt({
        "................",
        "................",
        ".ooooo..........",
        "olllllo.........",
        "olmmmmmoooooooo.",
        "olmmmmmmmmmmmmdo",
        "oooooooGoooooodo",
        "olllllGgGllllllo",
        "olmmmGgggGmmmmdo",
        "olmmGgggggGmmmdo",
        "olmmGGgggGGmmmdo",
        "olmmmmGgGmmmmmdo",
        "olmmmmGgGmmmmmdo",
        "oddddddGdddddddo",
        ".oooooooooooooo.",
        "................",
    });
}

// --- the other two backgrounds -------------------------------------------

constexpr int kParchment = 0, kParchmentCount = 48;
constexpr int kRuled = 48, kMargin = 49, kBinding = 50;

Palette ebookPalette() {
    Palette p{};
    ramp(p, kParchment, kParchmentCount, {252, 248, 232}, {226, 208, 168});
    p[kRuled] = {214, 196, 156};
    p[kMargin] = {212, 96, 88};
    p[kBinding] = {150, 104, 60};
    return p;
}

Canvas ebookBackground() {
    Canvas c(240, 160);
    for (int y = 0; y < 160; ++y) {
        for (int x = 0; x < 240; ++x) {
            // Lighter in the middle of the page, darker towards its edges.
            const int ex = std::abs(x - 124), ey = std::abs(y - 80);
            const int edge = std::max(ex * 160 / 240, ey) * ex * 2 / 240 + ey * ey / 200;
            int index = dithered(kParchment, kParchmentCount, edge * 16 * kParchmentCount / 120, x, y);
            if (y >= 20 && (y - 20) % 14 == 13) index = kRuled;
            if (x == 18) index = kMargin;
            if (x < 6) index = kBinding;
            c.set(x, y, index);
        }
    }
    return c;
}

constexpr int kNight = 0, kNightCount = 64;
constexpr int kBar = 64, kBarCount = 32;
constexpr int kDisc = 96, kDiscCount = 8;
constexpr int kLabel = 104, kLabelDot = 105;

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
    Canvas c(240, 160);
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 240; ++x)
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
    constexpr int heights[] = {18, 30, 44, 36, 52, 40, 28, 46, 58, 50, 34, 24, 38, 48, 30, 20, 26, 16};
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

// --- files ---------------------------------------------------------------

Bytes bmpFile(const Canvas& canvas, const Palette& palette) {
    images::IndexedPicture picture{canvas.width, canvas.height, {}, canvas.pixels};
    for (std::size_t i = 0; i < palette.size(); ++i)
        picture.palette[i] = {static_cast<std::uint8_t>(palette[i].r), static_cast<std::uint8_t>(palette[i].g),
                              static_cast<std::uint8_t>(palette[i].b)};
    // Top row first: a viewer shows the file upside down, the preview and the
    // player show it upright.
    return images::writeSourceBmp(picture);
}

Bytes defaultSettings() {
    Bytes record(32, 0);
    record[2] = 255;  // list text: blue; selected and e-book text: black
    const std::uint8_t positions[14] = {12, 26, 88, 26, 164, 26, 12, 86, 88, 86, 164, 86, 30, 30};
    std::copy(std::begin(positions), std::end(positions), record.begin() + 16);
    return record;  // the hint flag at 30 and 31 is off
}

Canvas drawing(Source source) {
    switch (source) {
    case Source::MainBackground: return mainBackground();
    case Source::TreeBackground: return treeBackground();
    case Source::EbookBackground: return ebookBackground();
    case Source::MovieIcon: return movieIcon();
    case Source::MusicIcon: return musicIcon();
    case Source::EbookIcon: return ebookIcon();
    case Source::OptionsIcon: return optionsIcon();
    case Source::GameIcon: return gameIcon();
    case Source::PictureIcon: return pictureIcon();
    case Source::FolderIcon: return folderIcon();
    case Source::ParentFolderIcon: return parentFolderIcon();
    case Source::MusicBackground: return musicBackground();
    }
    return Canvas(0, 0);
}

Palette paletteOf(Source source) {
    switch (source) {
    case Source::TreeBackground:
    case Source::FolderIcon:
    case Source::ParentFolderIcon: return treePalette();
    case Source::EbookBackground: return ebookPalette();
    case Source::MusicBackground: return musicPalette();
    default: return mainPalette();
    }
}

}  // namespace

std::vector<std::pair<std::string, Bytes>> demoSourceSet() {
    std::vector<std::pair<std::string, Bytes>> files;
    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        const auto source = static_cast<Source>(i);
        files.emplace_back(images::kSourceSet[i].fileName, bmpFile(drawing(source), paletteOf(source)));
    }
    files.emplace_back(images::kSettingsFileName, defaultSettings());
    return files;
}

Result<void> writeDemoSourceSet(const std::string& folder) {
    std::vector<OutputFile> outputs;
    for (auto& [name, bytes] : demoSourceSet())
        outputs.push_back({joinPath(folder, name), std::move(bytes)});
    return writeFilesAtomically(outputs);
}

}  // namespace vireo::demo
