#include "core/artwork/fit.h"

#include <algorithm>
#include <cmath>

namespace vireo::artwork {

namespace {

std::string sizeText(int width, int height) {
    return std::to_string(width) + "×" + std::to_string(height);
}

// Source pixels and their share in one destination pixel along one axis.
struct SourceShare {
    int index;
    double weight;
};

// Box filter: each destination cell averages the source span it covers, which
// suits shrinking photographs and keeps flat colours flat when enlarging.
std::vector<std::vector<SourceShare>> boxFilterShares(double start, double span, int count,
                                                      int limit) {
    std::vector<std::vector<SourceShare>> all(static_cast<std::size_t>(count));
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
        for (SourceShare& share : all[static_cast<std::size_t>(i)]) share.weight /= total;
    }
    return all;
}

// Resamples the source rectangle into `width` × `height`, in premultiplied
// alpha so that transparent pixels lend no colour to their neighbours.
RgbaImage resample(const RgbaImage& src, double x, double y, double w, double h, int width,
                   int height) {
    const auto across = boxFilterShares(x, w, width, src.width);
    const auto down = boxFilterShares(y, h, height, src.height);
    RgbaImage out{width, height,
                  std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4)};
    for (int ty = 0; ty < height; ++ty) {
        for (int tx = 0; tx < width; ++tx) {
            double sum[4] = {0, 0, 0, 0};
            for (const SourceShare& row : down[static_cast<std::size_t>(ty)]) {
                for (const SourceShare& col : across[static_cast<std::size_t>(tx)]) {
                    const std::uint8_t* p =
                        &src.pixels[(static_cast<std::size_t>(row.index) * src.width + col.index) *
                                    4];
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
                q[c] = sum[3] > 0 ? static_cast<std::uint8_t>(
                                        std::lround(std::clamp(sum[c] / sum[3], 0.0, 255.0)))
                                  : 0;
            q[3] = static_cast<std::uint8_t>(std::lround(std::clamp(sum[3], 0.0, 255.0)));
        }
    }
    return out;
}

}  // namespace

bool validFrame(const Frame& frame) {
    return frame.x >= 0 && frame.x <= 100 && frame.y >= 0 && frame.y <= 100 && frame.zoom >= 100 &&
           frame.zoom <= kMaxFrameZoom;
}

Result<RgbaImage> fitPicture(const RgbaImage& picture, int width, int height, Fit fit,
                             const std::string& path, const Frame& frame) {
    // A picture decoded already scaled down still has its file's size.
    const int fileWidth = picture.fileWidth > 0 ? picture.fileWidth : picture.width;
    const int fileHeight = picture.fileHeight > 0 ? picture.fileHeight : picture.height;
    const bool sameSize = fileWidth == width && fileHeight == height;
    if (sameSize && picture.width == width && picture.height == height) return picture;
    if (picture.width <= 0 || picture.height <= 0)
        return Error{Error::Kind::Invalid, path, "empty-picture"};
    if (fit == Fit::Refuse && !sameSize)
        return Error{
            Error::Kind::Invalid, path,
            "needs-fit: " + sizeText(fileWidth, fileHeight) + " " + sizeText(width, height)};
    if (fit == Fit::Stretch)
        return resample(picture, 0, 0, picture.width, picture.height, width, height);
    const double sx = static_cast<double>(width) / picture.width;
    const double sy = static_cast<double>(height) / picture.height;
    if (fit == Fit::Cover) {
        const double scale = std::max(sx, sy) * frame.zoom / 100.0;
        const double w = width / scale;
        const double h = height / scale;
        const double left =
            std::clamp(picture.width * frame.x / 100.0 - w / 2, 0.0, picture.width - w);
        const double top =
            std::clamp(picture.height * frame.y / 100.0 - h / 2, 0.0, picture.height - h);
        return resample(picture, left, top, w, h, width, height);
    }
    const double scale = std::min(sx, sy);
    const int w = std::clamp(static_cast<int>(std::lround(picture.width * scale)), 1, width);
    const int h = std::clamp(static_cast<int>(std::lround(picture.height * scale)), 1, height);
    const RgbaImage inner = resample(picture, 0, 0, picture.width, picture.height, w, h);
    RgbaImage out{width, height,
                  std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4, 0)};
    const int left = (width - w) / 2;
    const int top = (height - h) / 2;
    for (int row = 0; row < h; ++row)
        std::copy_n(
            inner.pixels.begin() + static_cast<std::ptrdiff_t>(row) * w * 4, w * 4,
            out.pixels.begin() + (static_cast<std::ptrdiff_t>(top + row) * width + left) * 4);
    return out;
}

RgbaImage compositeOver(const RgbaImage& picture, const RgbaImage* backdrop, Colour matte) {
    RgbaImage out = picture;
    const bool useBackdrop =
        backdrop && backdrop->width == picture.width && backdrop->height == picture.height;
    for (std::size_t i = 0; i + 3 < out.pixels.size(); i += 4) {
        const unsigned alpha = out.pixels[i + 3];
        const std::uint8_t under[3] = {
            useBackdrop ? backdrop->pixels[i] : matte.red,
            useBackdrop ? backdrop->pixels[i + 1] : matte.green,
            useBackdrop ? backdrop->pixels[i + 2] : matte.blue,
        };
        for (int c = 0; c < 3; ++c)
            out.pixels[i + static_cast<std::size_t>(c)] =
                static_cast<std::uint8_t>((out.pixels[i + static_cast<std::size_t>(c)] * alpha +
                                           under[c] * (255 - alpha) + 127) /
                                          255);
        out.pixels[i + 3] = 255;
    }
    return out;
}

}  // namespace vireo::artwork
