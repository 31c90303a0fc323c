#include "gui/workbench/screen_canvas.h"

#include "core/images/source_set.h"
#include "core/skin/screen.h"
#include "gui/artwork/sample_painter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace vireo::workbench::ui {

ScreenCanvas::ScreenCanvas(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFixedSize(sizeHint());
}

QSize ScreenCanvas::sizeHint() const {
    return {images::kScreenWidth * zoom_, images::kScreenHeight * zoom_};
}

void ScreenCanvas::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void ScreenCanvas::setZoom(int zoom) {
    zoom_ = zoom;
    setFixedSize(sizeHint());
    update();
}

void ScreenCanvas::setSelection(std::optional<QRect> selection) {
    selection_ = selection;
    update();
}

void ScreenCanvas::setSamples(std::vector<SampleText> samples) {
    samples_ = std::move(samples);
    update();
}

std::optional<skin::TextRole> ScreenCanvas::sampleAt(QPoint point) const {
    // The box paintTextSample frames the words with.
    QFont sampleFont = font();
    sampleFont.setPixelSize(skin::kSampleTextHeight * zoom_);
    const QFontMetrics metrics(sampleFont);
    for (const SampleText& sample : samples_) {
        const QPoint at = QPoint(sample.text.x, sample.text.y) * zoom_;
        const QRect box = metrics.boundingRect(artwork::sampleWords(sample.text.role))
                              .translated(at + QPoint(0, metrics.ascent()))
                              .adjusted(-2, -2, 2, 2);
        if (box.contains(point)) return sample.text.role;
    }
    return std::nullopt;
}

void ScreenCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect whole(0, 0, images::kScreenWidth * zoom_, images::kScreenHeight * zoom_);
    if (picture_.isNull()) {
        painter.fillRect(whole, Qt::darkGray);
        return;
    }
    // Nearest-neighbour: every screen pixel becomes a zoom × zoom block.
    painter.drawImage(whole, picture_);

    for (const SampleText& sample : samples_) {
        const QPoint at = QPoint(sample.text.x, sample.text.y) * zoom_;
        artwork::paintTextSample(
            painter, sample.text, at, zoom_,
            sample.faint() ? artwork::SampleFrame::LowContrast : artwork::SampleFrame::Sample);
    }
    painter.setPen(QPen(Qt::red, 1, Qt::DashLine));
    for (const QRect& overlap : overlaps_) {
        const QRect r =
            overlap.intersected(QRect(0, 0, images::kScreenWidth, images::kScreenHeight));
        if (!r.isEmpty())
            painter.drawRect(QRect(r.topLeft() * zoom_, r.size() * zoom_).adjusted(0, 0, -1, -1));
    }
    if (selection_) {
        painter.setPen(QPen(Qt::yellow, 1, Qt::DashLine));
        const QRect r =
            selection_->intersected(QRect(0, 0, images::kScreenWidth, images::kScreenHeight));
        painter.drawRect(QRect(r.topLeft() * zoom_, r.size() * zoom_).adjusted(0, 0, -1, -1));
    }
}

void ScreenCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    pressed_ = true;
    emit pressed(event->position().toPoint());
}

void ScreenCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_) emit moved(event->position().toPoint());
    // A sample text is clicked for its colour chooser.
    setCursor(sampleAt(event->position().toPoint()) ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void ScreenCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    emit released(event->position().toPoint());
}

void ScreenCanvas::keyPressEvent(QKeyEvent* event) {
    const int step = (event->modifiers() & Qt::ShiftModifier) ? 8 : 1;
    switch (event->key()) {
    case Qt::Key_Left: emit stepped(-step, 0); break;
    case Qt::Key_Right: emit stepped(step, 0); break;
    case Qt::Key_Up: emit stepped(0, -step); break;
    case Qt::Key_Down: emit stepped(0, step); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

bool ScreenCanvas::focusNextPrevChild(bool next) {
    if (tabHandler_ && tabHandler_(next)) return true;
    return QWidget::focusNextPrevChild(next);
}

}  // namespace vireo::workbench::ui
