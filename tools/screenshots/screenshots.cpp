// screenshots OUTDIR DEMODIR: walks the main road on a copy of the demo
// source set and saves each window as OUTDIR/NAME.png. Run it on a real
// display (scripts/screenshots uses Xvfb) so that fonts are the system's.
#include "app/ui/dialogs.h"
#include "app/ui/main_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>

namespace {

// Answers every open dialog with the next scripted path; messages are printed.
class Script final : public vireo::ui::Dialogs {
public:
    QStringList paths;
    std::optional<QString> openFile(QWidget*, const QString&, const QString&) override {
        if (paths.isEmpty()) return std::nullopt;
        return paths.takeFirst();
    }
    void message(QWidget*, const QString& text) override {
        std::printf("message: %s\n", text.toUtf8().constData());
    }
};

// Lets the window system map and paint the windows.
void settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool save(QWidget* window, const QString& file) {
    window->raise();
    window->activateWindow();
    settle(300);
    const bool saved = window->grab().save(file);
    std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(file));
    return saved;
}

QPushButton* button(QWidget* window, const char* name) {
    return window->findChild<QPushButton*>(name);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: screenshots OUTDIR DEMODIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString demo = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);

    // A copy, so that the generated BACKIMG does not land in the repository.
    const QString work = QDir::tempPath() + QStringLiteral("/vireo-demo/");
    QDir(work).removeRecursively();
    QDir().mkpath(work);
    for (const QString& name : QDir(demo).entryList(QDir::Files))
        QFile::copy(demo + QLatin1Char('/') + name, work + name);

    Script dialogs;
    dialogs.paths << work + QStringLiteral("main256.bmp");
    vireo::ui::MainWindow window(dialogs, work);
    window.move(0, 0);
    window.show();
    button(&window, "Command1")->click();
    // Verification ends by toggling the settings panel; show the compact window.
    if (window.height() != vireo::ui::MainWindow::kCompactHeight) window.advancedToggle();
    bool ok = save(&window, out + QStringLiteral("/demo-verified.png"));
    button(&window, "Command2")->click();
    return ok ? 0 : 1;
}
