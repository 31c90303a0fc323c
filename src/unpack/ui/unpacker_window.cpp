#include "unpack/ui/unpacker_window.h"

#include "app/ui/dialogs.h"
#include "app/ui/window_style.h"
#include "messages/error_text.h"
#include "unpack/skin_info.h"
#include "unpack/restoration.h"

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
      Cd1_(QStringLiteral("BACKIMG(*.*) (*)"), QString::fromLatin1(unpack::kSkinFileTitle)) {
    setUpWindow(this, QStringLiteral("Form2"), kCaption);

    Frame1 = new QGroupBox(QStringLiteral("文件内部信息"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(8, 8, 464, 198);

    // Colour rows on the left, the hint flag beside them behind a line.
    Label3 = makeLabel(Frame1, "Label3", QStringLiteral("列表文字颜色   R G B"), 12, 24);
    Label4 = makeLabel(Frame1, "Label4", QStringLiteral("选中文字颜色   R G B"), 12, 44);
    Label5 = makeLabel(Frame1, "Label5", QStringLiteral("电子书文字颜色 R G B"), 12, 64);
    Line1 = makeLine(Frame1, "Line1", QFrame::VLine, 240, 20, 8, 62);
    Label6 = makeLabel(Frame1, "Label6", QStringLiteral("是否开启主界面提示文字"), 256, 24);
    Line2 = makeLine(Frame1, "Line2", QFrame::HLine, 8, 84, 448, 8);

    // Icon positions in two columns of three.
    Label7 = makeLabel(Frame1, "Label7", QStringLiteral("电影图标坐标   X   Y"), 12, 100);
    Label8 = makeLabel(Frame1, "Label8", QStringLiteral("音乐图标坐标   X   Y"), 12, 120);
    Label9 = makeLabel(Frame1, "Label9", QStringLiteral("电子书图标坐标 X   Y"), 12, 140);
    Line4 = makeLine(Frame1, "Line4", QFrame::VLine, 240, 94, 8, 64);
    Label10 = makeLabel(Frame1, "Label10", QStringLiteral("关于图标坐标   X   Y"), 256, 100);
    Label11 = makeLabel(Frame1, "Label11", QStringLiteral("帮助图标坐标   X   Y"), 256, 120);
    Label12 = makeLabel(Frame1, "Label12", QStringLiteral("文件夹图标坐标 X   Y"), 256, 140);
    Line3 = makeLine(Frame1, "Line3", QFrame::HLine, 8, 158, 448, 8);
    Label1 = makeLabel(Frame1, "Label1", QStringLiteral("文件位置："), 12, 172);

    Command1 = makeButton(this, "Command1", QStringLiteral("打开BACKIMG"), 8, 96);
    Command3 = makeButton(this, "Command3", QStringLiteral("还原BMP文件"), 112, 96);
    Label13 = makeLabel(this, "Label13", QStringLiteral("不一定适用于所有的 BACKIMG"), 218, 222);
    Command2 = makeButton(this, "Command2", QStringLiteral("关闭"), 392, 80);

    connect(Command1, &QPushButton::clicked, this, &UnpackerWindow::openAndInspect);
    connect(Command3, &QPushButton::clicked, this, &UnpackerWindow::restore);
    connect(Command2, &QPushButton::clicked, this, &QWidget::close);

    // Nothing to restore until a file has been accepted.
    Command3->setEnabled(false);
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
    Cd1_.show(dialogs_, this);
    if (Cd1_.fileName().isEmpty()) return;
    if (!unpack::isSkinFileTitle(toStd(Cd1_.fileTitle()))) return;

    const auto settings = unpack::inspectSkin(toStd(Cd1_.fileName()));
    if (!settings) {
        dialogs_.message(this, settings.error().kind == Error::Kind::WrongLength
                                   ? QStringLiteral("错误的BACKIMG文件")
                                   : fromStd(describe(settings.error())));
        return;
    }

    Command3->setEnabled(true);
    acceptedPath_ = Cd1_.fileName();
    acceptedFolder_ = Cd1_.folder();
    const auto texts = unpack::infoTexts(settings.value(), toStd(acceptedPath_));
    const std::array<QLabel*, unpack::kInfoLabelCount> labels = {
        Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10, Label11, Label12, Label1};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        labels[i]->setText(fromStd(texts[i]));
        labels[i]->adjustSize();
    }
}

void UnpackerWindow::restore() {
    if (acceptedPath_.isEmpty()) return;
    const auto restored =
        unpack::restoreBmps(toStd(acceptedPath_), toStd(currentDir_), toStd(acceptedFolder_));
    dialogs_.message(this,
                     restored ? QStringLiteral("done!") : fromStd(describe(restored.error())));
}

}  // namespace vireo::ui
