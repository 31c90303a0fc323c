#pragma once

// Small helpers shared by the workbench window's source files.

#include "core/settings/write.h"
#include "gui/widgets/project_state.h"
#include "gui/widgets/std_text.h"
#include "gui/workbench/workbench_window.h"

#include <QImage>
#include <QUndoCommand>

#include <algorithm>

#include <cstdint>
#include <optional>

namespace vireo::workbench::ui {

// A rendered picture as a Qt image, pixel for pixel.
inline QImage imageOf(const skin::Picture& picture) {
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y) {
        std::copy_n(picture.pixels.data() + static_cast<std::size_t>(y) * picture.width,
                    picture.width, reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
    }
    return image;
}

// A step of the history. The window applies it in either direction only
// after asking whether it may: the stack's own undo and redo do nothing but
// the first redo, which the push makes.
class WorkbenchWindow::EditStep : public QUndoCommand {
public:
    EditStep(const QString& text, bool alreadyDone, QUndoCommand* group)
        : QUndoCommand(text, group), done_(alreadyDone) {}
    void redo() final {
        if (!done_) apply(false);
        done_ = true;
    }
    void undo() final {}
    // Why the step cannot go `undo`-wards now; empty when it can.
    virtual QString refusal(bool undo) const = 0;
    // Makes the change; false (after saying why) when a write failed.
    virtual bool apply(bool undo) = 0;

private:
    bool done_;
};

// A move of one icon: both fields go into the state together.
class WorkbenchWindow::MoveIconCommand : public EditStep {
public:
    MoveIconCommand(WorkbenchWindow& window, std::size_t icon, Position from, Position to,
                    bool alreadyDone, QUndoCommand* group)
        : EditStep(QStringLiteral("移动图标"), alreadyDone, group),
          window_(window),
          icon_(icon),
          from_(from),
          to_(to) {}
    QString refusal(bool) const override { return {}; }
    bool apply(bool undo) override {
        window_.applyPosition(icon_, undo ? from_ : to_);
        return true;
    }

private:
    WorkbenchWindow& window_;
    std::size_t icon_;
    Position from_;
    Position to_;
};

// A run of arrow-key nudges of one icon, undone as one step: the moves and
// the project's derives at each of them (`projectSteps`, undone together).
class WorkbenchWindow::NudgeRunCommand : public EditStep {
public:
    NudgeRunCommand(WorkbenchWindow& window, std::size_t icon, Position from, Position to,
                    int projectSteps)
        : EditStep(QStringLiteral("移动图标"), true, nullptr),
          window_(window),
          icon_(icon),
          from_(from),
          to_(to),
          projectSteps_(projectSteps) {}
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = dynamic_cast<const NudgeRunCommand*>(other);
        if (!next || next->icon_ != icon_ || next->from_ != to_) return false;
        to_ = next->to_;
        projectSteps_ += next->projectSteps_;
        return true;
    }
    QString refusal(bool) const override { return {}; }
    bool apply(bool undo) override;

private:
    WorkbenchWindow& window_;
    std::size_t icon_;
    Position from_;
    Position to_;
    int projectSteps_;
};

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

}  // namespace vireo::workbench::ui
