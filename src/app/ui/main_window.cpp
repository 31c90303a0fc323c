#include "app/ui/main_window.h"

#include "app/ui/dialogs.h"
#include "app/ui/window_style.h"
#include "base/binary_file.h"
#include "colour/ui/colour_picker.h"
#include "images/verification.h"
#include "messages/error_text.h"
#include "preview/ui/icon_preview.h"
#include "settings/ui/settings_panel.h"
#include "skin/generation.h"
#include "skin/skin_layout.h"
#include "unpack/ui/unpacker_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace vireo::ui {

namespace {

using images::Source;

constexpr int px(int twips) {
    return twips / 15;
}

// The rows of the source list, top to bottom, as the window shows them.
struct Row {
    int top;  // twips
    const char* roleLabel;
    Source source;
};
constexpr std::array<Row, 12> kRows = {{
    {120, "Label3", Source::MovieIcon},
    {360, "Label4", Source::MusicIcon},
    {600, "Label5", Source::EbookIcon},
    {840, "Label6", Source::PictureIcon},
    {1080, "Label27", Source::GameIcon},
    {1320, "Label7", Source::OptionsIcon},
    {1560, "Label2", Source::MainBackground},
    {1800, "Label9", Source::TreeBackground},
    {2040, "Label1", Source::EbookBackground},
    {2280, "Label10", Source::FolderIcon},
    {2520, "Label12", Source::ParentFolderIcon},
    {2760, "Label11", Source::MusicBackground},
}};
constexpr int kStatusTop = 3000;

const QString kCaption = QStringLiteral("VIREO 皮肤生成器 for tern");
const QString kAdvanced = QStringLiteral("高级(&A)");
const QString kHide = QStringLiteral("隐藏(&H)");

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(px(left), px(top));
    label->adjustSize();
    return label;
}

void setAutoSizedText(QLabel* label, const QString& text) {
    label->setText(text);
    label->adjustSize();
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, int left,
                        int width) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(px(left), px(3360), px(width), px(375));
    return button;
}

QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& caption, int left,
                     int top, int width, int height) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    frame->setGeometry(px(left), px(top), px(width), px(height));
    return frame;
}

}  // namespace

QLabel* MainWindow::* const MainWindow::kPathLabels[images::kSourceCount] = {
    &MainWindow::fmain1, &MainWindow::ftree1,  &MainWindow::febook1, &MainWindow::fmovie1,
    &MainWindow::fmusic1, &MainWindow::febook2, &MainWindow::fhelp1,  &MainWindow::fgame1,
    &MainWindow::fimage1, &MainWindow::ft1,     &MainWindow::fu1,     &MainWindow::fmu1,
};

MainWindow::MainWindow(Dialogs& dialogs, QString currentDir, QWidget* parent)
    : QWidget(parent, kFixedWindowFlags),
      dialogs_(dialogs),
      currentDir_(std::move(currentDir)),
      cd1_(QStringLiteral("(*.bmp)"), QString::fromLatin1(images::kMainFileTitle)),
      Cd2_(QStringLiteral("BACK(*.*) (*)"), QString::fromLatin1(images::kSettingsFileName)) {
    setUpWindow(this, QStringLiteral("Form1"), kCaption);

    for (const Row& row : kRows) {
        const auto& image = images::sourceImage(row.source);
        makeLabel(this, QString::fromLatin1(row.roleLabel), QString::fromUtf8(image.role), 120,
                  row.top);
        // Before the first choice each path label shows its own name.
        QLabel* path = makeLabel(this, QString::fromLatin1(image.pathLabel),
                                 QString::fromLatin1(image.pathLabel), 1440, row.top);
        this->*kPathLabels[static_cast<std::size_t>(row.source)] = path;
    }
    makeLabel(this, QStringLiteral("Label8"), QStringLiteral("文件状态确认"), 120, kStatusTop);
    test1 = makeLabel(this, QStringLiteral("test1"), QStringLiteral("状态未知"), 1440, kStatusTop);

    Command1 = makeButton(this, QStringLiteral("Command1"), QStringLiteral("打开文件(&O)"), 120, 1215);
    Command2 = makeButton(this, QStringLiteral("Command2"), QStringLiteral("生成皮肤(&C)"), 1560, 1215);
    Label13 = new QLabel(QStringLiteral("选择文件时请打开main256.bmp 其他文件会自动读入，请务必确定所有图片都在相同目录下"), this);
    Label13->setObjectName(QStringLiteral("Label13"));
    Label13->setWordWrap(true);
    Label13->setGeometry(px(2880), px(3360), px(3675), px(435));
    Command4 = makeButton(this, QStringLiteral("Command4"), kAdvanced, 6600, 855);
    Command3 = makeButton(this, QStringLiteral("Command3"), QStringLiteral("退出(&X)"), 7560, 855);

    Frame1 = makeFrame(this, QStringLiteral("Frame1"), QStringLiteral("颜色设定"), 120, 4200, 4215, 2175);
    Frame2 = makeFrame(this, QStringLiteral("Frame2"), QStringLiteral("图标位置设定"), 4440, 4200, 3975, 3015);
    Frame3 = makeFrame(this, QStringLiteral("Frame3"), QStringLiteral("杂项设定"), 120, 6480, 4215, 735);

    settingsPanel_ = new SettingsPanel(dialogs_, sourceFolder_, Cd2_, currentDir_, {Frame1, Frame2, Frame3},
                                       [this] { advancedToggle(); }, this);
    preview_ = new IconPreview(dialogs_, this, Frame2,
                               {fmain1, fmovie1, fmusic1, febook2, fgame1, fhelp1, fimage1},
                               *settingsPanel_, this);

    connect(Command1, &QPushButton::clicked, this, &MainWindow::openSourceSet);
    connect(Command2, &QPushButton::clicked, this, &MainWindow::generateSkin);
    connect(Command3, &QPushButton::clicked, this, &MainWindow::exitAll);
    connect(Command4, &QPushButton::clicked, this, &MainWindow::advancedToggle);
    connect(settingsPanel_, &SettingsPanel::paletteRequested, this, &MainWindow::showColourPicker);

    // Load step: nothing to generate yet, and the panel starts hidden.
    Command2->setEnabled(false);
    Command4->setEnabled(false);
    setFixedSize(kClientWidth, kCompactHeight);
}

