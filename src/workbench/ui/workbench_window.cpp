#include "workbench/ui/workbench_window.h"

#include "artwork/qt/qt_picture_formats.h"
#include "images/picture.h"
#include "images/verification.h"
#include "messages/error_text.h"
#include "settings/write.h"
#include "skin/generation.h"
#include "skin/skin_layout.h"
#include "widgets/data_files.h"
#include "widgets/dialogs.h"
#include "widgets/project_state.h"
#include "widgets/std_text.h"
#include "widgets/window_style.h"
#include "workbench/ui/screen_canvas.h"
#include "workbench/ui/screen_texts.h"
#include "workbench/ui/share_actions.h"
#include "workbench/ui/slot_view.h"

#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QCoreApplication>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QUndoCommand>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>

namespace vireo::workbench::ui {

namespace {

using images::Source;

constexpr char kUnwrittenNotice[] =
    "图标位置或文字颜色尚未写入BACK，本次生成使用BACK中的设定";

using skin::Screen;
using vireo::ui::fromStd;
using vireo::ui::toStd;

// The byte the panel's text for the field would store, rounded as a write rounds it.
std::optional<int> storedValue(const vireo::ui::ProjectState& state, std::uint8_t offset) {
    const auto value = settings::storedValueOf(offset, toStd(state.fieldText(offset)));
    if (!value) return std::nullopt;
    return *value;
}

// The slot's file, or nothing when it cannot be read whole.
std::optional<Bytes> slotFile(const QString& path) {
    auto bytes = readWholeFile(toStd(path), images::kPictureReadLimit);
    if (!bytes) return std::nullopt;
    return std::move(bytes).value();
}

QImage imageOf(const skin::Picture& picture) {
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y) {
        std::copy_n(picture.pixels.data() + static_cast<std::size_t>(y) * picture.width,
                    picture.width, reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
    }
    return image;
}

}  // namespace

// A move of one icon: both fields go into the state together.
class WorkbenchWindow::MoveIconCommand : public QUndoCommand {
public:
    MoveIconCommand(WorkbenchWindow& window, std::size_t icon, Position from, Position to)
        : QUndoCommand(QStringLiteral("移动图标")), window_(window), icon_(icon), from_(from),
          to_(to) {}
    void redo() override { window_.applyPosition(icon_, to_); }
    void undo() override { window_.applyPosition(icon_, from_); }

private:
    WorkbenchWindow& window_;
    std::size_t icon_;
    Position from_;
    Position to_;
};

// A picture put into a slot's file; undo writes back the bytes it replaced.
class WorkbenchWindow::ReplaceSlotCommand : public QUndoCommand {
public:
    ReplaceSlotCommand(WorkbenchWindow& window, QString path, std::optional<Bytes> before,
                       Bytes after)
        : QUndoCommand(QStringLiteral("替换图片")), window_(window), path_(std::move(path)),
          before_(std::move(before)), after_(std::move(after)) {}
    void redo() override {
        // The first write happened before the command was pushed.
        if (written_) window_.writeSlot(path_, after_);
        written_ = true;
    }
    void undo() override { window_.writeSlot(path_, before_); }

private:
    WorkbenchWindow& window_;
    QString path_;
    std::optional<Bytes> before_;
    Bytes after_;
    bool written_ = false;
};

WorkbenchWindow::WorkbenchWindow(vireo::ui::Dialogs& dialogs, vireo::ui::ProjectState& state,
                                 const QString& currentDir, QWidget* parent)
    : QWidget(parent, Qt::Window), dialogs_(dialogs), state_(state), currentDir_(currentDir),
      undoStack_(new QUndoStack(this)) {
    vireo::ui::setUpWindow(this, QStringLiteral("Form4"), QStringLiteral("VIREO 皮肤工作台"));

    openButton_ = new QPushButton(QStringLiteral("打开文件夹(&O)"), this);
    openButton_->setObjectName(QStringLiteral("openButton"));
    screenChoice_ = new QComboBox(this);
    screenChoice_->setObjectName(QStringLiteral("screenChoice"));
    screenChoice_->addItems({QStringLiteral("主界面"), QStringLiteral("目录树"),
                             QStringLiteral("电子书"), QStringLiteral("音乐播放")});
    zoomChoice_ = new QComboBox(this);
    zoomChoice_->setObjectName(QStringLiteral("zoomChoice"));
    for (int zoom = 1; zoom <= 4; ++zoom) zoomChoice_->addItem(QStringLiteral("%1×").arg(zoom));
    gridChoice_ = new QComboBox(this);
    gridChoice_->setObjectName(QStringLiteral("gridChoice"));
    for (int grid : kGridSteps)
        gridChoice_->addItem(grid ? QStringLiteral("网格 %1").arg(grid) : QStringLiteral("无网格"));
    generateButton_ = new QPushButton(QStringLiteral("生成皮肤"), this);
    generateButton_->setObjectName(QStringLiteral("generateButton"));
    exportButton_ = new QPushButton(QStringLiteral("导出PNG"), this);
    exportButton_->setObjectName(QStringLiteral("exportButton"));

    auto* tools = new QHBoxLayout;
    tools->addWidget(openButton_);
    tools->addWidget(screenChoice_);
    tools->addWidget(zoomChoice_);
    tools->addWidget(gridChoice_);
    tools->addStretch();
    tools->addWidget(generateButton_);
    tools->addWidget(exportButton_);
    addShareButtons(tools);

    canvas_ = new ScreenCanvas;
    canvas_->setObjectName(QStringLiteral("screenCanvas"));
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(canvas_);
    scroll->setMinimumSize(4 * 120 + 4, 4 * 80 + 4);
    scroll->setAlignment(Qt::AlignCenter);

    // The slots scroll, so that the window also fits a small screen.
    auto* slotPanel = new QWidget;
    auto* slotGrid = new QGridLayout(slotPanel);
    slotGrid->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        auto* view = new SlotView(static_cast<Source>(i), slotPanel);
        slotViews_[i] = view;
        slotGrid->addWidget(view, static_cast<int>(i / 4), static_cast<int>(i % 4));
        slotGrid->setColumnStretch(static_cast<int>(i % 4), 1);
        connect(view, &SlotView::fileOffered, this,
                [this](int slot, const QString& path) { replaceSlot(static_cast<Source>(slot), path); });
        connect(view, &SlotView::chooseRequested, this,
                [this](int slot) { chooseForSlot(static_cast<Source>(slot)); });
        connect(view, &SlotView::remapRequested, this,
                [this](int slot) { remapSlot(static_cast<Source>(slot)); });
    }

