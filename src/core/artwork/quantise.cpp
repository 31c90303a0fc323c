#include "core/artwork/quantise.h"

#include <libimagequant.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <unordered_map>

namespace vireo::artwork {

namespace {

// Rounds of Lloyd's refinement after the library's palette: four take the
// main screen past the library's own palette for the finished screen on
// photos; more gain under a tenth of a decibel for as much time again.
constexpr int kRefineRounds = 4;

struct AttrFree {
    void operator()(liq_attr* p) const { liq_attr_destroy(p); }
};
struct ImageFree {
    void operator()(liq_image* p) const { liq_image_destroy(p); }
};
struct ResultFree {
    void operator()(liq_result* p) const { liq_result_destroy(p); }
};

std::uint32_t key(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[2];
}

std::uint32_t colourKey(Colour c) {
    const std::uint8_t p[3] = {c.red, c.green, c.blue};
    return key(p);
}

// Runs libimagequant on an opaque picture; `fixed` colours, when given, are
// the only colours the result may use. Without `remap` only the palette is
// made, and the indices are left empty.
struct HistogramFree {
    void operator()(liq_histogram* p) const { liq_histogram_destroy(p); }
};

Result<std::pair<std::vector<Colour>, std::vector<std::uint8_t>>> quantise(
    const RgbaImage& opaque, int maxColours, const std::vector<Colour>& fixed, float dither,
    const std::string& path, const RgbaImage* extra = nullptr, bool remap = true) {
    std::unique_ptr<liq_attr, AttrFree> attr(liq_attr_create());
    if (!attr) return Error{Error::Kind::Invalid, path, "quantiser-start"};
    liq_set_max_colors(attr.get(), std::max(2, maxColours));
    liq_set_speed(attr.get(), 4);
    std::unique_ptr<liq_image, ImageFree> image(
        liq_image_create_rgba(attr.get(), opaque.pixels.data(), opaque.width, opaque.height, 0));
    if (!image) return Error{Error::Kind::Invalid, path, "quantiser-refused"};
    for (const Colour& c : fixed)
        liq_image_add_fixed_color(image.get(), liq_color{c.red, c.green, c.blue, 255});
    liq_result* raw = nullptr;
    if (extra && !extra->pixels.empty()) {
        // The palette serves the extra colours too; only the picture is remapped.
        std::unique_ptr<liq_histogram, HistogramFree> histogram(liq_histogram_create(attr.get()));
        std::unique_ptr<liq_image, ImageFree> more(liq_image_create_rgba(
            attr.get(), extra->pixels.data(), extra->width, extra->height, 0));
        if (!histogram || !more ||
            liq_histogram_add_image(histogram.get(), attr.get(), image.get()) != LIQ_OK ||
            liq_histogram_add_image(histogram.get(), attr.get(), more.get()) != LIQ_OK ||
            liq_histogram_quantize(histogram.get(), attr.get(), &raw) != LIQ_OK || !raw)
            return Error{Error::Kind::Invalid, path, "quantiser-palette"};
    } else if (liq_image_quantize(image.get(), attr.get(), &raw) != LIQ_OK || !raw) {
        return Error{Error::Kind::Invalid, path, "quantiser-palette"};
    }
    std::unique_ptr<liq_result, ResultFree> result(raw);
    liq_set_dithering_level(result.get(), std::clamp(dither, 0.0f, 1.0f));
    std::vector<std::uint8_t> indices(remap ? opaque.pixels.size() / 4 : 0);
    if (remap && liq_write_remapped_image(result.get(), image.get(), indices.data(),
                                          indices.size()) != LIQ_OK)
        return Error{Error::Kind::Invalid, path, "quantiser-map"};
    const liq_palette* palette = liq_get_palette(result.get());
    std::vector<Colour> colours;
    for (unsigned i = 0; i < palette->count; ++i)
        colours.push_back({palette->entries[i].r, palette->entries[i].g, palette->entries[i].b});
    return std::make_pair(std::move(colours), std::move(indices));
}

std::uint8_t nearestIndex(const Palette& palette, Colour c) {
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < 256; ++i) {
        const long dr = palette[static_cast<std::size_t>(i)].red - c.red;
        const long dg = palette[static_cast<std::size_t>(i)].green - c.green;
        const long db = palette[static_cast<std::size_t>(i)].blue - c.blue;
        const long d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best);
}

// Each colour to be served once, with how many pixels show it.
struct WeightedColour {
    Colour colour;
    std::uint32_t count;
};

std::vector<WeightedColour> colourCounts(const RgbaImage& first, const RgbaImage& second) {
    std::unordered_map<std::uint32_t, std::uint32_t> counts;
    counts.reserve((first.pixels.size() + second.pixels.size()) / 8);
    for (const RgbaImage* image : {&first, &second})
        for (std::size_t i = 0; i + 3 < image->pixels.size(); i += 4)
            ++counts[key(&image->pixels[i])];
    std::vector<WeightedColour> colours;
    colours.reserve(counts.size());
    for (const auto& [k, count] : counts)
        colours.push_back({{static_cast<std::uint8_t>(k >> 16), static_cast<std::uint8_t>(k >> 8),
                            static_cast<std::uint8_t>(k)},
                           count});
    // A fixed order, so that the sums below, and the palette, never depend on
    // how the map happened to store them.
    std::sort(colours.begin(), colours.end(), [](const WeightedColour& a, const WeightedColour& b) {
        return colourKey(a.colour) < colourKey(b.colour);
    });
    return colours;
}

// The entry nearest to `c` in plain RGB distance, the measure of the screen's
// error. `byRed` lists the entries' indices in order of red, so the search
// walks out from the nearest red and stops once red alone is farther.
std::size_t nearestEntry(const std::vector<Colour>& palette, const std::vector<std::size_t>& byRed,
                         Colour c) {
    const auto start =
        std::lower_bound(byRed.begin(), byRed.end(), c.red,
                         [&](std::size_t i, std::uint8_t red) { return palette[i].red < red; });
    std::size_t best = byRed.front();
    long bestDistance = -1;
    const auto consider = [&](std::size_t i) {
        const long dr = palette[i].red - c.red, dg = palette[i].green - c.green,
                   db = palette[i].blue - c.blue;
        if (bestDistance >= 0 && dr * dr >= bestDistance) return false;
        const long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) bestDistance = d, best = i;
        return true;
    };
    for (auto up = start; up != byRed.end() && consider(*up); ++up) {
    }
    for (auto down = start; down != byRed.begin() && consider(*(down - 1)); --down) {
    }
    return best;
}