QLabel* MainWindow::pathLabel(Source source) const {
    return this->*kPathLabels[static_cast<std::size_t>(source)];
}

void MainWindow::advancedToggle() {
    if (height() == kCompactHeight) {
        setFixedHeight(kExpandedHeight);
        Command4->setText(kHide);
    } else {
        Command4->setText(kAdvanced);
        setFixedHeight(kCompactHeight);
    }
}

void MainWindow::openSourceSet() {
    // A cancelled dialog keeps its last choice, so the checks run again on it;
    // before any choice its file title is empty and is refused below.
    cd1_.show(dialogs_, this);
    if (cd1_.fileTitle() != QLatin1String(images::kMainFileTitle)) {
        dialogs_.message(this, QStringLiteral("请打开main256.bmp"));
        return;
    }

    sourceFolder_ = cd1_.folder();
    const auto run = images::verifySourceSet(toStd(sourceFolder_), toStd(currentDir_));
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        setAutoSizedText(pathLabel(static_cast<Source>(i)), fromStd(run.paths[i]));
    Cd2_.setFileName(fromStd(run.settingsPath));
    setAutoSizedText(test1, fromStd(run.report));

    Command2->setEnabled(run.passed());
    if (run.passed()) Command4->setEnabled(true);
    // Every run that found all the files ends with the settings load, pass or fail.
    if (run.reachedLengthCheck()) settingsPanel_->LoadBackFile();
}

images::SourcePaths MainWindow::pathsFromLabels() const {
    images::SourcePaths paths;
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        paths[i] = toStd(pathLabel(static_cast<Source>(i))->text());
    return paths;
}

void MainWindow::generateSkin() {
    const std::string settings = toStd(Cd2_.fileName());
    if (fileLength(settings) != images::kSettingsLength) {
        dialogs_.message(this, QStringLiteral("BACK文件找不到或大小不正确，不能生成皮肤"));
        return;
    }

    Command3->setEnabled(false);
    Command1->setEnabled(false);
    Command2->setEnabled(false);

    const std::string output = toStd(sourceFolder_) + "BACKIMG";
    const auto written = skin::generateSkin({pathsFromLabels(), settings}, output);
    if (written) {
        dialogs_.message(this, QStringLiteral("完成！"));
        if (fileLength(output) != skin::kSkinLength)
            dialogs_.message(this, QStringLiteral("文件大小错误"));
    } else {
        dialogs_.message(this, fromStd(describe(written.error())));
    }

    Command1->setEnabled(true);
    Command3->setEnabled(true);
}

void MainWindow::exitAll() {
    if (Form2) Form2->close();
    if (Form3) Form3->close();
    close();
}

namespace {

// Brings a secondary window forward, making it first when there is none.
template <typename Window, typename Make>
void showSecondary(QPointer<Window>& window, Make make) {
    if (!window) {
        window = make();
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

void MainWindow::showUnpacker() {
    showSecondary(Form2, [this] { return new UnpackerWindow(dialogs_, currentDir_); });
}

void MainWindow::showColourPicker() {
    showSecondary(Form3, [] { return new ColourPicker(); });
}

void MainWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    // Labels and frames pass presses on to the window; they are not its background.
    if (childAt(event->position().toPoint()) == nullptr) showUnpacker();
}

}  // namespace vireo::ui
