#pragma once

#include "core/base/binary_file.h"
#include "core/project/project.h"
#include "core/settings/record.h"
#include "core/skin/screen.h"
#include "core/skin/text_samples.h"
#include "core/workbench/layout.h"
#include "core/workbench/slots.h"
#include "gui/artwork/qt_picture_decoder.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QTimer;
class QUndoCommand;
class QUndoStack;
class QVBoxLayout;

namespace vireo::ui {
class Dialogs;
class ProjectState;
}  // namespace vireo::ui

namespace vireo::workbench::ui {

class ScreenCanvas;
class SlotView;

// The skin as the player shows it, built in memory from the folder's files
// and the record being edited: icons are dragged into place and pictures
// dropped into their slots. Positions go into the shared state (the settings
// panel writes BACK); pictures are written into the folder's files.
class WorkbenchWindow : public QWidget {
    Q_OBJECT

public:
    // `currentDir` is the program's current directory: where a BACK is looked
    // for when a folder opened here has none, and where the open dialog starts.
    WorkbenchWindow(vireo::ui::Dialogs& dialogs, vireo::ui::ProjectState& state,
                    const QString& currentDir, QWidget* parent = nullptr);
    ~WorkbenchWindow() override;

    ScreenCanvas* canvas() const { return canvas_; }
    SlotView* slotView(images::Source source) const;
    QUndoStack* undoStack() const { return undoStack_; }
    void setScreen(skin::Screen screen);
    void setZoom(int zoom);
    void setGrid(int grid);

    // Where each icon stands now: the project's record as edited.
    IconPositions iconPositions() const;
    // The current screen as the player shows it; null when the skin cannot be built.
    const QImage& screenPicture() const { return screenPicture_; }

    // Rebuilds the skin from what is loaded and the state, and repaints at once.
    void redraw();

    // Puts a picture file into a slot through the converter, as a drop does.
    void replaceSlot(images::Source source, const QString& inputPath);
    // An icon's colours mapped onto its background's palette; for a
    // background, every icon drawn with it whose colours differ.
    void remapSlot(images::Source source);

    // Undo and redo as Ctrl+Z and Ctrl+Shift+Z do them: during a drag, Ctrl+Z
    // cancels the drag; a step whose files were changed outside since is
    // refused with a message and kept.
    void undoStep();
    // "打开皮肤…": asks for a finished skin of either layout or a skin
    // package (*.vskin, or a zip of a project), then for a new folder to
    // unpack it into, and opens that folder.
    void openSkin();
    void openSkinFile(const QString& skinPath);
    // Opens a folder of sources here and in every window of the state.
    void openFolderAt(const QString& folder);
    // Before another folder replaces the record: asks about changes not yet
    // written; false when the user cancelled or the write failed.
    bool unwrittenSettled();
    void redoStep();

    // The selected icon's position as the window shows it ("X 12  Y 26"),
    // empty when none is selected.
    QString positionText() const;

private:
    // Says why a skin or package could not be opened into the folder.
    void showOpeningRefusal(const Error& error);
    // Building the widgets, one part each.
    QLayout* buildTools();
    // "新建皮肤…" and "导出预览图".
    void addShareButtons(QHBoxLayout* tools);
    QScrollArea* buildSlots();
    void buildUndoActions();
    // The menu bar over `layout`: 文件, 编辑 and 视图, after the buttons and
    // actions it runs exist.
    void buildMenuBar(QVBoxLayout* layout);
    void fillRecentMenu();
    // The folders opened here last, newest first, those still there; kept
    // in the user's settings across restarts.
    static QStringList recentFolders();
    static void rememberFolder(const QString& folder);
    void connectSignals();
    void sizeToScreen(QScrollArea* slotScroll);

