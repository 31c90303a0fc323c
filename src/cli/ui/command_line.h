#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

namespace vireo::ui {

// Exit statuses of vireo-skin.
enum ExitStatus {
    kDone = 0,
    kRefused = 1,  // the input was checked and refused
    kFailed = 2,   // wrong usage, or a file that could not be read or written
};

// What the command line needs to know of its installation.
struct Environment {
    // Where `render` looks for the PNG writer module, in order.
    QStringList pngModuleDirs;
};

// Runs the vireo-skin command line: `arguments` starts with the program name.
// Results go to `out`, errors to `err`.
int runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err,
                   const Environment& environment);

}  // namespace vireo::ui
