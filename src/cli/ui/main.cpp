#include "cli/ui/command_line.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vireo-skin"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = vireo::ui::runCommandLine(QCoreApplication::arguments(), out, err,
                                                 QDir::currentPath());
    out.flush();
    err.flush();
    return status;
}
