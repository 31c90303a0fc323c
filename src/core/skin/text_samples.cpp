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

namespace {

// The background's luminance where a text stands, at its 10th and 90th
// percentiles: a text is read over most of its part, not over a few stray pixels.
struct Band {
    double darkest;
    double lightest;
};

std::optional<Band> bandUnder(const TextSample& text, const Picture& screen) {
    const bool list = text.role != TextRole::Ebook;
    const int left = list ? std::clamp(text.x, 0, screen.width - 1) : 0;
    const int top = list ? std::clamp(text.y, 0, screen.height - 1) : 0;
    std::vector<double> luminances;
    luminances.reserve(static_cast<std::size_t>(screen.width - left) * (screen.height - top));
    for (int y = top; y < screen.height; ++y)
        for (int x = left; x < screen.width; ++x)
            luminances.push_back(relativeLuminance(screen.at(x, y)));
    if (luminances.empty()) return std::nullopt;
    std::sort(luminances.begin(), luminances.end());
    return Band{luminances[(luminances.size() - 1) / 10],
                luminances[(luminances.size() - 1) * 9 / 10]};
}

double contrastOver(std::uint32_t colour, const Band& band) {
    const double own = relativeLuminance(colour);
    if (own >= band.darkest && own <= band.lightest) return 1.0;
    const double nearest = own < band.darkest ? band.darkest : band.lightest;
    return (std::max(own, nearest) + 0.05) / (std::min(own, nearest) + 0.05);
}

// OKLab, in which equal distances look about equally different.
struct Lab {
    double l, a, b;
};

double toLinear(std::uint32_t value) {
    return channelLuminance(value);
}

std::uint32_t fromLinear(double c) {
    const double v = c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
    return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
}

Lab labOf(std::uint32_t colour) {
    const double r = toLinear((colour >> 16) & 0xFF), g = toLinear((colour >> 8) & 0xFF),
                 b = toLinear(colour & 0xFF);
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

// The linear sRGB of `lab`; false when it lies outside the gamut.
bool linearOf(const Lab& lab, double (&rgb)[3]) {
    const double l = std::pow(lab.l + 0.3963377774 * lab.a + 0.2158037573 * lab.b, 3);
    const double m = std::pow(lab.l - 0.1055613458 * lab.a - 0.0638541728 * lab.b, 3);
    const double s = std::pow(lab.l - 0.0894841775 * lab.a - 1.2914855480 * lab.b, 3);
    rgb[0] = 4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s;
    rgb[1] = -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s;
    rgb[2] = -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s;
    constexpr double kSlack = 1e-9;
    return std::all_of(std::begin(rgb), std::end(rgb),
                       [](double c) { return c >= -kSlack && c <= 1 + kSlack; });
}

// The colour of lightness `l` with `lab`'s hue and as much of its chroma as sRGB holds.
std::uint32_t atLightness(const Lab& lab, double l) {
    double rgb[3];
    double low = 0, high = 1;
    if (!linearOf({l, lab.a, lab.b}, rgb)) {
        for (int i = 0; i < 30; ++i) {
            const double mid = (low + high) / 2;
            (linearOf({l, lab.a * mid, lab.b * mid}, rgb) ? low : high) = mid;
        }
        linearOf({l, lab.a * low, lab.b * low}, rgb);
    }
    return 0xFF000000u | fromLinear(rgb[0]) << 16 | fromLinear(rgb[1]) << 8 | fromLinear(rgb[2]);
}

double distance(const Lab& one, const Lab& other) {
    return std::hypot(one.l - other.l, one.a - other.a, one.b - other.b);
}

}  // namespace

double textContrast(const TextSample& text, const Picture& screen) {
    const auto band = bandUnder(text, screen);
    return band ? contrastOver(text.colour, *band) : 1.0;
}

std::optional<std::uint32_t> nearestReadableColour(const TextSample& text, const Picture& screen) {
    const auto band = bandUnder(text, screen);
    if (!band || contrastOver(text.colour, *band) >= kMinimumContrast) return text.colour;
    const Lab own = labOf(text.colour);
    std::optional<std::uint32_t> best;
    double bestDistance = 0;
    // Lighter and darker in small steps: the first that reads on each side is its nearest.
    constexpr int kSteps = 1000;
    for (const int direction : {1, -1}) {
        for (int step = 1; step <= kSteps; ++step) {
            const double l = own.l + direction * step / double(kSteps);
            if (l < 0 || l > 1) break;
            const std::uint32_t candidate = atLightness(own, l);
            if (contrastOver(candidate, *band) < kMinimumContrast) continue;
            const double d = distance(own, labOf(candidate));
            if (!best || d < bestDistance) best = candidate, bestDistance = d;
            break;
        }
    }
    return best;
}

}  // namespace vireo::skin
