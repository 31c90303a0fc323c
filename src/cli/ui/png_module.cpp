#include "cli/png_writer.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>

extern "C" Q_DECL_EXPORT bool vireo_encode_png(const std::uint32_t* pixels, int width, int height,
                                               VireoPngSink sink, void* context) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        std::copy_n(pixels + static_cast<std::size_t>(y) * width, width,
                    reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
    }
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return false;
    sink(context, reinterpret_cast<const unsigned char*>(png.constData()), std::size_t(png.size()));
    return true;
}
