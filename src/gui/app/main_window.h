#pragma once

#include "core/images/source_set.h"
#include "core/project/project.h"
#include "gui/artwork/qt_picture_decoder.h"
#include "gui/widgets/common_dialog.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class QLabel;
class QMenu;
class QPushButton;

namespace vireo::workbench::ui {
class WorkbenchWindow;
}

namespace vireo::ui {

class ColourPicker;
class Dialogs;
class IconPreview;
class ProjectState;
class SettingsPanel;
class UnpackerWindow;

// The main window, Form1: the twelve source paths, the verification report,
// the buttons that open, generate, show the settings panel and exit, and the
// settings panel itself below the button row. The compact window does not
// show the panel, so it is made after the first frame, or earlier when
// something needs it.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    // Client sizes in pixels (15 twips each). Compact shows the client area
    // down to 3,870 twips, just below the button row; expanded shows all of it.
    static constexpr int kClientWidth = 569;
    static constexpr int kCompactHeight = 258;
    static constexpr int kExpandedHeight = 492;

    // `currentDir` is the folder that stands for the process's current
    // directory: where a missing BACK is looked for.
    MainWindow(Dialogs& dialogs, QString currentDir, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The advanced toggle: shows the settings panel when the window is
    // exactly compact, otherwise makes it compact.
    void advancedToggle();

    // What the windows share: the verified source set, the current settings
    // file and the record being edited. A window that shows any of it binds here.
    // The panel is made first, as it gives the fields their starting texts.
    ProjectState& projectState();

public slots:
    // Show the unpacker (Form2) or the colour picker (Form3): modeless, without
    // owner, at most one of each; an open one is brought forward.
    void showUnpacker();
    void showColourPicker();
    // The workbench (Form4), on this window's project state, likewise.
    void showWorkbench();
    // "打开皮肤…": a finished skin unpacked into a new folder, opened in the
    // workbench and verified here.
    void openSkin();
    // The program's argument: a folder of sources (or its main256.bmp) is
    // verified here and shown in the workbench; any other file is taken for
    // a finished skin, as "打开皮肤…" takes it.
    void openPath(const QString& path);

protected:
    // A double-click on the window's own background is the way to the unpacker.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // The right button on the background opens the menu of the other windows.
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The first frame is followed by the making of the settings area.
    void paintEvent(QPaintEvent* event) override;

private:
    // The parts of the window, made once by the constructor.
    void makeSourceRows();  // the role and path labels, and the status line
    void makeButtons();     // Command1..4 and the note beside them
    void connectActions();
    // The three frames, the settings panel and the preview, made once.
    void ensureSettingsArea();
    void makeBackgroundMenu();  // the menu of a right click on the window
    void openSourceSet();       // Command1
    // The verification run on `folder` (trailing separator kept) and the
    // settings load that follows it, as Command1 runs them.
    void verifyFolder(const QString& folder);
    void generateSkin();                   // Command2
    void exitAll();                        // Command3
    void showSourcePaths();                // the path labels show the state's paths
    void showDoctorFindings(bool passed);  // test1's tooltip

    Dialogs& dialogs_;
    QString currentDir_;
    CommonDialog sourceDialog_;  // cd1
    // The verified folder, its paths and the record the panel edits.
    ProjectState* state_ = nullptr;
    // The project core every window shares through the state.
    artwork::QtPictureDecoder decoder_;
    std::unique_ptr<project::Project> project_;
    // The folder this window last verified: a folder opened elsewhere is verified here too.
    QString verifiedFolder_;

    // The path label of each source, in the order of images::kSourceSet
    // (fmain1, ftree1, ...).
    std::array<QLabel*, images::kSourceCount> pathLabels_{};
    QLabel* statusLabel_ = nullptr;  // test1

    QPushButton* openButton_ = nullptr;      // Command1
    QPushButton* generateButton_ = nullptr;  // Command2
    QPushButton* exitButton_ = nullptr;      // Command3
    QPushButton* advancedButton_ = nullptr;  // Command4

    SettingsPanel* settingsPanel_ = nullptr;  // the controls of Frame1, Frame2 and Frame3
    IconPreview* preview_ = nullptr;          // image1 to image7 and the preview buttons

    QPointer<UnpackerWindow> unpackerWindow_;             // Form2
    QPointer<ColourPicker> colourPicker_;                 // Form3
    QPointer<workbench::ui::WorkbenchWindow> workbench_;  // Form4
    QMenu* backgroundMenu_ = nullptr;
};

}  // namespace vireo::ui
