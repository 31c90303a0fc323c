#pragma once

#include "app/ui/common_dialog.h"
#include "images/source_set.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class QPushButton;

namespace vireo::ui {

class ColourPicker;
class Dialogs;
class IconPreview;
class SettingsPanel;
class UnpackerWindow;

// The main window, Form1: the twelve source paths, the verification report,
// the buttons that open, generate, show the settings panel and exit, and the
// settings panel itself below the button row.
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

    // The advanced toggle: shows the settings panel when the window is
    // exactly compact, otherwise makes it compact.
    void advancedToggle();

public slots:
    // Show the unpacker (Form2) or the colour picker (Form3): modeless, without
    // owner, at most one of each; an open one is brought forward.
    void showUnpacker();
    void showColourPicker();

protected:
    // A double-click on the window's own background is the way to the unpacker.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void openSourceSet();  // Command1
    void generateSkin();   // Command2
    void exitAll();        // Command3

    QLabel* pathLabel(images::Source source) const;
    // The path label of each source, in the order of images::kSourceSet.
    static QLabel* MainWindow::* const kPathLabels[images::kSourceCount];
    images::SourcePaths pathsFromLabels() const;

    Dialogs& dialogs_;
    QString currentDir_;
    CommonDialog cd1_;
    CommonDialog Cd2_;  // its file name is the current settings file
    // The folder of the main256.bmp that the path labels show; the skin is written there.
    QString sourceFolder_;

    QLabel* fmain1 = nullptr;
    QLabel* ftree1 = nullptr;
    QLabel* febook1 = nullptr;
    QLabel* fmovie1 = nullptr;
    QLabel* fmusic1 = nullptr;
    QLabel* febook2 = nullptr;
    QLabel* fhelp1 = nullptr;
    QLabel* fgame1 = nullptr;
    QLabel* fimage1 = nullptr;
    QLabel* ft1 = nullptr;
    QLabel* fu1 = nullptr;
    QLabel* fmu1 = nullptr;
    QLabel* test1 = nullptr;
    QLabel* Label13 = nullptr;

    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;

    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;

    SettingsPanel* settingsPanel_ = nullptr;  // the controls of the three frames
    IconPreview* preview_ = nullptr;          // image1 to image7 and the preview buttons

    QPointer<UnpackerWindow> Form2;
    QPointer<ColourPicker> Form3;
};

}  // namespace vireo::ui
