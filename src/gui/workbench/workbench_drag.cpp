// Selecting, dragging, nudging and cycling through the main screen's icons.
#include "gui/workbench/workbench_window.h"

#include "gui/widgets/project_state.h"
#include "gui/workbench/screen_canvas.h"
#include "gui/workbench/workbench_internal.h"

#include <QLabel>
#include <QPainter>

namespace vireo::workbench::ui {

using images::Source;
using skin::Screen;

namespace {

// `picture` (RGBA) alpha-composited over `backdrop` into `screen` at `at`.
void compositeAt(QImage& screen, const images::RgbaImage& picture, const QImage& backdrop,
                 Position at) {
    const QRect area = QRect(at.x, at.y, picture.width, picture.height).intersected(screen.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(screen.scanLine(y));
        const auto* under = reinterpret_cast<const QRgb*>(backdrop.constScanLine(y));
        const std::size_t first = std::size_t(y - at.y) * picture.width + (area.left() - at.x);
        const std::uint8_t* source = picture.pixels.data() + 4 * first;
        for (int x = area.left(); x <= area.right(); ++x, source += 4) {
            const int alpha = source[3];
            const auto blended = [alpha](int top, int below) {
                return (top * alpha + below * (255 - alpha) + 127) / 255;
            };
            line[x] = qRgb(blended(source[0], qRed(under[x])), blended(source[1], qGreen(under[x])),
                           blended(source[2], qBlue(under[x])));
        }
    }
}

}  // namespace

void WorkbenchWindow::applyPosition(std::size_t icon, Position to) {
    applying_ = true;
    state_.setFieldText(images::kMainScreenIcons[icon].xOffset, QString::number(to.x));
    state_.setFieldText(images::kMainScreenIcons[icon].yOffset, QString::number(to.y));
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
    const QString text = QStringLiteral("X %1  Y %2").arg(p.x).arg(p.y);
    // Wholly off the screen the icon shows nowhere; Tab still selects it.
    if (p.x >= images::kScreenWidth || p.y >= images::kScreenHeight)
        return text + QStringLiteral("（在屏幕外，可用方向键移回）");
    return text;
}

void WorkbenchWindow::showSelection() {
    positionLabel_->setText(positionText());
    if (!selected_ || screen_ != Screen::Main) {
        canvas_->setSelection(std::nullopt);
        return;
    }
    const Position p = iconPositions()[*selected_];
    canvas_->setSelection(QRect(p.x, p.y, images::kIconSide, images::kIconSide));
}

void WorkbenchWindow::onPressed(QPoint point) {
    if (screen_ != Screen::Main) {
        if (const auto role = canvas_->sampleAt(point)) chooseTextColour(*role);
        return;
    }
    selected_ = iconAt(iconPositions(), point.x() / zoom_, point.y() / zoom_);
    dragging_ = selected_.has_value();
    if (dragging_) {
        pressPoint_ = point;
        dragStart_ = iconPositions()[*selected_];
        // Fetched once per drag: every frame composites the same original.
        const Source icon = images::kMainScreenIcons[*selected_].source;
        dragOriginal_.reset();
        if (!state_.folder().isEmpty() && projectOpen() && project().originalPath(icon)) {
            dragOriginal_ = project().fittedOriginal(icon);
            const auto backdrop = slotPicture(Source::MainBackground, slotFiles());
            if (!backdrop)
                dragOriginal_.reset();
            else
                dragBackdrop_ = screenPicture_.isNull() ? QImage() : backdropOfDrag(*backdrop);
        }
    }
    showSelection();
}

// What the dragged icon lies over, as it will once derived: the background
// with the icons the player draws before it, each a solid square.
QImage WorkbenchWindow::backdropOfDrag(const skin::Picture& background) const {
    QImage backdrop = imageOf(background);
    QPainter painter(&backdrop);
    const IconPositions positions = iconPositions();
    for (std::size_t before = 0; before < *selected_; ++before)
        if (const auto square = slotPicture(images::kMainScreenIcons[before].source, slotFiles()))
            painter.drawImage(QPoint(positions[before].x, positions[before].y), imageOf(*square));
    return backdrop;
}

void WorkbenchWindow::drawDraggedOriginal() {
    if (!dragging_ || !dragOriginal_ || !selected_ || screen_ != Screen::Main) return;
    if (dragBackdrop_.size() != screenPicture_.size()) return;
    compositeAt(screenPicture_, *dragOriginal_, dragBackdrop_, iconPositions()[*selected_]);
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
    dragOriginal_.reset();
    const Position to = iconPositions()[*selected_];
    // The drag already shows the end position; the command records it for undo.
    if (to != dragStart_) recordMove(*selected_, dragStart_, to);
}

void WorkbenchWindow::cancelDrag() {
    // The icon goes back where the drag found it; the rest of the drag,
    // release included, is ignored.
    dragging_ = false;
    dragOriginal_.reset();
    applyPosition(*selected_, dragStart_);
}

void WorkbenchWindow::onStepped(int dx, int dy) {
    if (!selected_ || dragging_ || screen_ != Screen::Main) return;
    const Position from = iconPositions()[*selected_];
    Position to = from;
    if (dx) to.x = nudgePosition(from.x, dx, grid_);
    if (dy) to.y = nudgePosition(from.y, dy, grid_);
    if (to == from) return;
    const std::size_t icon = *selected_;
    applyPosition(icon, to);
    int projectSteps = 0;
    const Source source = images::kMainScreenIcons[icon].source;
    if (projectOpen() && project().originalPath(source)) {
        const bool derived = deriveAsking([&](project::HandEdits handEdits) -> Result<void> {
            if (auto done = project().derive(source, handEdits); !done) return done.error();
            return {};
        });
        projectSteps = derived ? 1 : 0;
    }
    // Pushed after the derive, so that a kept hand edit's step ends the run.
    undoStack_->push(new NudgeRunCommand(*this, icon, from, to, projectSteps));
}

bool WorkbenchWindow::NudgeRunCommand::apply(bool undo) {
    project::Project& core = window_.project();
    for (int done = 0; done < projectSteps_; ++done) {
        const auto step = undo ? core.undo() : core.redo();
        if (step) continue;
        // The run stays whole: the steps already taken go back.
        for (int back = 0; back < done; ++back) (void)(undo ? core.redo() : core.undo());
        window_.explainRefusal(step.error(), undo);
        return false;
    }
    window_.applyPosition(icon_, undo ? from_ : to_);
    return true;
}

bool WorkbenchWindow::cycleSelection(bool forward) {
    // Tab walks the icons in drawing order, then lets the focus go on; an
    // icon moved wholly off the screen is still reached this way.
    if (screen_ != Screen::Main || dragging_) return false;
    if (!selected_) {
        selected_ = forward ? 0 : images::kMainScreenIconCount - 1;
    } else if (forward ? *selected_ + 1 < images::kMainScreenIconCount : *selected_ > 0) {
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
