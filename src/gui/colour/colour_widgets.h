#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QWidget>

namespace vireo::ui {

// A plain coloured box that reports a click (press and release on it).
class Swatch : public QWidget {
    Q_OBJECT

public:
    explicit Swatch(QWidget* parent = nullptr);

    QColor colour() const { return colour_; }
    void setColour(const QColor& colour);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor colour_{Qt::black};
    bool pressed_ = false;
};

// The palette grid picture, drawn from the grid's table, reporting every
// mouse press with its position.
class PaletteGrid : public QWidget {
    Q_OBJECT

public:
    explicit PaletteGrid(QWidget* parent = nullptr);

    const QImage& picture() const { return picture_; }

signals:
    void pressed(QPointF position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage picture_;
};

}  // namespace vireo::ui
