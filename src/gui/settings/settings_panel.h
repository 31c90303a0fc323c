#pragma once

#include "core/settings/record.h"
#include "core/settings/write.h"
#include "gui/widgets/common_dialog.h"

#include <QObject>
#include <QRect>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vireo::project {
class Project;
}

namespace vireo::ui {

class Dialogs;
class ProjectState;

// The settings panel: the controls of the main window's frames Frame1 (colours),
// Frame2 (icon positions) and Frame3 (the hint flag), the load that fills them
// from the picture folder's BACK, the import of another BACK, the three group
// writes through the byte table and the two resets.
//
// The record being edited and the current settings file live in the project
// state: the boxes and the check box are bound to it both ways, the writes
// store what it holds and change the file it names. Cd2 picks an imported file.
class SettingsPanel : public QObject {
    Q_OBJECT

public:
    struct Frames {
        QGroupBox* colours;    // Frame1
        QGroupBox* positions;  // Frame2
        QGroupBox* hint;       // Frame3
    };

    // `currentDir` is where the byte table ASCII is looked for first; `advancedToggle`
    // shows or hides the panel as the main window's advanced button does.
    // The state's fields take the boxes' initial texts and its current
    // settings file Cd2's initial file name.
    SettingsPanel(Dialogs& dialogs, ProjectState& state, QString currentDir, Frames frames,
                  std::function<void()> advancedToggle, QObject* parent = nullptr);

    // Fills the panel from the BACK next to main256.bmp, which becomes the
    // current settings file, then runs the advanced toggle. A file that is
    // missing, unreadable or not 32 bytes long leaves the panel as it was.
    void loadFolderSettings();

    // Puts the focus on the box of the record's field at `offset`, its text
    // selected, so that the user can mend a refused value.
    void focusField(std::uint8_t offset);

    // Frame2 keeps a column free under its own buttons for the two preview
    // buttons; slot 0 is the open button, slot 1 the close button.
    static QRect previewButtonGeometry(int slot);

signals:
    // Command13 was pressed: the colour picker should be shown.
    void paletteRequested();

private:
    void importBackFile();  // Command11
    // Command8 (colours) and Command9 (positions): one group's texts into
    // the current settings file.
    void writeGroup(settings::Group group);
    void writeHintFlag();  // Command10
    // The project, when the current settings file is its BACK, set to write
    // through the panel's byte table.
    project::Project* projectOfTarget() const;
    void resetColours();    // Command6
    void resetPositions();  // Command5

    void buildColourFrame(QGroupBox* frame);
    void buildPositionFrame(QGroupBox* frame);
    void buildHintFrame(QGroupBox* frame);
    void bindToState();

    void fill(const settings::Record& record);
    QString folderBack() const;
    // The byte table: the current folder's ASCII, else the installed one.
    QString tablePath() const;
    // The write buttons' tooltip names the byte table they write through.
    void showTablePath();
    std::vector<std::string> textsOf(settings::Group group) const;
    // Reports a write's outcome; `group` names the boxes a bad field is in.
    void finishWrite(const Result<void>& written, std::optional<settings::Group> group);

    Dialogs& dialogs_;
    ProjectState& state_;
    QString currentDir_;
    std::function<void()> advancedToggle_;
    QWidget* window_;            // parent of the message boxes
    CommonDialog importDialog_;  // Cd2

    // Frame1: the colour rows are colourBoxes_.
    QPushButton* paletteButton_ = nullptr;         // Command13
    QPushButton* writeColoursButton_ = nullptr;    // Command8
    QPushButton* defaultColoursButton_ = nullptr;  // Command6

    // Frame2: the position rows, X box then Y box, are positionBoxes_.
    QPushButton* importButton_ = nullptr;            // Command11
    QPushButton* writePositionsButton_ = nullptr;    // Command9
    QPushButton* defaultPositionsButton_ = nullptr;  // Command5

    // Frame3.
    QCheckBox* hintCheck_ = nullptr;          // Check1
    QPushButton* writeHintButton_ = nullptr;  // Command10

    // The boxes in the order of settings::kColourFields (Text1 to Text9) and
    // kPositionFields (xdy1, ydy1, ... ywj1).
    std::array<QLineEdit*, settings::kColourFieldCount> colourBoxes_{};
    std::array<QLineEdit*, settings::kPositionFieldCount> positionBoxes_{};
    // The box of each offset of the record; none for offsets no box shows.
    std::array<QLineEdit*, settings::kRecordLength> boxAt_{};
};

}  // namespace vireo::ui
