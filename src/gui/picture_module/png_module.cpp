#include "core/cli/picture_module.h"
#include "core/cli/png_writer.h"
#include "core/cli/sheet_png.h"
#include "gui/artwork/qt_picture_decoder.h"
#include "gui/artwork/sample_painter.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <exception>

namespace {

// libpng prints its own English errors ("libpng error: Read Error") straight
// to stderr; the command line says in Chinese what went wrong instead.
class QuietStderr {
public:
    QuietStderr() {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        const int sink = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && sink >= 0) dup2(sink, STDERR_FILENO);
        if (sink >= 0) close(sink);
    }
    ~QuietStderr() {
        std::fflush(stderr);
        if (saved_ < 0) return;
        dup2(saved_, STDERR_FILENO);
        close(saved_);
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int saved_ = -1;
};

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
    QImageWriter writer(&buffer, "PNG");
    // One of zlib's fastest levels: a sheet of dithered screens deflates a few
    // per cent worse for it, in a tenth of the default level's time.
    writer.setQuality(80);
    if (!buffer.open(QIODevice::WriteOnly) || !writer.write(image)) return false;
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
        const auto decoded = [&] {
            const QuietStderr quiet;
            return vireo::artwork::decodePictureBytes(bytes, size, {});
        }();
        if (!decoded) return sink(context, nullptr, decoded.error().detail.c_str());
        const vireo::artwork::RgbaImage& image = decoded.value();
        const VireoDecodedPicture picture{image.width, image.height, image.fileWidth,
                                          image.fileHeight, image.pixels.data()};
        sink(context, &picture, nullptr);
    } catch (const std::exception&) {
        sink(context, nullptr, "无法解码图片（内存不足）");
    }
}

extern "C" Q_DECL_EXPORT void vireo_picture_formats(VireoFormatSink sink, void* context) {
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        sink(context, format.toLower().constData());
}
