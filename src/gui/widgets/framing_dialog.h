#pragma once

#include "gui/widgets/dialogs.h"

#include <QDialog>
#include <QImage>

class QButtonGroup;
class QLabel;
class QSpinBox;

namespace vireo::ui {

class FrameView;

// The framing question: the whole picture with the part the slot will show
// (outside it dimmed), moved by dragging or the arrow keys and zoomed by the
// wheel, + and − or the zoom box; beside it the slot as it will look.
class FramingDialog : public QDialog {
    Q_OBJECT

public:
    FramingDialog(const images::RgbaImage& picture, const FramingQuestion& question,
                  QWidget* parent = nullptr);
    Framing framing() const { return framing_; }

private:
    void setFraming(const Framing& framing);
    void showResult();

    FramingQuestion question_;
    Framing framing_;
    images::RgbaImage small_;  // the picture at most kPreviewSide across, for the previews
    FrameView* view_;
    QLabel* result_;
    QButtonGroup* fits_;
    QSpinBox* zoom_;
};

}  // namespace vireo::ui
