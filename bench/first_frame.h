#pragma once

// Ends a start-up benchmark's child the moment the window it watches has
// painted its first frame, writing one byte to standard output first.

#include <QEvent>
#include <QMetaObject>
#include <QObject>

#include <unistd.h>

// The top level's paint event starts the frame; the frame is whole once the
// painting of its children has returned to the event loop.
class FirstFrame : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QMetaObject::invokeMethod(
                this,
                [] {
                    const char done = 'F';
                    _exit(write(STDOUT_FILENO, &done, 1) == 1 ? 0 : 1);
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};
