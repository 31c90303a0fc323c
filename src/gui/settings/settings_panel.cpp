#include "gui/settings/settings_panel.h"

#include "core/base/binary_file.h"
#include "core/images/source_set.h"
#include "core/messages/settings_write_text.h"
#include "core/settings/number.h"
#include "gui/widgets/data_files.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/project_state.h"
#include "gui/widgets/std_text.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vireo::ui {

namespace {

using settings::Field;
using settings::Group;

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

// The boxes' object names, in the order of settings::kColourFields and kPositionFields.
constexpr const char* kColourBoxNames[settings::kColourFieldCount] = {
    "Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Text9"};
constexpr const char* kPositionBoxNames[settings::kPositionFieldCount] = {
    "xdy1", "ydy1",   "xyy1",  "yyy1", "xtp1", "ytp1", "xyx1",
    "yyx1", "xdzs11", "ydzs1", "xxx1", "yxx1", "xwj1", "ywj1"};

QLineEdit* makeBox(QWidget* parent, const char* name, const Field& field, int left, int top) {
    auto* box =
        new QLineEdit(QString::fromStdString(settings::byteText(field.defaultValue)), parent);
    box->setObjectName(QString::fromLatin1(name));
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

}  // namespace

SettingsPanel::SettingsPanel(Dialogs& dialogs, ProjectState& state, QString currentDir,
                             Frames frames, std::function<void()> advancedToggle, QObject* parent)
    : QObject(parent),
      dialogs_(dialogs),
      state_(state),
      currentDir_(std::move(currentDir)),
      advancedToggle_(std::move(advancedToggle)),
      window_(frames.colours->window()),
      importDialog_(QStringLiteral("BACK(*.*) (*)"),
                    QString::fromLatin1(images::kSettingsFileName)) {
    setObjectName(QStringLiteral("settingsPanel"));
    buildColourFrame(frames.colours);
    buildPositionFrame(frames.positions);
    buildHintFrame(frames.hint);
    bindToState();

    connect(paletteButton_, &QPushButton::clicked, this, &SettingsPanel::paletteRequested);
    connect(writeColoursButton_, &QPushButton::clicked, this,
            [this] { writeGroup(Group::Colours); });
    connect(defaultColoursButton_, &QPushButton::clicked, this, &SettingsPanel::resetColours);
    connect(importButton_, &QPushButton::clicked, this, &SettingsPanel::importBackFile);
    connect(writePositionsButton_, &QPushButton::clicked, this,
            [this] { writeGroup(Group::Positions); });
    connect(defaultPositionsButton_, &QPushButton::clicked, this, &SettingsPanel::resetPositions);
    connect(writeHintButton_, &QPushButton::clicked, this, &SettingsPanel::writeHintFlag);
}

void SettingsPanel::bindToState() {
    // Both directions end where the value is unchanged: the state's setters
    // and the controls signal only a real change.
    for (std::uint8_t offset = 0; offset < boxAt_.size(); ++offset) {
        QLineEdit* box = boxAt_[offset];
        if (!box) continue;
        state_.setFieldText(offset, box->text());
        connect(box, &QLineEdit::textChanged, this,
                [this, offset](const QString& text) { state_.setFieldText(offset, text); });
    }
    connect(&state_, &ProjectState::fieldTextChanged, this,
            [this](std::uint8_t offset, const QString& text) {
                if (QLineEdit* box = boxAt_.at(offset)) box->setText(text);
            });
    state_.setHintOn(hintCheck_->isChecked());
    connect(hintCheck_, &QCheckBox::toggled, &state_, &ProjectState::setHintOn);
    connect(&state_, &ProjectState::hintOnChanged, hintCheck_, &QCheckBox::setChecked);
    state_.setSettingsPath(importDialog_.fileName());
}

void SettingsPanel::buildColourFrame(QGroupBox* frame) {
    const char* rowLabels[] = {"Label14", "Label15", "Label16"};
    const QString rowCaptions[] = {QStringLiteral("列表文字颜色   R G B"),
                                   QStringLiteral("选中文字颜色   R G B"),
                                   QStringLiteral("电子书文字颜色 R G B")};
    for (int row = 0; row < 3; ++row) {
        const int top = kColourTop + row * kColourPitch;
        makeLabel(frame, rowLabels[row], rowCaptions[row], 8, top, kColourBoxLeft - 12);
        for (int column = 0; column < 3; ++column) {
            const std::size_t i = static_cast<std::size_t>(row * 3 + column);
            colourBoxes_[i] = makeBox(frame, kColourBoxNames[i], settings::kColourFields[i],
                                      kColourBoxLeft + column * kColourBoxPitch, top);
            boxAt_[settings::kColourFields[i].offset] = colourBoxes_[i];
        }
    }

    makeLabel(frame, "Label20", QStringLiteral("所有数据请输入0到255之间的整数"), 8, kColourHintTop,
              265);
    paletteButton_ = makeButton(frame, "Command13", QStringLiteral("调色板(&P)"),
                                QRect(8, kColourButtonTop, 84, kButtonHeight));
    writeColoursButton_ = makeButton(frame, "Command8", QStringLiteral("写入修改(&F)"),
                                     QRect(99, kColourButtonTop, 84, kButtonHeight));
    defaultColoursButton_ = makeButton(frame, "Command6", QStringLiteral("默认颜色(&C)"),
                                       QRect(190, kColourButtonTop, 84, kButtonHeight));
}

void SettingsPanel::buildPositionFrame(QGroupBox* frame) {
    makeLabel(frame, "Label18", QStringLiteral("X 轴"), kPositionXLeft + 4, kPositionHeadTop,
              kBoxWidth);
    makeLabel(frame, "Label19", QStringLiteral("Y 轴"), kPositionYLeft + 4, kPositionHeadTop,
              kBoxWidth);

    struct RowLabel {
        const char* name;
        const char* caption;
    };
    const RowLabel rowLabels[] = {
        {"Label17", "  电影"},   {"Label21", "  音乐"},  {"Label23", "图片浏览"},
        {"Label24", " FC游戏"},  {"Label22", " 电子书"}, {"Label26", "  选项"},
        {"Label25", "文件列表"},
    };
    for (int row = 0; row < 7; ++row) {
        const int top = kPositionTop + row * kPositionPitch;
        makeLabel(frame, rowLabels[row].name, QString::fromUtf8(rowLabels[row].caption), 8, top,
                  kPositionXLeft - 12);
        const std::size_t x = static_cast<std::size_t>(row * 2);
        positionBoxes_[x] =
            makeBox(frame, kPositionBoxNames[x], settings::kPositionFields[x], kPositionXLeft, top);
        positionBoxes_[x + 1] = makeBox(frame, kPositionBoxNames[x + 1],
                                        settings::kPositionFields[x + 1], kPositionYLeft, top);
    }
    for (std::size_t i = 0; i < positionBoxes_.size(); ++i)
        boxAt_[settings::kPositionFields[i].offset] = positionBoxes_[i];

    const auto slot = [](int i) {
        return QRect(kPositionButtonLeft, kPositionButtonTop + i * kPositionButtonPitch,
                     kPositionButtonWidth, kButtonHeight);
    };
    importButton_ = makeButton(frame, "Command11", QStringLiteral("导入&BACK文件"), slot(0));
    writePositionsButton_ = makeButton(frame, "Command9", QStringLiteral("写入修改(&W)"), slot(1));
    defaultPositionsButton_ =
        makeButton(frame, "Command5", QStringLiteral("默认位置(&N)"), slot(2));
}

QRect SettingsPanel::previewButtonGeometry(int slot) {
    // Below import, write and reset, whose slots are 0 to 2.
    return QRect(kPositionButtonLeft, kPositionButtonTop + (3 + slot) * kPositionButtonPitch,
                 kPositionButtonWidth, kButtonHeight);
}

void SettingsPanel::buildHintFrame(QGroupBox* frame) {
    hintCheck_ = new QCheckBox(QStringLiteral("开启主界面提示文字"), frame);
    hintCheck_->setObjectName(QStringLiteral("Check1"));
    hintCheck_->setGeometry(8, 20, 170, kRowHeight);
    writeHintButton_ = makeButton(frame, "Command10", QStringLiteral("写入修改(&M)"),
                                  QRect(190, 18, 84, kButtonHeight));
}

QString SettingsPanel::folderBack() const {
    return state_.folder() + QLatin1String(images::kSettingsFileName);
}

QString SettingsPanel::tablePath() const {
    return dataFilePath(currentDir_, settings::kTableFileName);
}

void SettingsPanel::showTablePath() {
    const QString tip = QStringLiteral("通过字节表写入：") + tablePath();
    for (QPushButton* button : {writeColoursButton_, writePositionsButton_, writeHintButton_})
        button->setToolTip(tip);
}

std::vector<std::string> SettingsPanel::textsOf(Group group) const {
    std::vector<std::string> texts;
    const Field* fields = settings::fieldsOf(group);
    for (std::size_t i = 0; i < settings::fieldCountOf(group); ++i)
        texts.push_back(toStd(state_.fieldText(fields[i].offset)));
    return texts;
}

void SettingsPanel::fill(const settings::Record& record) {
    for (const Field& field : settings::kColourFields)
        state_.setFieldText(field.offset, fromStd(settings::byteText(record[field.offset])));
    for (const Field& field : settings::kPositionFields)
        state_.setFieldText(field.offset, fromStd(settings::byteText(record[field.offset])));
    state_.setHintOn(settings::hintFlagOn(record));
}

void SettingsPanel::loadFolderSettings() {
    showTablePath();
    // The folder's BACK is the target from now on, even when it turns out unusable.
    state_.setSettingsPath(folderBack());
    const auto record = settings::readRecord(toStd(state_.settingsPath()));
    if (!record) {
        dialogs_.message(window_, kWrongBackFile);
        return;
    }
    fill(record.value());
    advancedToggle_();
}

void SettingsPanel::importBackFile() {
    // The dialog starts from the current settings file; a cancel keeps the
    // target and the unsaved edits in the boxes.
    importDialog_.setFileName(state_.settingsPath());
    if (!importDialog_.show(dialogs_, window_)) return;
    if (importDialog_.fileName().isEmpty()) return;
    state_.setSettingsPath(importDialog_.fileName());

    const auto record = settings::readRecord(toStd(state_.settingsPath()));
    if (!record) {
        dialogs_.message(window_, kWrongBackFile);
        state_.setSettingsPath(folderBack());
        return;
    }
    fill(record.value());
}

void SettingsPanel::focusField(std::uint8_t offset) {
    QLineEdit* box = boxAt_.at(offset);
    if (!box) return;
    box->setFocus();
    box->selectAll();
}

void SettingsPanel::finishWrite(const Result<void>& written, std::optional<Group> group) {
    showTablePath();
    if (written) {
        dialogs_.message(window_, kDone);
        return;
    }
    const Error& error = written.error();
    if (error.path == toStd(tablePath())) {
        dialogs_.message(window_, fromStd(byteTableWriteMessage(error)));
        return;
    }
    if (!group || !error.field) {
        dialogs_.message(window_, fromStd(settingsWriteMessage(error)));
        return;
    }
    const Field& field = settings::fieldsOf(*group)[*error.field];
    const bool isNumber = settings::parseDecimal(toStd(state_.fieldText(field.offset))).has_value();
    dialogs_.message(window_, fromStd(fieldRefusalMessage(field.offset, isNumber)));
    // After the message box, so that closing it does not take the focus back.
    focusField(field.offset);
}

project::Project* SettingsPanel::projectOfTarget() const {
    // The folder's BACK is the project's to write; an imported file elsewhere
    // is the user's own target, written as it stands.
    project::Project* core = state_.project();
    if (!core || !core->isOpen() || state_.settingsPath() != fromStd(core->settingsPath()))
        return nullptr;
    core->setByteTablePath(toStd(tablePath()));
    return core;
}

void SettingsPanel::writeGroup(Group group) {
    if (project::Project* core = projectOfTarget()) {
        finishWrite(core->writeGroupTexts(group, textsOf(group)), group);
        return;
    }
    finishWrite(settings::writeGroup(toStd(state_.settingsPath()), toStd(tablePath()), group,
                                     textsOf(group)),
                group);
}

void SettingsPanel::writeHintFlag() {
    if (project::Project* core = projectOfTarget()) {
        finishWrite(core->writeHintFlag(state_.hintOn()), std::nullopt);
        return;
    }
    finishWrite(
        settings::writeHintFlag(toStd(state_.settingsPath()), toStd(tablePath()), state_.hintOn()),
        std::nullopt);
}

void SettingsPanel::resetColours() {
    for (const Field& field : settings::kColourFields)
        state_.setFieldText(field.offset, fromStd(settings::byteText(field.defaultValue)));
}

void SettingsPanel::resetPositions() {
    for (const Field& field : settings::kPositionFields)
        state_.setFieldText(field.offset, fromStd(settings::byteText(field.defaultValue)));
}

}  // namespace vireo::ui
