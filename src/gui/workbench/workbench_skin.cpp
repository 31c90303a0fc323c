// Opening a finished skin: unpacked into a new folder through the project
// core, then opened as any folder is.
#include "gui/workbench/workbench_window.h"

#include "core/base/binary_file.h"
#include "core/images/icons.h"
#include "core/messages/error_text.h"
#include "core/messages/role_names.h"
#include "core/skin/skin_file.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/project_state.h"
#include "gui/widgets/std_text.h"

#include <QDir>

namespace vireo::workbench::ui {

namespace {

using vireo::ui::fromStd;
using vireo::ui::toStd;

// A record item as the status line names it: "列表文字颜色", "电影图标位置", ...
QString itemName(project::RecordItem item) {
    using project::RecordItem;
    if (project::isColourItem(item))
        return QString::fromUtf8(kTextColourNames[static_cast<std::size_t>(item)]);
    if (item == RecordItem::FileListPosition) return QString::fromUtf8(kFileListName) + "位置";
    if (item == RecordItem::HintFlag) return QStringLiteral("提示开关");
    for (const auto& icon : images::kMainScreenIcons) {
        if (project::positionItemOf(icon.source) == item)
            return QString::fromUtf8(roleName(icon.source)) + "位置";
    }
    return {};
}

// What the status line says after a skin was opened: what it lacked and
// what came from the defaults.
QString openingNote(const project::SkinOpening& opening) {
    QStringList parts;
    QStringList missing;
    for (const images::Source source : opening.missing)
        missing << QString::fromUtf8(roleName(source));
    if (!missing.isEmpty())
        parts << QStringLiteral("皮肤中没有：%1（请为这些位置选择图片）").arg(missing.join("、"));
    QStringList defaults;
    for (const project::RecordItem item : opening.fromDefaults) defaults << itemName(item);
    if (!defaults.isEmpty()) parts << QStringLiteral("取默认值：%1").arg(defaults.join("、"));
    return parts.join(QStringLiteral("；"));
}

// What the status line says after a package was opened: its manifest.
QString packageNote(const project::PackageOpening& opening) {
    if (!opening.manifest) return QStringLiteral("皮肤包没有说明文件 skin.json");
    const package::Manifest& manifest = *opening.manifest;
    return QStringLiteral("皮肤包：%1，作者：%2，许可：%3")
        .arg(fromStd(manifest.name), fromStd(manifest.author), fromStd(manifest.licence));
}

// A package is told by its name: its length says nothing.
bool namesAPackage(const QString& path) {
    return path.endsWith(QLatin1String(package::kPackageExtension), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive);
}

}  // namespace

void WorkbenchWindow::openSkin() {
    const QString start = state_.folder();
    const auto path = dialogs_.openFile(
        this, QStringLiteral("皮肤文件 (BACKIMG* *.vskin);;皮肤包 (*.vskin *.zip);;所有文件 (*)"),
        start + QString::fromLatin1(images::kSkinFileName));
    if (path) openSkinFile(*path);
}

void WorkbenchWindow::openSkinFile(const QString& skinPath) {
    if (!unwrittenSettled()) return;
    // Refused before the folder question, so that no folder is chosen in vain;
    // only its length is looked at, so a FIFO or a huge file is never read.
    bool isPackage = false;
    if (const auto length = regularFileLength(toStd(skinPath)); !length) {
        dialogs_.message(this, fromStd(describeWithReason(length.error())));
        return;
    } else if (!skin::layoutOfLength(length.value()) && namesAPackage(skinPath)) {
        isPackage = true;
    } else if (!skin::layoutOfLength(length.value())) {
        dialogs_.message(this,
                         fromStd(describeWrongSkin(Error{Error::Kind::WrongLength, toStd(skinPath),
                                                         std::to_string(length.value())})));
        return;
    }
    const auto chosen = dialogs_.saveFile(
        this, QStringLiteral("解包皮肤：选择一个新文件夹，皮肤的图片和设置写入其中"),
        QStringLiteral("新文件夹 (*)"),
        fromStd(project::proposedFolderFor(toStd(QDir::cleanPath(skinPath)))));
    if (!chosen) return;
    QString folder = QDir::cleanPath(*chosen);
    if (!folder.endsWith('/')) folder += '/';
    if (isPackage) {
        const auto opened = project().openPackage(toStd(skinPath), toStd(folder));
        if (!opened) {
            showOpeningRefusal(opened.error());
            return;
        }
        openingNote_ = packageNote(opened.value());
        openFolderAt(fromStd(opened.value().folder));
        return;
    }
    const auto opened = project().openSkin(toStd(skinPath), toStd(folder));
    if (!opened) {
        showOpeningRefusal(opened.error());
        return;
    }
    openingNote_ = openingNote(opened.value());
    openFolderAt(fromStd(opened.value().folder));
}

void WorkbenchWindow::showOpeningRefusal(const Error& error) {
    {
        dialogs_.message(this, error.detail == project::kFilesInTheWay
                                   ? QStringLiteral("文件夹中已有同名文件（%1），没有解包。"
                                                    "请选择一个新的文件夹。")
                                         .arg(fromStd(error.path))
                                   : fromStd(describeWithReason(error)));
    }
}

}  // namespace vireo::workbench::ui
