#include "core/cli/convert_words.h"

#include <utility>

namespace vireo::cli {

using artwork::Colour;
using artwork::Fit;

namespace {

constexpr std::pair<const char*, Fit> kFitWords[] = {
    {"cover", Fit::Cover}, {"contain", Fit::Contain}, {"stretch", Fit::Stretch}};

}  // namespace

std::vector<std::string> fitWords() {
    std::vector<std::string> words;
    for (const auto& [word, fit] : kFitWords) words.emplace_back(word);
    return words;
}

std::optional<Fit> fitNamed(const std::string& name) {
    for (const auto& [word, fit] : kFitWords) {
        if (name == word) return fit;
    }
    return std::nullopt;
}

std::optional<artwork::Frame> frameFromText(const std::string& text) {
    int parts[3] = {0, 0, 0};
    std::size_t at = 0;
    for (int k = 0; k < 3; ++k) {
        const std::size_t start = at;
        // At most four digits: no value of a frame needs more, and none overflows.
        while (at < text.size() && at - start < 4 && text[at] >= '0' && text[at] <= '9')
            parts[k] = parts[k] * 10 + (text[at++] - '0');
        if (at == start) return std::nullopt;
        if (k < 2 && (at >= text.size() || text[at++] != ',')) return std::nullopt;
    }
    const artwork::Frame frame{parts[0], parts[1], parts[2]};
    if (at != text.size() || !artwork::validFrame(frame)) return std::nullopt;
    return frame;
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
