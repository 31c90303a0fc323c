#pragma once

#include "gui/app/main_window.h"
#include "gui/widgets/dialogs.h"

class QApplication;

namespace vireo::ui {

// What vireo-skin-builder does between reading its options and showing its
// window: the application's name, Qt's Chinese texts and the main window on
// the folder the program is started in. The start-up benchmark builds the
// same, so that it times the road main() takes.
class Startup {
public:
    explicit Startup(QApplication& app);
    MainWindow& window() { return window_; }

private:
    // Constructed first: the window keeps a reference.
    QtDialogs dialogs_;
    MainWindow window_;
};

}  // namespace vireo::ui
