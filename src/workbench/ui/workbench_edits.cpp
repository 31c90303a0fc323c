// The slots' edits and the history that undoes and redoes them.
#include "workbench/ui/workbench_window.h"

#include "images/picture.h"
#include "messages/error_text.h"
#include "widgets/dialogs.h"
#include "widgets/project_state.h"
#include "widgets/std_text.h"
#include "workbench/ui/workbench_internal.h"

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

// What stands at `path` now: its bytes, nothing when there is no file, or an
// error when something stands there that cannot be read whole.
Result<std::optional<Bytes>> bytesOnDisk(const QString& path) {
    auto read = readWholeFile(toStd(path), images::kPictureReadLimit);
    if (read) return std::optional<Bytes>(std::move(read).value());
    if (fileTypeAt(toStd(path)) == Error::FileType::Missing) return std::optional<Bytes>();
    return read.error();
}

}  // namespace

// A picture put into a slot's file. Either way the file is touched only while
// it still holds what the other way left there, so that a change made outside
// since is never overwritten or deleted.
class WorkbenchWindow::ReplaceSlotCommand : public EditStep {
public:
    ReplaceSlotCommand(WorkbenchWindow& window, QString path, std::optional<Bytes> before,
                       Bytes after, QUndoCommand* group)
        : EditStep(QStringLiteral("替换图片"), true, group),
          window_(window),
          path_(std::move(path)),
          before_(std::move(before)),
          after_(std::move(after)) {}
    QString refusal(bool undo) const override {
        const auto now = bytesOnDisk(path_);
        if (now && now.value() == (undo ? std::optional<Bytes>(after_) : before_)) return {};
        return path_;
    }
    bool apply(bool undo) override {
        return window_.writeSlot(path_, undo ? before_ : std::optional<Bytes>(after_));
    }

private:
    WorkbenchWindow& window_;
    QString path_;
    std::optional<Bytes> before_;
    Bytes after_;
};

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

bool WorkbenchWindow::writeSlot(const QString& path, const std::optional<Bytes>& bytes) {
    if (bytes) {
        const auto written = writeFileAtomically(toStd(path), *bytes);
        if (!written) {
            dialogs_.message(this, fromStd(describeWithReason(written.error())));
            return false;
        }
    } else if (QFile::exists(path) && !QFile::remove(path)) {
        dialogs_.message(this, QStringLiteral("无法删除文件：") + path);
        return false;
    }
    state_.announceFileChanged(path);
    return true;
}

QUndoCommand* WorkbenchWindow::putIntoSlot(Source source, Result<Bytes> converted,
                                           QUndoCommand* group) {
    if (!converted) {
        dialogs_.message(this, fromStd(describeWithReason(converted.error())));
        return nullptr;
    }
    const QString target = state_.sourcePath(source);
    auto before = bytesOnDisk(target);
    if (!before) {
        // Undo could not put back what cannot be read, so the file is left alone.
        dialogs_.message(this, fromStd(describeWithReason(before.error())));
        return nullptr;
    }
    if (before.value() == converted.value()) return nullptr;
    if (!writeSlot(target, converted.value())) return nullptr;
    return new ReplaceSlotCommand(*this, target, std::move(before).value(),
                                  std::move(converted).value(), group);
}

void WorkbenchWindow::remapSlot(Source source) {
    std::vector<Source> icons = iconsDrawnWith(source);
    if (icons.empty()) icons = {source};
    const auto fine = [this](Source icon) { return !slotVerdict(icon, files_).remappable; };
    icons.erase(std::remove_if(icons.begin(), icons.end(), fine), icons.end());
    if (icons.empty()) return;
    // One step to undo, however many icons it takes.
    auto* group = new QUndoCommand(QStringLiteral("重新映射颜色"));
    for (const Source icon : icons)
        if (!putIntoSlot(icon, remapIcon(icon, files_), group)) break;
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
    const auto path = dialogs_.openFile(
        this,
        QStringLiteral("图片 (*.png *.jpg *.jpeg *.bmp *.gif *.webp *.tif *.tiff);;所有文件 (*)"),
        state_.folder());
    if (path) replaceSlot(source, *path);
}

}  // namespace vireo::workbench::ui
