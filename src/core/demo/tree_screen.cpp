#include "core/demo/pictures.h"

#include "core/images/source_set.h"

#include <array>

namespace vireo::demo {

namespace {

using images::kIconSide;
using images::kScreenHeight;
using images::kScreenWidth;
using images::kSmallIconSide;

// --- the directory-tree palette, shared by the two 16×16 icons ---------------

constexpr int kPaper = 0, kPaperCount = 64;
constexpr int kHeader = 64, kHeaderCount = 16;
constexpr int kStripe = 80;
constexpr int kFolder = 96, kFolderCount = 8;
constexpr int kArrow = 112, kArrowCount = 4;
constexpr int kTreeInk = 120, kTreeWhite = 121, kRule = 122;

// 16×16 pixel art: '.' keeps the tile's backdrop, the other letters name entries.
Canvas pixelArt(const std::array<const char*, kSmallIconSide>& rows) {
    Canvas c(kSmallIconSide, kSmallIconSide, kPaper);
    for (int y = 0; y < kSmallIconSide; ++y) {
        for (int x = 0; x < kSmallIconSide; ++x) {
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

}  // namespace

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
    Canvas c(kScreenWidth, kScreenHeight);
    for (int y = 0; y < kScreenHeight; ++y) {
        for (int x = 0; x < kScreenWidth; ++x) {
            int index = dithered(kPaper, kPaperCount, (y * 3 + x) * 16 * kPaperCount / 720, x, y);
            if (y >= 30 && ((y - 30) / 16) % 2 == 1) index = kStripe;
            if (y < 22)
                index = dithered(kHeader, kHeaderCount, (21 - y) * 16 * kHeaderCount / 22, x, y);
            if (y == 22 || x == 24) index = kRule;
            c.set(x, y, index);
        }
    }
    // Three dots in the header, as on a title bar.
    for (int i = 0; i < 3; ++i) c.paint(circle(226 - i * 9, 11, 2.6), kTreeWhite);
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

}  // namespace vireo::demo
