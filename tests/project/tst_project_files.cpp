// Finished skins opened as projects, and art/derived.json refused whole.

#include "core/messages/project_text.h"
#include "core/project/derived.h"
#include "project_fixture.h"
#include "support/fixtures.h"

#include <QtTest>

using namespace vireo;
using images::Source;

class TestProjectFiles : public QObject {
    Q_OBJECT

private slots:
    void aSkinOpensAsAFolderThatBuildsItAgain() {
        test::ProjectFolder folder;
        const std::string skin = folder.path("BACKIMG").toStdString();
        QVERIFY(folder.project->generate(skin).ok());
        QTemporaryDir other;
        const std::string target = other.filePath("skin-源文件").toStdString();
        project::Project opened(folder.decoder, {});
        auto opening = opened.openSkin(skin, target);
        QVERIFY(opening.ok());
        QVERIFY(opening.value().missing.empty());
        QVERIFY(opening.value().fromDefaults.empty());
        QVERIFY(opened.verification().passed());
        QVERIFY(opened.generate(other.filePath("again").toStdString()).ok());
        QCOMPARE(test::readFile(other.filePath("again")), test::readFile(folder.path("BACKIMG")));

        // Never over existing files: the folder stays exactly as it was.
        const auto before = test::snapshot(other.path());
        auto again = opened.openSkin(skin, target);
        QVERIFY(!again.ok());
        QCOMPARE(again.error().detail, std::string(project::kFilesInTheWay));
        QCOMPARE(project::filesInTheWay(target).size(), std::size_t(13));
        QCOMPARE(test::snapshot(other.path()), before);
    }

    void anOlderSkinFillsWhatItCarries() {
        QTemporaryDir dir;
        QByteArray skin = test::randomBytes(178720, 11);
        const int record = 178688;
        skin[record + 15] = char(40), skin[record + 16] = char(50);  // movie
        skin[record + 23] = char(60), skin[record + 24] = char(70);  // help, the options icon
        skin[record + 30] = char(1);
        test::writeFile(dir.filePath("BACKIMG"), skin);
        artwork::QtPictureDecoder decoder;
        project::Project opened(decoder, {});
        auto opening =
            opened.openSkin(dir.filePath("BACKIMG").toStdString(), dir.filePath("u").toStdString());
        QVERIFY(opening.ok());
        QCOMPARE(opening.value().missing,
                 (std::vector<Source>{Source::GameIcon, Source::PictureIcon}));
        QCOMPARE(opening.value().fromDefaults.size(), std::size_t(3));
        QVERIFY(!QFile::exists(dir.filePath("u/game256.bmp")));
        QVERIFY(!QFile::exists(dir.filePath("u/about256.bmp")));
        // The movie icon: the main palette at 0, its pixels at 39,424.
        const QByteArray movie = test::readFile(dir.filePath("u/movie256.bmp"));
        QCOMPARE(movie.size(), 1078 + 4096);
        QCOMPARE(movie.mid(54, 1024), skin.mid(0, 1024));
        QCOMPARE(movie.mid(1078), skin.mid(39424, 4096));
        QCOMPARE(test::readFile(dir.filePath("u/music_main256.bmp")).mid(1078),
                 skin.mid(140288, 38400));
        const QByteArray back = test::readFile(dir.filePath("u/BACK"));
        QCOMPARE(back.size(), 32);
        QCOMPARE(back.mid(0, 3), skin.mid(record, 3));
        // The picture icon, which the skin does not carry, at its default place (164 at 20).
        for (const auto& [at, value] :
             {std::pair{16, 40}, {17, 50}, {26, 60}, {27, 70}, {20, 164}, {30, 255}, {31, 255}})
            QCOMPARE(int(uchar(back.at(at))), value);
    }

    void proposedFolderSitsBesideTheSkin() {
        QCOMPARE(project::proposedFolderFor("/a/b/BACKIMG"), std::string("/a/b/BACKIMG-源文件/"));
    }

