#pragma once

#include "core/artwork/picture.h"
#include "core/base/result.h"

#include <cstddef>
#include <optional>
#include <string>

namespace vireo::artwork {

// A still WebP decoded through libwebp, which scales while it decodes: a
// 4096×4096 wallpaper arrives within kDecodePixels and never needs its full
// size in memory. nullopt when the bytes are no WebP or an animation (Qt's
// reader shows its first frame).
std::optional<Result<RgbaImage>> decodeWebpPicture(const unsigned char* bytes, std::size_t size,
                                                   const std::string& path);

}  // namespace vireo::artwork
