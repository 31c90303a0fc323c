#include "workbench/ui/share_actions.h"

#include "artwork/new_project.h"
#include "artwork/qt/qt_picture_decoder.h"
#include "artwork/qt/sample_painter.h"
#include "base/binary_file.h"
#include "messages/error_text.h"
#include "project/project.h"
#include "skin/sheet.h"
#include "widgets/dialogs.h"
#include "widgets/std_text.h"

#include <QBuffer>

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
