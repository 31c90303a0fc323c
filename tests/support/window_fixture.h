#pragma once

#include "gui/app/main_window.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

namespace vireo::test {

// The main window, shown, over a complete source folder, with a current
// directory that holds the identity byte table ASCII and scripted dialogs.
struct WindowFixture {
    WindowFixture();

    QPushButton* button(const char* name) const { return window->findChild<QPushButton*>(name); }
    QLabel* label(const char* name) const { return window->findChild<QLabel*>(name); }
    QLineEdit* box(const char* name) const { return window->findChild<QLineEdit*>(name); }
    ui::ProjectState& state() const { return window->projectState(); }

    // Picks `path` in the open dialog of Command1 and runs the verification.
    void open(const QString& path);
    // Opens the folder's main256.bmp.
    void openSources() { open(source.path("main256.bmp")); }
    // The folder's BACK.
    QString back() const { return source.path("BACK"); }
    bool expanded() const { return window->height() == ui::MainWindow::kExpandedHeight; }

    SourceFolder source;
    QTemporaryDir current;
    ScriptedDialogs dialogs;
    std::unique_ptr<ui::MainWindow> window;
};

// Puts `folder` into `state` as a verified source set with BACK as its settings
// file and the default icon positions in the panel's boxes, as a window test's
// starting point.
void openInState(ui::ProjectState& state, const SourceFolder& folder);

}  // namespace vireo::test
