#include "cli/ui/command_line.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("vireo-skin " VIREO_VERSION);
        return 0;
    }
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
