#pragma once

#include "app/ui/common_dialog.h"
#include "settings/record.h"
#include "settings/write.h"

#include <QObject>
#include <QRect>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vireo::ui {

class Dialogs;

// The settings panel: the controls of the main window's frames Frame1 (colours),
// Frame2 (icon positions) and Frame3 (the hint flag), the load that fills them
// from the picture folder's BACK, the import of another BACK, the three group
// writes through the byte table and the two resets.
//
// The current settings file is the file name of the main window's dialog Cd2;
// the panel changes it on load and import, and the writes change that file.
class SettingsPanel : public QObject {
    Q_OBJECT

public:
    struct Frames {
        QGroupBox* Frame1;
        QGroupBox* Frame2;
        QGroupBox* Frame3;
    };

    // `sourceFolder` is the folder of the verified main256.bmp (trailing
    // separator kept), whose BACK the load reads; `Cd2` holds the current settings file;
    // `currentDir` is where the byte table ASCII lives; `advancedToggle`
    // shows or hides the panel as the main window's advanced button does.
    SettingsPanel(Dialogs& dialogs, const QString& sourceFolder, CommonDialog& Cd2, QString currentDir,
                  Frames frames, std::function<void()> advancedToggle, QObject* parent = nullptr);

    // Fills the panel from the BACK next to main256.bmp, which becomes the
    // current settings file, then runs the advanced toggle. A file that is
    // missing, unreadable or not 32 bytes long leaves the panel as it was.
    void LoadBackFile();

    // Frame2 keeps a column free under its own buttons for the two preview
    // buttons; slot 0 is the open button, slot 1 the close button.
    static QRect previewButtonGeometry(int slot);

    // Frame1: the colour rows.
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label16 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text6 = nullptr;
    QLineEdit* Text7 = nullptr;
    QLineEdit* Text8 = nullptr;
    QLineEdit* Text9 = nullptr;
    QLabel* Label20 = nullptr;
    QPushButton* Command13 = nullptr;  // palette: emits paletteRequested()
    QPushButton* Command8 = nullptr;   // write colours
    QPushButton* Command6 = nullptr;   // default colours

    // Frame2: the position rows, X box then Y box.
    QLabel* Label18 = nullptr;
    QLabel* Label19 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label21 = nullptr;
    QLabel* Label23 = nullptr;
    QLabel* Label24 = nullptr;
    QLabel* Label22 = nullptr;
    QLabel* Label26 = nullptr;
    QLabel* Label25 = nullptr;
    QLineEdit* xdy1 = nullptr;
    QLineEdit* ydy1 = nullptr;
    QLineEdit* xyy1 = nullptr;
    QLineEdit* yyy1 = nullptr;
    QLineEdit* xtp1 = nullptr;
    QLineEdit* ytp1 = nullptr;
    QLineEdit* xyx1 = nullptr;
    QLineEdit* yyx1 = nullptr;
    QLineEdit* xdzs11 = nullptr;
    QLineEdit* ydzs1 = nullptr;
    QLineEdit* xxx1 = nullptr;
    QLineEdit* yxx1 = nullptr;
    QLineEdit* xwj1 = nullptr;
    QLineEdit* ywj1 = nullptr;
    QPushButton* Command11 = nullptr;  // import BACK
    QPushButton* Command9 = nullptr;   // write positions
    QPushButton* Command5 = nullptr;   // default positions

    // Frame3.
    QCheckBox* Check1 = nullptr;
    QPushButton* Command10 = nullptr;  // write the hint flag

signals:
    // Command13 was pressed: the colour picker should be shown.
    void paletteRequested();

private:
    void importBackFile();  // Command11
    void writeColours();    // Command8
    void writePositions();  // Command9
    void writeHintFlag();   // Command10
    void resetColours();    // Command6
    void resetPositions();  // Command5

    void buildColourFrame(QGroupBox* frame);
    void buildPositionFrame(QGroupBox* frame);
    void buildHintFrame(QGroupBox* frame);

    void fill(const settings::Record& record);
    QString folderBack() const;
    QString tablePath() const;
    // Reports a write's outcome; `group` names the boxes a bad field is in.
    void finishWrite(const std::optional<settings::WriteFailure>& failure,
                     std::optional<settings::Group> group);

    Dialogs& dialogs_;
    const QString& sourceFolder_;
    CommonDialog& Cd2_;
    QString currentDir_;
    std::function<void()> advancedToggle_;
    QWidget* window_;  // parent of the message boxes

    // The boxes in the order of settings::kColourFields and kPositionFields.
    std::array<QLineEdit*, settings::kColourFieldCount> colourBoxes_{};
    std::array<QLineEdit*, settings::kPositionFieldCount> positionBoxes_{};
};

}  // namespace vireo::ui
