#pragma once

// How the artwork core takes a picture file in: BMPs through the strict
// reader, everything else through a decoder the caller passes. Below both
// the import and the derive road, which both load pictures.

#include "core/artwork/picture.h"
#include "core/base/result.h"
#include "core/images/bmp.h"

#include <optional>
#include <string>

namespace vireo::artwork {

// Turns a picture file into pixels. The core never decodes PNG or JPEG itself:
// the command line and the windows pass a Qt-backed decoder (gui/artwork/).
class PictureDecoder {
public:
    virtual ~PictureDecoder() = default;
    // The picture as an image viewer shows it (orientation applied), top row first.
    virtual Result<RgbaImage> decode(const std::string& path) = 0;
};

// A picture file as pixels, top row first. BMPs of up to 8 bits are read by
// the strict reader, so their colours are exact. With `keepRows` a BMP's stored
// row order is kept (first stored row first), for a file already prepared for
// the player.
Result<RgbaImage> loadPicture(const std::string& path, PictureDecoder& decoder, bool keepRows);

// The picture of a BMP the strict reader reads without loss (up to 8 bits),
// rows as `keepRows` asks; nullopt for any other file.
std::optional<IndexedPicture> exactBmp(const std::string& path, bool keepRows);

// The strict reader's scan of a file that starts as a BMP does; nullopt for
// any other file (or one that cannot be read).
std::optional<images::BmpScan> bmpScanOf(const std::string& path);

}  // namespace vireo::artwork
