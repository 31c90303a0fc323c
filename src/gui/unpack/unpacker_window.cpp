#include "gui/unpack/unpacker_window.h"

#include "core/messages/error_text.h"
#include "core/messages/skin_info_text.h"
#include "core/unpack/restoration.h"
#include "core/unpack/skin_info.h"
#include "gui/widgets/data_files.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/std_text.h"
#include "gui/widgets/window_style.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace vireo::ui {

namespace {

const QString kCaption = QStringLiteral("VIREO Skin to BMP for wren");

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

QFrame* makeLine(QWidget* parent, const char* name, QFrame::Shape shape, int left, int top,
                 int width, int height) {
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(left, top, width, height);
    return line;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, int left,
                        int width) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, 216, width, 25);
    return button;
}

}  // namespace

UnpackerWindow::UnpackerWindow(Dialogs& dialogs, QString currentDir, QWidget* parent)
    : QWidget(parent, kFixedWindowFlags),
      dialogs_(dialogs),
      currentDir_(std::move(currentDir)),
      skinDialog_(QStringLiteral("BACKIMG(*.*) (*)"), QString::fromLatin1(unpack::kSkinFileName)) {
    setUpWindow(this, QStringLiteral("Form2"), kCaption);

    auto* infoFrame = new QGroupBox(QStringLiteral("文件内部信息"), this);
    infoFrame->setObjectName(QStringLiteral("Frame1"));
    infoFrame->setGeometry(8, 8, 464, 198);

    // Colour rows on the left, the hint flag beside them behind a line.
    infoLabels_[0] = makeLabel(infoFrame, "Label3", QStringLiteral("列表文字颜色   R G B"), 12, 24);
    infoLabels_[1] = makeLabel(infoFrame, "Label4", QStringLiteral("选中文字颜色   R G B"), 12, 44);
    infoLabels_[2] = makeLabel(infoFrame, "Label5", QStringLiteral("电子书文字颜色 R G B"), 12, 64);
    makeLine(infoFrame, "Line1", QFrame::VLine, 240, 20, 8, 62);
    infoLabels_[3] =
        makeLabel(infoFrame, "Label6", QStringLiteral("是否开启主界面提示文字"), 256, 24);
    makeLine(infoFrame, "Line2", QFrame::HLine, 8, 84, 448, 8);

    // Icon positions in two columns of three.
    infoLabels_[4] =
        makeLabel(infoFrame, "Label7", QStringLiteral("电影图标坐标   X   Y"), 12, 100);
    infoLabels_[5] =
        makeLabel(infoFrame, "Label8", QStringLiteral("音乐图标坐标   X   Y"), 12, 120);
    infoLabels_[6] =
        makeLabel(infoFrame, "Label9", QStringLiteral("电子书图标坐标 X   Y"), 12, 140);
    makeLine(infoFrame, "Line4", QFrame::VLine, 240, 94, 8, 64);
    infoLabels_[7] =
        makeLabel(infoFrame, "Label10", QStringLiteral("关于图标坐标   X   Y"), 256, 100);
    infoLabels_[8] =
        makeLabel(infoFrame, "Label11", QStringLiteral("帮助图标坐标   X   Y"), 256, 120);
    infoLabels_[9] =
        makeLabel(infoFrame, "Label12", QStringLiteral("文件夹图标坐标 X   Y"), 256, 140);
    makeLine(infoFrame, "Line3", QFrame::HLine, 8, 158, 448, 8);
    infoLabels_[10] = makeLabel(infoFrame, "Label1", QStringLiteral("文件位置："), 12, 172);

    openButton_ = makeButton(this, "Command1", QStringLiteral("打开BACKIMG"), 8, 96);
    restoreButton_ = makeButton(this, "Command3", QStringLiteral("还原BMP文件"), 112, 96);
    makeLabel(this, "Label13", QStringLiteral("不一定适用于所有的 BACKIMG"), 218, 222);
    closeButton_ = makeButton(this, "Command2", QStringLiteral("关闭"), 392, 80);

    connect(openButton_, &QPushButton::clicked, this, &UnpackerWindow::openAndInspect);
    connect(restoreButton_, &QPushButton::clicked, this, &UnpackerWindow::restore);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);

    // Nothing to restore until a file has been accepted.
    restoreButton_->setEnabled(false);
    setFixedSize(480, 250);
}

void UnpackerWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    // Presses on controls that ignore them travel up to here; only a press
    // that hit no child at all is on the background.
    if (childAt(event->position().toPoint()) != nullptr) return;
    dialogs_.message(this, QStringLiteral("orrin:点不出别的了，放弃吧!hehe"));
}

void UnpackerWindow::openAndInspect() {
    // A cancel keeps the current choice, which is then checked again.
    skinDialog_.show(dialogs_, this);
    if (skinDialog_.fileName().isEmpty()) return;
    if (!unpack::isSkinFileTitle(toStd(skinDialog_.fileTitle()))) return;

    const auto settings = unpack::inspectSkin(toStd(skinDialog_.fileName()));
    if (!settings) {
        dialogs_.message(this, settings.error().kind == Error::Kind::WrongLength
                                   ? QStringLiteral("错误的BACKIMG文件")
                                   : fromStd(describe(settings.error())));
        return;
    }

    restoreButton_->setEnabled(true);
    acceptedPath_ = skinDialog_.fileName();
    acceptedFolder_ = skinDialog_.folder();
    const auto texts = skinInfoTexts(settings.value(), toStd(acceptedPath_));
    for (std::size_t i = 0; i < infoLabels_.size(); ++i) {
        infoLabels_[i]->setText(fromStd(texts[i]));
        infoLabels_[i]->adjustSize();
    }
}

void UnpackerWindow::restore() {
    if (acceptedPath_.isEmpty()) return;
    const QString templates = dataFolderFor(currentDir_, unpack::kTemplateNames[0]);
    restoreButton_->setToolTip(QStringLiteral("BMP 文件头模板取自：") + templates);
    const auto restored =
        unpack::restoreBmps(toStd(acceptedPath_), toStd(templates), toStd(acceptedFolder_));
    dialogs_.message(this,
                     restored ? QStringLiteral("done!") : fromStd(describe(restored.error())));
}

}  // namespace vireo::ui
