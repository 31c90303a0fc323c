#include "gui/workbench/share_actions.h"

#include "core/artwork/new_project.h"
#include "core/base/binary_file.h"
#include "core/messages/error_text.h"
#include "core/package/package.h"
#include "core/project/project.h"
#include "core/skin/sheet.h"
#include "gui/artwork/qt_picture_decoder.h"
#include "gui/artwork/sample_painter.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/std_text.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace vireo::workbench::ui {

using vireo::ui::fromStd;
using vireo::ui::toStd;

QImage sheetImage(const skin::SkinFile& skinFile) {
    const skin::Sheet sheet = skin::composeSheet(skinFile);
    QImage image(sheet.picture.width, sheet.picture.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        std::copy_n(sheet.picture.pixels.data() + static_cast<std::size_t>(y) * sheet.picture.width,
                    sheet.picture.width, reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
    }
    artwork::paintSheetTexts(image, sheet.texts);
    return image;
}

void exportSheet(QWidget* parent, vireo::ui::Dialogs& dialogs, const skin::SkinFile& skinFile,
                 const QString& startDir) {
    const auto path = dialogs.saveFile(parent, QStringLiteral("导出四个画面的预览图"),
                                       QStringLiteral("PNG 图片 (*.png)"),
                                       startDir + QStringLiteral("preview.png"));
    if (!path) return;
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !sheetImage(skinFile).save(&buffer, "PNG")) {
        dialogs.message(parent, QStringLiteral("无法写入文件：") + *path);
        return;
    }
    const auto written = writeFileAtomically(toStd(*path), Bytes(png.begin(), png.end()));
    if (!written) dialogs.message(parent, fromStd(describeWithReason(written.error())));
}

void exportPackage(QWidget* parent, vireo::ui::Dialogs& dialogs, project::Project& project,
                   const QString& settingsFile) {
    if (!project.isOpen()) return;
    QSettings settings(settingsFile, QSettings::IniFormat);
    const QString folder = fromStd(project.folder());
    const QString folderName = QFileInfo(QDir(folder).absolutePath()).fileName();
    const auto texts = dialogs.fillIn(
        parent, QStringLiteral("导出皮肤包"),
        {QStringLiteral("名称"), QStringLiteral("作者"), QStringLiteral("许可证（SPDX 标识）")},
        {folderName, settings.value("package/author").toString(),
         settings.value("package/licence", QStringLiteral("CC-BY-SA-4.0")).toString()});
    if (!texts || texts->size() != 3) return;
    settings.setValue("package/author", texts->at(1));
    settings.setValue("package/licence", texts->at(2));
    const auto path =
        dialogs.saveFile(parent, QStringLiteral("导出皮肤包"), QStringLiteral("皮肤包 (*.vskin)"),
                         QFileInfo(QDir(folder).absolutePath()).path() + '/' + texts->at(0) +
                             QString::fromLatin1(package::kPackageExtension));
    if (!path) return;
    auto files = project.packageFiles();
    if (!files) {
        dialogs.message(parent, fromStd(describeWithReason(files.error())));
        return;
    }
    const Bytes* skinBytes = nullptr;
    for (const package::Entry& entry : files.value())
        if (entry.name == images::kSkinFileName) skinBytes = &entry.bytes;
    auto skinFile = skin::skinFileOf(*skinBytes, toStd(*path));
    QByteArray png;
    QBuffer buffer(&png);
    if (!skinFile || !buffer.open(QIODevice::WriteOnly) ||
        !sheetImage(skinFile.value()).save(&buffer, "PNG")) {
        dialogs.message(parent, QStringLiteral("无法写入文件：") + *path);
        return;
    }
    files.value().push_back({package::kPreviewName, Bytes(png.begin(), png.end())});
    const package::Manifest manifest{toStd(texts->at(0)),
                                     toStd(texts->at(1)),
                                     toStd(texts->at(2)),
                                     {},
                                     std::string("vireo-skin-builder ") + VIREO_VERSION};
    auto packed = package::writePackage(files.value(), manifest, toStd(*path));
    const auto written =
        packed ? writeFileAtomically(toStd(*path), packed.value()) : Result<void>(packed.error());
    if (!written) dialogs.message(parent, fromStd(describeWithReason(written.error())));
}

std::optional<QString> newSkinProject(QWidget* parent, vireo::ui::Dialogs& dialogs,
                                      const QString& startDir, const QString& programDir) {
    const auto chosen =
        dialogs.saveFile(parent, QStringLiteral("新建皮肤：选择新皮肤的文件夹"),
                         QStringLiteral("新皮肤的文件夹 (*)"), startDir + QStringLiteral("新皮肤"));
    if (!chosen) return std::nullopt;
    const std::string dir = toStd(*chosen);
    const auto art = artwork::findDemoArt(artwork::demoArtCandidates(toStd(programDir)));
    if (!art) {
        dialogs.message(parent, QStringLiteral("找不到内置的示例图片，无法新建皮肤"));
        return std::nullopt;
    }
    const auto names = artwork::newProjectNames(*art, {project::kDerivedFileName});
    if (!names) {
        dialogs.message(parent, fromStd(describeWithReason(names.error())));
        return std::nullopt;
    }
    const auto occupied = artwork::occupiedPaths(dir, names.value());
    if (!occupied.empty()) {
        QStringList lines{QStringLiteral("这些文件已经存在，新皮肤不会替换它们：")};
        for (const std::string& path : occupied) lines << fromStd(path);
        dialogs.message(parent, lines.join('\n'));
        return std::nullopt;
    }
    artwork::QtPictureDecoder decoder;
    const auto files = project::newProjectFiles(*art, decoder);
    const auto written =
        files ? artwork::writeProject(dir, files.value()) : Result<void>(files.error());
    if (!written) {
        dialogs.message(parent, fromStd(describeWithReason(written.error())));
        return std::nullopt;
    }
    return fromStd(dir.back() == '/' ? dir : dir + '/');
}

}  // namespace vireo::workbench::ui
