#include "core/artwork/derive.h"
#include "core/artwork/new_project.h"
#include "core/skin/text_samples.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace vireo;

class NewProjectTest : public QObject {
    Q_OBJECT

private slots:
    // Anything standing at a name is in the way, a broken link too; the
    // folder art/ only when it is no folder.
    void occupiedPathsSeeLinksAndFolders() {
        QTemporaryDir dir;
        QVERIFY(QFile::link(dir.filePath("nowhere"), dir.filePath("BACK")));
        QDir().mkpath(dir.filePath("art/derived.json"));
        const std::string folder = QFile::encodeName(dir.path()).toStdString();
        const std::vector<std::string> names = {"main256.bmp", "BACK", "art", "art/derived.json"};
        QCOMPARE(artwork::occupiedPaths(folder, names),
                 (std::vector<std::string>{folder + "/BACK", folder + "/art/derived.json"}));
        QVERIFY(QDir(dir.filePath("art")).removeRecursively());
        test::writeFile(dir.filePath("art"), "a file");
        QCOMPARE(artwork::occupiedPaths(folder, names),
                 (std::vector<std::string>{folder + "/BACK", folder + "/art"}));
    }

    // The installed copy beside the program comes first; a missing one is skipped.
    void demoPicturesAreFoundBesideTheProgram() {
        QTemporaryDir dir;
        const std::string program = QFile::encodeName(dir.filePath("bin")).toStdString();
        const auto candidates = artwork::demoArtCandidates(program);
        QCOMPARE(candidates.front(), program + "/../share/vireo-skin-builder/demo/art");
        QCOMPARE(artwork::findDemoArt(candidates), std::optional(candidates.back()));
        QDir().mkpath(dir.filePath("bin"));
        QDir().mkpath(dir.filePath("share/vireo-skin-builder/demo/art"));
        QCOMPARE(artwork::findDemoArt(candidates), std::optional(candidates.front()));
    }

    // Named after their source in any letter case, with any picture extension;
    // nothing else is an original, and a second picture for one source is refused.
    void originalsAreFoundByName() {
        QTemporaryDir dir;
        for (const char* name : {"Main256.PNG", "movie256.jpg", "ft256.txt", "notes.png"})
            test::writeFile(dir.filePath(name), "x");
        const std::string art = QFile::encodeName(dir.path()).toStdString();
        const auto originals = artwork::findOriginals(art);
        QStringList found;
        for (const auto& path : originals.value())
            found << (path ? QString::fromStdString(*path).section('/', -1) : "-");
        QStringList expected(12, "-");
        expected[0] = "Main256.PNG";
        expected[3] = "movie256.jpg";
        QCOMPARE(found, expected);
        test::writeFile(dir.filePath("MOVIE256.png"), "x");
        const auto twice = artwork::findOriginals(art);
        QVERIFY(!twice);
        QVERIFY(twice.error().detail.rfind("same-source-as: " + art + "/", 0) == 0);
    }

    // Ratios worked out by hand for a text over a plain screen: L(v) =
    // ((v/255 + 0.055)/1.055)^2.4 per sRGB channel, ratio (L1 + 0.05)/(L2 + 0.05);
    // grey 89 has L = 0.0999, so over black 2.998.
    void contrastRatios_data() {
        QTest::addColumn<quint32>("text");
        QTest::addColumn<quint32>("screen");
        QTest::addColumn<double>("ratio");
        QTest::newRow("white on black") << 0xFFFFFFu << 0x000000u << 21.0;
        QTest::newRow("black on white") << 0x000000u << 0xFFFFFFu << 21.0;
        QTest::newRow("equal") << 0x123456u << 0x123456u << 1.0;
        QTest::newRow("grey 89 on black") << 0x595959u << 0x000000u << 2.998;
        QTest::newRow("grey 90 on black") << 0x5A5A5Au << 0x000000u << 3.045;
        // Pure green: L = 0.7152, over black (0.7652)/0.05.
        QTest::newRow("green on black") << 0x00FF00u << 0x000000u << 15.304;
        QTest::newRow("dark red on white") << 0x800000u << 0xFFFFFFu << 10.950;
    }
    void contrastRatios() {
        QFETCH(quint32, text);
        QFETCH(quint32, screen);
        QFETCH(double, ratio);
        const skin::Picture plain{240, 160,
                                  std::vector<std::uint32_t>(240 * 160, 0xFF000000u | screen)};
        const double measured =
            skin::textContrast({skin::TextRole::Ebook, 0xFF000000u | text, 8, 8}, plain);
        QVERIFY2(std::abs(measured - ratio) < 0.005, qPrintable(QString::number(measured)));
    }

    // The list from the record's file-list position, the selected line a
    // line below; the e-book text near the top left; none on the others.
    void textsGoWhereThePlayerDrawsThem() {
        settings::Record record{};
        record[0] = 0x12;
        record[6] = 0x56;
        record[8] = 0x9A;
        record[28] = 30;
        record[29] = 40;
        const auto tree = skin::textSamples(record, skin::Screen::Tree);
        QCOMPARE(tree.size(), std::size_t(2));
        QCOMPARE(tree[0].colour, 0xFF120000u);
        QCOMPARE(QPoint(tree[0].x, tree[0].y), QPoint(30, 40));
        QCOMPARE(tree[1].colour, 0xFF000056u);
        QCOMPARE(QPoint(tree[1].x, tree[1].y), QPoint(30, 56));
        const auto ebook = skin::textSamples(record, skin::Screen::Ebook);
        QCOMPARE(ebook.size(), std::size_t(1));
        QCOMPARE(ebook[0].colour, 0xFF9A0000u);
        QVERIFY(skin::textSamples(record, skin::Screen::Main).empty());
        QVERIFY(skin::textSamples(record, skin::Screen::Music).empty());
    }

    // Only the part right of and below the list counts: white left of it does
    // not make white text unreadable there; a tenth of the part may differ.
    void contrastIsMeasuredWhereTheListIsDrawn_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<bool>("readable");
        QTest::newRow("right of the white") << 100 << true;
        QTest::newRow("one white column under it") << 99 << true;
        QTest::newRow("60 of 200 columns white") << 40 << false;
    }
    void contrastIsMeasuredWhereTheListIsDrawn() {
        QFETCH(int, x);
        QFETCH(bool, readable);
        skin::Picture screen{240, 160, {}};
        for (int i = 0; i < 240 * 160; ++i)
            screen.pixels.push_back(i % 240 < 100 ? 0xFFFFFFFFu : 0xFF000000u);
        const skin::TextSample text{skin::TextRole::List, 0xFFFFFFFFu, x, 30};
        QCOMPARE(skin::textContrast(text, screen) >= skin::kMinimumContrast, readable);
    }
};

QTEST_GUILESS_MAIN(NewProjectTest)
#include "tst_new_project.moc"
