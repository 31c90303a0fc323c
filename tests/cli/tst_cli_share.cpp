#include "support/fixtures.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

// A 240×160 or 16×16 BMP of one colour, index 0 of an otherwise black table.
QByteArray plainBmp(int width, int height, QRgb colour) {
    QByteArray palette(1024, '\0');
    palette[0] = char(qBlue(colour));
    palette[1] = char(qGreen(colour));
    palette[2] = char(qRed(colour));
    return test::bmp8(width, height, palette, QByteArray(width * height, '\0'));
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

        // A new project knows what its sources were made from: fresh at first.
        // A background painted by hand survives an update that derives a
        // replaced icon; only --force derives it again.
        QCOMPARE(vireoSkin({"update", project}).out, QString("没有需要更新的源图片\n"));
        QByteArray painted = test::readFile(project + "/main256.bmp");
        painted.replace(1078, 2400, QByteArray(2400, '\0'));  // ten rows of one colour
        test::writeFile(project + "/main256.bmp", painted);
        QFile::remove(project + "/art/movie256.png");
        QVERIFY(QFile::copy(kDemo + "art/music256.png", project + "/art/movie256.png"));
        const test::Run kept = vireoSkin({"update", project});
        QCOMPARE(kept.status, 1);
        QVERIFY2(kept.err.contains(project + "/main256.bmp"), qPrintable(kept.err));
        QVERIFY2(kept.out.contains(project + "/movie256.bmp"), qPrintable(kept.out));
        QCOMPARE(test::readFile(project + "/main256.bmp"), painted);
        const test::Run forced = vireoSkin({"update", project, "--force"});
        QCOMPARE(forced.status, 0);
        QVERIFY2(forced.out.contains(project + "/main256.bmp"), qPrintable(forced.out));
        QVERIFY(test::readFile(project + "/main256.bmp") != painted);
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

    // Contrast of each text over plain backgrounds whose ratios are worked out
    // here: L(v) = ((v/255 + 0.055)/1.055)^2.4 for an sRGB channel v, ratio
    // (L1 + 0.05)/(L2 + 0.05). Black 0, white 1: 21:1. Grey 89: L = 0.0999,
    // over black 2.998:1, just under 3. Grey 90: L = 0.1022, 3.04:1.
    void doctorWarnsOfFaintText_data() {
        QTest::addColumn<QRgb>("treeBackground");
        QTest::addColumn<QRgb>("ebookBackground");
        QTest::addColumn<QList<QRgb>>("colours");  // list, selected, e-book
        QTest::addColumn<QStringList>("warned");   // "text@screen ratio"
        QTest::newRow("white and black")
            << qRgb(0, 0, 0) << qRgb(255, 255, 255)
            << QList<QRgb>{qRgb(255, 255, 255), qRgb(255, 255, 255), qRgb(0, 0, 0)}
            << QStringList{};
        QTest::newRow("grey 89 on black")
            << qRgb(0, 0, 0) << qRgb(0, 0, 0)
            << QList<QRgb>{qRgb(89, 89, 89), qRgb(90, 90, 90), qRgb(89, 89, 89)}
            << QStringList{"list@tree 2.99", "ebook@ebook 2.99"};
        QTest::newRow("selected as the background")
            << qRgb(0, 0, 0) << qRgb(255, 255, 255)
            << QList<QRgb>{qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(0, 0, 0)}
            << QStringList{"selected@tree 1"};
    }
    void doctorWarnsOfFaintText() {
        QFETCH(QRgb, treeBackground);
        QFETCH(QRgb, ebookBackground);
        QFETCH(QList<QRgb>, colours);
        QFETCH(QStringList, warned);
        QTemporaryDir dir;
        for (const QString& name : QDir(kDemo).entryList(QDir::Files))
            QFile::copy(kDemo + name, dir.filePath(name));
        // The folder icons are drawn with the tree's palette: the same plain table.
        test::writeFile(dir.filePath("tree_main256.bmp"), plainBmp(240, 160, treeBackground));
        test::writeFile(dir.filePath("ft256.bmp"), plainBmp(16, 16, treeBackground));
        test::writeFile(dir.filePath("fu256.bmp"), plainBmp(16, 16, treeBackground));
        test::writeFile(dir.filePath("ebook_main256.bmp"), plainBmp(240, 160, ebookBackground));
        QByteArray back = test::readFile(kDemo + "BACK");
        for (int i = 0; i < 3; ++i) {
            back[4 * i] = char(qRed(colours[i]));
            back[4 * i + 1] = char(qGreen(colours[i]));
            back[4 * i + 2] = char(qBlue(colours[i]));
        }
        test::writeFile(dir.filePath("BACK"), back);

        const test::Run run = vireoSkin({"doctor", "--json", dir.path()});
        QCOMPARE(run.status, 0);
        const QJsonObject report = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QCOMPARE(report["ok"].toBool(), true);
        QStringList found;
        for (const QJsonValue file : report["files"].toArray()) {
            for (const QJsonValue problem : file["problems"].toArray()) {
                QCOMPARE(file["file"].toString(), QStringLiteral("BACK"));
                QCOMPARE(problem["code"].toString(), QStringLiteral("low-contrast"));
                QCOMPARE(problem["severity"].toString(), QStringLiteral("warning"));
                found << problem["text"].toString() + '@' + problem["screen"].toString() + ' ' +
                             QString::number(problem["ratio"].toDouble());
            }
        }
        QCOMPARE(found, warned);
        const test::Run lines = vireoSkin({"doctor", dir.path()});
        QCOMPARE(lines.status, 0);
        QCOMPARE(lines.out.count('\n'), warned.size());
    }
};

QTEST_GUILESS_MAIN(CliShareTest)
#include "tst_cli_share.moc"
