#pragma once

#include "gui/widgets/dialogs.h"

#include <QString>

class QWidget;

namespace vireo::ui {

// An open-file dialog that remembers its last choice, as the windows' named
// dialogs (cd1, Cd2, Cd1) do: the full path and the file title of the choice
// stay until the next accepted choice; cancelling leaves them as they were.
class CommonDialog {
public:
    CommonDialog(QString filter, QString initialFileName);

    // Shows the dialog, starting from the current file name. True when the
    // user chose a file, which is then the current choice.
    bool show(Dialogs& dialogs, QWidget* parent);

    // The current choice. The program may set the file name, as the settings
    // panel does with the current settings file.
    const QString& fileName() const { return fileName_; }
    const QString& fileTitle() const { return fileTitle_; }
    void setFileName(const QString& path);

    // The folder of the current choice with its trailing separator.
    QString folder() const;

private:
    QString filter_;
    QString fileName_;
    QString fileTitle_;
};

}  // namespace vireo::ui
