#include "support/fixtures.h"

#include <QDir>
#include <QImage>
#include <QTest>

using namespace vireo;

namespace {

test::Run vireoSkin(const QStringList& arguments) {
    return test::runProgram(QStringLiteral(VIREO_SKIN_PROGRAM), arguments);
}

const QString kDemo = QStringLiteral(VIREO_DEMO_DIR);

// The colour the player shows for pixel (x, y) of an 8-bit BMP source as the
// demo stores it (bottom-up, 240 or 64 wide, table at 54): the first stored
// row is the top of the screen. `palette` is the BMP whose table draws it.
QRgb storedPixel(const QByteArray& bmp, int width, int x, int y, const QByteArray& palette) {
    const auto index = static_cast<unsigned char>(bmp[1078 + y * width + x]);
    const char* entry = palette.constData() + 54 + 4 * index;
    return qRgb(static_cast<unsigned char>(entry[2]), static_cast<unsigned char>(entry[1]),
                static_cast<unsigned char>(entry[0]));
}

}  // namespace

class CliShareTest : public QObject {
    Q_OBJECT

private slots:
    // A new project holds the twelve sources, BACK and the demo's pictures
    // unchanged in art/; it builds, and a second `new` changes nothing.
    void newMakesAWholeProjectOnce() {
        QTemporaryDir dir;
        const QString project = dir.filePath("made/here");
        const test::Run made = vireoSkin({"new", project});
        QCOMPARE(made.status, 0);
        QStringList expected = QDir(kDemo).entryList(QDir::Files);
        expected << "art";
        expected.sort();
        QStringList actual =
            QDir(project).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        actual.sort();
        QCOMPARE(actual, expected);
        const QStringList art = QDir(kDemo + "art").entryList(QDir::Files);
        QCOMPARE(art.size(), 12);
        for (const QString& name : art)
            QVERIFY2(
                test::readFile(project + "/art/" + name) == test::readFile(kDemo + "art/" + name),
                qPrintable(name));
        QCOMPARE(test::readFile(project + "/BACK"), test::readFile(kDemo + "BACK"));

        // The sources are what importing the project's own art/ makes.
        QCOMPARE(vireoSkin({"import", project + "/art", "-o", dir.filePath("again")}).status, 0);
        for (const QString& name : QDir(dir.filePath("again")).entryList(QDir::Files))
            QVERIFY2(test::readFile(project + '/' + name) ==
                         test::readFile(dir.filePath("again/" + name)),
                     qPrintable(name));

        const auto before = test::snapshot(project);
        const test::Run again = vireoSkin({"new", project});
        QCOMPARE(again.status, 1);
        QVERIFY2(again.err.contains(project + "/main256.bmp") &&
                     again.err.contains(project + "/art/main256.png"),
                 qPrintable(again.err));
        QCOMPARE(test::snapshot(project), before);

        const test::Run built = vireoSkin({"build", project, "-o", dir.filePath("BACKIMG")});
        QCOMPARE(built.status, 0);
        QCOMPARE(QFileInfo(dir.filePath("BACKIMG")).size(), 182816);
    }

    // The sheet as a PNG: the screens at twice their size (tst_skin checks
    // where each goes), with the list text painted in the demo's blue right
    // of and below (30, 30) on the tree.
    void sheetIsPaintedWithItsTexts() {
        QTemporaryDir dir;
        QCOMPARE(vireoSkin({"build", kDemo, "-o", dir.filePath("BACKIMG")}).status, 0);
        const test::Run run =
            vireoSkin({"render", dir.filePath("BACKIMG"), "--sheet", "-o", dir.filePath("s.png")});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        const QImage sheet(dir.filePath("s.png"));
        QCOMPARE(sheet.size(), QSize(960, 640));
        const QByteArray tree = test::readFile(kDemo + "tree_main256.bmp");
        QCOMPARE(sheet.pixel(480 + 10, 300), storedPixel(tree, 240, 5, 150, tree));
        int blue = 0;
        for (int y = 60; y < 60 + 24; ++y)
            for (int x = 480 + 60; x < 480 + 200; ++x)
                blue += sheet.pixel(x, y) == qRgb(0, 0, 255) ? 1 : 0;
        QVERIFY2(blue > 50, qPrintable(QString::number(blue)));
    }
};

QTEST_GUILESS_MAIN(CliShareTest)
#include "tst_cli_share.moc"
