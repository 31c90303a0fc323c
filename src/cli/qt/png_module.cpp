#include "artwork/qt/qt_picture_decoder.h"
#include "cli/picture_module.h"
#include "cli/png_writer.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>
#include <exception>

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

// The same decoder as the windows use; nothing may leave a C function as an exception.
extern "C" Q_DECL_EXPORT void vireo_decode_picture(const unsigned char* bytes, std::size_t size,
                                                   VireoPictureSink sink, void* context) {
    try {
        const auto decoded = vireo::artwork::decodePictureBytes(bytes, size, {});
        if (decoded)
            sink(context, decoded.value().width, decoded.value().height, decoded.value().pixels.data(), nullptr);
        else
            sink(context, 0, 0, nullptr, decoded.error().detail.c_str());
    } catch (const std::exception& error) {
        sink(context, 0, 0, nullptr, error.what());
    }
}
