#include "artwork/qt/qt_picture_decoder.h"
#include "artwork/qt/sample_painter.h"
#include "cli/picture_module.h"
#include "cli/png_writer.h"
#include "cli/sheet_png.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <exception>

namespace {

QImage imageOf(const std::uint32_t* pixels, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        std::copy_n(pixels + static_cast<std::size_t>(y) * width, width,
                    reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
    }
    return image;
}

bool encode(const QImage& image, VireoPngSink sink, void* context) {
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return false;
    sink(context, reinterpret_cast<const unsigned char*>(png.constData()), std::size_t(png.size()));
    return true;
}

// Text needs the font database, which only an application object opens; the
// command line has no display, so it gets the one platform that needs none.
void openFonts() {
    if (QGuiApplication::instance()) return;
    // Qt's notes about its own set-up (no runtime folder, say) are no output of the command.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fputs(qPrintable(message + '\n'), stderr);
    });
    static int argc = 3;
    static char name[] = "vireo-skin";
    static char option[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, option, platform, nullptr};
    static QGuiApplication application(argc, argv);
}

}  // namespace

extern "C" Q_DECL_EXPORT bool vireo_encode_png(const std::uint32_t* pixels, int width, int height,
                                               VireoPngSink sink, void* context) {
    return encode(imageOf(pixels, width, height), sink, context);
}

extern "C" Q_DECL_EXPORT bool vireo_encode_sheet_png(const std::uint32_t* pixels, int width,
                                                     int height, const VireoSheetText* texts,
                                                     std::size_t textCount, VireoPngSink sink,
                                                     void* context) {
    try {
        openFonts();
        QImage image = imageOf(pixels, width, height);
        std::vector<vireo::skin::TextSample> samples;
        for (std::size_t i = 0; i < textCount; ++i)
            samples.push_back({static_cast<vireo::skin::TextRole>(texts[i].role), texts[i].colour,
                               texts[i].x, texts[i].y});
        vireo::artwork::paintSheetTexts(image, samples);
        return encode(image, sink, context);
    } catch (const std::exception&) {
        return false;
    }
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
