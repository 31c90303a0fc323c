#pragma once

#include "core/images/source_set.h"
#include "core/skin/skin_file.h"

#include <cstdint>
#include <vector>

namespace vireo::skin {

// The player's four full screens.
enum class Screen { Main, Tree, Ebook, Music };

// An opaque picture, row by row from the top, each pixel 0xFFRRGGBB.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// The colour of entry `index` of a 1,024-byte BMP colour table at `palette`
// (blue, green, red, reserved per entry).
std::uint32_t paletteColour(const std::uint8_t* palette, std::uint8_t index);

// One 64×64 icon of the main screen, where the settings record puts it.
struct IconPlacement {
    std::uint32_t pixelOffset;
    int x;
    int y;
};

// The main screen's 64×64 icons in drawing order, at the positions the skin's
// own settings record gives them: the six of the generated layout by the
// record's fields; the older layout's five (movie, music, e-book, about, help)
// by the unpacker's arrangement.
std::vector<IconPlacement> mainScreenIcons(const SkinFile& skinFile);

// The screen as the player draws it: the background with its own palette and,
// on the main screen, the 64×64 icons drawn with the main-screen palette. The
// first stored row is at the top, as the layout preview shows it; whatever
// reaches past 240×160 is clipped.
Picture renderScreen(const SkinFile& skinFile, Screen screen);

// Each pixel repeated `factor` times across and down; factor 1 returns a copy.
Picture scaleNearest(const Picture& picture, int factor);

// The picture brought to a size whose longer side is `longerSide` pixels, the
// other side in proportion (at least 1). Each pixel is the mean of the source
// pixels it covers, so that a small thumbnail keeps thin lines and text tints.
Picture scaleToLongerSide(const Picture& picture, int longerSide);

}  // namespace vireo::skin
