#include "core/artwork/quantise.h"

#include <libimagequant.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <unordered_map>

namespace vireo::artwork {

namespace {

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

// Runs libimagequant on an opaque picture; `fixed` colours, when given, are
// the only colours the result may use.
struct HistogramFree {
    void operator()(liq_histogram* p) const { liq_histogram_destroy(p); }
};

Result<std::pair<std::vector<Colour>, std::vector<std::uint8_t>>> quantise(
    const RgbaImage& opaque, int maxColours, const std::vector<Colour>& fixed, float dither,
    const std::string& path, const RgbaImage* extra = nullptr) {
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
    std::vector<std::uint8_t> indices(opaque.pixels.size() / 4);
    if (liq_write_remapped_image(result.get(), image.get(), indices.data(), indices.size()) !=
        LIQ_OK)
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

    auto made = quantise(opaque, 256, {}, dither, path, &extra);
    if (!made) return made.error();
    auto& [colours, indices] = made.value();
    out.palette = Palette{};
    std::copy_n(colours.begin(), std::min<std::size_t>(colours.size(), 256), out.palette.begin());
    out.indices = std::move(indices);
    return out;
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
