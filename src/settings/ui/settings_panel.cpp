#include "settings/ui/settings_panel.h"

#include "app/ui/dialogs.h"
#include "base/binary_file.h"
#include "images/source_set.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vireo::ui {

namespace {

using settings::Field;
using settings::Group;
using settings::WriteFailure;

const QString kWrongBackFile = QStringLiteral("错误的BACK文件");
const QString kDone = QStringLiteral("done");

// Geometry inside the frames, in pixels. The frames' sizes are the main window's.
constexpr int kRowHeight = 20;
constexpr int kBoxWidth = 40;
constexpr int kButtonHeight = 24;

// Frame1: three rows of a caption and three boxes, the hint, three buttons.
constexpr int kColourTop = 20;
constexpr int kColourPitch = 24;
constexpr int kColourBoxLeft = 140;
constexpr int kColourBoxPitch = 45;
constexpr int kColourHintTop = 94;
constexpr int kColourButtonTop = 114;

// Frame2: column heads, seven rows, a column of buttons on the right.
constexpr int kPositionHeadTop = 16;
constexpr int kPositionTop = 34;
constexpr int kPositionPitch = 22;
constexpr int kPositionXLeft = 76;
constexpr int kPositionYLeft = 122;
constexpr int kPositionButtonLeft = 172;
constexpr int kPositionButtonWidth = 86;
constexpr int kPositionButtonTop = 34;
constexpr int kPositionButtonPitch = 30;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int left, int top,
                  int width) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(left, top, width, kRowHeight);
    return label;
}

QLineEdit* makeBox(QWidget* parent, const Field& field, int left, int top) {
    auto* box = new QLineEdit(QString::fromStdString(settings::byteText(field.defaultValue)), parent);
    box->setObjectName(QString::fromLatin1(field.control));
    box->setGeometry(left, top, kBoxWidth, kRowHeight);
    return box;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QRect& geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    return button;
}

QString tableMessage(const Error& error) {
    const QString path = fromStd(error.path);
    switch (error.kind) {
    case Error::Kind::NotFound:
    case Error::Kind::ShortRead:
        return QStringLiteral("ASCII文件找不到或大小不正确，不能写入：") + path;
    default:
        return QStringLiteral("无法读取ASCII文件，不能写入：") + path;
    }
}

QString settingsFileMessage(const Error& error) {
    const QString path = fromStd(error.path);
    switch (error.kind) {
    case Error::Kind::NotFound:
    case Error::Kind::WrongLength:
        return QStringLiteral("BACK文件找不到或大小不正确，不能写入：") + path;
    case Error::Kind::Open:
        return QStringLiteral("无法打开BACK文件，不能写入：") + path;
    default:
        return QStringLiteral("写入BACK文件出错：") + path;
    }
}

template <std::size_t N>
std::vector<std::string> textsOf(const std::array<QLineEdit*, N>& boxes) {
    std::vector<std::string> texts;
    for (const QLineEdit* box : boxes) texts.push_back(toStd(box->text()));
    return texts;
}

template <std::size_t N>
void resetBoxes(const std::array<QLineEdit*, N>& boxes, const std::array<Field, N>& fields) {
    for (std::size_t i = 0; i < N; ++i)
        boxes[i]->setText(QString::fromStdString(settings::byteText(fields[i].defaultValue)));
}

}  // namespace

SettingsPanel::SettingsPanel(Dialogs& dialogs, const QString& sourceFolder, CommonDialog& Cd2,
                             QString currentDir, Frames frames,
                             std::function<void()> advancedToggle, QObject* parent)
    : QObject(parent),
      dialogs_(dialogs),
      sourceFolder_(sourceFolder),
      Cd2_(Cd2),
      currentDir_(std::move(currentDir)),
      advancedToggle_(std::move(advancedToggle)),
      window_(frames.Frame1->window()) {
    setObjectName(QStringLiteral("settingsPanel"));
    buildColourFrame(frames.Frame1);
    buildPositionFrame(frames.Frame2);
    buildHintFrame(frames.Frame3);

    connect(Command13, &QPushButton::clicked, this, &SettingsPanel::paletteRequested);
    connect(Command8, &QPushButton::clicked, this, &SettingsPanel::writeColours);
    connect(Command6, &QPushButton::clicked, this, &SettingsPanel::resetColours);
    connect(Command11, &QPushButton::clicked, this, &SettingsPanel::importBackFile);
    connect(Command9, &QPushButton::clicked, this, &SettingsPanel::writePositions);
    connect(Command5, &QPushButton::clicked, this, &SettingsPanel::resetPositions);
    connect(Command10, &QPushButton::clicked, this, &SettingsPanel::writeHintFlag);
}

