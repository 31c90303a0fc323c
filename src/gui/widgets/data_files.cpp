#include "gui/widgets/data_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vireo::ui {

QString installedDataDir() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../share/vireo-skin-builder"));
}

QString dataFolderFor(const QString& currentDir, const char* name) {
    const QString fileName = QString::fromUtf8(name);
    // Whatever stands in the current folder wins, even a wrong one, so that
    // its refusal is reported rather than silently passed over.
    if (QFileInfo(QDir(currentDir).filePath(fileName)).exists()) return currentDir;
    const QString installed = installedDataDir();
    if (QFileInfo(QDir(installed).filePath(fileName)).isFile()) return installed;
    return currentDir;
}

QString dataFilePath(const QString& currentDir, const char* name) {
    return QDir(dataFolderFor(currentDir, name)).filePath(QString::fromUtf8(name));
}

}  // namespace vireo::ui
