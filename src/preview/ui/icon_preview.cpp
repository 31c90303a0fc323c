#include "preview/ui/icon_preview.h"

#include "app/ui/dialogs.h"
#include "images/source_set.h"
#include "settings/number.h"
#include "settings/record.h"
#include "settings/ui/settings_panel.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPoint>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace vireo::ui {

namespace {

using images::Source;

// A position far off any screen is as good as a larger one and keeps the
// conversion to whole pixels defined.
constexpr double kFarOff = 100000;

QLabel* makePictureBox(QWidget* window, const char* name) {
    auto* box = new QLabel(window);
    box->setObjectName(QString::fromLatin1(name));
    box->setContentsMargins(0, 0, 0, 0);
    box->hide();
    return box;
}

// How a message names a position box: its row and axis in the panel.
QString fieldName(const QLineEdit* box) {
    const QByteArray control = box->objectName().toLatin1();
    for (const auto& field : settings::kPositionFields)
        if (control == field.control) return QString::fromUtf8(field.name);
    return box->objectName();
}

// The typed value is in screen pixels; the window is laid out one device
// pixel per screen pixel, so a fraction rounds to the nearest pixel.
int toPixels(double value) {
    return static_cast<int>(std::lround(std::clamp(value, -kFarOff, kFarOff)));
}

}  // namespace

IconPreview::IconPreview(Dialogs& dialogs, QWidget* window, QGroupBox* Frame2,
                         PreviewSources sources, const SettingsPanel& panel, QObject* parent)
    : QObject(parent), dialogs_(dialogs), window_(window) {
    setObjectName(QStringLiteral("iconPreview"));
    image1 = makePictureBox(window, "image1");
    image2 = makePictureBox(window, "image2");
    image3 = makePictureBox(window, "image3");
    image4 = makePictureBox(window, "image4");
    image5 = makePictureBox(window, "image5");
    image6 = makePictureBox(window, "image6");
    image7 = makePictureBox(window, "image7");
    image1->move(0, 0);

    const auto role = [](Source source) { return images::sourceImage(source).role; };
    boxes_ = {{
        {image1, sources.fmain1, role(Source::MainBackground), nullptr, nullptr},
        {image2, sources.fmovie1, role(Source::MovieIcon), panel.xdy1, panel.ydy1},
        {image3, sources.fmusic1, role(Source::MusicIcon), panel.xyy1, panel.yyy1},
        {image4, sources.febook2, role(Source::EbookIcon), panel.xdzs11, panel.ydzs1},
        {image5, sources.fgame1, role(Source::GameIcon), panel.xyx1, panel.yyx1},
        {image6, sources.fhelp1, role(Source::OptionsIcon), panel.xxx1, panel.yxx1},
        {image7, sources.fimage1, role(Source::PictureIcon), panel.xtp1, panel.ytp1},
    }};

    Command7 = new QPushButton(QStringLiteral("位置预览(&V)"), Frame2);
    Command7->setObjectName(QStringLiteral("Command7"));
    Command7->setGeometry(SettingsPanel::previewButtonGeometry(0));
    Command12 = new QPushButton(QStringLiteral("关闭预览(&C)"), Frame2);
    Command12->setObjectName(QStringLiteral("Command12"));
    Command12->setGeometry(SettingsPanel::previewButtonGeometry(1));
    Command12->hide();

    connect(Command7, &QPushButton::clicked, this, &IconPreview::open);
    connect(Command12, &QPushButton::clicked, this, &IconPreview::close);
}

std::optional<std::array<QPoint, IconPreview::kBoxCount>> IconPreview::positions() {
    std::array<QPoint, kBoxCount> points{};
    for (std::size_t i = 1; i < kBoxCount; ++i) {
        int coordinates[2] = {0, 0};
        QLineEdit* axes[2] = {boxes_[i].x, boxes_[i].y};
        for (int axis = 0; axis < 2; ++axis) {
            const auto value = settings::parseNumber(axes[axis]->text().toStdString());
            if (!value) {
                dialogs_.message(window_, fieldName(axes[axis]) +
                                              QStringLiteral("数据不是数字，无法预览"));
                axes[axis]->setFocus();
                axes[axis]->selectAll();
                return std::nullopt;
            }
            coordinates[axis] = toPixels(*value);
        }
        points[i] = QPoint(coordinates[0], coordinates[1]);
    }
    return points;
}

void IconPreview::open() {
    // Everything is loaded and checked first, so that a failure leaves the
    // preview as it was.
    std::array<QImage, kBoxCount> loaded;
    for (std::size_t i = 0; i < kBoxCount; ++i) {
        const QString path = boxes_[i].pathLabel->text();
        loaded[i] = QImage(path);
        if (loaded[i].isNull()) {
            dialogs_.message(window_, QStringLiteral("无法载入") +
                                          QString::fromUtf8(boxes_[i].role) +
                                          QStringLiteral("：") + path);
            return;
        }
    }
    if (!positions()) return;

    pictures_ = loaded;
    for (std::size_t i = 0; i < kBoxCount; ++i) {
        QLabel* image = boxes_[i].image;
        image->setPixmap(QPixmap::fromImage(pictures_[i]));
        image->resize(pictures_[i].size());
        image->show();
        image->raise();  // in front of every control, each icon in front of the background
    }
    Command12->show();
    LayoutPreview();
}

bool IconPreview::LayoutPreview() {
    const auto points = positions();
    if (!points) return false;
    for (std::size_t i = 1; i < kBoxCount; ++i) boxes_[i].image->move((*points)[i]);
    for (std::size_t i = 0; i < kBoxCount; ++i) {
        QLabel* image = boxes_[i].image;
        // Always from the picture as loaded, so a second layout does not flip it back.
        image->setPixmap(QPixmap::fromImage(pictures_[i].mirrored(false, true)));
        image->resize(pictures_[i].size());
    }
    return true;
}

void IconPreview::close() {
    for (const Box& box : boxes_) box.image->hide();
    Command12->hide();
}

}  // namespace vireo::ui