void SettingsPanel::buildColourFrame(QGroupBox* frame) {
    const char* rowLabels[] = {"Label14", "Label15", "Label16"};
    const QString rowCaptions[] = {QStringLiteral("列表文字颜色   R G B"),
                                   QStringLiteral("选中文字颜色   R G B"),
                                   QStringLiteral("电子书文字颜色 R G B")};
    QLabel* rows[3];
    for (int row = 0; row < 3; ++row) {
        const int top = kColourTop + row * kColourPitch;
        rows[row] = makeLabel(frame, rowLabels[row], rowCaptions[row], 8, top, kColourBoxLeft - 12);
        for (int column = 0; column < 3; ++column) {
            const std::size_t i = static_cast<std::size_t>(row * 3 + column);
            colourBoxes_[i] = makeBox(frame, settings::kColourFields[i],
                                      kColourBoxLeft + column * kColourBoxPitch, top);
        }
    }
    Label14 = rows[0];
    Label15 = rows[1];
    Label16 = rows[2];
    Text1 = colourBoxes_[0];
    Text2 = colourBoxes_[1];
    Text3 = colourBoxes_[2];
    Text4 = colourBoxes_[3];
    Text5 = colourBoxes_[4];
    Text6 = colourBoxes_[5];
    Text7 = colourBoxes_[6];
    Text8 = colourBoxes_[7];
    Text9 = colourBoxes_[8];

    Label20 = makeLabel(frame, "Label20", QStringLiteral("所有数据请输入0到255之间的整数"), 8,
                        kColourHintTop, 265);
    Command13 = makeButton(frame, "Command13", QStringLiteral("调色板(&P)"),
                           QRect(8, kColourButtonTop, 84, kButtonHeight));
    Command8 = makeButton(frame, "Command8", QStringLiteral("写入修改(&F)"),
                          QRect(99, kColourButtonTop, 84, kButtonHeight));
    Command6 = makeButton(frame, "Command6", QStringLiteral("默认颜色(&C)"),
                          QRect(190, kColourButtonTop, 84, kButtonHeight));
}

void SettingsPanel::buildPositionFrame(QGroupBox* frame) {
    Label18 = makeLabel(frame, "Label18", QStringLiteral("X 轴"), kPositionXLeft + 4,
                        kPositionHeadTop, kBoxWidth);
    Label19 = makeLabel(frame, "Label19", QStringLiteral("Y 轴"), kPositionYLeft + 4,
                        kPositionHeadTop, kBoxWidth);

    struct RowLabel {
        const char* name;
        const char* caption;
    };
    const RowLabel rowLabels[] = {
        {"Label17", "  电影"},   {"Label21", "  音乐"}, {"Label23", "图片浏览"},
        {"Label24", " FC游戏"},  {"Label22", " 电子书"}, {"Label26", "  选项"},
        {"Label25", "文件列表"},
    };
    QLabel* rows[7];
    for (int row = 0; row < 7; ++row) {
        const int top = kPositionTop + row * kPositionPitch;
        rows[row] = makeLabel(frame, rowLabels[row].name, QString::fromUtf8(rowLabels[row].caption),
                              8, top, kPositionXLeft - 12);
        const std::size_t x = static_cast<std::size_t>(row * 2);
        positionBoxes_[x] = makeBox(frame, settings::kPositionFields[x], kPositionXLeft, top);
        positionBoxes_[x + 1] =
            makeBox(frame, settings::kPositionFields[x + 1], kPositionYLeft, top);
    }
    Label17 = rows[0];
    Label21 = rows[1];
    Label23 = rows[2];
    Label24 = rows[3];
    Label22 = rows[4];
    Label26 = rows[5];
    Label25 = rows[6];
    xdy1 = positionBoxes_[0];
    ydy1 = positionBoxes_[1];
    xyy1 = positionBoxes_[2];
    yyy1 = positionBoxes_[3];
    xtp1 = positionBoxes_[4];
    ytp1 = positionBoxes_[5];
    xyx1 = positionBoxes_[6];
    yyx1 = positionBoxes_[7];
    xdzs11 = positionBoxes_[8];
    ydzs1 = positionBoxes_[9];
    xxx1 = positionBoxes_[10];
    yxx1 = positionBoxes_[11];
    xwj1 = positionBoxes_[12];
    ywj1 = positionBoxes_[13];

    const auto slot = [](int i) {
        return QRect(kPositionButtonLeft, kPositionButtonTop + i * kPositionButtonPitch,
                     kPositionButtonWidth, kButtonHeight);
    };
    Command11 = makeButton(frame, "Command11", QStringLiteral("导入&BACK文件"), slot(0));
    Command9 = makeButton(frame, "Command9", QStringLiteral("写入修改(&W)"), slot(1));
    Command5 = makeButton(frame, "Command5", QStringLiteral("默认位置(&N)"), slot(2));
}

