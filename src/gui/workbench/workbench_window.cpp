#include "gui/workbench/workbench_window.h"

#include "core/images/picture.h"
#include "core/messages/doctor_text.h"
#include "core/messages/error_text.h"
#include "core/skin/icon_overlaps.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/project_state.h"
#include "gui/widgets/std_text.h"
#include "gui/widgets/window_style.h"
#include "gui/workbench/screen_canvas.h"
#include "gui/workbench/screen_texts.h"
#include "gui/workbench/slot_view.h"
#include "gui/workbench/workbench_internal.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QScrollArea>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>

namespace vireo::workbench::ui {

namespace {

using images::Source;
using skin::Screen;
using vireo::ui::fromStd;
using vireo::ui::toStd;

}  // namespace

WorkbenchWindow::WorkbenchWindow(vireo::ui::Dialogs& dialogs, vireo::ui::ProjectState& state,
                                 const QString& currentDir, QWidget* parent)
    : QWidget(parent, Qt::Window),
      dialogs_(dialogs),
      state_(state),
      currentDir_(currentDir),
      undoStack_(new QUndoStack(this)),
      typedTimer_(new QTimer(this)) {
    vireo::ui::setUpWindow(this, QStringLiteral("Form4"), QStringLiteral("VIREO 皮肤工作台"));

    QLayout* tools = buildTools();
    canvas_ = new ScreenCanvas;
    canvas_->setObjectName(QStringLiteral("screenCanvas"));
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(canvas_);
    scroll->setMinimumSize(4 * 120 + 4, 4 * 80 + 4);
    scroll->setAlignment(Qt::AlignCenter);
    QScrollArea* slotScroll = buildSlots();
    statusLabel_ = new QLabel(this);
    statusLabel_->setObjectName(QStringLiteral("statusLabel"));
    // A long folder path is elided, never widening the window.
    statusLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(scroll, 1);
    layout->addWidget(slotScroll);
    layout->addWidget(statusLabel_);

    (void)project();  // what the window shows is the project's record
    buildUndoActions();
    buildMenuBar(layout);
    connectSignals();
    zoomChoice_->setCurrentIndex(zoom_ - 1);
    canvas_->setZoom(zoom_);
    reloadAll();
    sizeToScreen(slotScroll);
}

WorkbenchWindow::~WorkbenchWindow() {
    // The commands call back into the window; they go before its members do.
    undoStack_->clear();
    // A project the workbench made goes with it; the state must not keep it.
    if (ownProject_ && state_.project() == ownProject_.get()) state_.setProject(nullptr);
}

SlotView* WorkbenchWindow::slotView(Source source) const {
    return slotViews_[indexOf(source)];
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
    dragOriginal_.reset();
    // The folder is opened in the project at once: its record is what the
    // window shows, and a derived.json it cannot read is told now.
    if (!state_.folder().isEmpty()) (void)projectOpen();
    reloadFromDisk();
}

void WorkbenchWindow::reloadFromDisk() {
    reloadRecord();
    refreshSlots();
    showSelection();
    redraw();
}

void WorkbenchWindow::reloadFile(const QString& path) {
    const auto& paths = state_.sourcePaths();
    if (path != state_.settingsPath() && std::find(paths.begin(), paths.end(), path) == paths.end())
        return;
    reloadRecord();
    refreshSlots();
    redraw();
}

SlotFiles WorkbenchWindow::slotFiles() const {
    SlotFiles files{};
    const project::Project& core = *state_.project();
    if (!core.isOpen() || fromStd(core.folder()) != state_.folder()) return files;
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        files[i] = core.sourceBytes(static_cast<Source>(i));
    return files;
}

void WorkbenchWindow::reloadRecord() {
    // What changed outside shows at once: the project reads it again (BACK
    // keeping only the values edited here, which the state's fields follow).
    project::Project& core = project();
    if (!core.isOpen() || fromStd(core.folder()) != state_.folder()) return;
    applying_ = true;
    (void)core.reload();
    applying_ = false;
}

void WorkbenchWindow::refreshSlots() {
    const SlotFiles files = slotFiles();
    const project::Project& core = *state_.project();
    const bool open = core.isOpen() && fromStd(core.folder()) == state_.folder();
    const std::vector<Source> stale = open ? core.staleSources() : std::vector<Source>{};
    const std::vector<Source> handEdited = open ? core.handEditedSources() : std::vector<Source>{};
    const auto among = [](const std::vector<Source>& list, Source source) {
        return std::find(list.begin(), list.end(), source) != list.end();
    };
    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        const auto source = static_cast<Source>(i);
        const SlotVerdict verdict = slotVerdict(source, files);
        QStringList details;
        const std::string name = images::sourceImage(source).fileName;
        for (const auto& detail : slotVerdictDetails(name, verdict.findings))
            details << fromStd(detail);
        // Before any folder there is nothing to judge, only a step to take.
        QString text = state_.folder().isEmpty() ? QStringLiteral("请先打开文件夹")
                                                 : fromStd(slotVerdictLine(name, verdict.findings));
        // A folder, a FIFO or a link loop where the file should be is named as
        // such, not taken for a missing file.
        const Error* why = open ? core.sourceProblem(source) : nullptr;
        if (!state_.folder().isEmpty() && why && why->cause != Error::Cause::Missing) {
            text = fromStd(describeWithReason(*why));
            details = QStringList{text};
        } else if (among(handEdited, source)) {
            // What the folder holds against what its originals would give.
            text += QStringLiteral("（已手动修改，与原图生成的不同）");
        } else if (among(stale, source)) {
            text += QStringLiteral("（已过时：原图、位置或背景已变，尚未重新生成）");
        }
        slotViews_[i]->setVerdict(text, verdict.usable, details.join('\n'));
        const auto picture = slotPicture(source, files);
        slotViews_[i]->setThumbnail(picture ? imageOf(*picture) : QImage());
        slotViews_[i]->setMarks(differingPixels(source, files));
        slotViews_[i]->offerRemap(verdict.remappable,
                                  QStringLiteral("把图标的颜色映射到播放器所用背景的调色板"));
    }
    // A background whose palette its icons no longer match offers to remap them all.
    for (const Source background : {Source::MainBackground, Source::TreeBackground}) {
        int differing = 0;
        for (const Source icon : iconsDrawnWith(background))
            differing += slotVerdict(icon, files).remappable ? 1 : 0;
        slotView(background)
            ->offerRemap(
                differing > 0,
                QStringLiteral("把颜色不同的 %1 个图标映射到此背景的调色板").arg(differing));
    }
}