    void reloadAll();
    // Reads every file again and shows what is on disk, keeping the history.
    void reloadFromDisk();
    void reloadFile(const QString& path);
    // The project reads BACK again where it changed on disk.
    void reloadRecord();
    // The status line, elided to the room it has; the whole text in its tooltip.
    void showStatus(const QString& text);
    void refreshSlots();
    settings::Record currentRecord() const;
    // The sources as the project holds them; none before a folder is open.
    SlotFiles slotFiles() const;
    // Writes the converted picture into the slot's file and returns the step
    // that undoes it (a part of `group` when given), or nothing when no file
    // changed (after saying why, if something failed).
    QUndoCommand* putIntoSlot(images::Source source, Result<Bytes> converted, QUndoCommand* group);
    void moveIcon(std::size_t icon, Position to);
    // Records a move the icon already made, with its source derived again
    // at the new position when it has an original.
    void recordMove(std::size_t icon, Position from, Position to);
    // The project core the windows share; the workbench makes one at its
    // start when the state has none.
    project::Project& project();
    // Opens the state's folder in the project when it is not yet; false
    // (after saying why) when it cannot.
    bool projectOpen();
    void explainRefusal(const Error& error, bool undo);
    // derived.json could not be read: offers to derive every source again.
    void offerDeriveAll(const Error& problem);
    // Runs a derive with HandEdits::Refuse; where it would write over a
    // source edited by hand, asks whether to keep the edit (it becomes that
    // source's original, a step of its own, within `group` when given), to
    // derive over it, or to stop. False when stopped or refused (after saying why).
    bool deriveAsking(const std::function<Result<void>(project::HandEdits)>& action,
                      QUndoCommand* group = nullptr);
    // Icons whose position was typed elsewhere (the settings panel) and is
    // valid: their sources derived again there, a step each.
    void deriveTypedPositions();
    void applyPosition(std::size_t icon, Position to);
    void showSelection();
    void onPressed(QPoint point);
    void onMoved(QPoint point);
    void onReleased(QPoint point);
    void onStepped(int dx, int dy);
    bool cycleSelection(bool forward);
    // While an icon with an original is dragged: its original composited
    // where it stands now over the background and the icons drawn before it,
    // over the screen picture.
    void drawDraggedOriginal();
    QImage backdropOfDrag(const skin::Picture& background) const;
    void cancelDrag();
    // Writes the positions, colours and hint flag the state holds into BACK;
    // false (after saying why) when a value is refused or the write fails.
    bool writeRecord();
    bool recordUnwritten();

    // A sample text clicked: a colour chooser, and the nearest colour that
    // reads offered when the chosen one does not; the colour an undo step.
    void chooseTextColour(skin::TextRole role);
    void applyTextColour(skin::TextRole role, std::uint32_t colour);

    void openFolder();
    void chooseForSlot(images::Source source);
    void generate();
    void exportPng();

    class EditStep;
    class MoveIconCommand;
    class NudgeRunCommand;
    class TextColourCommand;
    class ProjectStepCommand;
    // Why `step` cannot be undone (or redone) now; empty when it can.
    static QString refusalOf(const QUndoCommand* step, bool undo);
    bool applyStep(QUndoCommand* step, bool undo);
    bool stepAllowed(const QUndoCommand* step, bool undo);

    vireo::ui::Dialogs& dialogs_;
    vireo::ui::ProjectState& state_;
    QString currentDir_;
    artwork::QtPictureDecoder decoder_;
    std::unique_ptr<project::Project> ownProject_;

    skin::Screen screen_ = skin::Screen::Main;
    int zoom_ = 2;
    int grid_ = 0;
    bool applying_ = false;
    QImage screenPicture_;

    std::optional<std::size_t> selected_;
    bool dragging_ = false;
    QPoint pressPoint_;
    Position dragStart_;
    std::optional<images::RgbaImage> dragOriginal_;
    QImage dragBackdrop_;

    QUndoStack* undoStack_;
    QTimer* typedTimer_;  // a typed position is derived once typing pauses
    ScreenCanvas* canvas_;
    QComboBox* screenChoice_;
    QComboBox* zoomChoice_;
    QComboBox* gridChoice_;
    QPushButton* openButton_;
    QPushButton* openSkinButton_;
    // What opening a skin said about it, shown after the folder in the status line.
    QString openingNote_;
    QString statusText_;  // the status line in full
    QPushButton* generateButton_;
    QPushButton* exportButton_;
    QLabel* positionLabel_;
    QLabel* statusLabel_;
    QMenu* recentMenu_ = nullptr;
    QGridLayout* slotGrid_ = nullptr;
    std::array<SlotView*, images::kSourceCount> slotViews_{};
};

}  // namespace vireo::workbench::ui
