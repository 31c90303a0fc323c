#include "gui/widgets/data_files.h"
#include "gui/widgets/dialogs.h"
#include "support/window_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>

using namespace vireo;

namespace {

// A byte table that writes value v as v + 1, so that a written byte tells
// which table was used.
QByteArray shiftedTable() {
    QByteArray table(256, 0);
    for (int v = 0; v < 256; ++v) table[v] = char((v + 1) % 256);
    return table;
}

}  // namespace

// The installed data folder, found from the program as an install finds it:
// share/vireo-skin-builder beside this test program's folder.
class TestDataFiles : public QObject {
    Q_OBJECT

    QString installed_;

private slots:
    void initTestCase() {
        installed_ = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                     "/../share/vireo-skin-builder");
        QVERIFY(QDir(installed_).removeRecursively());
        QVERIFY(QDir().mkpath(installed_));
    }
    void cleanupTestCase() { QDir(installed_).removeRecursively(); }
    void cleanup() {
        QDir(installed_).removeRecursively();
        QDir().mkpath(installed_);
    }

    // The current folder first, whatever stands there; then the installed folder.
    void folderOfEachFile_data() {
        QTest::addColumn<QString>("inCurrent");  // "", "file" or "folder"
        QTest::addColumn<bool>("inInstalled");
        QTest::addColumn<bool>("fromInstalled");
        QTest::newRow("current only") << "file" << false << false;
        QTest::newRow("both") << "file" << true << false;
        QTest::newRow("installed only") << "" << true << true;
        QTest::newRow("neither") << "" << false << false;
        QTest::newRow("a folder in the current folder") << "folder" << true << false;
    }
    void folderOfEachFile() {
        QFETCH(QString, inCurrent);
        QFETCH(bool, inInstalled);
        QFETCH(bool, fromInstalled);
        QTemporaryDir current;
        if (inCurrent == "file") test::writeFile(current.filePath("BMPHEAD64"), "x");
        if (inCurrent == "folder") QVERIFY(QDir(current.path()).mkdir("BMPHEAD64"));
        if (inInstalled) test::writeFile(installed_ + "/BMPHEAD64", "y");
        const QString expected = fromInstalled ? installed_ : current.path();
        QCOMPARE(ui::dataFolderFor(current.path(), "BMPHEAD64"), expected);
        QCOMPARE(ui::dataFilePath(current.path(), "BMPHEAD64"), expected + "/BMPHEAD64");
    }

    // A file dialog given a bare name starts in the last folder used, else in
    // the home folder, never in the current one, and always with a separator.
    void dialogsStartInTheLastFolderOrHome_data() {
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("start");
        const auto row = [](const char* name, const char* initial, const char* last,
                            const char* start) {
            QTest::newRow(name) << QString(initial) << QString(last) << QString(start);
        };
        row("last folder", "main256.bmp", "/a/b", "/a/b/main256.bmp");
        row("last folder with separator", "新皮肤", "/a/b/", "/a/b/新皮肤");
        row("none used yet", "BACKIMG", "", "/home/u/BACKIMG");
        row("nothing proposed", "", "", "/home/u/");
        row("a path with its folder", "/x/y/BACKIMG", "/a", "/x/y/BACKIMG");
    }
    void dialogsStartInTheLastFolderOrHome() {
        QFETCH(QString, initial);
        QFETCH(QString, last);
        QTEST(ui::dialogStartPath(initial, last, "/home/u"), "start");
    }

    // Started in a folder with no ASCII: the settings panel writes through the
    // installed table and its write buttons say so.
    void panelWritesThroughTheInstalledTable() {
        test::WindowFixture f;
        QVERIFY(QFile::remove(f.current.filePath("ASCII")));
        test::writeFile(installed_ + "/ASCII", shiftedTable());
        f.openSources();
        f.box("xwj1")->setText("201");
        f.button("Command9")->click();
        QCOMPARE(f.dialogs.messages.last(), QStringLiteral("done"));
        QCOMPARE(quint8(test::readFile(f.back())[28]), 202);
        QCOMPARE(f.button("Command9")->toolTip(), "通过字节表写入：" + installed_ + "/ASCII");

        // Without either table the message names the current folder's.
        QVERIFY(QFile::remove(installed_ + "/ASCII"));
        f.button("Command9")->click();
        QCOMPARE(f.dialogs.messages.last(),
                 "ASCII文件找不到或大小不正确，不能写入：" + f.current.filePath("ASCII"));
    }

    // A source folder without BACK passes with the installed fallback BACK.
    void verificationTakesTheInstalledBack() {
        test::WindowFixture f;
        const QByteArray back = test::readFile(f.back());
        QVERIFY(QFile::remove(f.back()));
        f.openSources();
        QVERIFY(f.label("test1")->text() != QStringLiteral("校验全部通过，可以开始文件生成"));
        test::writeFile(installed_ + "/BACK", back);
        f.openSources();
        QCOMPARE(f.label("test1")->text(), QStringLiteral("校验全部通过，可以开始文件生成"));
    }
};

QTEST_MAIN(TestDataFiles)
#include "tst_data_files.moc"
