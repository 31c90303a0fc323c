// A WebP's bytes as libwebp decodes them for a picture: a decoded picture is
// never larger than the decode limit, holds exactly its pixels, and a scaled
// one keeps its file's size.
#include "core/artwork/picture_limits.h"
#include "core/artwork/webp_picture.h"

#include <cstdint>
#include <cstdlib>

using namespace vireo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto decoded = artwork::decodeWebpPicture(data, size, "x.webp");
    if (!decoded || !*decoded) return 0;
    const auto& picture = decoded->value();
    if (picture.width <= 0 || picture.height <= 0) std::abort();
    if (std::int64_t(picture.width) * picture.height > artwork::kDecodePixels) std::abort();
    if (picture.pixels.size() != std::size_t(picture.width) * std::size_t(picture.height) * 4)
        std::abort();
    if ((picture.fileWidth == 0) != (picture.fileHeight == 0)) std::abort();
    return 0;
}
