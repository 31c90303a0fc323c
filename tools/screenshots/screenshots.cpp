// screenshots OUTDIR DEMODIR: walks the main road on a copy of the demo
// source set and saves each window as OUTDIR/NAME.png. Run it on a real
// display (scripts/screenshots uses Xvfb) so that fonts are the system's.
#include "core/base/binary_file.h"
#include "core/images/source_set.h"
#include "core/unpack/short_skin.h"
#include "gui/app/main_window.h"
#include "gui/widgets/dialogs.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
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
    std::optional<QString> saveFile(QWidget*, const QString&, const QString&,
                                    const QString&) override {
        return std::nullopt;
    }
    void message(QWidget*, const QString& text) override {
        std::printf("message: %s\n", text.toUtf8().constData());
    }
    // A question takes its first answer, as the default button would.
    std::optional<int> ask(QWidget*, const QString& text, const QStringList&) override {
        std::printf("question: %s\n", text.toUtf8().constData());
        return 0;
    }
    std::optional<QStringList> fillIn(QWidget*, const QString&, const QStringList&,
                                      const QStringList& values) override {
        return values;
    }
    std::optional<vireo::ui::Framing> chooseFraming(
        QWidget*, const vireo::images::RgbaImage&,
        const vireo::ui::FramingQuestion& question) override {
        return question.initial;
    }
    std::optional<QColor> chooseColour(QWidget*, const QString&, const QColor&) override {
        return std::nullopt;
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

// A short skin image file made of the demo set, for the unpacker to open:
// its about icon is the demo's game icon.
vireo::Bytes shortSkinOf(const QString& demo) {
    using vireo::images::Source;
    const auto file = [&](Source source) {
        const QString path = demo + QLatin1Char('/') + vireo::images::sourceImage(source).fileName;
        return vireo::readBlock(path.toStdString(), 0,
                                vireo::images::sourceImage(source).requiredLength())
            .value();
    };
    vireo::Bytes skin;
    const auto add = [&](const vireo::Bytes& from, std::size_t offset, std::size_t length) {
        skin.insert(skin.end(), from.begin() + offset, from.begin() + offset + length);
    };
    const auto background = [&](Source source) {
        const auto bytes = file(source);
        add(bytes, vireo::images::kPaletteOffset, bytes.size() - vireo::images::kPaletteOffset);
    };
    const auto icon = [&](Source source) {
        const auto bytes = file(source);
        add(bytes, vireo::images::kPixelOffset, bytes.size() - vireo::images::kPixelOffset);
    };
    background(Source::MainBackground);
    for (Source s : {Source::MovieIcon, Source::MusicIcon, Source::EbookIcon, Source::GameIcon,
                     Source::OptionsIcon})
        icon(s);
    background(Source::TreeBackground);
    icon(Source::FolderIcon);
    icon(Source::ParentFolderIcon);
    background(Source::EbookBackground);
    background(Source::MusicBackground);
    add(vireo::readBlock((demo + QStringLiteral("/BACK")).toStdString(), 0, 32).value(), 0, 32);
    return skin;
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
    // As the tool starts: compact, nothing chosen yet.
    bool ok = save(&window, out + QStringLiteral("/main-window.png"));

    // Opening main256.bmp verifies the set and, every file being found, loads
    // BACK into the settings panel and opens it.
    button(&window, "Command1")->click();
    ok = save(&window, out + QStringLiteral("/demo-verified.png")) && ok;
    button(&window, "Command2")->click();

    // The same panel after generation, with the preview over it.
    button(&window, "Command7")->click();
    ok = save(&window, out + QStringLiteral("/demo-preview.png")) && ok;

    // The unpacker on a short skin made of the demo set.
    const QString unpackFolder = QDir::tempPath() + QStringLiteral("/vireo-unpack/");
    QDir(unpackFolder).removeRecursively();
    QDir().mkpath(unpackFolder);
    const auto written = vireo::writeFileAtomically(
        (unpackFolder + QString::fromLatin1(vireo::unpack::kSkinFileName)).toStdString(),
        shortSkinOf(demo));
    ok = written.ok() && ok;
    dialogs.paths << unpackFolder + QString::fromLatin1(vireo::unpack::kSkinFileName);
    window.showUnpacker();
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() != QLatin1String("Form2") || !top->isVisible()) continue;
        top->move(40, 40);
        button(top, "Command1")->click();
        ok = save(top, out + QStringLiteral("/unpacker.png")) && ok;
        top->close();
    }

    // The colour picker showing a colour.
    window.showColourPicker();
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() != QLatin1String("Form3") || !top->isVisible()) continue;
        top->move(40, 40);
        const int rgb[3] = {64, 158, 255};
        for (int i = 0; i < 3; ++i)
            top->findChild<QScrollBar*>(QStringLiteral("RGBValue%1").arg(i + 1))->setValue(rgb[i]);
        ok = save(top, out + QStringLiteral("/colour-picker.png")) && ok;
    }
    // The workbench on the demo set, its menu bar and slots in view.
    window.showWorkbench();
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() != QLatin1String("Form4") || !top->isVisible()) continue;
        top->move(40, 40);
        ok = save(top, out + QStringLiteral("/workbench.png")) && ok;
    }
    return ok ? 0 : 1;
}