    void hostileDerivedFilesAreRefused_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("reason");
        const QByteArray entry =
            R"("original":"movie256.png","originalSize":3,"originalHash":"00000000000000ff",)"
            R"("sourceHash":"0000000000000001")";
        auto doc = [](const QByteArray& sources) {
            return R"({"version":1,"sources":{)" + sources + "}}";
        };
        QTest::newRow("empty") << QByteArray() << "not-json";
        QTest::newRow("cut short") << doc("").left(20) << "not-json";
        QTest::newRow("array") << QByteArray("[1,2]") << "not-an-object";
        QTest::newRow("version 2") << QByteArray(R"({"version":2,"sources":{}})") << "version";
        QTest::newRow("extra key")
            << QByteArray(R"({"version":1,"sources":{},"x":0})") << "unknown-key";
        QTest::newRow("unknown source") << doc(R"("evil.bmp":{)" + entry + "}") << "unknown-source";
        QTest::newRow("name with folder")
            << doc(R"("movie256.bmp":{)" + QByteArray(entry).replace("movie256.png", "../x.png") +
                   "}")
            << "bad-file-name";
        QTest::newRow("short hash")
            << doc(R"("movie256.bmp":{)" + QByteArray(entry).replace("00000000000000ff", "ff") +
                   "}")
            << "not-a-hash";
        QTest::newRow("negative size")
            << doc(R"("movie256.bmp":{)" + QByteArray(entry).replace(":3,", ":-3,") + "}")
            << "not-a-size";
        QTest::newRow("x of 256") << doc(R"("movie256.bmp":{)" + entry + R"(,"position":[256,0]})")
                                  << "not-a-position";
        QTest::newRow("zoom under 100")
            << doc(R"("movie256.bmp":{)" + entry + R"(,"frame":[50,50,99]})") << "not-a-frame";
        QTest::newRow("frame of two")
            << doc(R"("movie256.bmp":{)" + entry + R"(,"frame":[0,0]})") << "not-a-frame";
        QTest::newRow("fit word") << doc(R"("movie256.bmp":{)" + entry + R"(,"fit":"zoom"})")
                                  << "not-a-fit";
        QTest::newRow("key missing")
            << doc(R"("movie256.bmp":{"original":"movie256.png"})") << "missing-key";
        QTest::newRow("deep nesting") << QByteArray(30000, '[') << "not-json";
        QTest::newRow("too large") << QByteArray(70000, ' ') << "too-large";
    }

    void hostileDerivedFilesAreRefused() {
        QFETCH(QByteArray, text);
        QFETCH(QString, reason);
        const auto parsed = project::parseDerived(test::toBytes(text), "derived.json");
        QVERIFY(!parsed.ok());
        QVERIFY2(QString::fromStdString(parsed.error().detail).endsWith(reason),
                 parsed.error().detail.c_str());
        QVERIFY(projectReason(parsed.error().detail).has_value());
    }

    void everyRefusalHasWords() {
        for (const char* code :
             {project::kChangedOutside, project::kNothingToUndo, project::kNothingToRedo,
              project::kFilesInTheWay, project::kNoFolder, project::kNoOriginal,
              project::kNotStorable, project::kHandEdited})
            QVERIFY2(projectReason(code).has_value(), code);
        QVERIFY(!projectReason("an ordinary detail").has_value());
    }

    void aDerivedRecordReadsBackAsWritten() {
        project::DerivedRecord record;
        project::DerivedEntry movie{"movie256.png",
                                    843,
                                    0xfedcba9876543210ull,
                                    artwork::Fit::Cover,
                                    artwork::Frame{0, 100, 800},
                                    project::Position{255, 0},
                                    0x1234ull,
                                    std::nullopt,
                                    42};
        record[static_cast<std::size_t>(Source::MovieIcon)] = movie;
        const auto parsed = project::parseDerived(project::serializeDerived(record), "d");
        QVERIFY(parsed.ok());
        const auto& back = *parsed.value()[static_cast<std::size_t>(Source::MovieIcon)];
        QCOMPARE(back.originalHash, 0xfedcba9876543210ull);
        QVERIFY(back.fit == artwork::Fit::Cover);
        QVERIFY((back.frame == artwork::Frame{0, 100, 800}));
        QVERIFY((back.position == project::Position{255, 0}));
        QCOMPARE(*back.backgroundHash, std::uint64_t(0x1234));
        QVERIFY(!parsed.value()[0].has_value());
    }
};

QTEST_MAIN(TestProjectFiles)
#include "tst_project_files.moc"
