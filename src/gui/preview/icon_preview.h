#pragma once

#include "core/images/source_set.h"

#include <QImage>
#include <QObject>

#include <array>
#include <cstdint>
#include <optional>

class QGroupBox;
class QLabel;
class QPoint;
class QPushButton;
class QWidget;

namespace vireo::ui {

class Dialogs;
class ProjectState;

// The icon layout preview: the main-screen background at the window's
// top-left corner with the six icons over it, each where the project state's
// position fields say (one pixel per unit), every picture drawn mirrored top
// to bottom as the player shows a BMP's rows. The file list is not shown.
// The pictures are loaded from the state's source paths.
class IconPreview : public QObject {
    Q_OBJECT

public:
    // The picture boxes become children of `window`, the two buttons of the
    // position frame (Frame2).
    IconPreview(Dialogs& dialogs, const ProjectState& state, QWidget* window,
                QGroupBox* positionFrame, QObject* parent = nullptr);

    // Places the six icons from the position fields and draws all seven
    // pictures mirrored. A field that holds no number is reported and nothing
    // moves; returns whether the layout was made.
    bool LayoutPreview();

signals:
    // A position field holds no number; the settings panel points at its box.
    void positionRefused(std::uint8_t offset);

private:
    static constexpr std::size_t kBoxCount = 7;

    struct Box {
        QLabel* picture;
        images::Source source;  // the icons' positions are in their rows of images::kIcons
    };

    void open();   // Command7
    void close();  // Command12

    // Every icon's position, or nothing after telling the user which field is wrong.
    std::optional<std::array<QPoint, kBoxCount>> positions();

    Dialogs& dialogs_;
    const ProjectState& state_;
    QWidget* window_;

    QLabel* backgroundPicture_ = nullptr;        // image1
    QLabel* moviePicture_ = nullptr;             // image2
    QLabel* musicPicture_ = nullptr;             // image3
    QLabel* ebookPicture_ = nullptr;             // image4
    QLabel* gamePicture_ = nullptr;              // image5
    QLabel* optionsPicture_ = nullptr;           // image6
    QLabel* pictureBrowserPicture_ = nullptr;    // image7
    QPushButton* previewButton_ = nullptr;       // Command7: open or rebuild the preview
    QPushButton* closePreviewButton_ = nullptr;  // Command12

    std::array<Box, kBoxCount> boxes_{};
    // The pictures as last loaded from their files, before mirroring.
    std::array<QImage, kBoxCount> pictures_;
};

}  // namespace vireo::ui
