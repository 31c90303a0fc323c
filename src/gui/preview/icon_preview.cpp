#include "gui/preview/icon_preview.h"

#include "core/images/icons.h"
#include "core/messages/field_names.h"
#include "core/messages/role_names.h"
#include "core/settings/number.h"
#include "core/settings/record.h"
#include "gui/settings/settings_panel.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/project_state.h"
#include "gui/widgets/std_text.h"

#include <QGroupBox>
#include <QLabel>
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

// How a message names a position field: its row and axis in the panel.
QString fieldName(std::uint8_t offset) {
    return QString::fromStdString(settingsFieldName(offset));
}

// The typed value is in screen pixels; the window is laid out one device
// pixel per screen pixel, so a fraction rounds to the nearest pixel.
int toPixels(double value) {
    return static_cast<int>(std::lround(std::clamp(value, -kFarOff, kFarOff)));
}

}  // namespace

IconPreview::IconPreview(Dialogs& dialogs, const ProjectState& state, QWidget* window,
                         QGroupBox* positionFrame, QObject* parent)
    : QObject(parent), dialogs_(dialogs), state_(state), window_(window) {
    setObjectName(QStringLiteral("iconPreview"));
    backgroundPicture_ = makePictureBox(window, "image1");
    moviePicture_ = makePictureBox(window, "image2");
    musicPicture_ = makePictureBox(window, "image3");
    ebookPicture_ = makePictureBox(window, "image4");
    gamePicture_ = makePictureBox(window, "image5");
    optionsPicture_ = makePictureBox(window, "image6");
    pictureBrowserPicture_ = makePictureBox(window, "image7");
    backgroundPicture_->move(0, 0);

    // The boxes' own order, in which they are placed and raised: not the player's drawing order.
    boxes_ = {{
        {backgroundPicture_, Source::MainBackground},
        {moviePicture_, Source::MovieIcon},
        {musicPicture_, Source::MusicIcon},
        {ebookPicture_, Source::EbookIcon},
        {gamePicture_, Source::GameIcon},
        {optionsPicture_, Source::OptionsIcon},
        {pictureBrowserPicture_, Source::PictureIcon},
    }};

    previewButton_ = new QPushButton(QStringLiteral("位置预览(&V)"), positionFrame);
    previewButton_->setObjectName(QStringLiteral("Command7"));
    previewButton_->setGeometry(SettingsPanel::previewButtonGeometry(0));
    closePreviewButton_ = new QPushButton(QStringLiteral("关闭预览(&C)"), positionFrame);
    closePreviewButton_->setObjectName(QStringLiteral("Command12"));
    closePreviewButton_->setGeometry(SettingsPanel::previewButtonGeometry(1));
    closePreviewButton_->hide();

    connect(previewButton_, &QPushButton::clicked, this, &IconPreview::open);
    connect(closePreviewButton_, &QPushButton::clicked, this, &IconPreview::close);
}

std::optional<std::array<QPoint, IconPreview::kBoxCount>> IconPreview::positions() {
    std::array<QPoint, kBoxCount> points{};
    for (std::size_t i = 1; i < kBoxCount; ++i) {
        int coordinates[2] = {0, 0};
        const images::Source source = boxes_[i].source;
        const std::uint8_t offsets[2] = {images::xOffsetOf(source), images::yOffsetOf(source)};
        for (int axis = 0; axis < 2; ++axis) {
            const std::uint8_t offset = offsets[axis];
            const auto value = settings::parseNumber(toStd(state_.fieldText(offset)));
            if (!value) {
                dialogs_.message(window_,
                                 fieldName(offset) + QStringLiteral("数据不是数字，无法预览"));
                emit positionRefused(offset);
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
        const QString& path = state_.sourcePath(boxes_[i].source);
        loaded[i] = QImage(path);
        if (loaded[i].isNull()) {
            dialogs_.message(window_, QStringLiteral("无法载入") +
                                          QString::fromUtf8(roleName(boxes_[i].source)) +
                                          QStringLiteral("：") + path);
            return;
        }
    }
    if (!positions()) return;

    pictures_ = loaded;
    for (std::size_t i = 0; i < kBoxCount; ++i) {
        QLabel* picture = boxes_[i].picture;
        picture->setPixmap(QPixmap::fromImage(pictures_[i]));
        picture->resize(pictures_[i].size());
        picture->show();
        picture->raise();  // in front of every control, each icon in front of the background
    }
    closePreviewButton_->show();
    LayoutPreview();
}

bool IconPreview::LayoutPreview() {
    const auto points = positions();
    if (!points) return false;
    for (std::size_t i = 1; i < kBoxCount; ++i) boxes_[i].picture->move((*points)[i]);
    for (std::size_t i = 0; i < kBoxCount; ++i) {
        QLabel* picture = boxes_[i].picture;
        // Always from the picture as loaded, so a second layout does not flip it back.
        picture->setPixmap(QPixmap::fromImage(pictures_[i].mirrored(false, true)));
        picture->resize(pictures_[i].size());
    }
    return true;
}

void IconPreview::close() {
    for (const Box& box : boxes_) box.picture->hide();
    closePreviewButton_->hide();
}

}  // namespace vireo::ui
