#include "artwork/qt/qt_picture_decoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <cstring>
#include <limits>

namespace vireo::artwork {

// Alone in its file: the command line's module links this and nothing else of
// the artwork libraries.
Result<RgbaImage> decodePictureBytes(const unsigned char* bytes, std::size_t size, const std::string& path) {
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return Error{Error::Kind::Invalid, path, "图片文件过大"};
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes), static_cast<int>(size));
    QBuffer buffer;
    buffer.setData(data);
    if (!buffer.open(QIODevice::ReadOnly)) return Error{Error::Kind::Read, path, {}};
    QImageReader reader(&buffer);
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
