#pragma once

#include "core/artwork/import.h"

#include <cstddef>

namespace vireo::artwork {

// A picture file's bytes as Qt's image readers decode them (PNG, JPEG, BMP,
// GIF, ...), EXIF orientation applied; `path` names the file in the error.
// Taking bytes rather than a name keeps the name the bytes it was given, and
// lets the command line call it from its dynamically loaded module.
Result<RgbaImage> decodePictureBytes(const unsigned char* bytes, std::size_t size,
                                     const std::string& path);

// Reads the file whole (a regular file only, never a FIFO or device) and
// decodes it with decodePictureBytes.
class QtPictureDecoder : public PictureDecoder {
public:
    // Registers the formats this Qt reads, so that import offers only those.
    QtPictureDecoder();
    Result<RgbaImage> decode(const std::string& path) override;
};

}  // namespace vireo::artwork
