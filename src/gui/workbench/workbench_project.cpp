// Opening a folder, writing BACK, generating and exporting.
#include "gui/workbench/workbench_window.h"

#include "core/images/picture.h"
#include "core/images/verification.h"
#include "core/messages/error_text.h"
#include "core/messages/verification_text.h"
#include "core/settings/byte_table.h"
#include "core/settings/write.h"
#include "core/skin/generation.h"
#include "core/skin/skin_layout.h"
#include "gui/widgets/data_files.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/project_state.h"
#include "gui/widgets/std_text.h"
#include "gui/workbench/workbench_internal.h"

#include <QBuffer>
#include <QLabel>

namespace vireo::workbench::ui {

namespace {

using vireo::ui::fromStd;
using vireo::ui::toStd;

}  // namespace

void WorkbenchWindow::openFolder() {
    const QString start = state_.folder();
    const auto path = dialogs_.openFile(this, QStringLiteral("main256.bmp (main256.bmp)"),
                                        start + QStringLiteral("main256.bmp"));
    if (!path) return;
    if (fromStd(fileTitleOf(toStd(*path))) != QLatin1String(images::kMainFileTitle)) {
        dialogs_.message(this, QStringLiteral("请打开main256.bmp"));
        return;
    }
    if (!unwrittenSettled()) return;
    openingNote_.clear();
    openFolderAt(fromStd(folderOf(toStd(*path))));
}

bool WorkbenchWindow::unwrittenSettled() {
    if (state_.folder().isEmpty() || !recordUnwritten()) return true;
    const auto answer = dialogs_.ask(
        this, QStringLiteral("图标位置或文字颜色尚未写入BACK，打开其他文件夹会丢弃这些改动。"),
        {QStringLiteral("先写入BACK"), QStringLiteral("丢弃这些改动"), QStringLiteral("取消")});
    if (!answer || *answer == 2) return false;
    return *answer == 1 || writeRecord();
}

void WorkbenchWindow::openFolderAt(const QString& folderPath) {
    const std::string folder = toStd(folderPath);
    const auto verification = images::verifySourceSet(
        folder, toStd(vireo::ui::dataFolderFor(currentDir_, images::kSettingsFileName)));
    std::array<QString, images::kSourceCount> paths;
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        paths[i] = fromStd(verification.paths[i]);

    state_.setSettingsPath(fromStd(verification.settingsPath));
    state_.setSourceSet(fromStd(folder), paths, verification.passed());
    rememberFolder(fromStd(folder));
    if (!verification.passed() && openingNote_.isEmpty())
        dialogs_.message(this, fromStd(verificationReport(verification)));
    redraw();
}

bool WorkbenchWindow::recordUnwritten() {
    // An imported BACK elsewhere is the panel's own target, not the project's.
    if (!projectOpen() || state_.settingsPath() != fromStd(project().settingsPath())) return false;
    return project().recordUnwritten();
}

bool WorkbenchWindow::writeRecord() {
    if (!projectOpen()) return false;
    project::Project& core = project();
    // A text the project could not take is refused here, not written as the
    // last value it took.
    const auto storable = [&](const settings::Field& field) {
        return settings::storedValueOf(field.offset, toStd(state_.fieldText(field.offset)))
            .has_value();
    };
    const bool allStorable =
        std::all_of(settings::kColourFields.begin(), settings::kColourFields.end(), storable) &&
        std::all_of(settings::kPositionFields.begin(), settings::kPositionFields.end(), storable);
    if (!allStorable) {
        dialogs_.message(
            this, QStringLiteral("有设定值不是0到255之间的整数，请在设置面板中改正后再写入"));
        return false;
    }
    // Never over a BACK written outside since it was last read, unasked.
    const auto changed = core.changedOnDisk();
    if (std::find(changed.begin(), changed.end(), core.settingsPath()) != changed.end()) {
        const auto answer = dialogs_.ask(
            this, QStringLiteral("BACK在读入后已在别处被改动。写入会用本窗口的设定覆盖那些改动。"),
            {QStringLiteral("覆盖BACK"), QStringLiteral("取消")});
        if (!answer || *answer != 0) {
            reloadFromDisk();
            return false;
        }
    }
    core.setByteTablePath(toStd(vireo::ui::dataFilePath(currentDir_, settings::kTableFileName)));
    const auto written = core.writeRecord();
    if (!written) dialogs_.message(this, fromStd(describeWithReason(written.error())));
    return written.ok();
}

void WorkbenchWindow::generate() {
    if (state_.folder().isEmpty()) {
        dialogs_.message(this, QStringLiteral("请先打开文件夹"));
        return;
    }
    const std::string settingsPath = toStd(state_.settingsPath());
    if (fileLength(settingsPath) != images::kSettingsLength) {
        dialogs_.message(this, QStringLiteral("BACK文件找不到或大小不正确，不能生成皮肤"));
        return;
    }
    if (recordUnwritten()) {
        const auto answer = dialogs_.ask(
            this, QStringLiteral("图标位置或文字颜色尚未写入BACK。生成的皮肤使用BACK中的设定。"),
            {QStringLiteral("先写入BACK再生成"), QStringLiteral("按BACK现有设定生成"),
             QStringLiteral("取消")});
        if (!answer || *answer == 2) return;
        if (*answer == 0 && !writeRecord()) return;
    }
    // What the screen shows is what is built: the files are read again first.
    reloadFromDisk();
    const auto verification =
        images::verifySourceSetWithSettings(toStd(state_.folder()), settingsPath);
    if (!verification.passed()) {
        dialogs_.message(this, fromStd(verificationReport(verification)));
        return;
    }
    images::SourcePaths paths;
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        paths[i] = toStd(state_.sourcePaths()[i]);
    const std::string output = toStd(state_.folder()) + images::kSkinFileName;
    const auto written = skin::generateSkin({paths, settingsPath}, output);
    if (!written) {
        dialogs_.message(this, fromStd(describeWithReason(written.error())));
        return;
    }
    dialogs_.message(this, QString::fromUtf8(kDoneSentence));
    if (fileLength(output) != skin::kSkinLength)
        dialogs_.message(this, QStringLiteral("文件大小错误"));
}

void WorkbenchWindow::exportPng() {
    if (screenPicture_.isNull()) {
        dialogs_.message(this, statusText_);
        return;
    }
    static const char* const kNames[] = {"main", "tree", "ebook", "music"};
    const QString initial = state_.folder() +
                            QString::fromLatin1(kNames[static_cast<int>(screen_)]) +
                            QStringLiteral(".png");
    const auto path = dialogs_.saveFile(this, QStringLiteral("把这个画面导出为 PNG 图片"),
                                        QStringLiteral("PNG 图片 (*.png)"), initial);
    if (!path) return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!screenPicture_.save(&buffer, "PNG")) {
        dialogs_.message(this, QStringLiteral("无法把画面编码为PNG，未写入文件：") + *path);
        return;
    }
    // The same whole, flushed write as every other output of the tool.
    const auto written = writeFileAtomically(toStd(*path), Bytes(png.begin(), png.end()));
    if (!written) dialogs_.message(this, fromStd(describeWithReason(written.error())));
}

}  // namespace vireo::workbench::ui
