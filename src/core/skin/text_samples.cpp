#include "core/skin/text_samples.h"

#include "core/images/icons.h"
#include "core/skin/skin_file.h"

#include <algorithm>
#include <cmath>

namespace vireo::skin {

namespace {

// Offsets in the record of the three colours, red, green, blue.
constexpr std::size_t kListColour = 0;
constexpr std::size_t kSelectedColour = 4;
constexpr std::size_t kEbookColour = 8;
constexpr int kLineHeight = 16;
constexpr int kEbookMargin = 8;

std::uint32_t colourAt(const settings::Record& record, std::size_t offset) {
    return 0xFF000000u | (std::uint32_t(record[offset]) << 16) |
           (std::uint32_t(record[offset + 1]) << 8) | record[offset + 2];
}

double channelLuminance(std::uint32_t value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

Screen screenOf(TextRole role) {
    return role == TextRole::Ebook ? Screen::Ebook : Screen::Tree;
}

std::vector<TextSample> textSamples(const settings::Record& record, Screen screen) {
    if (screen == Screen::Tree) {
        const int x = record[images::kFileListPosition.xOffset];
        const int y = record[images::kFileListPosition.yOffset];
        return {{TextRole::List, colourAt(record, kListColour), x, y},
                {TextRole::Selected, colourAt(record, kSelectedColour), x, y + kLineHeight}};
    }
    if (screen == Screen::Ebook)
        return {{TextRole::Ebook, colourAt(record, kEbookColour), kEbookMargin, kEbookMargin}};
    return {};
}

std::optional<settings::Record> textRecordOf(const SkinFile& skinFile) {
    if (skinFile.layout != Layout::Skin) return std::nullopt;
    const Bytes bytes = settingsRecordOf(skinFile);
    settings::Record record{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), record.size()), record.begin());
    return record;
}

double relativeLuminance(std::uint32_t colour) {
    return 0.2126 * channelLuminance((colour >> 16) & 0xFF) +
           0.7152 * channelLuminance((colour >> 8) & 0xFF) +
           0.0722 * channelLuminance(colour & 0xFF);
}

double textContrast(const TextSample& text, const Picture& screen) {
    const bool list = text.role != TextRole::Ebook;
    const int left = list ? std::clamp(text.x, 0, screen.width - 1) : 0;
    const int top = list ? std::clamp(text.y, 0, screen.height - 1) : 0;
    std::vector<double> luminances;
    luminances.reserve(static_cast<std::size_t>(screen.width - left) * (screen.height - top));
    for (int y = top; y < screen.height; ++y)
        for (int x = left; x < screen.width; ++x)
            luminances.push_back(relativeLuminance(screen.at(x, y)));
    if (luminances.empty()) return 1.0;
    std::sort(luminances.begin(), luminances.end());
    const double darkest = luminances[(luminances.size() - 1) / 10];
    const double lightest = luminances[(luminances.size() - 1) * 9 / 10];
    const double own = relativeLuminance(text.colour);
    if (own >= darkest && own <= lightest) return 1.0;
    const double nearest = own < darkest ? darkest : lightest;
    return (std::max(own, nearest) + 0.05) / (std::min(own, nearest) + 0.05);
}

}  // namespace vireo::skin
