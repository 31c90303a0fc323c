#include "artwork/qt/qt_picture_decoder.h"

#include <QImage>
#include <QImageReader>
#include <QString>

#include <cstring>

namespace vireo::artwork {

Result<RgbaImage> QtPictureDecoder::decode(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        return Error{Error::Kind::Invalid, path, "无法解码图片：" + reader.errorString().toStdString()};
    image = image.convertToFormat(QImage::Format_RGBA8888);
    RgbaImage out{image.width(), image.height(), {}};
    const std::size_t stride = static_cast<std::size_t>(out.width) * 4;
    out.pixels.resize(stride * static_cast<std::size_t>(out.height));
    for (int row = 0; row < out.height; ++row)
        std::memcpy(out.pixels.data() + stride * static_cast<std::size_t>(row), image.constScanLine(row), stride);
    return out;
}

}  // namespace vireo::artwork
