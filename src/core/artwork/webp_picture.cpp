#include "core/artwork/webp_picture.h"

#include "core/artwork/picture_limits.h"

#include <webp/decode.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vireo::artwork {

namespace {

bool isWebp(const unsigned char* bytes, std::size_t size) {
    return size >= 12 && std::memcmp(bytes, "RIFF", 4) == 0 &&
           std::memcmp(bytes + 8, "WEBP", 4) == 0;
}

Error damaged(const std::string& path) {
    return Error{Error::Kind::Invalid, path, "图片不完整或已损坏"};
}

}  // namespace

std::optional<Result<RgbaImage>> decodeWebpPicture(const unsigned char* bytes, std::size_t size,
                                                   const std::string& path) {
    if (!isWebp(bytes, size)) return std::nullopt;
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config)) return std::nullopt;
    if (WebPGetFeatures(bytes, size, &config.input) != VP8_STATUS_OK)
        return Result<RgbaImage>(damaged(path));
    if (config.input.has_animation) return std::nullopt;
    const int width = config.input.width, height = config.input.height;
    if (width <= 0 || height <= 0) return Result<RgbaImage>(damaged(path));
    // Within kDecodePixels, its shape kept.
    const double pixels = static_cast<double>(width) * height;
    const double scale =
        pixels <= static_cast<double>(kDecodePixels) ? 1.0 : std::sqrt(kDecodePixels / pixels);
    RgbaImage out{std::max(1, static_cast<int>(width * scale)),
                  std::max(1, static_cast<int>(height * scale)),
                  {}};
    if (out.width != width || out.height != height) {
        config.options.use_scaling = 1;
        config.options.scaled_width = out.width;
        config.options.scaled_height = out.height;
        out.fileWidth = width;
        out.fileHeight = height;
    }
    const std::size_t stride = static_cast<std::size_t>(out.width) * 4;
    out.pixels.resize(stride * static_cast<std::size_t>(out.height));
    config.output.colorspace = MODE_RGBA;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = out.pixels.data();
    config.output.u.RGBA.stride = static_cast<int>(stride);
    config.output.u.RGBA.size = out.pixels.size();
    const VP8StatusCode status = WebPDecode(bytes, size, &config);
    WebPFreeDecBuffer(&config.output);
    if (status == VP8_STATUS_OUT_OF_MEMORY) {
        Error error{Error::Kind::Invalid, path,
                    memorySentence(width, height, kDecodeAllocationMiB)};
        error.cause = Error::Cause::TooLarge;
        return Result<RgbaImage>(error);
    }
    if (status != VP8_STATUS_OK) return Result<RgbaImage>(damaged(path));
    return Result<RgbaImage>(std::move(out));
}

}  // namespace vireo::artwork
