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

// Runs the vireo-skin command line: `arguments` starts with the program name.
// Results go to `out`, errors to `err`. `currentDir` stands for the process's
// current directory, where the verification looks for a BACK the folder lacks.
int runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err,
                   const QString& currentDir);

}  // namespace vireo::ui
