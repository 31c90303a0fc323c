#include "artwork/convert.h"


#include <libimagequant.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <unordered_map>

namespace vireo::artwork {

namespace {

std::string sizeText(int width, int height) {
    return std::to_string(width) + "×" + std::to_string(height);
}

// Source pixels and their share in one destination pixel along one axis.
struct Tap {
    int index;
    double weight;
};

// Box filter: each destination cell averages the source span it covers, which
// suits shrinking photographs and keeps flat colours flat when enlarging.
std::vector<std::vector<Tap>> taps(double start, double span, int count, int limit) {
    std::vector<std::vector<Tap>> all(static_cast<std::size_t>(count));
    const double step = span / count;
    for (int i = 0; i < count; ++i) {
        const double from = start + i * step;
        const double to = from + step;
        double total = 0;
        for (int s = std::max(0, static_cast<int>(std::floor(from)));
             s < std::min(limit, static_cast<int>(std::ceil(to))); ++s) {
            const double w = std::min<double>(to, s + 1) - std::max<double>(from, s);
            if (w <= 0) continue;
            all[static_cast<std::size_t>(i)].push_back({s, w});
            total += w;
        }
        for (Tap& tap : all[static_cast<std::size_t>(i)]) tap.weight /= total;
    }
    return all;
}

// Resamples the source rectangle into `width` × `height`, in premultiplied
// alpha so that transparent pixels lend no colour to their neighbours.
RgbaImage resample(const RgbaImage& src, double x, double y, double w, double h, int width,
                   int height) {
    const auto across = taps(x, w, width, src.width);
    const auto down = taps(y, h, height, src.height);
    RgbaImage out{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4)};
    for (int ty = 0; ty < height; ++ty) {
        for (int tx = 0; tx < width; ++tx) {
            double sum[4] = {0, 0, 0, 0};
            for (const Tap& row : down[static_cast<std::size_t>(ty)]) {
                for (const Tap& col : across[static_cast<std::size_t>(tx)]) {
                    const std::uint8_t* p =
                        &src.pixels[(static_cast<std::size_t>(row.index) * src.width + col.index) * 4];
                    const double weight = row.weight * col.weight;
                    const double alpha = p[3] * weight;
                    sum[0] += p[0] * alpha;
                    sum[1] += p[1] * alpha;
                    sum[2] += p[2] * alpha;
                    sum[3] += alpha;
                }
            }
            std::uint8_t* q = &out.pixels[(static_cast<std::size_t>(ty) * width + tx) * 4];
            for (int c = 0; c < 3; ++c)
                q[c] = sum[3] > 0 ? static_cast<std::uint8_t>(std::lround(std::clamp(sum[c] / sum[3], 0.0, 255.0))) : 0;
            q[3] = static_cast<std::uint8_t>(std::lround(std::clamp(sum[3], 0.0, 255.0)));
        }
    }
    return out;
}

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
    if (!attr) return Error{Error::Kind::Invalid, path, "libimagequant 无法启动"};
    liq_set_max_colors(attr.get(), std::max(2, maxColours));
    liq_set_speed(attr.get(), 4);
    std::unique_ptr<liq_image, ImageFree> image(
        liq_image_create_rgba(attr.get(), opaque.pixels.data(), opaque.width, opaque.height, 0));
    if (!image) return Error{Error::Kind::Invalid, path, "libimagequant 不接受此图片"};
    for (const Colour& c : fixed) liq_image_add_fixed_color(image.get(), liq_color{c.red, c.green, c.blue, 255});
    liq_result* raw = nullptr;
    if (extra && !extra->pixels.empty()) {
        // The palette serves the extra colours too; only the picture is remapped.
        std::unique_ptr<liq_histogram, HistogramFree> histogram(liq_histogram_create(attr.get()));
        std::unique_ptr<liq_image, ImageFree> more(
            liq_image_create_rgba(attr.get(), extra->pixels.data(), extra->width, extra->height, 0));
        if (!histogram || !more || liq_histogram_add_image(histogram.get(), attr.get(), image.get()) != LIQ_OK ||
            liq_histogram_add_image(histogram.get(), attr.get(), more.get()) != LIQ_OK ||
            liq_histogram_quantize(histogram.get(), attr.get(), &raw) != LIQ_OK || !raw)
            return Error{Error::Kind::Invalid, path, "libimagequant 无法生成调色板"};
    } else if (liq_image_quantize(image.get(), attr.get(), &raw) != LIQ_OK || !raw) {
        return Error{Error::Kind::Invalid, path, "libimagequant 无法生成调色板"};
    }
    std::unique_ptr<liq_result, ResultFree> result(raw);
    liq_set_dithering_level(result.get(), std::clamp(dither, 0.0f, 1.0f));
    std::vector<std::uint8_t> indices(opaque.pixels.size() / 4);
    if (liq_write_remapped_image(result.get(), image.get(), indices.data(), indices.size()) != LIQ_OK)
        return Error{Error::Kind::Invalid, path, "libimagequant 无法映射像素"};
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

std::optional<images::Source> sourceNamed(const std::string& fileName) {
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        if (fileName == images::kSourceSet[i].fileName) return static_cast<images::Source>(i);
    return std::nullopt;
}

bool isBackground(images::Source role) {
    return images::sourceImage(role).width == 240;
}

Result<RgbaImage> fitPicture(const RgbaImage& picture, int width, int height, Fit fit,
                             const std::string& path) {
    if (picture.width == width && picture.height == height) return picture;
    if (picture.width <= 0 || picture.height <= 0)
        return Error{Error::Kind::Invalid, path, "图片为空"};
    if (fit == Fit::Refuse)
        return Error{Error::Kind::Invalid, path,
                     "图片尺寸为 " + sizeText(picture.width, picture.height) + "，应为 " +
                         sizeText(width, height) + "（可用 --fit cover|contain|stretch 缩放）"};
    if (fit == Fit::Stretch) return resample(picture, 0, 0, picture.width, picture.height, width, height);
    const double sx = static_cast<double>(width) / picture.width;
    const double sy = static_cast<double>(height) / picture.height;
    if (fit == Fit::Cover) {
        const double scale = std::max(sx, sy);
        const double w = width / scale;
        const double h = height / scale;
        return resample(picture, (picture.width - w) / 2, (picture.height - h) / 2, w, h, width, height);
    }
    const double scale = std::min(sx, sy);
    const int w = std::clamp(static_cast<int>(std::lround(picture.width * scale)), 1, width);
    const int h = std::clamp(static_cast<int>(std::lround(picture.height * scale)), 1, height);
    const RgbaImage inner = resample(picture, 0, 0, picture.width, picture.height, w, h);
    RgbaImage out{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4, 0)};
    const int left = (width - w) / 2;
    const int top = (height - h) / 2;
    for (int row = 0; row < h; ++row)
        std::copy_n(inner.pixels.begin() + static_cast<std::ptrdiff_t>(row) * w * 4, w * 4,
                    out.pixels.begin() + (static_cast<std::ptrdiff_t>(top + row) * width + left) * 4);
    return out;
}

