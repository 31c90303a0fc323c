#pragma once

#include "core/skin/text_samples.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

namespace vireo::workbench::ui {

// A sample of a text colour: the device's own font is not ours, so it is
// drawn framed and named as a sample; a text too faint over its background
// is framed as such.
struct SampleText {
    skin::TextSample text;  // in screen pixels
    double contrast = 21;   // over the background where it is drawn
    bool faint() const { return contrast < skin::kMinimumContrast; }
};

// One player screen drawn at a whole-number zoom. Reports presses, moves and
// releases in its own pixels and arrow keys as steps; what they mean is the
// window's business.
class ScreenCanvas : public QWidget {
    Q_OBJECT

public:
    explicit ScreenCanvas(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }
    void setZoom(int zoom);
    int zoom() const { return zoom_; }
    // Screen-pixel rectangle to outline, e.g. the selected icon.
    void setSelection(std::optional<QRect> selection);
    void setSamples(std::vector<SampleText> samples);
    // Screen-pixel rectangles where an icon hides too much of another, marked in red.
    void setOverlaps(std::vector<QRect> overlaps) { overlaps_ = std::move(overlaps); }
    const std::vector<QRect>& overlaps() const { return overlaps_; }

    QSize sizeHint() const override;
    // The text sample drawn at `point`, in the canvas's own pixels.
    std::optional<skin::TextRole> sampleAt(QPoint point) const;

    // Tab and Shift+Tab go to the handler first (true: it took the key), so
    // that every icon can be reached from the keyboard, even one dragged off
    // the screen; otherwise the focus moves on as usual.
    void setTabHandler(std::function<bool(bool forward)> handler) {
        tabHandler_ = std::move(handler);
    }

signals:
    void pressed(QPoint point);
    void moved(QPoint point);
    void released(QPoint point);
    void stepped(int dx, int dy);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QImage picture_;
    int zoom_ = 2;
    std::optional<QRect> selection_;
    std::vector<SampleText> samples_;
    std::vector<QRect> overlaps_;
    bool pressed_ = false;
    std::function<bool(bool)> tabHandler_;
};

}  // namespace vireo::workbench::ui
