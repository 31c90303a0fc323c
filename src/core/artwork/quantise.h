#pragma once

#include "core/artwork/picture.h"
#include "core/base/result.h"

#include <string>
#include <vector>

namespace vireo::artwork {

// A background's own 256-colour palette, made by libimagequant over the
// background and `alsoDrawn` (colours that must also be well served, such as
// those of the icons the player draws with this palette; only their opaque
// pixels count), then refined by a few rounds of Lloyd's algorithm over the
// same pixels. When the background and those colours are 256 or fewer, all
// are kept exactly.
Result<IndexedPicture> quantiseBackground(const RgbaImage& opaque, float dither,
                                          const std::string& path,
                                          const std::vector<RgbaImage>& alsoDrawn = {});

// An opaque picture mapped onto `palette` through libimagequant's fixed
// colours; carries `palette` as its own. Every pixel whose colour is already
// in `palette` keeps it exactly.
Result<IndexedPicture> mapOntoPalette(const RgbaImage& opaque, const Palette& palette, float dither,
                                      const std::string& path);

}  // namespace vireo::artwork