// Lloyd's refinement of the library's palette: every entry moves to the mean
// of the colours nearest to it, which never raises the squared error over
// those colours and closes much of the gap to a palette made for the finished
// screen alone.
void refinePalette(std::vector<Colour>& palette, const std::vector<WeightedColour>& colours,
                   int rounds) {
    std::vector<std::size_t> byRed(palette.size());
    for (int round = 0; round < rounds && !palette.empty(); ++round) {
        for (std::size_t i = 0; i < byRed.size(); ++i) byRed[i] = i;
        std::sort(byRed.begin(), byRed.end(), [&](std::size_t a, std::size_t b) {
            return colourKey(palette[a]) < colourKey(palette[b]);
        });
        std::vector<std::array<std::uint64_t, 4>> sums(palette.size(), {0, 0, 0, 0});
        for (const WeightedColour& w : colours) {
            auto& sum = sums[nearestEntry(palette, byRed, w.colour)];
            sum[0] += std::uint64_t(w.colour.red) * w.count;
            sum[1] += std::uint64_t(w.colour.green) * w.count;
            sum[2] += std::uint64_t(w.colour.blue) * w.count;
            sum[3] += w.count;
        }
        for (std::size_t i = 0; i < palette.size(); ++i) {
            const std::uint64_t n = sums[i][3];
            if (n == 0) continue;  // serves nothing: left where the library put it
            const auto mean = [&](int c) {
                return static_cast<std::uint8_t>((sums[i][c] + n / 2) / n);
            };
            palette[i] = {mean(0), mean(1), mean(2)};
        }
    }
}

}  // namespace

