#include "cli/ui/png_writer.h"

#include <QDir>
#include <QLibrary>

namespace vireo::ui {

Result<void> writePng(const cli::Picture& picture, const QString& path,
                      const QStringList& moduleDirs) {
    QLibrary module;
    VireoWritePng write = nullptr;
    for (const QString& dir : moduleDirs) {
        module.setFileName(QDir(dir).filePath(QLatin1String(kPngModuleName)));
        write = reinterpret_cast<VireoWritePng>(module.resolve(kPngFunctionName));
        if (write) break;
    }
    if (!write) {
        return Error{Error::Kind::Open, module.fileName().toStdString(),
                     module.errorString().toStdString()};
    }

    const std::string target = path.toStdString();
    char reason[512] = {};
    if (!write(picture.pixels.data(), picture.width, picture.height, target.c_str(), reason,
               sizeof reason))
        return Error{Error::Kind::Write, target, reason};
    return {};
}

}  // namespace vireo::ui
