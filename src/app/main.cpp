#include "widgets/dialogs.h"
#include "app/ui/main_window.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vireo-skin-builder"));

    vireo::ui::QtDialogs dialogs;
    // The byte table, the templates and the fallback BACK live in the folder
    // the tool is started from.
    vireo::ui::MainWindow window(dialogs, QDir::currentPath());
    window.show();
    return app.exec();
}
