// The slots' edits and the history that undoes and redoes them.
#include "gui/workbench/workbench_window.h"

#include "core/images/picture.h"
#include "core/messages/error_text.h"
#include "gui/artwork/qt_picture_formats.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/project_state.h"
#include "gui/widgets/std_text.h"
#include "gui/workbench/workbench_internal.h"

#include <QFile>
#include <QUndoCommand>
#include <QUndoStack>

#include <algorithm>
#include <memory>
#include <vector>

namespace vireo::workbench::ui {

namespace {

using images::Source;
using vireo::ui::fromStd;
using vireo::ui::toStd;

}  // namespace

QString WorkbenchWindow::refusalOf(const QUndoCommand* step, bool undo) {
    if (const auto* edit = dynamic_cast<const EditStep*>(step)) return edit->refusal(undo);
    for (int i = 0; i < step->childCount(); ++i) {
        const QString refused = refusalOf(step->child(i), undo);
        if (!refused.isEmpty()) return refused;
    }
    return {};
}

bool WorkbenchWindow::applyStep(QUndoCommand* step, bool undo) {
    if (auto* edit = dynamic_cast<EditStep*>(step)) return edit->apply(undo);
    // A group's parts go in order, backwards when undone; when one fails,
    // the parts already changed go back, so that the group stays whole.
    const int count = step->childCount();
    for (int done = 0; done < count; ++done) {
        const int part = undo ? count - 1 - done : done;
        if (applyStep(const_cast<QUndoCommand*>(step->child(part)), undo)) continue;
        for (int back = done - 1; back >= 0; --back)
            applyStep(const_cast<QUndoCommand*>(step->child(undo ? count - 1 - back : back)),
                      !undo);
        return false;
    }
    return true;
}

bool WorkbenchWindow::stepAllowed(const QUndoCommand* step, bool undo) {
    const QString changed = refusalOf(step, undo);
    if (changed.isEmpty()) return true;
    dialogs_.message(this, (undo ? QStringLiteral("无法撤销") : QStringLiteral("无法重做")) +
                               QStringLiteral("：") + changed +
                               QStringLiteral(" 在这一步之后被改动过。为免覆盖这一改动，"
                                              "文件保持原样，这一步仍保留在历史中。"));
    return false;
}

void WorkbenchWindow::undoStep() {
    if (dragging_) {
        cancelDrag();
        return;
    }
    if (!undoStack_->canUndo()) return;
    auto* step = const_cast<QUndoCommand*>(undoStack_->command(undoStack_->index() - 1));
    if (!stepAllowed(step, true) || !applyStep(step, true)) return;
    undoStack_->undo();
}

void WorkbenchWindow::redoStep() {
    if (dragging_ || !undoStack_->canRedo()) return;
    auto* step = const_cast<QUndoCommand*>(undoStack_->command(undoStack_->index()));
    if (!stepAllowed(step, false) || !applyStep(step, false)) return;
    undoStack_->redo();
}

QUndoCommand* WorkbenchWindow::putIntoSlot(Source source, Result<Bytes> converted,
                                           QUndoCommand* group) {
    if (!converted) {
        dialogs_.message(this, fromStd(describeWithReason(converted.error())));
        return nullptr;
    }
    if (!projectOpen()) return nullptr;
    project::Project& core = project();
    if (const Bytes* now = core.sourceBytes(source); now && *now == converted.value())
        return nullptr;
    // The project keeps what the file held, so that the step undoes; one it
    // cannot read is refused and left alone.
    if (const auto written = core.replaceSources({{source, std::move(converted).value()}});
        !written) {
        dialogs_.message(this, fromStd(describeWithReason(written.error())));
        return nullptr;
    }
    return new ProjectStepCommand(*this, QStringLiteral("替换图片"), group);
}

void WorkbenchWindow::remapSlot(Source source) {
    std::vector<Source> icons = iconsDrawnWith(source);
    if (icons.empty()) icons = {source};
    const auto fine = [this](Source icon) { return !slotVerdict(icon, slotFiles()).remappable; };
    icons.erase(std::remove_if(icons.begin(), icons.end(), fine), icons.end());
    if (icons.empty()) return;
    // One step to undo, however many icons it takes.
    auto* group = new QUndoCommand(QStringLiteral("重新映射颜色"));
    for (const Source icon : icons)
        if (!putIntoSlot(icon, remapIcon(icon, slotFiles()), group)) break;
    if (group->childCount() == 0) {
        delete group;
        return;
    }
    undoStack_->push(group);
}

void WorkbenchWindow::chooseForSlot(Source source) {
    // Said before the dialog, so that no picture is chosen in vain.
    if (state_.folder().isEmpty()) {
        dialogs_.message(this, QStringLiteral("请先打开文件夹，再为图片位置选择图片"));
        return;
    }
    // Only the formats this Qt reads, as its plugins decide.
    const auto path = dialogs_.openFile(this, artwork::pictureFileFilter(), state_.folder());
    if (path) replaceSlot(source, *path);
}

}  // namespace vireo::workbench::ui
