#include "core/images/source_set.h"
#include "core/package/package.h"
#include "core/skin/generation.h"
#include "gui/widgets/project_state.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPointer>
#include <QTest>

#include <sys/stat.h>

using vireo::ui::MainWindow;
using namespace vireo;

namespace {

const QString kPassed = QStringLiteral("校验全部通过，可以开始文件生成");
using Fixture = test::WindowFixture;

QList<QWidget*> shown(const QString& name) {
    QList<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible()) found << w;
    return found;
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets()) w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A double click on the background opens one unpacker, on a picture none.
    void doubleClickOpensOneUnpacker() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QTest::mouseDClick(f.window->findChild<QWidget*>("fmain1"), Qt::LeftButton, {}, {2, 2});
        QVERIFY(shown("Form2").isEmpty());
        for (int click = 0; click < 2; ++click)
            QTest::mouseDClick(f.window.get(), Qt::LeftButton, {}, {560, 10});
        QCOMPARE(shown("Form2").size(), 1);
    }

    // The settings panel's palette button opens it.
    void pickerOpensOnceAndStartsAfreshEachTime() {
        Fixture f;
        f.button("Command13")->click();
        QPointer<QWidget> first = shown("Form3").value(0);
        first->findChild<QLineEdit*>("RGBNumber1")->setText("99");
        f.window->showColourPicker();
        QCOMPARE(shown("Form3"), QList<QWidget*>{first.data()});
        QTest::mouseClick(first->findChild<QPushButton*>("OkButton"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        f.window->showColourPicker();
        QCOMPARE(shown("Form3")[0]->findChild<QLineEdit*>("RGBNumber1")->text(), "0");
    }

    // Exit closes every window; the main window's frame closes only itself.
    void exitClosesEveryWindow() {
        Fixture f;
        f.window->showUnpacker();
        f.window->close();
        QCOMPARE(shown("Form2").size(), 1);
        f.window->show();
        f.window->showColourPicker();
        f.button("Command3")->click();
        QVERIFY(shown("Form1").isEmpty() && shown("Form2").isEmpty() && shown("Form3").isEmpty());
    }

    void refusesAnyFileButMain256() {
        Fixture f;
        f.button("Command1")->click();  // cancelled before any choice
        f.open(f.source.folder() + "MAIN256.bmp");
        f.open(f.source.path("movie256.bmp"));
        QCOMPARE(f.dialogs.messages, QStringList(3, "请打开main256.bmp"));
        QCOMPARE(f.label("test1")->text(), QString("状态未知"));
        QVERIFY(!f.button("Command2")->isEnabled());
        QCOMPARE(f.dialogs.filters.first() + f.dialogs.initialPaths.first(),
                 QString("(*.bmp)main256.bmp"));
    }

    void verificationFillsThePathsAndEnablesTheButtons() {
        Fixture f;
        f.openSources();
        for (const auto& image : images::kSourceSet)
            QCOMPARE(f.label(image.pathLabel)->text(), f.source.folder() + image.fileName);
        QCOMPARE(f.label("test1")->text(), kPassed);
        QVERIFY(f.button("Command2")->isEnabled() && f.button("Command4")->isEnabled());

        // A cancelled dialog checks its last choice again; failing, it takes
        // generation away and leaves the settings panel reachable.
        QVERIFY(QFile(f.source.path("help256.bmp")).resize(5175));
        f.dialogs.cancel();
        f.button("Command1")->click();
        QCOMPARE(f.label("test1")->text(), QString("帮助图标  校验未通过，无法生成文件"));
        QVERIFY(f.dialogs.messages.isEmpty());
        QVERIFY(!f.button("Command2")->isEnabled() && f.button("Command4")->isEnabled());
    }

    void failedRunTooltipNamesEveryFinding() {
        Fixture f;
        test::writeFile(f.source.path("tree_main256.bmp"),
                        f.source.files.at("tree_main256.bmp").left(5000));
        test::writeFile(f.source.path("music256.bmp"), QByteArray("GIF89a"));
        f.openSources();
        // The report keeps naming the first fault only, as the verification words it.
        QCOMPARE(f.label("test1")->text(),
                 QStringLiteral("目录树背景 音乐图标  校验未通过，无法生成文件"));
        const QString tooltip = f.label("test1")->toolTip();
        QVERIFY2(tooltip.startsWith("tree_main256.bmp：\n"), qPrintable(tooltip));
        QVERIFY(tooltip.contains("    tree_main256.bmp 的长度为 5000 字节，应为 39478 字节"));
        QVERIFY(tooltip.contains("music256.bmp：\n    music256.bmp 实际是 GIF 文件"));
        QVERIFY(!tooltip.contains("\nmain256.bmp："));
        // What to do is said with the windows' own buttons, never with a command.
        QVERIFY(tooltip.contains("“选择图片…”"));
        for (const char* command : {"convert", "import", "vireo-skin"})
            QVERIFY2(!tooltip.contains(QLatin1String(command)), command);

        for (const char* name : {"tree_main256.bmp", "music256.bmp"})
            test::writeFile(f.source.path(name), f.source.files.at(name));
        f.openSources();
        QVERIFY(f.label("test1")->toolTip().isEmpty());
    }

    // BACK written outside shows in the panel at once; a box edited here and
    // not yet written keeps its text, and its write stores both.
    void thePanelFollowsABackWrittenOutside() {
        Fixture f;
        f.openSources();
        f.box("xdy1")->setText("50");
        QByteArray back = test::readFile(f.back());
        back[17] = char(100);  // the movie icon's Y
        back[2] = char(7);     // the list text's blue
        test::writeFile(f.back(), back);
        QTRY_COMPARE(f.box("ydy1")->text(), QString("100"));
        QCOMPARE(f.box("Text3")->text(), QString("7"));
        QCOMPARE(f.box("xdy1")->text(), QString("50"));

        f.button("Command9")->click();
        QCOMPARE(f.dialogs.messages.last(), QString("done"));
        back[16] = char(50);
        QCOMPARE(test::readFile(f.back()), back);
    }

    // The skin goes to the verified folder, not to a later refused one. A BACK
    // that shrank after the run is refused and leaves the skin as it was.
    void generationWritesTheSkinAndDisablesItself() {
        Fixture f;
        QTemporaryDir elsewhere;
        f.openSources();
        f.open(elsewhere.filePath("other.bmp"));
        f.dialogs.messages.clear();
        bool lockedWhileRunning = false;
        f.dialogs.onMessage = [&](const QString&) {
            lockedWhileRunning =
                !f.button("Command1")->isEnabled() && !f.button("Command3")->isEnabled();
        };
        f.button("Command2")->click();
        QVERIFY(lockedWhileRunning);
        const QByteArray skin = test::readFile(f.source.path("BACKIMG"));
        QCOMPARE(skin.right(32), f.source.files.at("BACK"));
        QVERIFY(!QFileInfo::exists(elsewhere.filePath("BACKIMG")));
        QVERIFY(!f.button("Command2")->isEnabled());
        QVERIFY(f.button("Command1")->isEnabled() && f.button("Command3")->isEnabled());

        f.dialogs.onMessage = nullptr;
        f.openSources();
        QVERIFY(QFile(f.back()).resize(31));
        f.button("Command2")->click();
        QCOMPARE(f.dialogs.messages,
                 QStringList({"完成！", "BACK文件找不到或大小不正确，不能生成皮肤"}));
        QCOMPARE(test::readFile(f.source.path("BACKIMG")), skin);
        QVERIFY(f.button("Command2")->isEnabled());
    }

    // A folder, its main256.bmp or a finished skin given to the program opens
    // in the workbench and is verified in the main window as well; so is a
    // skin opened through the background menu's fourth item.
    void opensWhatItIsGiven_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("a folder") << "folder";
        QTest::newRow("its main256.bmp") << "main";
        QTest::newRow("a finished skin") << "skin";
        QTest::newRow("打开皮肤… in the menu") << "menu";
        QTest::newRow("a skin package") << "package";
    }
    void opensWhatItIsGiven() {
        QFETCH(QString, how);
        Fixture f;
        QTemporaryDir elsewhere;
        const skin::SkinSources sources{images::derivePaths(f.source.folder().toStdString()),
                                        f.back().toStdString()};
        const QString skinPath = elsewhere.filePath("BACKIMG");
        test::writeFile(skinPath, test::fromBytes(skin::assembleSkin(sources).value()));
        const QString unpacked = elsewhere.filePath("unpacked");
        std::vector<package::Entry> entries;
        for (const auto& [name, bytes] : f.source.files)
            entries.push_back({name.toStdString(), test::toBytes(bytes)});
        const QString packagePath = elsewhere.filePath("skin.vskin");
        test::writeFile(packagePath,
                        test::fromBytes(package::writePackage(
                                            entries, {"蓝天", "小王", "MIT", "", ""}, "skin.vskin")
                                            .value()));

        QString expectedFolder = f.source.folder();
        if (how == "folder") f.window->openPath(f.source.dir.path());
        if (how == "main") f.window->openPath(f.source.path("main256.bmp"));
        if (how == "skin" || how == "menu" || how == "package") {
            f.dialogs.chooseSaveAs(unpacked);
            expectedFolder = unpacked + '/';
        }
        if (how == "skin") f.window->openPath(skinPath);
        if (how == "package") {
            f.window->openPath(packagePath);
            QCOMPARE(f.dialogs.saveInitialPaths, QStringList{elsewhere.filePath("skin-源文件/")});
            const auto* status = shown("Form4").value(0)->findChild<QLabel*>("statusLabel");
            QVERIFY2((status->text() + status->toolTip()).contains("小王"),
                     qPrintable(status->text()));
        }
        if (how == "menu") {
            f.dialogs.choose(skinPath);
            const QList<QAction*> items = f.window->findChild<QMenu*>("backgroundMenu")->actions();
            QCOMPARE(items.size(), 4);
            QCOMPARE(items[3]->text(), QStringLiteral("打开皮肤…"));
            items[3]->trigger();
        }
        QCOMPARE(f.dialogs.messages, QStringList());
        QCOMPARE(shown("Form4").size(), 1);
        QCOMPARE(f.state().folder(), expectedFolder);
        QCOMPARE(f.label("test1")->text(), kPassed);
        QVERIFY(f.button("Command2")->isEnabled());
        QCOMPARE(f.label("fmain1")->text(), expectedFolder + "main256.bmp");
        if (how == "skin" || how == "menu" || how == "package")  // the pixels as carried
            QCOMPARE(test::readFile(unpacked + "/movie256.bmp").mid(1078),
                     f.source.files.at("movie256.bmp").mid(1078));
    }

    // What is no skin is refused before the question where to unpack it.
    void refusesWhatIsNoSkinBeforeAsking_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("a FIFO") << "fifo"
                                << "不是普通文件，而是命名管道（FIFO）：@/fifo";
        QTest::newRow("a byte short")
            << "short"
            << "错误的BACKIMG文件：@/short（长度为 182815 字节，皮肤应为 182816 或 178720 字节）";
    }
    void refusesWhatIsNoSkinBeforeAsking() {
        QFETCH(QString, name);
        QFETCH(QString, message);
        Fixture f;
        QTemporaryDir dir;
        QVERIFY(::mkfifo(QFile::encodeName(dir.filePath("fifo")), 0644) == 0);
        test::writeFile(dir.filePath("short"), QByteArray(182815, 0));
        f.window->openPath(dir.filePath(name));
        QCOMPARE(f.dialogs.messages, QStringList{message.replace('@', dir.path())});
        QCOMPARE(f.dialogs.saveCaptions, QStringList());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
