#pragma once

#include "artwork/picture.h"
#include "base/result.h"

#include <string>

namespace vireo::artwork {

// How a picture of another size is brought to the role's size. Refuse keeps
// the author's pixels or says why not.
enum class Fit { Refuse, Cover, Contain, Stretch };

// `picture` at `width` × `height` by `fit`; Contain leaves the padding
// transparent. Refuses another size under Fit::Refuse, naming both sizes.
Result<RgbaImage> fitPicture(const RgbaImage& picture, int width, int height, Fit fit,
                             const std::string& path);

// Alpha composited over `backdrop` (same size) where given, else over `matte`.
RgbaImage compositeOver(const RgbaImage& picture, const RgbaImage* backdrop, Colour matte);

}  // namespace vireo::artwork
