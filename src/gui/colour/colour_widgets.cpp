#include "gui/colour/colour_widgets.h"

#include "core/colour/colour.h"

#include <QMouseEvent>
#include <QPainter>

namespace vireo::ui {

Swatch::Swatch(QWidget* parent) : QWidget(parent) {}

void Swatch::setColour(const QColor& colour) {
    if (colour == colour_) return;
    colour_ = colour;
    update();
}

void Swatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colour_);
}

void Swatch::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void Swatch::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click) emit clicked();
}

PaletteGrid::PaletteGrid(QWidget* parent)
    : QWidget(parent), picture_(colour::kGridWidth, colour::kGridHeight, QImage::Format_RGB32) {
    const auto pixels = colour::paletteGridPixels();
    for (int y = 0; y < colour::kGridHeight; ++y)
        for (int x = 0; x < colour::kGridWidth; ++x) {
            const auto& c = pixels[static_cast<std::size_t>(y * colour::kGridWidth + x)];
            picture_.setPixel(x, y, qRgb(c.red, c.green, c.blue));
        }
    setFixedSize(picture_.size());
}

void PaletteGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void PaletteGrid::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->position());
}

}  // namespace vireo::ui
