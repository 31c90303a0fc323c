#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vireo::colour {

struct Rgb {
    int red;
    int green;
    int blue;

    friend bool operator==(const Rgb& a, const Rgb& b) {
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    }
    friend bool operator!=(const Rgb& a, const Rgb& b) { return !(a == b); }
};

// red + 256 × green + 65,536 × blue: red in the low byte. Each channel 0 to 255.
std::uint32_t pack(const Rgb& colour);
Rgb unpack(std::uint32_t packed);

// Upper-case hexadecimal of a packed colour, padded on the left with "0" to
// six characters. It therefore reads blue, green, red: (255, 128, 0) -> "0080FF".
std::string hexText(std::uint32_t packed);

// What Enter does to the hex box: a longer text is cut to its first six
// characters, a shorter one padded in front with "0"; characters 1-2 are blue,
// 3-4 green, 5-6 red. Characters that are not hexadecimal digits are dropped
// first, as the box's filters do, so any text gives a colour.
struct HexEntry {
    std::string text;  // what the box shows afterwards
    Rgb colour;
};
HexEntry applyHexText(const std::string& text);

// Character filters. A filter returns the code to pass on, or 0 to discard it.
// Number boxes take digits and Backspace (8).
int filterNumberKey(int code);
// The hex box takes digits, A to F and Backspace, and raises a to f. Enter is
// the caller's to handle before filtering; here it is discarded like any other code.
int filterHexKey(int code);

// The same filters for text that arrives whole, by pasting or dropping.
std::string filterNumberText(const std::string& text);
std::string filterHexText(const std::string& text);

// A number box's text that must be rewritten: "255" for any value above 255,
// nothing otherwise.
std::optional<std::string> clampedNumberText(const std::string& text);
// The channel value a number box's text stands for: its leading decimal digits,
// at most 255; an empty text is 0.
int numberBoxValue(const std::string& text);

// The palette grid: 8 columns of colour families, 6 rows from light to dark.
constexpr int kGridColumns = 8;
constexpr int kGridRows = 6;
constexpr int kGridWidth = 186;   // pixels
constexpr int kGridHeight = 133;  // pixels
// kPaletteGrid[row - 1][column - 1].
extern const std::array<std::array<Rgb, kGridColumns>, kGridRows> kPaletteGrid;

// The key of a press at (x, y) pixels from the grid's top-left corner:
// column × 10 + row with column = 1 + floor(x × 8 / 186) and row = 1 + floor(y × 6 / 133).
int paletteKey(double x, double y);
// The grid colour of a key; a key that names no cell gives black.
Rgb paletteColour(int key);

// The grid picture, row by row from the top, kGridWidth × kGridHeight pixels:
// each pixel in the colour a press on it picks, except thin black lines on the
// first pixel column and row of every cell but the first ones.
std::vector<Rgb> paletteGridPixels();

}  // namespace vireo::colour