settings::Record WorkbenchWindow::currentRecord() const {
    return project::bytesOf(state_.project()->record());
}

IconPositions WorkbenchWindow::iconPositions() const {
    const project::SkinRecord& record = state_.project()->record();
    IconPositions positions;
    for (std::size_t i = 0; i < images::kMainScreenIconCount; ++i) {
        const auto item = project::positionItemOf(images::kMainScreenIcons[i].source);
        const project::Position at = record.positions[project::positionIndex(*item)];
        positions[i] = {at.x, at.y};
    }
    return positions;
}

void WorkbenchWindow::redraw() {
    const settings::Record record = currentRecord();
    std::vector<SampleText> samples;
    const auto skin = buildSkin(slotFiles(), record);
    if (!skin) {
        screenPicture_ = QImage();
        showStatus(state_.folder().isEmpty()
                       ? QStringLiteral("尚未打开文件夹")
                       : QStringLiteral("无法显示：") + fromStd(describeWithReason(skin.error())));
    } else {
        const skin::Picture picture = skin::renderScreen(skin.value(), screen_);
        screenPicture_ = imageOf(picture);
        drawDraggedOriginal();
        showStatus(openingNote_.isEmpty() ? state_.folder()
                                          : state_.folder() + QStringLiteral("：") + openingNote_);
        samples = markedTexts(record, screen_, picture);
    }
    canvas_->setToolTip(faintTextsNote(samples));
    canvas_->setSamples(std::move(samples));
    // Where an icon hides more of another than the default grid does.
    std::vector<QRect> overlaps;
    if (screen_ == Screen::Main)
        for (const skin::IconOverlap& o : skin::excessOverlaps(record))
            overlaps.emplace_back(o.x, o.y, o.width, o.height);
    canvas_->setOverlaps(std::move(overlaps));
    canvas_->setPicture(screenPicture_);
    canvas_->repaint();
}

void WorkbenchWindow::showStatus(const QString& text) {
    statusText_ = text;
    // One line, whatever a folder's name holds: its control characters are
    // shown escaped, as the command line prints them.
    const QString shown = fromStd(escapeForTerminal(toStd(text)));
    const int room = std::max(statusLabel_->width(), 200);
    statusLabel_->setText(statusLabel_->fontMetrics().elidedText(shown, Qt::ElideMiddle, room));
    statusLabel_->setToolTip(statusLabel_->text() == shown ? QString() : shown);
}

}  // namespace vireo::workbench::ui
