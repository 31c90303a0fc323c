// The window program's start as vireo-bench-start times it: the main window
// made and shown as main() does, through the same Startup, linked against the
// same window library. It ends at its first frame.
#include "first_frame.h"
#include "gui/app/startup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    vireo::ui::Startup started(app);
    FirstFrame firstFrame;
    started.window().installEventFilter(&firstFrame);
    started.window().show();
    return app.exec();
}
