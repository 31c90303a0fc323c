#include "gui/artwork/qt_picture_decoder.h"

#include "core/base/binary_file.h"
#include "gui/artwork/qt_picture_formats.h"

namespace vireo::artwork {

QtPictureDecoder::QtPictureDecoder() {
    registerQtPictureFormats();
}

Result<RgbaImage> QtPictureDecoder::decode(const std::string& path) {
    const auto file = readWholeFile(path, images::kPictureReadLimit);
    if (!file) return file.error();
    return decodePictureBytes(file.value().data(), file.value().size(), path);
}

}  // namespace vireo::artwork
