#include "widgets/dialogs.h"
#include "app/ui/main_window.h"
#include "widgets/translations.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <cstring>

namespace {

// What --help prints. help2man makes the manual page from it, so it keeps
// help2man's shape: a usage line, a description, then the options.
constexpr const char* kHelp =
    "Usage: vireo-skin-builder [OPTION]\n"
    "Build a skin (BACKIMG) for the VIREO media player from twelve 256-colour BMP\n"
    "pictures and a 32-byte settings file (BACK), in a window.\n"
    "\n"
    "Open main256.bmp with the first button; the other pictures and BACK are read\n"
    "from the same folder, and BACKIMG is written there. The byte table ASCII and\n"
    "the BMP header templates are read from the current directory; the menu entry\n"
    "starts the tool in /usr/share/vireo-skin-builder, which holds them.\n"
    "A double-click on an empty part of the window opens the skin unpacker.\n"
    "\n"
    "The window needs a graphical desktop session. Without one, use vireo-skin,\n"
    "which does the same work from a shell.\n"
    "\n"
    "Options:\n"
    "  -h, --help     display this help and exit\n"
    "      --version  output version information and exit\n";

}  // namespace

int main(int argc, char* argv[]) {
    // Answered before QApplication exists, so that they need no display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kHelp, stdout);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("vireo-skin-builder " VIREO_VERSION);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vireo-skin-builder"));
    if (!vireo::ui::installChineseQtTranslations(app))
        std::fputs("vireo-skin-builder: Qt's Chinese translations (qt6-translations-l10n) are missing;"
                   " the file dialogs stay in English\n", stderr);

    vireo::ui::QtDialogs dialogs;
    // The byte table, the templates and the fallback BACK live in the folder
    // the tool is started from.
    vireo::ui::MainWindow window(dialogs, QDir::currentPath());
    window.show();
    return app.exec();
}
