// The measure vireo-bench-start holds the window program's start against:
// the plainest Chinese window, a QLabel with one sentence, in a program that
// links Qt Widgets and nothing else. It ends at its first frame.
#include "first_frame.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    FirstFrame firstFrame;
    QLabel label(QStringLiteral("这是一个只有一句中文的窗口。"));
    label.installEventFilter(&firstFrame);
    label.show();
    return app.exec();
}
