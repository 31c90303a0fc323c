#pragma once

#include "core/settings/record.h"
#include "core/skin/screen.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vireo::skin {

// The texts the player draws over its screens, each in a colour of the record.
enum class TextRole { List, Selected, Ebook };

// The player draws the texts in its own font; samples are drawn this many
// screen pixels high.
constexpr int kSampleTextHeight = 12;

// One text where the player draws it, in screen pixels from the top left.
struct TextSample {
    TextRole role;
    std::uint32_t colour;  // 0xFFRRGGBB
    int x;
    int y;
};

// The screen a text is drawn over.
Screen screenOf(TextRole role);

// The texts of `screen`: the list and the selected line from the file-list
// position of the directory tree, the e-book text near the top left.
std::vector<TextSample> textSamples(const settings::Record& record, Screen screen);

// The record of a finished skin of the generated layout; the older layout's
// record has other fields, so nothing for it.
std::optional<settings::Record> textRecordOf(const SkinFile& skinFile);

// Below this ratio a text is hard to read over its background.
constexpr double kMinimumContrast = 3.0;

// WCAG relative luminance of 0xRRGGBB, 0 (black) to 1 (white).
double relativeLuminance(std::uint32_t colour);

// How well a text of `colour` reads over the part of `screen` where the
// player may draw it: the list's from the file-list position to the screen's
// edges, the e-book's the whole screen. A text is read over most of that part,
// not over a few stray pixels, so the background's luminance is taken at its
// 10th and 90th percentiles, and the ratio is the worst a text meets between
// them (1 when the text's own luminance lies between).
double textContrast(const TextSample& text, const Picture& screen);

// The colour nearest to `text`'s own that reads at kMinimumContrast by
// textContrast: its hue kept, its lightness changed as little as a
// perceptual (OKLab) distance allows, and its chroma only where sRGB has no
// such colour. The colour itself when it already reads; nullopt when no
// colour reads over that background.
std::optional<std::uint32_t> nearestReadableColour(const TextSample& text, const Picture& screen);

}  // namespace vireo::skin
