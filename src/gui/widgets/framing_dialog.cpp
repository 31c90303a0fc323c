#include "gui/widgets/framing_dialog.h"

#include "core/artwork/convert.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <functional>

namespace vireo::ui {

namespace {

constexpr int kPreviewSide = 960;  // enough for the view, quick to fit again on every move
constexpr int kViewSide = 420;
constexpr int kZoomStep = 10;

QImage qImageOf(const images::RgbaImage& picture) {
    QImage image(picture.pixels.data(), picture.width, picture.height, picture.width * 4,
                 QImage::Format_RGBA8888);
    return image.copy();
}

images::RgbaImage rgbaOf(const QImage& image) {
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    images::RgbaImage picture{rgba.width(), rgba.height(), {}};
    picture.pixels.resize(static_cast<std::size_t>(rgba.width()) * rgba.height() * 4);
    for (int y = 0; y < rgba.height(); ++y)
        std::copy_n(rgba.constScanLine(y), rgba.width() * 4,
                    picture.pixels.begin() + static_cast<std::ptrdiff_t>(y) * rgba.width() * 4);
    return picture;
}

}  // namespace

// The picture with the part a covering fit shows, in the view's pixels.
class FrameView : public QWidget {
public:
    FrameView(const QImage& picture, QSize target, std::function<void(artwork::Frame)> moved)
        : picture_(
              picture.scaled(kViewSide, kViewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)),
          target_(target),
          moved_(std::move(moved)) {
        setObjectName(QStringLiteral("framePicture"));
        setFixedSize(picture_.size());
        setFocusPolicy(Qt::StrongFocus);
        setCursor(Qt::OpenHandCursor);
    }

    void show(const Framing& framing) {
        framing_ = framing;
        update();
    }

    // The part shown, as fitPicture takes it, in the view's pixels; the whole
    // picture for the fits that show all of it.
    QRectF part() const {
        const double pw = picture_.width(), ph = picture_.height();
        if (framing_.fit != artwork::Fit::Cover) return {0, 0, pw, ph};
        const double scale =
            std::max(target_.width() / pw, target_.height() / ph) * framing_.frame.zoom / 100.0;
        const double w = target_.width() / scale, h = target_.height() / scale;
        const double left = std::clamp(pw * framing_.frame.x / 100.0 - w / 2, 0.0, pw - w);
        const double top = std::clamp(ph * framing_.frame.y / 100.0 - h / 2, 0.0, ph - h);
        return {left, top, w, h};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, picture_);
        const QRectF shown = part();
        QPainterPath outside;
        outside.addRect(rect());
        outside.addRect(shown);
        painter.fillPath(outside, QColor(0, 0, 0, 150));
        painter.setPen(QPen(hasFocus() ? Qt::yellow : Qt::white, 2));
        painter.drawRect(shown.adjusted(1, 1, -1, -1));
    }
    void mousePressEvent(QMouseEvent* event) override {
        pressAt_ = event->position();
        pressFrame_ = framing_.frame;
        setCursor(Qt::ClosedHandCursor);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!(event->buttons() & Qt::LeftButton)) return;
        const QPointF delta = event->position() - pressAt_;
        artwork::Frame frame = pressFrame_;
        frame.x += static_cast<int>(std::lround(delta.x() * 100 / picture_.width()));
        frame.y += static_cast<int>(std::lround(delta.y() * 100 / picture_.height()));
        moved_(frame);
    }
    void mouseReleaseEvent(QMouseEvent*) override { setCursor(Qt::OpenHandCursor); }
    void wheelEvent(QWheelEvent* event) override {
        artwork::Frame frame = framing_.frame;
        frame.zoom += event->angleDelta().y() > 0 ? kZoomStep : -kZoomStep;
        moved_(frame);
    }
    void keyPressEvent(QKeyEvent* event) override {
        const int step = (event->modifiers() & Qt::ShiftModifier) ? 10 : 1;
        artwork::Frame frame = framing_.frame;
        switch (event->key()) {
        case Qt::Key_Left: frame.x -= step; break;
        case Qt::Key_Right: frame.x += step; break;
        case Qt::Key_Up: frame.y -= step; break;
        case Qt::Key_Down: frame.y += step; break;
        case Qt::Key_Plus:
        case Qt::Key_Equal: frame.zoom += kZoomStep; break;
        case Qt::Key_Minus: frame.zoom -= kZoomStep; break;
        default: QWidget::keyPressEvent(event); return;
        }
        moved_(frame);
    }

private:
    QImage picture_;
    QSize target_;
    std::function<void(artwork::Frame)> moved_;
    Framing framing_;
    QPointF pressAt_;
    artwork::Frame pressFrame_;
};