Result<IndexedPicture> quantiseBackground(const RgbaImage& opaque, float dither,
                                          const std::string& path,
                                          const std::vector<RgbaImage>& alsoDrawn) {
    // The other pictures' opaque pixels as one strip, after the background's own.
    RgbaImage extra{0, 1, {}};
    for (const RgbaImage& image : alsoDrawn)
        for (std::size_t i = 0; i + 3 < image.pixels.size(); i += 4)
            if (image.pixels[i + 3] == 255)
                extra.pixels.insert(extra.pixels.end(),
                                    image.pixels.begin() + static_cast<std::ptrdiff_t>(i),
                                    image.pixels.begin() + static_cast<std::ptrdiff_t>(i + 4));
    extra.width = static_cast<int>(extra.pixels.size() / 4);

    IndexedPicture out{opaque.width, opaque.height, {}, {}};
    out.indices.resize(opaque.pixels.size() / 4);
    // Few colours: take them as they are; nothing to lose.
    std::unordered_map<std::uint32_t, std::uint8_t> seen;
    const auto indexFor = [&](const std::uint8_t* p) -> std::optional<std::uint8_t> {
        auto found = seen.find(key(p));
        if (found != seen.end()) return found->second;
        if (seen.size() == 256) return std::nullopt;
        const auto index = static_cast<std::uint8_t>(seen.size());
        out.palette[index] = {p[0], p[1], p[2]};
        seen.emplace(key(p), index);
        return index;
    };
    bool few = true;
    for (std::size_t i = 0; few && i < out.indices.size(); ++i) {
        const auto index = indexFor(&opaque.pixels[i * 4]);
        few = index.has_value();
        if (few) out.indices[i] = *index;
    }
    for (std::size_t i = 0; few && i < extra.pixels.size(); i += 4)
        few = indexFor(&extra.pixels[i]).has_value();
    if (few) return out;

    auto made = quantise(opaque, 256, {}, dither, path, &extra, false);
    if (!made) return made.error();
    std::vector<Colour>& colours = made.value().first;
    refinePalette(colours, colourCounts(opaque, extra), kRefineRounds);
    Palette refined{};
    std::copy_n(colours.begin(), std::min<std::size_t>(colours.size(), 256), refined.begin());
    // Unused entries repeat the first, so that none adds a colour.
    for (std::size_t i = colours.size(); i < 256; ++i) refined[i] = refined[0];
    return mapOntoPalette(opaque, refined, dither, path);
}

Result<IndexedPicture> mapOntoPalette(const RgbaImage& opaque, const Palette& palette, float dither,
                                      const std::string& path) {
    IndexedPicture out{opaque.width, opaque.height, palette, {}};
    out.indices.resize(opaque.pixels.size() / 4);
    // The first index of each colour: what a pixel already in the palette keeps.
    std::unordered_map<std::uint32_t, std::uint8_t> indexOf;
    std::vector<Colour> unique;
    for (int i = 255; i >= 0; --i) {
        const Colour& c = palette[static_cast<std::size_t>(i)];
        const std::uint8_t p[3] = {c.red, c.green, c.blue};
        indexOf[key(p)] = static_cast<std::uint8_t>(i);
    }
    bool allKnown = true;
    for (std::size_t i = 0; i < out.indices.size(); ++i) {
        const auto found = indexOf.find(key(&opaque.pixels[i * 4]));
        if (found == indexOf.end()) {
            allKnown = false;
            break;
        }
        out.indices[i] = found->second;
    }
    if (allKnown) return out;

    for (const auto& [k, index] : indexOf) unique.push_back(palette[index]);
    if (unique.size() < 2) {
        std::fill(out.indices.begin(), out.indices.end(), indexOf.begin()->second);
        return out;
    }
    auto made = quantise(opaque, static_cast<int>(unique.size()), unique, dither, path);
    if (!made) return made.error();
    const auto& [colours, indices] = made.value();
    // The library orders its palette as it likes: look each colour up in ours.
    std::vector<std::uint8_t> toPalette(colours.size());
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const std::uint8_t p[3] = {colours[i].red, colours[i].green, colours[i].blue};
        const auto found = indexOf.find(key(p));
        toPalette[i] = found != indexOf.end() ? found->second : nearestIndex(palette, colours[i]);
    }
    for (std::size_t i = 0; i < indices.size(); ++i)
        out.indices[i] =
            indices[i] < toPalette.size()
                ? toPalette[indices[i]]
                : nearestIndex(palette, {opaque.pixels[i * 4], opaque.pixels[i * 4 + 1],
                                         opaque.pixels[i * 4 + 2]});
    return out;
}

}  // namespace vireo::artwork
