#pragma once

#include "core/artwork/picture.h"
#include "core/base/result.h"

#include <string>

namespace vireo::artwork {

// How a picture of another size is brought to the role's size. Refuse keeps
// the author's pixels or says why not.
enum class Fit { Refuse, Cover, Contain, Stretch };

// The part of a picture a covering fit shows, in whole percent so that a
// frame kept in a file reads back equal: the part's centre across and down
// the picture (50, 50: the middle), and how near it comes (100: the largest
// part that covers; 200: half as wide and high). A centre too near an edge
// for the part is moved in until the part lies inside the picture.
struct Frame {
    int x = 50;
    int y = 50;
    int zoom = 100;
    bool operator==(const Frame& other) const {
        return x == other.x && y == other.y && zoom == other.zoom;
    }
    bool operator!=(const Frame& other) const { return !(*this == other); }
};
constexpr int kMaxFrameZoom = 800;
// x and y 0 to 100, zoom 100 to kMaxFrameZoom.
bool validFrame(const Frame& frame);

// `picture` at `width` × `height` by `fit`; Contain leaves the padding
// transparent, Cover shows the part `frame` names (Contain and Stretch show
// the whole picture). Refuses another size under Fit::Refuse, naming both sizes.
Result<RgbaImage> fitPicture(const RgbaImage& picture, int width, int height, Fit fit,
                             const std::string& path, const Frame& frame = {});

// Alpha composited over `backdrop` (same size) where given, else over `matte`.
RgbaImage compositeOver(const RgbaImage& picture, const RgbaImage* backdrop, Colour matte);

}  // namespace vireo::artwork
