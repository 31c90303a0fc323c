#include "gui/artwork/qt_picture_formats.h"

#include "core/artwork/picture_formats.h"

#include <QImageReader>
#include <QStringList>

#include <mutex>

namespace vireo::artwork {

void registerQtPictureFormats() {
    static std::once_flag once;
    std::call_once(once, [] {
        setDecodableFormatsSource([] {
            std::vector<std::string> formats;
            for (const QByteArray& format : QImageReader::supportedImageFormats())
                formats.push_back(format.toLower().toStdString());
            return formats;
        });
    });
}

QString pictureFileFilter() {
    registerQtPictureFormats();
    QStringList patterns;
    for (const std::string& extension : pictureExtensions())
        patterns.append(QStringLiteral("*") + QString::fromStdString(extension));
    return QStringLiteral("图片 (%1);;所有文件 (*)").arg(patterns.join(QLatin1Char(' ')));
}

}  // namespace vireo::artwork
