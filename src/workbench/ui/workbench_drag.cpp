// Selecting, dragging, nudging and cycling through the main screen's icons.
#include "workbench/ui/workbench_window.h"

#include "widgets/project_state.h"
#include "workbench/ui/screen_canvas.h"

#include <QLabel>

namespace vireo::workbench::ui {

using skin::Screen;

void WorkbenchWindow::applyPosition(std::size_t icon, Position to) {
    applying_ = true;
    state_.setFieldText(kIcons[icon].xOffset, QString::number(to.x));
    state_.setFieldText(kIcons[icon].yOffset, QString::number(to.y));
    applying_ = false;
    showSelection();
    redraw();
}

void WorkbenchWindow::moveIcon(std::size_t icon, Position to) {
    const Position from = iconPositions()[icon];
    if (from == to) return;
    applyPosition(icon, to);
    recordMove(icon, from, to);
}

QString WorkbenchWindow::positionText() const {
    if (!selected_ || screen_ != Screen::Main) return {};
    const Position p = iconPositions()[*selected_];
    return QStringLiteral("X %1  Y %2").arg(p.x).arg(p.y);
}

void WorkbenchWindow::showSelection() {
    positionLabel_->setText(positionText());
    if (!selected_ || screen_ != Screen::Main) {
        canvas_->setSelection(std::nullopt);
        return;
    }
    const Position p = iconPositions()[*selected_];
    canvas_->setSelection(QRect(p.x, p.y, kIconSide, kIconSide));
}

void WorkbenchWindow::onPressed(QPoint point) {
    if (screen_ != Screen::Main) return;
    selected_ = iconAt(iconPositions(), point.x() / zoom_, point.y() / zoom_);
    dragging_ = selected_.has_value();
    if (dragging_) {
        pressPoint_ = point;
        dragStart_ = iconPositions()[*selected_];
    }
    showSelection();
}

void WorkbenchWindow::onMoved(QPoint point) {
    if (!dragging_) return;
    const QPoint delta = (point - pressPoint_) / zoom_;
    applyPosition(*selected_, dragTo(dragStart_, {delta.x(), delta.y()}, grid_));
}

void WorkbenchWindow::onReleased(QPoint point) {
    if (!dragging_) return;
    onMoved(point);
    dragging_ = false;
    const Position to = iconPositions()[*selected_];
    // The drag already shows the end position; the command records it for undo.
    if (to != dragStart_) recordMove(*selected_, dragStart_, to);
}

void WorkbenchWindow::cancelDrag() {
    // The icon goes back where the drag found it; the rest of the drag,
    // release included, is ignored.
    dragging_ = false;
    applyPosition(*selected_, dragStart_);
}

void WorkbenchWindow::onStepped(int dx, int dy) {
    if (!selected_ || dragging_ || screen_ != Screen::Main) return;
    const Position from = iconPositions()[*selected_];
    Position to = from;
    if (dx) to.x = nudgePosition(from.x, dx, grid_);
    if (dy) to.y = nudgePosition(from.y, dy, grid_);
    moveIcon(*selected_, to);
}

bool WorkbenchWindow::cycleSelection(bool forward) {
    // Tab walks the icons in drawing order, then lets the focus go on; an
    // icon moved wholly off the screen is still reached this way.
    if (screen_ != Screen::Main || dragging_) return false;
    if (!selected_) {
        selected_ = forward ? 0 : kIconCount - 1;
    } else if (forward ? *selected_ + 1 < kIconCount : *selected_ > 0) {
        selected_ = forward ? *selected_ + 1 : *selected_ - 1;
    } else {
        selected_.reset();
        showSelection();
        return false;
    }
    showSelection();
    return true;
}

}  // namespace vireo::workbench::ui
