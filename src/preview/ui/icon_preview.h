#pragma once

#include <QImage>
#include <QObject>

#include <array>
#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPoint;
class QPushButton;
class QWidget;

namespace vireo::ui {

class Dialogs;
class SettingsPanel;

// The main window's path labels of the seven pictures the preview shows.
struct PreviewSources {
    QLabel* fmain1;
    QLabel* fmovie1;
    QLabel* fmusic1;
    QLabel* febook2;
    QLabel* fgame1;
    QLabel* fhelp1;
    QLabel* fimage1;
};

// The icon layout preview: the main-screen background at the window's
// top-left corner with the six icons over it, each where the settings panel's
// position boxes say (one pixel per unit), every picture drawn mirrored top
// to bottom as the player shows a BMP's rows. The file list is not shown.
class IconPreview : public QObject {
    Q_OBJECT

public:
    // The picture boxes become children of `window`, the two buttons of `Frame2`.
    IconPreview(Dialogs& dialogs, QWidget* window, QGroupBox* Frame2, PreviewSources sources,
                const SettingsPanel& panel, QObject* parent = nullptr);

    // Places the six icons from the position boxes and draws all seven
    // pictures mirrored. A box that holds no number is reported and nothing
    // moves; returns whether the layout was made.
    bool LayoutPreview();

    QLabel* image1 = nullptr;  // main-screen background
    QLabel* image2 = nullptr;  // movie
    QLabel* image3 = nullptr;  // music
    QLabel* image4 = nullptr;  // e-book
    QLabel* image5 = nullptr;  // game
    QLabel* image6 = nullptr;  // options
    QLabel* image7 = nullptr;  // picture browser
    QPushButton* Command7 = nullptr;   // open or rebuild the preview
    QPushButton* Command12 = nullptr;  // close it

private:
    static constexpr std::size_t kBoxCount = 7;

    struct Box {
        QLabel* image;
        QLabel* pathLabel;
        const char* role;  // how a message names the picture
        QLineEdit* x;      // none for the background
        QLineEdit* y;
    };

    void open();   // Command7
    void close();  // Command12

    // Every icon's position, or nothing after telling the user which box is wrong.
    std::optional<std::array<QPoint, kBoxCount>> positions();

    Dialogs& dialogs_;
    QWidget* window_;
    std::array<Box, kBoxCount> boxes_{};
    // The pictures as last loaded from their files, before mirroring.
    std::array<QImage, kBoxCount> pictures_;
};

}  // namespace vireo::ui
