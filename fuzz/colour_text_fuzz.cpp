// The colour picker's text handling: what is typed or pasted into the hex and
// number boxes, and presses on the palette grid. Whatever the text, the hex
// box ends with six hexadecimal digits that spell the colour it picked.
#include "core/colour/colour.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace vireo;

namespace {

bool inByte(int value) {
    return value >= 0 && value <= 255;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    const auto entry = colour::applyHexText(text);
    if (entry.text.size() != 6 || entry.text != colour::hexText(colour::pack(entry.colour)) ||
        !inByte(entry.colour.red) || !inByte(entry.colour.green) || !inByte(entry.colour.blue))
        std::abort();
    if (colour::unpack(colour::pack(entry.colour)) != entry.colour) std::abort();

    for (char c : colour::filterHexText(text))
        if (!std::strchr("0123456789ABCDEF\b", c)) std::abort();
    for (char c : colour::filterNumberText(text))
        if (!std::strchr("0123456789\b", c)) std::abort();
    if (!inByte(colour::numberBoxValue(text))) std::abort();
    (void)colour::clampedNumberText(text);
    for (unsigned char c : text) {
        (void)colour::filterHexKey(c);
        (void)colour::filterNumberKey(c);
    }

    // A press anywhere near the grid, in quarter pixels.
    if (size >= 4) {
        std::int16_t x, y;
        std::memcpy(&x, data, 2);
        std::memcpy(&y, data + 2, 2);
        const int key = colour::paletteKey(x / 4.0, y / 4.0);
        (void)colour::paletteColour(key);
    }
    return 0;
}
