#include "core/colour/colour.h"

#include <cmath>

namespace vireo::colour {

namespace {

bool isDigit(int c) {
    return c >= '0' && c <= '9';
}

int hexDigitValue(char c) {
    if (isDigit(c)) return c - '0';
    return c - 'A' + 10;  // callers pass filtered, upper-case text
}

}  // namespace

std::uint32_t pack(const Rgb& c) {
    return static_cast<std::uint32_t>(c.red) + 256u * static_cast<std::uint32_t>(c.green) +
           65536u * static_cast<std::uint32_t>(c.blue);
}

Rgb unpack(std::uint32_t packed) {
    return {static_cast<int>(packed & 0xFF), static_cast<int>((packed >> 8) & 0xFF),
            static_cast<int>((packed >> 16) & 0xFF)};
}

std::string hexText(std::uint32_t packed) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), digits[packed & 0xF]);
        packed >>= 4;
    } while (packed != 0);
    if (text.size() < 6) text.insert(0, 6 - text.size(), '0');
    return text;
}

HexEntry applyHexText(const std::string& typed) {
    std::string text = filterHexText(typed);
    if (text.size() > 6) text.resize(6);
    text.insert(0, 6 - text.size(), '0');
    const auto pair = [&](std::size_t at) {
        return hexDigitValue(text[at]) * 16 + hexDigitValue(text[at + 1]);
    };
    return {text, Rgb{pair(4), pair(2), pair(0)}};
}

int filterNumberKey(int code) {
    return isDigit(code) || code == 8 ? code : 0;
}

int filterHexKey(int code) {
    if (code >= 'a' && code <= 'f') return code - 32;
    if ((code >= 'A' && code <= 'F') || isDigit(code) || code == 8) return code;
    return 0;
}

std::string filterNumberText(const std::string& text) {
    std::string kept;
    for (char c : text)
        if (isDigit(static_cast<unsigned char>(c))) kept += c;
    return kept;
}

std::string filterHexText(const std::string& text) {
    std::string kept;
    for (char c : text) {
        const int code = filterHexKey(static_cast<unsigned char>(c));
        if (code != 0 && code != 8) kept += static_cast<char>(code);
    }
    return kept;
}

namespace {

// The value of the text's leading digits; 256 stands for anything above 255,
// so long texts cannot overflow.
int leadingValue(const std::string& text) {
    int value = 0;
    for (char c : text) {
        if (!isDigit(static_cast<unsigned char>(c))) break;
        value = value * 10 + (c - '0');
        if (value > 255) return 256;
    }
    return value;
}

}  // namespace

std::optional<std::string> clampedNumberText(const std::string& text) {
    if (leadingValue(text) > 255) return std::string("255");
    return std::nullopt;
}

int numberBoxValue(const std::string& text) {
    const int value = leadingValue(text);
    return value > 255 ? 255 : value;
}

const std::array<std::array<Rgb, kGridColumns>, kGridRows> kPaletteGrid = {{
    {{{255, 255, 255},
      {255, 192, 255},
      {255, 192, 192},
      {255, 224, 192},
      {255, 255, 224},
      {192, 255, 192},
      {192, 255, 255},
      {192, 192, 255}}},
    {{{192, 192, 192},
      {255, 128, 255},
      {255, 128, 128},
      {255, 192, 128},
      {255, 255, 128},
      {128, 255, 128},
      {128, 255, 255},
      {128, 128, 255}}},
    {{{128, 128, 128},
      {255, 0, 255},
      {255, 0, 0},
      {255, 128, 0},
      {255, 255, 0},
      {0, 255, 0},
      {0, 255, 255},
      {0, 0, 255}}},
    {{{224, 224, 224},
      {192, 0, 192},
      {192, 0, 0},
      {192, 64, 0},
      {192, 192, 0},
      {0, 192, 0},
      {0, 192, 192},
      {0, 0, 192}}},
    {{{64, 64, 64},
      {128, 0, 128},
      {128, 0, 0},
      {128, 64, 0},
      {128, 128, 0},
      {0, 128, 0},
      {0, 128, 128},
      {0, 0, 128}}},
    {{{0, 0, 0},
      {64, 0, 64},
      {64, 0, 0},
      {128, 64, 64},
      {64, 64, 0},
      {0, 64, 0},
      {0, 64, 64},
      {0, 0, 64}}},
}};

int paletteKey(double x, double y) {
    const double column = 1 + std::floor(x * kGridColumns / kGridWidth);
    const double row = 1 + std::floor(y * kGridRows / kGridHeight);
    // Far outside the picture (or not a number at all): no cell.
    if (!(column >= 0 && column <= 99 && row >= 0 && row <= 99)) return -1;
    // The column's digits followed by the row's, read as a number.
    return std::stoi(std::to_string(static_cast<int>(column)) +
                     std::to_string(static_cast<int>(row)));
}

Rgb paletteColour(int key) {
    const int column = key / 10;
    const int row = key % 10;
    if (key < 0 || column < 1 || column > kGridColumns || row < 1 || row > kGridRows)
        return {0, 0, 0};
    return kPaletteGrid[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
}

std::vector<Rgb> paletteGridPixels() {
    std::vector<Rgb> pixels;
    pixels.reserve(static_cast<std::size_t>(kGridWidth) * kGridHeight);
    const auto cellOf = [](int at, int cells, int extent) { return at * cells / extent; };
    for (int y = 0; y < kGridHeight; ++y) {
        const int row = cellOf(y, kGridRows, kGridHeight);
        const bool rowLine = row > 0 && cellOf(y - 1, kGridRows, kGridHeight) != row;
        for (int x = 0; x < kGridWidth; ++x) {
            const int column = cellOf(x, kGridColumns, kGridWidth);
            const bool columnLine = column > 0 && cellOf(x - 1, kGridColumns, kGridWidth) != column;
            pixels.push_back(rowLine || columnLine
                                 ? Rgb{0, 0, 0}
                                 : kPaletteGrid[static_cast<std::size_t>(row)]
                                               [static_cast<std::size_t>(column)]);
        }
    }
    return pixels;
}

}  // namespace vireo::colour
