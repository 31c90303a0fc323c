#include "artwork/qt/qt_picture_decoder.h"

#include "artwork/file_bytes.h"

namespace vireo::artwork {

Result<RgbaImage> QtPictureDecoder::decode(const std::string& path) {
    auto file = readFileStart(path, kReadLimit);
    if (!file) return file.error();
    if (file.value().length != file.value().bytes.size())
        return Error{Error::Kind::Invalid, path, "图片文件过大"};
    return decodePictureBytes(file.value().bytes.data(), file.value().bytes.size(), path);
}

}  // namespace vireo::artwork