FramingDialog::FramingDialog(const images::RgbaImage& picture, const FramingQuestion& question,
                             QWidget* parent)
    : QDialog(parent), question_(question) {
    setWindowTitle(QStringLiteral("图片怎样放入"));
    QImage whole = qImageOf(picture);
    if (std::max(whole.width(), whole.height()) > kPreviewSide)
        whole =
            whole.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    small_ = rgbaOf(whole);

    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(question.text);
    text->setWordWrap(true);
    layout->addWidget(text);

    auto* pictures = new QHBoxLayout;
    view_ = new FrameView(whole, question.target, [this](artwork::Frame frame) {
        setFraming({framing_.fit, frame});
    });
    pictures->addWidget(view_, 0, Qt::AlignTop);
    auto* resultColumn = new QVBoxLayout;
    resultColumn->addWidget(new QLabel(QStringLiteral("放入后的样子：")));
    result_ = new QLabel;
    result_->setObjectName(QStringLiteral("frameResult"));
    resultColumn->addWidget(result_);
    resultColumn->addStretch();
    pictures->addLayout(resultColumn);
    layout->addLayout(pictures);

    fits_ = new QButtonGroup(this);
    const QString containWords =
        question.background
            ? QStringLiteral("完整放入：保留整张图片，空出的边缘用图片边缘的颜色填满")
            : QStringLiteral("完整放入：保留整张图片，空出的边缘透明，露出下面的背景");
    const std::pair<artwork::Fit, QString> choices[] = {
        {artwork::Fit::Cover, QStringLiteral("裁剪填满：填满整个位置，只显示框内的部分")},
        {artwork::Fit::Contain, containWords},
        {artwork::Fit::Stretch, QStringLiteral("拉伸：保留整张图片，改变其比例")}};
    const char* names[] = {"fitCover", "fitContain", "fitStretch"};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QRadioButton(choices[i].second);
        button->setObjectName(QLatin1String(names[i]));
        fits_->addButton(button, static_cast<int>(choices[i].first));
        layout->addWidget(button);
    }
    connect(fits_, &QButtonGroup::idClicked, this, [this](int fit) {
        setFraming({static_cast<artwork::Fit>(fit), framing_.frame});
    });

    auto* zoomRow = new QHBoxLayout;
    zoomRow->addWidget(new QLabel(QStringLiteral("放大：")));
    zoom_ = new QSpinBox;
    zoom_->setObjectName(QStringLiteral("frameZoom"));
    zoom_->setRange(100, artwork::kMaxFrameZoom);
    zoom_->setSingleStep(kZoomStep);
    zoom_->setSuffix(QStringLiteral("%"));
    zoomRow->addWidget(zoom_);
    zoomRow->addWidget(new QLabel(QStringLiteral("拖动框或用方向键移动，滚轮或 +、− 键缩放")), 1);
    layout->addLayout(zoomRow);
    connect(zoom_, qOverload<int>(&QSpinBox::valueChanged), this, [this](int zoom) {
        setFraming({framing_.fit, {framing_.frame.x, framing_.frame.y, zoom}});
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    setFraming(question.initial);
    view_->setFocus();
}

void FramingDialog::setFraming(const Framing& wanted) {
    Framing framing = wanted;
    artwork::Frame& frame = framing.frame;
    frame.zoom = std::clamp(frame.zoom, 100, artwork::kMaxFrameZoom);
    // A centre the part cannot reach is brought in, so that what is kept is what is shown.
    const double pw = small_.width, ph = small_.height;
    const double scale = std::max(question_.target.width() / pw, question_.target.height() / ph) *
                         frame.zoom / 100.0;
    const double halfX = question_.target.width() / scale / 2 / pw * 100;
    const double halfY = question_.target.height() / scale / 2 / ph * 100;
    frame.x = std::clamp(frame.x, static_cast<int>(std::ceil(halfX - 1e-9)),
                         static_cast<int>(std::floor(100 - halfX + 1e-9)));
    frame.y = std::clamp(frame.y, static_cast<int>(std::ceil(halfY - 1e-9)),
                         static_cast<int>(std::floor(100 - halfY + 1e-9)));
    framing_ = framing;
    fits_->button(static_cast<int>(framing.fit))->setChecked(true);
    const QSignalBlocker quiet(zoom_);
    zoom_->setValue(frame.zoom);
    zoom_->setEnabled(framing.fit == artwork::Fit::Cover);
    view_->show(framing);
    showResult();
}

void FramingDialog::showResult() {
    const QSize target = question_.target;
    auto fitted = artwork::fitPicture(small_, target.width(), target.height(), framing_.fit, {},
                                      framing_.frame);
    if (!fitted) return;
    images::RgbaImage shown = std::move(fitted).value();
    if (question_.background) shown = artwork::opaqueBackground(shown, artwork::ConvertOptions{});
    // Icons at twice their size or more; transparency over a checkerboard.
    const int scale = std::max(1, 160 / target.height());
    QImage picture(target * scale, QImage::Format_RGB32);
    QPainter painter(&picture);
    for (int y = 0; y < picture.height(); y += 8)
        for (int x = 0; x < picture.width(); x += 8)
            painter.fillRect(x, y, 8, 8, ((x + y) / 8) % 2 ? QColor(200, 200, 200) : Qt::white);
    painter.drawImage(QRect(QPoint(), picture.size()), qImageOf(shown));
    painter.end();
    result_->setPixmap(QPixmap::fromImage(picture));
}

}  // namespace vireo::ui
