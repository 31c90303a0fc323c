// Building the workbench's widgets and wiring them to the window's actions.
#include "gui/workbench/workbench_window.h"

#include "gui/workbench/share_actions.h"

#include "gui/widgets/dialogs.h"
#include "gui/widgets/project_state.h"
#include "gui/workbench/screen_canvas.h"
#include "gui/workbench/slot_view.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace vireo::workbench::ui {

using images::Source;
using skin::Screen;

namespace {

QComboBox* makeChoice(QWidget* parent, const QString& name, const QStringList& items) {
    auto* choice = new QComboBox(parent);
    choice->setObjectName(name);
    choice->addItems(items);
    return choice;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

}  // namespace

QLayout* WorkbenchWindow::buildTools() {
    openButton_ = makeButton(this, QStringLiteral("openButton"), QStringLiteral("打开文件夹(&O)"));
    openSkinButton_ =
        makeButton(this, QStringLiteral("openSkinButton"), QStringLiteral("打开皮肤…"));
    openSkinButton_->setToolTip(
        QStringLiteral("把已完成的皮肤文件 BACKIMG 解包到新文件夹，在此继续编辑"));
    screenChoice_ = makeChoice(this, QStringLiteral("screenChoice"),
                               {QStringLiteral("主界面"), QStringLiteral("目录树"),
                                QStringLiteral("电子书"), QStringLiteral("音乐播放")});
    QStringList zooms;
    for (int zoom = 1; zoom <= 4; ++zoom) zooms << QStringLiteral("%1×").arg(zoom);
    zoomChoice_ = makeChoice(this, QStringLiteral("zoomChoice"), zooms);
    QStringList grids;
    for (int grid : kGridSteps)
        grids << (grid ? QStringLiteral("网格 %1").arg(grid) : QStringLiteral("无网格"));
    gridChoice_ = makeChoice(this, QStringLiteral("gridChoice"), grids);
    positionLabel_ = new QLabel(this);
    positionLabel_->setObjectName(QStringLiteral("positionLabel"));
    // Wide enough for the widest text, so that the row does not jump as it changes.
    positionLabel_->setMinimumWidth(
        positionLabel_->fontMetrics().horizontalAdvance(QStringLiteral("X 255  Y 255")));
    generateButton_ =
        makeButton(this, QStringLiteral("generateButton"), QStringLiteral("生成皮肤"));
    exportButton_ = makeButton(this, QStringLiteral("exportButton"), QStringLiteral("导出PNG"));

    auto* tools = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{
             openButton_, openSkinButton_, screenChoice_, zoomChoice_, gridChoice_, positionLabel_})
        tools->addWidget(widget);
    tools->addStretch();
    tools->addWidget(generateButton_);
    tools->addWidget(exportButton_);
    addShareButtons(tools);
    return tools;
}

void WorkbenchWindow::addShareButtons(QHBoxLayout* tools) {
    auto* newButton =
        makeButton(this, QStringLiteral("newSkinButton"), QStringLiteral("新建皮肤…"));
    auto* sheetButton =
        makeButton(this, QStringLiteral("exportSheetButton"), QStringLiteral("导出预览图"));
    tools->insertWidget(1, newButton);
    tools->addWidget(sheetButton);
    connect(newButton, &QPushButton::clicked, this, [this] {
        // Beside the open project, which is the folder the author keeps skins
        // in; with none open, the name alone, which the dialogs put in the
        // last folder used or the home folder.
        const QString start = state_.folder().isEmpty()
                                  ? QString()
                                  : QFileInfo(QDir(state_.folder()).absolutePath()).path() + '/';
        const QString programDir = QCoreApplication::applicationDirPath();
        if (const auto made = newSkinProject(this, dialogs_, start, programDir))
            openFolderAt(*made);
    });
    connect(sheetButton, &QPushButton::clicked, this, [this] {
        const auto skin = buildSkin(slotFiles(), currentRecord());
        if (!skin) {
            dialogs_.message(this, statusText_);
            return;
        }
        const QString start = state_.folder();
        exportSheet(this, dialogs_, skin.value(), start);
    });
}