    statusLabel_ = new QLabel(this);
    statusLabel_->setObjectName(QStringLiteral("statusLabel"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    auto* slotScroll = new QScrollArea(this);
    slotScroll->setWidget(slotPanel);
    slotScroll->setWidgetResizable(true);
    slotScroll->setFrameShape(QFrame::NoFrame);
    slotScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    slotScroll->setMinimumWidth(slotPanel->sizeHint().width() +
                                slotScroll->verticalScrollBar()->sizeHint().width());
    layout->addWidget(scroll, 1);
    layout->addWidget(slotScroll);
    layout->addWidget(statusLabel_);

    auto* undo = undoStack_->createUndoAction(this, QStringLiteral("撤销"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    auto* redo = undoStack_->createRedoAction(this, QStringLiteral("重做"));
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    addAction(undo);
    addAction(redo);

    connect(openButton_, &QPushButton::clicked, this, &WorkbenchWindow::openFolder);
    connect(generateButton_, &QPushButton::clicked, this, &WorkbenchWindow::generate);
    connect(exportButton_, &QPushButton::clicked, this, &WorkbenchWindow::exportPng);
    connect(screenChoice_, &QComboBox::currentIndexChanged, this,
            [this](int index) { setScreen(static_cast<Screen>(index)); });
    connect(zoomChoice_, &QComboBox::currentIndexChanged, this,
            [this](int index) { setZoom(index + 1); });
    connect(gridChoice_, &QComboBox::currentIndexChanged, this,
            [this](int index) { setGrid(kGridSteps[static_cast<std::size_t>(index)]); });
    connect(canvas_, &ScreenCanvas::pressed, this, &WorkbenchWindow::onPressed);
    connect(canvas_, &ScreenCanvas::moved, this, &WorkbenchWindow::onMoved);
    connect(canvas_, &ScreenCanvas::released, this, &WorkbenchWindow::onReleased);
    connect(canvas_, &ScreenCanvas::stepped, this, &WorkbenchWindow::onStepped);

    connect(&state_, &vireo::ui::ProjectState::sourceSetChanged, this, &WorkbenchWindow::reloadAll);
    connect(&state_, &vireo::ui::ProjectState::settingsPathChanged, this, [this] {
        reloadRecord();
        redraw();
    });
    connect(&state_, &vireo::ui::ProjectState::fileChanged, this, &WorkbenchWindow::reloadFile);
    connect(&state_, &vireo::ui::ProjectState::fieldTextChanged, this, [this] {
        if (applying_) return;
        showSelection();
        redraw();
    });

    zoomChoice_->setCurrentIndex(zoom_ - 1);
    canvas_->setZoom(zoom_);
    reloadAll();

    // Sized once the slots show their verdicts: every slot at once where the
    // screen allows it, otherwise the slots scroll, keeping a row in view.
    // Wrapped verdicts may take a little more than the hint says.
    const int available = screen()->availableGeometry().height() * 9 / 10;
    const int others = sizeHint().height() - slotScroll->sizeHint().height();
    const int allSlots = slotPanel->sizeHint().height() + 2 * slotGrid->spacing();
    slotScroll->setMinimumHeight(std::clamp(available - others, allSlots / 3, allSlots));
    resize(sizeHint().width(), std::min(others + allSlots, available));
}

WorkbenchWindow::~WorkbenchWindow() {
    // The commands call back into the window; they go before its members do.
    undoStack_->clear();
}

SlotView* WorkbenchWindow::slotView(Source source) const {
    return slotViews_[static_cast<std::size_t>(source)];
}

void WorkbenchWindow::setScreen(Screen screen) {
    screen_ = screen;
    screenChoice_->setCurrentIndex(static_cast<int>(screen));
    showSelection();
    redraw();
}

void WorkbenchWindow::setZoom(int zoom) {
    zoom_ = std::clamp(zoom, 1, 4);
    zoomChoice_->setCurrentIndex(zoom_ - 1);
    canvas_->setZoom(zoom_);
}

void WorkbenchWindow::setGrid(int grid) {
    grid_ = grid;
    const auto it = std::find(kGridSteps.begin(), kGridSteps.end(), grid);
    if (it != kGridSteps.end()) gridChoice_->setCurrentIndex(int(it - kGridSteps.begin()));
}

void WorkbenchWindow::reloadAll() {
    // Another folder: the steps taken on the last one mean nothing here.
    undoStack_->clear();
    selected_.reset();
    dragging_ = false;
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        files_[i] = slotFile(state_.sourcePaths()[i]);
    reloadRecord();
    refreshSlots();
    redraw();
}

void WorkbenchWindow::reloadFile(const QString& path) {
    bool known = false;
    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        if (state_.sourcePaths()[i] == path) {
            files_[i] = slotFile(path);
            known = true;
        }
    }
    if (path == state_.settingsPath()) {
        reloadRecord();
        known = true;
    }
    if (!known) return;
    refreshSlots();
    redraw();
}

void WorkbenchWindow::reloadRecord() {
    fileRecord_ = {};
    if (state_.settingsPath().isEmpty()) return;
    auto record = settings::readRecord(toStd(state_.settingsPath()));
    if (record) fileRecord_ = record.value();
}

void WorkbenchWindow::refreshSlots() {
    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        const auto source = static_cast<Source>(i);
        const SlotVerdict verdict = slotVerdict(source, files_);
        QStringList details;
        for (const auto& detail : verdict.details) details << fromStd(detail);
        // Before any folder there is nothing to judge, only a step to take.
        const QString text = state_.folder().isEmpty() ? QStringLiteral("请先打开文件夹")
                                                       : fromStd(verdict.text);
        slotViews_[i]->setVerdict(text, verdict.usable, details.join('\n'));
        const auto picture = slotPicture(source, files_);
        slotViews_[i]->setThumbnail(picture ? imageOf(*picture) : QImage());
        slotViews_[i]->setMarks(differingPixels(source, files_));
        slotViews_[i]->offerRemap(verdict.remappable,
                                  QStringLiteral("把图标的颜色映射到播放器所用背景的调色板"));
    }
    // A background whose palette its icons no longer match offers to remap them all.
    for (const Source background : {Source::MainBackground, Source::TreeBackground}) {
        int differing = 0;
        for (const Source icon : iconsDrawnWith(background))
            differing += slotVerdict(icon, files_).remappable ? 1 : 0;
        slotView(background)->offerRemap(
            differing > 0, QStringLiteral("把颜色不同的 %1 个图标映射到此背景的调色板").arg(differing));
    }
}

settings::Record WorkbenchWindow::currentRecord() const {
    FieldValues values;
    for (const auto& field : settings::kPositionFields) values[field.offset] = storedValue(state_, field.offset);
    for (const auto& field : settings::kColourFields) values[field.offset] = storedValue(state_, field.offset);
    return overlayRecord(fileRecord_, values);
}

IconPositions WorkbenchWindow::iconPositions() const {
    IconPositions positions;
    for (std::size_t i = 0; i < kIconCount; ++i) {
        const IconSlot& icon = kIcons[i];
        positions[i] = {storedValue(state_, icon.xOffset).value_or(fileRecord_[icon.xOffset]),
                        storedValue(state_, icon.yOffset).value_or(fileRecord_[icon.yOffset])};
    }
    return positions;
}

void WorkbenchWindow::redraw() {
    const settings::Record record = currentRecord();

    std::vector<SampleText> samples;
    const auto skin = buildSkin(files_, record);
    if (!skin) {
        screenPicture_ = QImage();
        statusLabel_->setText(state_.folder().isEmpty()
                                  ? QStringLiteral("尚未打开文件夹")
                                  : QStringLiteral("无法显示：") + fromStd(describe(skin.error())));
    } else {
        const skin::Picture picture = skin::renderScreen(skin.value(), screen_);
        screenPicture_ = imageOf(picture);
        statusLabel_->setText(state_.folder());
        samples = markedTexts(record, screen_, picture);
    }
    canvas_->setToolTip(faintTextsNote(samples));
    canvas_->setSamples(std::move(samples));
    canvas_->setPicture(screenPicture_);
    canvas_->repaint();
}

void WorkbenchWindow::applyPosition(std::size_t icon, Position to) {
    applying_ = true;
    state_.setFieldText(kIcons[icon].xOffset, QString::number(to.x));
    state_.setFieldText(kIcons[icon].yOffset, QString::number(to.y));
    applying_ = false;
    showSelection();
    redraw();
}

void WorkbenchWindow::moveIcon(std::size_t icon, Position to) {
    const Position from = iconPositions()[icon];
    if (from == to) return;
    undoStack_->push(new MoveIconCommand(*this, icon, from, to));
}

void WorkbenchWindow::showSelection() {
    if (!selected_ || screen_ != Screen::Main) {
        canvas_->setSelection(std::nullopt);
        return;
    }
    const Position p = iconPositions()[*selected_];
    canvas_->setSelection(QRect(p.x, p.y, kIconSide, kIconSide));
}

void WorkbenchWindow::onPressed(QPoint point) {
    if (screen_ != Screen::Main) return;
    selected_ = iconAt(iconPositions(), point.x() / zoom_, point.y() / zoom_);
    dragging_ = selected_.has_value();
    if (dragging_) {
        pressPoint_ = point;
        dragStart_ = iconPositions()[*selected_];
    }
    showSelection();
}

void WorkbenchWindow::onMoved(QPoint point) {
    if (!dragging_) return;
    const QPoint delta = (point - pressPoint_) / zoom_;
    applyPosition(*selected_, dragTo(dragStart_, {delta.x(), delta.y()}, grid_));
}

void WorkbenchWindow::onReleased(QPoint point) {
    if (!dragging_) return;
    onMoved(point);
    dragging_ = false;
    const Position to = iconPositions()[*selected_];
    // The drag already shows the end position; the command records it for undo.
    if (to != dragStart_) undoStack_->push(new MoveIconCommand(*this, *selected_, dragStart_, to));
}

void WorkbenchWindow::onStepped(int dx, int dy) {
    if (!selected_ || dragging_ || screen_ != Screen::Main) return;
    const Position from = iconPositions()[*selected_];
    Position to = from;
    if (dx) to.x = nudgePosition(from.x, dx, grid_);
    if (dy) to.y = nudgePosition(from.y, dy, grid_);
    moveIcon(*selected_, to);
}

bool WorkbenchWindow::writeSlot(const QString& path, const std::optional<Bytes>& bytes) {
    if (bytes) {
        const auto written = writeFileAtomically(toStd(path), *bytes);
        if (!written) {
            dialogs_.message(this, fromStd(describe(written.error())));
            return false;
        }
    } else if (QFile::exists(path) && !QFile::remove(path)) {
        dialogs_.message(this, QStringLiteral("无法删除文件：") + path);
        return false;
    }
    state_.announceFileChanged(path);
    return true;
}

void WorkbenchWindow::replaceSlot(Source source, const QString& inputPath) {
    const QString target = state_.sourcePath(source);
    if (target.isEmpty()) {
        dialogs_.message(this, QStringLiteral("请先打开文件夹"));
        return;
    }
    putIntoSlot(source, converter_.convert(source, toStd(inputPath), files_, currentRecord()));
}

bool WorkbenchWindow::putIntoSlot(Source source, Result<Bytes> converted) {
    if (!converted) {
        dialogs_.message(this, fromStd(describe(converted.error())));
        return false;
    }
    const QString target = state_.sourcePath(source);
    std::optional<Bytes> before;
    if (auto read = readWholeFile(toStd(target), images::kPictureReadLimit)) {
        before = std::move(read).value();
    } else if (fileTypeAt(toStd(target)) != Error::FileType::Missing) {
        // Undo could not put back what cannot be read, so the file is left alone.
        dialogs_.message(this, fromStd(describe(read.error())));
        return false;
    }
    if (before == converted.value()) return true;
    if (!writeSlot(target, converted.value())) return false;
    undoStack_->push(
        new ReplaceSlotCommand(*this, target, std::move(before), std::move(converted).value()));
    return true;
}

void WorkbenchWindow::remapSlot(Source source) {
    std::vector<Source> icons = iconsDrawnWith(source);
    if (icons.empty()) icons = {source};
    icons.erase(std::remove_if(icons.begin(), icons.end(),
                               [this](Source icon) { return !slotVerdict(icon, files_).remappable; }),
                icons.end());
    if (icons.empty()) return;
    // One step to undo, however many icons it takes.
    undoStack_->beginMacro(QStringLiteral("重新映射颜色"));
    for (const Source icon : icons)
        if (!putIntoSlot(icon, remapIcon(icon, files_))) break;
    undoStack_->endMacro();
}

void WorkbenchWindow::chooseForSlot(Source source) {
    const auto path = dialogs_.openFile(this, artwork::pictureFileFilter(),
                                        state_.folder().isEmpty() ? currentDir_ : state_.folder());
    if (path) replaceSlot(source, *path);
}

void WorkbenchWindow::openFolder() {
    const QString start = state_.folder().isEmpty() ? currentDir_ : state_.folder();
    const auto path = dialogs_.openFile(this, QStringLiteral("main256.bmp (main256.bmp)"),
                                        start + QStringLiteral("main256.bmp"));
    if (!path) return;
    if (fromStd(fileTitleOf(toStd(*path))) != QLatin1String(images::kMainFileTitle)) {
        dialogs_.message(this, QStringLiteral("请打开main256.bmp"));
        return;
    }
    openFolderAt(fromStd(folderOf(toStd(*path))));
}

void WorkbenchWindow::openFolderAt(const QString& folderPath) {
    const std::string folder = toStd(folderPath);
    const auto verification = images::verifySourceSet(folder, toStd(vireo::ui::dataFolderFor(currentDir_, images::kSettingsFileName)));
    std::array<QString, images::kSourceCount> paths;
    for (std::size_t i = 0; i < images::kSourceCount; ++i) paths[i] = fromStd(verification.paths[i]);

    // The panel's boxes follow the state; load them from the folder's record
    // as the main window's settings load does.
    if (auto record = settings::readRecord(verification.settingsPath)) {
        for (const auto& field : settings::kPositionFields)
            state_.setFieldText(field.offset, fromStd(settings::byteText(record.value()[field.offset])));
        for (const auto& field : settings::kColourFields)
            state_.setFieldText(field.offset, fromStd(settings::byteText(record.value()[field.offset])));
        state_.setHintOn(settings::hintFlagOn(record.value()));
    }
    state_.setSettingsPath(fromStd(verification.settingsPath));
    state_.setSourceSet(fromStd(folder), paths, verification.passed());
    if (!verification.passed()) dialogs_.message(this, fromStd(verification.report));
}

void WorkbenchWindow::generate() {
    if (state_.folder().isEmpty()) {
        dialogs_.message(this, QStringLiteral("请先打开文件夹"));
        return;
    }
    const std::string settingsPath = toStd(state_.settingsPath());
    if (fileLength(settingsPath) != images::kSettingsLength) {
        dialogs_.message(this, QStringLiteral("BACK文件找不到或大小不正确，不能生成皮肤"));
        return;
    }
    const auto verification =
        images::verifySourceSetWithSettings(toStd(state_.folder()), settingsPath);
    if (!verification.passed()) {
        dialogs_.message(this, fromStd(verification.report));
        return;
    }
    // BACK is the panel's to write; a skin built now carries BACK as it is,
    // so say so rather than let the moves seem to be in it.
    if (const auto record = settings::readRecord(settingsPath)) {
        bool unwritten = state_.hintOn() != settings::hintFlagOn(record.value());
        for (const auto& field : settings::kPositionFields)
            unwritten |= storedValue(state_, field.offset).value_or(record.value()[field.offset]) !=
                         record.value()[field.offset];
        for (const auto& field : settings::kColourFields)
            unwritten |= storedValue(state_, field.offset).value_or(record.value()[field.offset]) !=
                         record.value()[field.offset];
        if (unwritten) dialogs_.message(this, QString::fromUtf8(kUnwrittenNotice));
    }
    images::SourcePaths paths;
    for (std::size_t i = 0; i < images::kSourceCount; ++i) paths[i] = toStd(state_.sourcePaths()[i]);
    const std::string output = toStd(state_.folder()) + "BACKIMG";
    const auto written = skin::generateSkin({paths, settingsPath}, output);
    if (!written) {
        dialogs_.message(this, fromStd(describe(written.error())));
        return;
    }
    dialogs_.message(this, QStringLiteral("完成！"));
    if (fileLength(output) != skin::kSkinLength)
        dialogs_.message(this, QStringLiteral("文件大小错误"));
}

void WorkbenchWindow::exportPng() {
    if (screenPicture_.isNull()) {
        dialogs_.message(this, statusLabel_->text());
        return;
    }
    static const char* const kNames[] = {"main", "tree", "ebook", "music"};
    const QString initial = (state_.folder().isEmpty() ? currentDir_ : state_.folder()) +
                            QString::fromLatin1(kNames[static_cast<int>(screen_)]) +
                            QStringLiteral(".png");
    const auto path = dialogs_.saveFile(this, QStringLiteral("PNG 图片 (*.png)"), initial);
    if (!path) return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!screenPicture_.save(&buffer, "PNG")) {
        dialogs_.message(this, QStringLiteral("无法写入文件：") + *path);
        return;
    }
    // The same whole, flushed write as every other output of the tool.
    const auto written = writeFileAtomically(toStd(*path), Bytes(png.begin(), png.end()));
    if (!written) dialogs_.message(this, fromStd(describe(written.error())));
}

void WorkbenchWindow::addShareButtons(QHBoxLayout* tools) {
    auto* newButton = new QPushButton(QStringLiteral("新建皮肤…"), this);
    newButton->setObjectName(QStringLiteral("newSkinButton"));
    auto* sheetButton = new QPushButton(QStringLiteral("导出预览图"), this);
    sheetButton->setObjectName(QStringLiteral("exportSheetButton"));
    tools->insertWidget(1, newButton);
    tools->addWidget(sheetButton);
    connect(newButton, &QPushButton::clicked, this, [this] {
        // Beside the open project, which is the folder the author keeps skins in.
        const QString start = state_.folder().isEmpty()
                                  ? currentDir_
                                  : QFileInfo(QDir(state_.folder()).absolutePath()).path() + '/';
        const QString programDir = QCoreApplication::applicationDirPath();
        if (const auto made = newSkinProject(this, dialogs_, start, programDir))
            openFolderAt(*made);
    });
    connect(sheetButton, &QPushButton::clicked, this, [this] {
        const auto skin = buildSkin(files_, currentRecord());
        if (!skin) {
            dialogs_.message(this, statusLabel_->text());
            return;
        }
        const QString start = state_.folder().isEmpty() ? currentDir_ : state_.folder();
        exportSheet(this, dialogs_, skin.value(), start);
    });
}

}  // namespace vireo::workbench::ui
