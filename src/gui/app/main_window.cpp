#include "gui/app/main_window.h"

#include "core/artwork/doctor.h"
#include "core/base/binary_file.h"
#include "core/images/verification.h"
#include "core/messages/doctor_text.h"
#include "core/messages/error_text.h"
#include "core/messages/role_names.h"
#include "core/messages/verification_text.h"
#include "core/settings/byte_table.h"
#include "core/skin/generation.h"
#include "core/skin/skin_layout.h"
#include "gui/colour/colour_picker.h"
#include "gui/preview/icon_preview.h"
#include "gui/settings/settings_panel.h"
#include "gui/unpack/unpacker_window.h"
#include "gui/widgets/data_files.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/project_state.h"
#include "gui/widgets/std_text.h"
#include "gui/widgets/window_style.h"
#include "gui/workbench/workbench_window.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

namespace vireo::ui {

namespace {

using images::Source;

// The rows of the source list, top to bottom, as the window shows them.
struct Row {
    int top;  // twips
    const char* roleLabel;
    Source source;
};
constexpr std::array<Row, 12> kSourceRows = {{
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

MainWindow::MainWindow(Dialogs& dialogs, QString currentDir, QWidget* parent)
    : QWidget(parent, kFixedWindowFlags),
      dialogs_(dialogs),
      currentDir_(std::move(currentDir)),
      sourceDialog_(QStringLiteral("(*.bmp)"), QString::fromLatin1(images::kMainFileTitle)),
      state_(new ProjectState(this)),
      project_(std::make_unique<project::Project>(
          decoder_, toStd(vireo::ui::dataFilePath(currentDir_, settings::kTableFileName)))) {
    setUpWindow(this, QStringLiteral("Form1"), kCaption);
    state_->setProject(project_.get());

    makeSourceRows();
    makeButtons();
    connectActions();
    makeBackgroundMenu();

    // Load step: nothing to generate yet, and the panel starts hidden.
    generateButton_->setEnabled(false);
    advancedButton_->setEnabled(false);
    setFixedSize(kClientWidth, kCompactHeight);
}

void MainWindow::makeSourceRows() {
    for (const Row& row : kSourceRows) {
        const auto& image = images::sourceImage(row.source);
        makeLabel(this, QString::fromLatin1(row.roleLabel), QString::fromUtf8(roleName(row.source)),
                  120, row.top);
        // Before the first choice each path label shows its own name.
        pathLabels_[static_cast<std::size_t>(row.source)] =
            makeLabel(this, QString::fromLatin1(image.pathLabel),
                      QString::fromLatin1(image.pathLabel), 1440, row.top);
    }
    makeLabel(this, QStringLiteral("Label8"), QStringLiteral("文件状态确认"), 120, kStatusTop);
    statusLabel_ =
        makeLabel(this, QStringLiteral("test1"), QStringLiteral("状态未知"), 1440, kStatusTop);
}

void MainWindow::makeButtons() {
    openButton_ =
        makeButton(this, QStringLiteral("Command1"), QStringLiteral("打开文件(&O)"), 120, 1215);
    generateButton_ =
        makeButton(this, QStringLiteral("Command2"), QStringLiteral("生成皮肤(&C)"), 1560, 1215);
    auto* note = new QLabel(
        QStringLiteral(
            "选择文件时请打开main256.bmp 其他文件会自动读入，请务必确定所有图片都在相同目录下"),
        this);
    note->setObjectName(QStringLiteral("Label13"));
    note->setWordWrap(true);
    note->setGeometry(px(2880), px(3360), px(3675), px(435));
    advancedButton_ = makeButton(this, QStringLiteral("Command4"), kAdvanced, 6600, 855);
    exitButton_ =
        makeButton(this, QStringLiteral("Command3"), QStringLiteral("退出(&X)"), 7560, 855);
}

void MainWindow::ensureSettingsArea() {
    if (settingsPanel_) return;
    auto* colourFrame = makeFrame(this, QStringLiteral("Frame1"), QStringLiteral("颜色设定"), 120,
                                  4200, 4215, 2175);
    auto* positionFrame = makeFrame(this, QStringLiteral("Frame2"), QStringLiteral("图标位置设定"),
                                    4440, 4200, 3975, 3015);
    auto* hintFrame =
        makeFrame(this, QStringLiteral("Frame3"), QStringLiteral("杂项设定"), 120, 6480, 4215, 735);

    settingsPanel_ = new SettingsPanel(
        dialogs_, *state_, currentDir_, {colourFrame, positionFrame, hintFrame},
        [this] { advancedToggle(); }, this);
    preview_ = new IconPreview(dialogs_, *state_, this, positionFrame, this);
    connect(settingsPanel_, &SettingsPanel::paletteRequested, this, &MainWindow::showColourPicker);
    connect(preview_, &IconPreview::positionRefused, settingsPanel_, &SettingsPanel::focusField);
    // Children made after the window is shown stay hidden until shown.
    for (QGroupBox* frame : {colourFrame, positionFrame, hintFrame}) frame->show();
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // Queued, so that the frame being painted is not held up by it.
    if (!settingsPanel_)
        QMetaObject::invokeMethod(this, &MainWindow::ensureSettingsArea, Qt::QueuedConnection);
}

ProjectState& MainWindow::projectState() {
    ensureSettingsArea();
    return *state_;
}

void MainWindow::connectActions() {
    connect(openButton_, &QPushButton::clicked, this, &MainWindow::openSourceSet);
    connect(generateButton_, &QPushButton::clicked, this, &MainWindow::generateSkin);
    connect(exitButton_, &QPushButton::clicked, this, &MainWindow::exitAll);
    connect(advancedButton_, &QPushButton::clicked, this, &MainWindow::advancedToggle);
    connect(state_, &ProjectState::sourceSetChanged, this, [this] {
        showSourcePaths();
        // One project: a folder opened in another window is verified here as well.
        if (!state_->folder().isEmpty() && state_->folder() != verifiedFolder_)
            verifyFolder(state_->folder());
    });
}

void MainWindow::makeBackgroundMenu() {
    backgroundMenu_ = new QMenu(this);
    backgroundMenu_->setObjectName(QStringLiteral("backgroundMenu"));
    backgroundMenu_->addAction(QStringLiteral("解包窗口"), this, &MainWindow::showUnpacker);
    backgroundMenu_->addAction(QStringLiteral("调色板"), this, &MainWindow::showColourPicker);
    backgroundMenu_->addAction(QStringLiteral("工作台"), this, &MainWindow::showWorkbench);
    backgroundMenu_->addAction(QStringLiteral("打开皮肤…"), this, &MainWindow::openSkin);
}

MainWindow::~MainWindow() {
    // The state is a child and outlives the members; it must not keep the project.
    state_->setProject(nullptr);
}

void MainWindow::advancedToggle() {
    ensureSettingsArea();
    if (height() == kCompactHeight) {
        setFixedHeight(kExpandedHeight);
        advancedButton_->setText(kHide);
    } else {
        advancedButton_->setText(kAdvanced);
        setFixedHeight(kCompactHeight);
    }
}

void MainWindow::showSourcePaths() {
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        setAutoSizedText(pathLabels_[i], state_->sourcePaths()[i]);
}

void MainWindow::openSourceSet() {
    // A cancelled dialog keeps its last choice, so the checks run again on it;
    // before any choice its file title is empty and is refused below.
    sourceDialog_.show(dialogs_, this);
    if (sourceDialog_.fileTitle() != QLatin1String(images::kMainFileTitle)) {
        dialogs_.message(this, QStringLiteral("请打开main256.bmp"));
        return;
    }

    // Moves made in the workbench and not yet written are asked about, not dropped.
    if (workbench_ && !workbench_->unwrittenSettled()) return;
    verifyFolder(sourceDialog_.folder());
}

void MainWindow::verifyFolder(const QString& folder) {
    ensureSettingsArea();
    verifiedFolder_ = folder;
    // The project follows; a folder it cannot take is still verified and reported.
    if (!project_->isOpen() || fromStd(project_->folder()) != folder)
        (void)project_->openFolder(toStd(folder));
    const auto run = images::verifySourceSet(
        toStd(folder), toStd(dataFolderFor(currentDir_, images::kSettingsFileName)));
    std::array<QString, images::kSourceCount> paths;
    for (std::size_t i = 0; i < images::kSourceCount; ++i) paths[i] = fromStd(run.paths[i]);
    state_->setSourceSet(folder, paths, run.passed());
    state_->setSettingsPath(fromStd(run.settingsPath));
    setAutoSizedText(statusLabel_, fromStd(verificationReport(run)));
    showDoctorFindings(run.passed());

    generateButton_->setEnabled(run.passed());
    if (run.passed()) advancedButton_->setEnabled(true);
    // Every run that found all the files ends with the settings load, pass or fail.
    if (run.reachedLengthCheck()) settingsPanel_->loadFolderSettings();
}

void MainWindow::showDoctorFindings(bool passed) {
    // The report names the first fault only; the tooltip lists every file's.
    QString findings;
    if (!passed) {
        const std::string settings = toStd(state_->settingsPath());
        const auto report = artwork::doctorFolder(
            toStd(state_->folder()), settings.empty() ? std::nullopt : std::optional(settings));
        if (!report) {
            findings = fromStd(describe(report.error()));
        } else {
            QStringList lines;
            for (const auto& file : report.value().files) {
                if (file.findings.empty()) continue;
                lines << fromStd(file.file) + QStringLiteral("：");
                for (const auto& finding : file.findings) {
                    const ProblemText text = file.settingsFile
                                                 ? describeSettingsFinding(file.file, finding)
                                                 : describeFinding(file.file, finding);
                    lines << QStringLiteral("    ") + fromStd(text.message) +
                                 QStringLiteral(" — ") + fromStd(windowFixFor(finding.code));
                }
            }
            findings = lines.join('\n');
        }
    }
    statusLabel_->setToolTip(findings);
}

void MainWindow::generateSkin() {
    const std::string settings = toStd(state_->settingsPath());
    if (fileLength(settings) != images::kSettingsLength) {
        dialogs_.message(this, QStringLiteral("BACK文件找不到或大小不正确，不能生成皮肤"));
        return;
    }

    exitButton_->setEnabled(false);
    openButton_->setEnabled(false);
    generateButton_->setEnabled(false);

    images::SourcePaths paths;
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        paths[i] = toStd(state_->sourcePaths()[i]);
    const std::string output = toStd(state_->folder()) + images::kSkinFileName;
    const auto written = skin::generateSkin({paths, settings}, output);
    if (written) {
        dialogs_.message(this, QString::fromUtf8(kDoneSentence));
        if (fileLength(output) != skin::kSkinLength)
            dialogs_.message(this, QStringLiteral("文件大小错误"));
    } else {
        dialogs_.message(this, fromStd(describe(written.error())));
    }

    openButton_->setEnabled(true);
    exitButton_->setEnabled(true);
}

void MainWindow::exitAll() {
    if (unpackerWindow_) unpackerWindow_->close();
    if (colourPicker_) colourPicker_->close();
    if (workbench_) workbench_->close();
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
    showSecondary(unpackerWindow_, [this] { return new UnpackerWindow(dialogs_, currentDir_); });
}

void MainWindow::showColourPicker() {
    showSecondary(colourPicker_, [] { return new ColourPicker(); });
}

void MainWindow::showWorkbench() {
    // The workbench shows the fields, which the panel gives their starting texts.
    ensureSettingsArea();
    showSecondary(workbench_, [this] {
        return new workbench::ui::WorkbenchWindow(dialogs_, *state_, currentDir_);
    });
}

void MainWindow::openSkin() {
    showWorkbench();
    workbench_->openSkin();
}

void MainWindow::openPath(const QString& path) {
    const QFileInfo info(path);
    const bool sources = info.isDir() || info.fileName() == QLatin1String(images::kMainFileTitle);
    showWorkbench();
    if (!sources) {
        workbench_->openSkinFile(info.absoluteFilePath());
        return;
    }
    const QString folder = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
    workbench_->openFolderAt(folder.endsWith('/') ? folder : folder + '/');
}

void MainWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    // Labels and frames pass presses on to the window; they are not its background.
    if (childAt(event->position().toPoint()) == nullptr) showUnpacker();
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (childAt(event->pos()) != nullptr) return;
    backgroundMenu_->popup(event->globalPos());
}

}  // namespace vireo::ui