QScrollArea* WorkbenchWindow::buildSlots() {
    // The slots scroll, so that the window also fits a small screen.
    auto* slotPanel = new QWidget;
    slotGrid_ = new QGridLayout(slotPanel);
    slotGrid_->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        auto* view = new SlotView(static_cast<Source>(i), slotPanel);
        slotViews_[i] = view;
        slotGrid_->addWidget(view, static_cast<int>(i / 4), static_cast<int>(i % 4));
        slotGrid_->setColumnStretch(static_cast<int>(i % 4), 1);
        connect(view, &SlotView::fileOffered, this, [this](int slot, const QString& path) {
            replaceSlot(static_cast<Source>(slot), path);
        });
        connect(view, &SlotView::chooseRequested, this,
                [this](int slot) { chooseForSlot(static_cast<Source>(slot)); });
        connect(view, &SlotView::remapRequested, this,
                [this](int slot) { remapSlot(static_cast<Source>(slot)); });
    }
    auto* slotScroll = new QScrollArea(this);
    slotScroll->setWidget(slotPanel);
    slotScroll->setWidgetResizable(true);
    slotScroll->setFrameShape(QFrame::NoFrame);
    slotScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    slotScroll->setMinimumWidth(slotPanel->sizeHint().width() +
                                slotScroll->verticalScrollBar()->sizeHint().width());
    return slotScroll;
}

void WorkbenchWindow::buildUndoActions() {
    // Own actions rather than the stack's: a drag and a changed file both
    // have a say before the stack moves.
    auto* undo = new QAction(QStringLiteral("撤销"), this);
    undo->setObjectName(QStringLiteral("undoAction"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    auto* redo = new QAction(QStringLiteral("重做"), this);
    redo->setObjectName(QStringLiteral("redoAction"));
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    connect(undo, &QAction::triggered, this, &WorkbenchWindow::undoStep);
    connect(redo, &QAction::triggered, this, &WorkbenchWindow::redoStep);
    addAction(undo);
    addAction(redo);
}

void WorkbenchWindow::connectSignals() {
    connect(openButton_, &QPushButton::clicked, this, &WorkbenchWindow::openFolder);
    connect(openSkinButton_, &QPushButton::clicked, this, &WorkbenchWindow::openSkin);
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
    canvas_->setTabHandler([this](bool forward) { return cycleSelection(forward); });

    using vireo::ui::ProjectState;
    connect(&state_, &ProjectState::sourceSetChanged, this, &WorkbenchWindow::reloadAll);
    connect(&state_, &ProjectState::settingsPathChanged, this, [this] {
        reloadRecord();
        redraw();
    });
    connect(&state_, &ProjectState::fileChanged, this, &WorkbenchWindow::reloadFile);
    connect(&state_, &ProjectState::originalsChanged, this, &WorkbenchWindow::refreshSlots);
    typedTimer_->setSingleShot(true);
    typedTimer_->setInterval(400);
    connect(typedTimer_, &QTimer::timeout, this, &WorkbenchWindow::deriveTypedPositions);
    connect(&state_, &ProjectState::fieldTextChanged, this, [this](std::uint8_t offset) {
        if (applying_) return;
        showSelection();
        redraw();
        const auto& icons = images::kMainScreenIcons;
        if (offset >= icons.front().xOffset && offset <= icons.back().yOffset) typedTimer_->start();
    });
}

void WorkbenchWindow::sizeToScreen(QScrollArea* slotScroll) {
    // Sized once the slots show their verdicts: every slot at once where the
    // screen allows it, otherwise the slots scroll, keeping a row in view.
    // Wrapped verdicts may take a little more than the hint says.
    const int available = screen()->availableGeometry().height() * 9 / 10;
    const int others = sizeHint().height() - slotScroll->sizeHint().height();
    const int allSlots = slotScroll->widget()->sizeHint().height() + 2 * slotGrid_->spacing();
    slotScroll->setMinimumHeight(std::clamp(available - others, allSlots / 3, allSlots));
    resize(sizeHint().width(), std::min(others + allSlots, available));
}

}  // namespace vireo::workbench::ui
