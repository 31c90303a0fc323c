#pragma once

#include "core/unpack/skin_info.h"
#include "gui/widgets/common_dialog.h"

#include <QString>
#include <QWidget>

#include <array>

class QLabel;
class QPushButton;

namespace vireo::ui {

class Dialogs;

// The unpacker window, Form2: opens a short skin image file named BACKIMG,
// shows the settings it carries and writes its pictures back out as BMP files.
class UnpackerWindow : public QWidget {
    Q_OBJECT

public:
    // `currentDir` stands for the process's current directory: where the BMP
    // header templates are found.
    UnpackerWindow(Dialogs& dialogs, QString currentDir, QWidget* parent = nullptr);

protected:
    // Only the window's own background answers; labels, buttons, lines and
    // the frame do not.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void openAndInspect();  // Command1
    void restore();         // Command3

    Dialogs& dialogs_;
    QString currentDir_;
    CommonDialog skinDialog_;  // Cd1
    // The last file that passed inspection. Restoration reads this one, so a
    // later refused choice in Cd1 cannot send it to another file.
    QString acceptedPath_;
    QString acceptedFolder_;

    // What the opened file carries, in the order of skinInfoTexts (core/messages/): the
    // three colour rows (Label3 to Label5), the hint flag (Label6), the six
    // icon positions (Label7 to Label12) and the file's place (Label1).
    std::array<QLabel*, unpack::kInfoLabelCount> infoLabels_{};
    QPushButton* openButton_ = nullptr;     // Command1
    QPushButton* closeButton_ = nullptr;    // Command2
    QPushButton* restoreButton_ = nullptr;  // Command3
};

}  // namespace vireo::ui
