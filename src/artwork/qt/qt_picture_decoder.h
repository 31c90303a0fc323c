#pragma once

#include "artwork/import.h"

namespace vireo::artwork {

// Any picture Qt's image readers know (PNG, JPEG, BMP, GIF, ...), with its
// EXIF orientation applied.
class QtPictureDecoder : public PictureDecoder {
public:
    Result<RgbaImage> decode(const std::string& path) override;
};

}  // namespace vireo::artwork
