#include "cli/png_writer.h"

#include <QFile>
#include <QImage>
#include <QSaveFile>

#include <algorithm>
#include <cstring>

extern "C" Q_DECL_EXPORT bool vireo_write_png(const std::uint32_t* pixels, int width, int height,
                                              const char* path, char* reason,
                                              std::size_t reasonSize) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        std::copy_n(pixels + static_cast<std::size_t>(y) * width, width,
                    reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
    }
    // decodeName gives back the very bytes when Qt opens the file.
    QSaveFile file(QFile::decodeName(path));
    if (file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit()) return true;
    const QByteArray why = file.errorString().toUtf8();
    if (reasonSize > 0) {
        const std::size_t length = std::min(reasonSize - 1, std::size_t(why.size()));
        std::memcpy(reason, why.constData(), length);
        reason[length] = '\0';
    }
    return false;
}
