#include "cli/convert_words.h"

namespace vireo::cli {

using artwork::Colour;
using artwork::Fit;

std::optional<Fit> fitNamed(const std::string& name) {
    if (name == "cover") return Fit::Cover;
    if (name == "contain") return Fit::Contain;
    if (name == "stretch") return Fit::Stretch;
    return std::nullopt;
}

std::optional<Colour> colourFromHex(const std::string& text) {
    if (text.size() != 6) return std::nullopt;
    std::uint8_t value[3] = {0, 0, 0};
    for (std::size_t i = 0; i < 6; ++i) {
        const char c = text[i];
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0) return std::nullopt;
        value[i / 2] = static_cast<std::uint8_t>(value[i / 2] * 16 + digit);
    }
    return Colour{value[0], value[1], value[2]};
}

}  // namespace vireo::cli
