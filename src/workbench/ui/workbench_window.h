#pragma once

#include "base/binary_file.h"
#include "settings/record.h"
#include "skin/screen.h"
#include "workbench/layout.h"
#include "workbench/qt/qt_slot_converter.h"
#include "workbench/slots.h"

#include <QString>
#include <QWidget>

#include <array>
#include <optional>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QUndoStack;

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

    // Where each icon stands now: the state's text where it holds a value,
    // the record's byte otherwise.
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

private:
    void reloadAll();
    void reloadFile(const QString& path);
    void reloadRecord();
    void refreshSlots();
    settings::Record currentRecord() const;
    bool putIntoSlot(images::Source source, Result<Bytes> converted);
    void moveIcon(std::size_t icon, Position to);
    void applyPosition(std::size_t icon, Position to);
    void showSelection();
    void onPressed(QPoint point);
    void onMoved(QPoint point);
    void onReleased(QPoint point);
    void onStepped(int dx, int dy);
    void openFolder();
    // Verifies `folder` (with its trailing separator) and opens it.
    void openFolderAt(const QString& folder);
    // "新建皮肤…" and "导出预览图".
    void addShareButtons(QHBoxLayout* tools);
    void chooseForSlot(images::Source source);
    void generate();
    void exportPng();
    bool writeSlot(const QString& path, const std::optional<Bytes>& bytes);

    class MoveIconCommand;
    class ReplaceSlotCommand;

    vireo::ui::Dialogs& dialogs_;
    vireo::ui::ProjectState& state_;
    QString currentDir_;
    QtSlotConverter converter_;

    SlotFiles files_;
    settings::Record fileRecord_{};
    skin::Screen screen_ = skin::Screen::Main;
    int zoom_ = 2;
    int grid_ = 0;
    bool applying_ = false;
    QImage screenPicture_;

    std::optional<std::size_t> selected_;
    bool dragging_ = false;
    QPoint pressPoint_;
    Position dragStart_;

    QUndoStack* undoStack_;
    ScreenCanvas* canvas_;
    QComboBox* screenChoice_;
    QComboBox* zoomChoice_;
    QComboBox* gridChoice_;
    QPushButton* openButton_;
    QPushButton* generateButton_;
    QPushButton* exportButton_;
    QLabel* statusLabel_;
    std::array<SlotView*, images::kSourceCount> slotViews_{};
};

}  // namespace vireo::workbench::ui
