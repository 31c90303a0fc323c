#include "images/source_set.h"
#include "support/window_fixture.h"

#include <QGroupBox>
#include <QTest>

using vireo::ui::MainWindow;
using namespace vireo;

namespace {

const QString kPassed = QStringLiteral("校验全部通过，可以开始文件生成");
using Fixture = test::WindowFixture;

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void startsCompactWithNothingToDo() {
        Fixture f;
        QVERIFY(!f.button("Command2")->isEnabled());
        QVERIFY(!f.button("Command4")->isEnabled());
        for (const char* frame : {"Frame1", "Frame2", "Frame3"})
            QVERIFY(f.window->findChild<QGroupBox*>(frame)->visibleRegion().isEmpty());
        // The button row and its note end inside the compact client area.
        QVERIFY(f.label("Label13")->geometry().bottom() < f.window->height());
    }

    void refusesAnyFileButMain256() {
        Fixture f;
        const test::SourceFolder& sources = f.source;
        f.button("Command1")->click();  // cancelled before any choice
        f.open(sources.folder() + "MAIN256.bmp");
        f.open(sources.path("movie256.bmp"));
        QCOMPARE(f.dialogs.messages, QStringList(3, "请打开main256.bmp"));
        QCOMPARE(f.label("fmain1")->text(), QString("fmain1"));
        QCOMPARE(f.label("test1")->text(), QString("状态未知"));
        QVERIFY(!f.button("Command2")->isEnabled());
        QCOMPARE(f.dialogs.filters.first(), QString("(*.bmp)"));
        QCOMPARE(f.dialogs.initialPaths.first(), QString("main256.bmp"));
    }

    void verificationFillsThePathsAndEnablesTheButtons() {
        Fixture f;
        const test::SourceFolder& sources = f.source;
        f.open(sources.path("main256.bmp"));
        for (const auto& image : images::kSourceSet)
            QCOMPARE(f.label(image.pathLabel)->text(), sources.folder() + image.fileName);
        QCOMPARE(f.label("test1")->text(), kPassed);
        QVERIFY(f.button("Command2")->isEnabled());
        QVERIFY(f.button("Command4")->isEnabled());

        // A cancelled dialog checks its last choice again.
        QVERIFY(QFile::remove(sources.path("ft256.bmp")));
        f.dialogs.cancel();
        f.button("Command1")->click();
        QCOMPARE(f.label("test1")->text(), QString("文件夹图标  文件未找到，无法生成文件"));
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    // Each way a run can fail takes generation away from a passed one; the
    // settings panel stays reachable.
    void failedRunDisablesGeneration_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("length");  // -1: removed
        QTest::newRow("picture missing") << "ft256.bmp" << -1;
        QTest::newRow("picture one byte long") << "help256.bmp" << 5175;
        QTest::newRow("BACK one byte short") << "BACK" << 31;
    }
    void failedRunDisablesGeneration() {
        QFETCH(QString, file);
        QFETCH(int, length);
        Fixture f;
        f.openSources();
        QVERIFY(f.button("Command2")->isEnabled());
        if (length < 0)
            QVERIFY(QFile::remove(f.source.path(file)));
        else
            QVERIFY(QFile(f.source.path(file)).resize(length));
        f.openSources();
        QVERIFY(f.label("test1")->text() != kPassed);
        QVERIFY(!f.button("Command2")->isEnabled());
        QVERIFY(f.button("Command4")->isEnabled());
    }

    void toggleSwitchesBetweenCompactAndExpanded() {
        Fixture f;
        const test::SourceFolder& sources = f.source;
        f.open(sources.path("main256.bmp"));
        QPushButton* advanced = f.button("Command4");
        for (int press = 0; press < 3; ++press) {
            const bool wasCompact = f.window->height() == MainWindow::kCompactHeight;
            advanced->click();
            QCOMPARE(f.window->height(), wasCompact ? MainWindow::kExpandedHeight : MainWindow::kCompactHeight);
            QCOMPARE(advanced->text(), wasCompact ? QString("隐藏(&H)") : QString("高级(&A)"));
            QCOMPARE(f.window->findChild<QGroupBox*>("Frame2")->visibleRegion().isEmpty(), !wasCompact);
        }

        // Any height but the compact one counts as expanded.
        f.window->setFixedHeight(300);
        advanced->setText("隐藏(&H)");
        advanced->click();
        QCOMPARE(f.window->height(), MainWindow::kCompactHeight);
        QCOMPARE(advanced->text(), QString("高级(&A)"));
    }

    void generationWritesTheSkinAndDisablesItself() {
        Fixture f;
        const test::SourceFolder& sources = f.source;
        f.open(sources.path("main256.bmp"));
        f.dialogs.messages.clear();
        bool lockedWhileRunning = false;
        f.dialogs.onMessage = [&](const QString&) {
            lockedWhileRunning = !f.button("Command1")->isEnabled() && !f.button("Command3")->isEnabled();
        };

        f.button("Command2")->click();
        QCOMPARE(f.dialogs.messages, QStringList{"完成！"});
        QVERIFY(lockedWhileRunning);
        QCOMPARE(QFileInfo(sources.path("BACKIMG")).size(), 182816);
        QCOMPARE(test::readFile(sources.path("BACKIMG")).right(32), sources.files.at("BACK"));
        QVERIFY(!f.button("Command2")->isEnabled());
        QVERIFY(f.button("Command1")->isEnabled());
        QVERIFY(f.button("Command3")->isEnabled());

        f.open(sources.path("main256.bmp"));
        QVERIFY(f.button("Command2")->isEnabled());
    }

    void generationRefusesAWrongBack_data() {
        QTest::addColumn<int>("backLength");  // -1: removed
        QTest::newRow("one byte short") << 31;
        QTest::newRow("removed") << -1;
    }
    void generationRefusesAWrongBack() {
        QFETCH(int, backLength);
        Fixture f;
        const test::SourceFolder& sources = f.source;
        f.open(sources.path("main256.bmp"));
        f.dialogs.messages.clear();
        if (backLength < 0)
            QVERIFY(QFile::remove(sources.path("BACK")));
        else
            QVERIFY(QFile(sources.path("BACK")).resize(backLength));

        f.button("Command2")->click();
        QCOMPARE(f.dialogs.messages, QStringList{"BACK文件找不到或大小不正确，不能生成皮肤"});
        QVERIFY(!QFileInfo::exists(sources.path("BACKIMG")));
        QVERIFY(f.button("Command2")->isEnabled());
    }


    void skinGoesToTheVerifiedFolderNotALaterRefusedOne() {
        Fixture f;
        const test::SourceFolder& sources = f.source;
        QTemporaryDir elsewhere;
        f.open(sources.path("main256.bmp"));
        f.open(elsewhere.filePath("other.bmp"));
        f.button("Command2")->click();
        QVERIFY(QFileInfo::exists(sources.path("BACKIMG")));
        QVERIFY(!QFileInfo::exists(elsewhere.filePath("BACKIMG")));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