RgbaImage compositeOver(const RgbaImage& picture, const RgbaImage* backdrop, Colour matte) {
    RgbaImage out = picture;
    const bool useBackdrop = backdrop && backdrop->width == picture.width &&
                             backdrop->height == picture.height;
    for (std::size_t i = 0; i + 3 < out.pixels.size(); i += 4) {
        const unsigned alpha = out.pixels[i + 3];
        const std::uint8_t under[3] = {
            useBackdrop ? backdrop->pixels[i] : matte.red,
            useBackdrop ? backdrop->pixels[i + 1] : matte.green,
            useBackdrop ? backdrop->pixels[i + 2] : matte.blue,
        };
        for (int c = 0; c < 3; ++c)
            out.pixels[i + static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(
                (out.pixels[i + static_cast<std::size_t>(c)] * alpha + under[c] * (255 - alpha) + 127) / 255);
        out.pixels[i + 3] = 255;
    }
    return out;
}

Result<IndexedPicture> quantiseBackground(const RgbaImage& opaque, float dither,
                                          const std::string& path,
                                          const std::vector<RgbaImage>& alsoDrawn) {
    // The other pictures' opaque pixels as one strip, after the background's own.
    RgbaImage extra{0, 1, {}};
    for (const RgbaImage& image : alsoDrawn)
        for (std::size_t i = 0; i + 3 < image.pixels.size(); i += 4)
            if (image.pixels[i + 3] == 255)
                extra.pixels.insert(extra.pixels.end(), image.pixels.begin() + static_cast<std::ptrdiff_t>(i),
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
    for (std::size_t i = 0; few && i < extra.pixels.size(); i += 4) few = indexFor(&extra.pixels[i]).has_value();
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
        out.indices[i] = indices[i] < toPalette.size() ? toPalette[indices[i]]
                                                       : nearestIndex(palette, {opaque.pixels[i * 4], opaque.pixels[i * 4 + 1], opaque.pixels[i * 4 + 2]});
    return out;
}

settings::Record defaultRecord() {
    settings::Record record{};
    for (const auto& field : settings::kColourFields) record[field.offset] = field.defaultValue;
    for (const auto& field : settings::kPositionFields) record[field.offset] = field.defaultValue;
    return record;
}

std::optional<RgbaImage> backdropUnderIcon(images::Source icon, const IndexedPicture& mainBackground,
                                           const settings::Record& record, Colour matte) {
    std::size_t xOffset = 0;
    switch (icon) {
    case images::Source::MovieIcon: xOffset = 16; break;
    case images::Source::MusicIcon: xOffset = 18; break;
    case images::Source::PictureIcon: xOffset = 20; break;
    case images::Source::GameIcon: xOffset = 22; break;
    case images::Source::EbookIcon: xOffset = 24; break;
    case images::Source::OptionsIcon: xOffset = 26; break;
    default: return std::nullopt;
    }
    const int left = record[xOffset];
    const int top = record[xOffset + 1];
    const int size = images::sourceImage(icon).width;
    RgbaImage out{size, size, {}};
    out.pixels.reserve(static_cast<std::size_t>(size) * size * 4);
    for (int row = 0; row < size; ++row) {
        for (int col = 0; col < size; ++col) {
            const int x = left + col;
            const int y = top + row;
            Colour c = matte;
            if (x < mainBackground.width && y < mainBackground.height)
                c = mainBackground.palette[mainBackground.indices[static_cast<std::size_t>(y) * mainBackground.width + x]];
            out.pixels.insert(out.pixels.end(), {c.red, c.green, c.blue, 255});
        }
    }
    return out;
}

Result<IndexedPicture> convertPicture(const RgbaImage& picture, images::Source role,
                                      const ConvertOptions& options, const IconContext& icon,
                                      const std::string& path, const std::vector<RgbaImage>& alsoDrawn) {
    const images::SourceImage& source = images::sourceImage(role);
    auto fitted = fitPicture(picture, source.width, source.height, options.fit, path);
    if (!fitted) return fitted.error();
    const RgbaImage* backdrop = icon.backdrop ? &*icon.backdrop : nullptr;
    const RgbaImage opaque = compositeOver(fitted.value(), isBackground(role) ? nullptr : backdrop,
                                           options.matte);
    if (isBackground(role)) return quantiseBackground(opaque, options.dither, path, alsoDrawn);
    return mapOntoPalette(opaque, icon.drawPalette, options.dither, path);
}

}  // namespace vireo::artwork
