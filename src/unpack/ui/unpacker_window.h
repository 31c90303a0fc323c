#pragma once

#include "app/ui/common_dialog.h"

#include <QString>
#include <QWidget>

#include <array>

class QFrame;
class QGroupBox;
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
    CommonDialog Cd1_;
    // The last file that passed inspection. Restoration reads this one, so a
    // later refused choice in Cd1 cannot send it to another file.
    QString acceptedPath_;
    QString acceptedFolder_;

    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;
    QFrame* Line3 = nullptr;
    QFrame* Line4 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
};

}  // namespace vireo::ui
