// The project core behind the workbench: originals put into art/, sources
// derived again from them after a move, and the history steps that undo both.
#include "workbench/ui/workbench_window.h"

#include "messages/error_text.h"
#include "messages/role_names.h"
#include "widgets/data_files.h"
#include "widgets/dialogs.h"
#include "widgets/project_state.h"
#include "widgets/std_text.h"
#include "workbench/ui/workbench_internal.h"

#include <QImageReader>
#include <QUndoStack>

namespace vireo::workbench::ui {

namespace {

using images::Source;
using vireo::ui::fromStd;
using vireo::ui::toStd;

// How a picture of other proportions than its slot's is brought to the slot's size.
std::optional<artwork::Fit> askFit(vireo::ui::Dialogs& dialogs, QWidget* parent, Source source,
                                   QSize picture) {
    const auto& slot = images::sourceImage(source);
    if (picture.isEmpty() ||
        qint64(picture.width()) * slot.height == qint64(picture.height()) * slot.width)
        return artwork::Fit::Cover;
    const auto answer =
        dialogs.ask(parent,
                    QStringLiteral("图片的比例（%1×%2）与“%3”的 %4×%5 不同。怎样放入？")
                        .arg(picture.width())
                        .arg(picture.height())
                        .arg(QString::fromUtf8(roleName(source)))
                        .arg(slot.width)
                        .arg(slot.height),
                    {QStringLiteral("裁剪填满：填满整个位置，裁去超出的边缘"),
                     QStringLiteral("完整放入：保留整张图片，空出的边缘透明"),
                     QStringLiteral("拉伸：保留整张图片，改变其比例"), QStringLiteral("取消")});
    if (!answer || *answer > 2) return std::nullopt;
    static constexpr artwork::Fit kFits[] = {artwork::Fit::Cover, artwork::Fit::Contain,
                                             artwork::Fit::Stretch};
    return kFits[*answer];
}

}  // namespace

// A step the project took: the project undoes and redoes it, refusing by
// itself when one of its files was changed outside since.
class WorkbenchWindow::ProjectStepCommand : public EditStep {
public:
    ProjectStepCommand(WorkbenchWindow& window, const QString& text, QUndoCommand* group)
        : EditStep(text, true, group), window_(window) {}
    QString refusal(bool) const override { return {}; }
    bool apply(bool undo) override {
        project::Project& project = window_.project();
        const auto done = undo ? project.undo() : project.redo();
        if (done) return true;
        window_.explainRefusal(done.error(), undo);
        return false;
    }

private:
    WorkbenchWindow& window_;
};

project::Project& WorkbenchWindow::project() {
    if (!state_.project()) {
        ownProject_ = std::make_unique<project::Project>(
            decoder_, toStd(vireo::ui::dataFilePath(currentDir_, settings::kTableFileName)));
        state_.setProject(ownProject_.get());
    }
    return *state_.project();
}

bool WorkbenchWindow::projectOpen() {
    if (state_.folder().isEmpty()) return false;
    project::Project& core = project();
    if (!core.isOpen() || fromStd(core.folder()) != state_.folder()) {
        const auto opened = core.openFolder(toStd(state_.folder()));
        if (!opened) {
            dialogs_.message(this, fromStd(describeWithReason(opened.error())));
            return false;
        }
    }
    // The positions being edited are the ones every derive uses.
    const IconPositions positions = iconPositions();
    for (std::size_t i = 0; i < images::kMainScreenIconCount; ++i) {
        const auto item = project::positionItemOf(images::kMainScreenIcons[i].source);
        if (item) (void)core.setPosition(*item, {positions[i].x, positions[i].y});
    }
    return true;
}

void WorkbenchWindow::explainRefusal(const Error& error, bool undo) {
    if (error.detail == project::kChangedOutside) {
        dialogs_.message(this, (undo ? QStringLiteral("无法撤销") : QStringLiteral("无法重做")) +
                                   QStringLiteral("：") + fromStd(error.path) +
                                   QStringLiteral(" 在这一步之后被改动过。为免覆盖这一改动，"
                                                  "文件保持原样，这一步仍保留在历史中。"));
        return;
    }
    dialogs_.message(this, fromStd(describeWithReason(error)));
}

void WorkbenchWindow::replaceSlot(Source source, const QString& inputPath) {
    if (state_.folder().isEmpty()) {
        dialogs_.message(this, QStringLiteral("请先打开文件夹"));
        return;
    }
    const auto fit = askFit(dialogs_, this, source, QImageReader(inputPath).size());
    if (!fit || !projectOpen()) return;
    const auto put = project().setOriginal(source, toStd(inputPath), *fit);
    if (!put) {
        dialogs_.message(this, fromStd(describeWithReason(put.error())));
        return;
    }
    undoStack_->push(new ProjectStepCommand(*this, QStringLiteral("替换图片"), nullptr));
}

void WorkbenchWindow::deriveTypedPositions() {
    if (state_.folder().isEmpty() || dragging_) return;
    project::Project& core = project();
    const bool wasOpen = core.isOpen() && fromStd(core.folder()) == state_.folder();
    if (!wasOpen) return;  // a project opened now derives nothing typed before
    std::vector<Source> typed;
    const IconPositions positions = iconPositions();
    for (std::size_t i = 0; i < images::kMainScreenIconCount; ++i) {
        const auto item = project::positionItemOf(images::kMainScreenIcons[i].source);
        const project::Position now{positions[i].x, positions[i].y};
        if (item && core.record().positions[project::positionIndex(*item)] != now)
            typed.push_back(images::kMainScreenIcons[i].source);
    }
    if (typed.empty() || !projectOpen()) return;
    for (const Source icon : typed) {
        if (!core.originalPath(icon)) continue;
        const auto derived = core.derive(icon);
        if (!derived) {
            dialogs_.message(this, fromStd(describeWithReason(derived.error())));
            return;
        }
        undoStack_->push(new ProjectStepCommand(*this, QStringLiteral("重新生成图标"), nullptr));
    }
}

void WorkbenchWindow::recordMove(std::size_t icon, Position from, Position to) {
    // The move and the source derived again at its end are one step.
    auto* group = new QUndoCommand(QStringLiteral("移动图标"));
    new MoveIconCommand(*this, icon, from, to, true, group);
    if (projectOpen() && project().originalPath(images::kMainScreenIcons[icon].source)) {
        const auto derived = project().derive(images::kMainScreenIcons[icon].source);
        if (derived)
            new ProjectStepCommand(*this, QStringLiteral("重新生成图标"), group);
        else
            dialogs_.message(this, fromStd(describeWithReason(derived.error())));
    }
    undoStack_->push(group);
}

}  // namespace vireo::workbench::ui
