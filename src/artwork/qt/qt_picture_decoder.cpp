#include "artwork/qt/qt_picture_decoder.h"

#include "artwork/qt/qt_picture_formats.h"
#include "base/binary_file.h"

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
