#include "cli/ui/command_line.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vireo-skin"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    // Installed, the PNG writer sits in lib/vireo-skin beside bin; built, next to the program.
    const QString programDir = QCoreApplication::applicationDirPath();
    const vireo::ui::Environment environment{
        {programDir + QStringLiteral("/../lib/vireo-skin"), programDir}};
    const int status = vireo::ui::runCommandLine(QCoreApplication::arguments(), out, err, environment);
    out.flush();
    err.flush();
    return status;
}