QRect SettingsPanel::previewButtonGeometry(int slot) {
    // Below import, write and reset, whose slots are 0 to 2.
    return QRect(kPositionButtonLeft, kPositionButtonTop + (3 + slot) * kPositionButtonPitch,
                 kPositionButtonWidth, kButtonHeight);
}

void SettingsPanel::buildHintFrame(QGroupBox* frame) {
    Check1 = new QCheckBox(QStringLiteral("开启主界面提示文字"), frame);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(8, 20, 170, kRowHeight);
    Command10 = makeButton(frame, "Command10", QStringLiteral("写入修改(&M)"),
                           QRect(190, 18, 84, kButtonHeight));
}

QString SettingsPanel::folderBack() const {
    return sourceFolder_ + QLatin1String(images::kSettingsFileName);
}

QString SettingsPanel::tablePath() const {
    return fromStd(joinPath(toStd(currentDir_), settings::kTableFileName));
}

void SettingsPanel::fill(const settings::Record& record) {
    for (std::size_t i = 0; i < colourBoxes_.size(); ++i)
        colourBoxes_[i]->setText(
            QString::fromStdString(settings::byteText(record[settings::kColourFields[i].offset])));
    for (std::size_t i = 0; i < positionBoxes_.size(); ++i)
        positionBoxes_[i]->setText(QString::fromStdString(
            settings::byteText(record[settings::kPositionFields[i].offset])));
    Check1->setChecked(settings::hintFlagOn(record));
}

void SettingsPanel::LoadBackFile() {
    // The folder's BACK is the target from now on, even when it turns out unusable.
    Cd2_.setFileName(folderBack());
    const auto record = settings::readRecord(toStd(Cd2_.fileName()));
    if (!record) {
        dialogs_.message(window_, kWrongBackFile);
        return;
    }
    fill(record.value());
    advancedToggle_();
}

void SettingsPanel::importBackFile() {
    // A cancel keeps the target and the unsaved edits in the boxes.
    if (!Cd2_.show(dialogs_, window_)) return;
    if (Cd2_.fileName().isEmpty()) return;

    const auto record = settings::readRecord(toStd(Cd2_.fileName()));
    if (!record) {
        dialogs_.message(window_, kWrongBackFile);
        Cd2_.setFileName(folderBack());
        return;
    }
    fill(record.value());
}

void SettingsPanel::finishWrite(const std::optional<WriteFailure>& failure,
                                std::optional<Group> group) {
    if (!failure) {
        dialogs_.message(window_, kDone);
        return;
    }
    if (failure->cause == WriteFailure::Cause::ByteTable) {
        dialogs_.message(window_, tableMessage(failure->error));
        return;
    }
    if (failure->cause == WriteFailure::Cause::SettingsFile || !group || !failure->field) {
        dialogs_.message(window_, settingsFileMessage(failure->error));
        return;
    }
    const std::size_t index = failure->field->index;
    const QString problem = failure->field->kind == settings::FieldProblem::Kind::NotANumber
                                ? QStringLiteral("数据不是数字")
                                : QStringLiteral("数据超出范围");
    dialogs_.message(window_, QString::fromUtf8(settings::fieldsOf(*group)[index].name) + problem +
                                  QStringLiteral("，请输入0到255之间的整数"));
    // After the message box, so that closing it does not take the focus back.
    QLineEdit* box = *group == Group::Colours ? colourBoxes_[index] : positionBoxes_[index];
    box->setFocus();
    box->selectAll();
}

void SettingsPanel::writeColours() {
    finishWrite(settings::writeGroup(toStd(Cd2_.fileName()), toStd(tablePath()), Group::Colours,
                                     textsOf(colourBoxes_)),
                Group::Colours);
}

void SettingsPanel::writePositions() {
    finishWrite(settings::writeGroup(toStd(Cd2_.fileName()), toStd(tablePath()), Group::Positions,
                                     textsOf(positionBoxes_)),
                Group::Positions);
}

void SettingsPanel::writeHintFlag() {
    finishWrite(settings::writeHintFlag(toStd(Cd2_.fileName()), toStd(tablePath()),
                                        Check1->isChecked()),
                std::nullopt);
}

void SettingsPanel::resetColours() {
    resetBoxes(colourBoxes_, settings::kColourFields);
}

void SettingsPanel::resetPositions() {
    resetBoxes(positionBoxes_, settings::kPositionFields);
}

}  // namespace vireo::ui
