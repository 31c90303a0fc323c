#include "cli/output_folder.h"
#include "cli/screen.h"
#include "cli/settings_edit.h"
#include "cli/skin_file.h"
#include "cli/unpacking.h"
#include "images/bmp.h"
#include "images/verification.h"
#include "settings/byte_table.h"
#include "skin/generation.h"
#include "skin/skin_layout.h"
#include "support/fixtures.h"
#include "unpack/restoration.h"
#include "unpack/short_skin.h"

#include <QTest>

using namespace vireo;

namespace {

Bytes toBytes(const QByteArray& data) { return Bytes(data.begin(), data.end()); }

cli::SkinFile randomSkin(quint32 draw) {
    return {cli::Layout::Skin, toBytes(test::randomBytes(skin::kSkinLength, draw))};
}

// Puts the six main-screen icons where the record's position pairs say.
void placeIcons(cli::SkinFile& skinFile, const std::array<std::pair<int, int>, 6>& positions) {
    for (std::size_t i = 0; i < positions.size(); ++i) {
        skinFile.bytes[skin::kSettingsOffset + 16 + 2 * i] = std::uint8_t(positions[i].first);
        skinFile.bytes[skin::kSettingsOffset + 17 + 2 * i] = std::uint8_t(positions[i].second);
    }
}

std::uint32_t colourAt(const cli::SkinFile& skinFile, std::uint32_t paletteOffset,
                       std::uint32_t pixelOffset) {
    return cli::paletteColour(skinFile.bytes.data() + paletteOffset, skinFile.bytes[pixelOffset]);
}

constexpr std::uint32_t kMovieIcon = 39424;
constexpr std::uint32_t kOptionsIcon = 178688;

}  // namespace

class CliCoreTest : public QObject {
    Q_OBJECT

private slots:
    void unpackThenBuildGivesTheSameSkin_data() {
        QTest::addColumn<quint32>("draw");
        QTest::newRow("first") << 7u;
        QTest::newRow("second") << 8u;
        QTest::newRow("third") << 9u;
    }
    void unpackThenBuildGivesTheSameSkin() {
        QFETCH(quint32, draw);
        const cli::SkinFile original = randomSkin(draw);
        QTemporaryDir dir;
        auto files = cli::unpackedFiles(original, std::nullopt);
        QVERIFY(files.ok());
        QVERIFY(cli::writeFilesInto(dir.path().toStdString() + "/new/folder", files.value()).ok());

        const auto run = images::verifySourceSet(dir.path().toStdString() + "/new/folder/", "/nowhere");
        QVERIFY2(run.passed(), run.report.c_str());
        const auto rebuilt = skin::assembleSkin({run.paths, run.settingsPath});
        QVERIFY(rebuilt.ok());
        QVERIFY(rebuilt.value() == original.bytes);
    }

    void iconsCarryThePaletteThePlayerDrawsThemWith() {
        const cli::SkinFile skinFile = randomSkin(3);
        QTemporaryDir dir;
        test::writeFile(dir.filePath("BMPHEAD256"), test::randomBytes(60, 1));
        test::writeFile(dir.filePath("BMPHEAD64"), test::randomBytes(54, 2));
        test::writeFile(dir.filePath("BMPHEAD16"), test::randomBytes(54, 3));
        const auto templates = cli::readHeaderTemplates(dir.path().toStdString());
        QVERIFY(templates.ok());
        const auto files = cli::unpackedFiles(skinFile, templates.value());
        QVERIFY(files.ok());

        std::map<std::string, Bytes> byName;
        for (const auto& file : files.value()) byName[file.name] = file.bytes;
        const auto& sky = skinFile.bytes;
        QVERIFY(Bytes(byName["ebook256.bmp"].begin(), byName["ebook256.bmp"].begin() + 54) ==
                templates.value()[size_t(unpack::Template::Head64)]);
        QVERIFY(Bytes(byName["main256.bmp"].begin(), byName["main256.bmp"].begin() + 54) ==
                templates.value()[size_t(unpack::Template::Head256)]);
        QVERIFY(Bytes(byName["help256.bmp"].begin() + 54, byName["help256.bmp"].begin() + 1078) ==
                Bytes(sky.begin(), sky.begin() + 1024));
        QVERIFY(Bytes(byName["fu256.bmp"].begin() + 54, byName["fu256.bmp"].begin() + 1078) ==
                Bytes(sky.begin() + 59904, sky.begin() + 60928));
        QVERIFY(Bytes(byName["help256.bmp"].begin() + 1078, byName["help256.bmp"].end()) ==
                Bytes(sky.begin() + kOptionsIcon, sky.begin() + kOptionsIcon + 4096));
        QVERIFY(byName["BACK"] == Bytes(sky.end() - 32, sky.end()));
    }

    void shortTemplateIsRefused() {
        QTemporaryDir dir;
        test::writeFile(dir.filePath("BMPHEAD256"), test::randomBytes(54, 1));
        test::writeFile(dir.filePath("BMPHEAD64"), test::randomBytes(53, 2));
        test::writeFile(dir.filePath("BMPHEAD16"), test::randomBytes(54, 3));
        const auto templates = cli::readHeaderTemplates(dir.path().toStdString());
        QVERIFY(!templates.ok());
        QCOMPARE(templates.error().kind, Error::Kind::WrongLength);
        QCOMPARE(QString::fromStdString(templates.error().path), dir.filePath("BMPHEAD64"));
    }

    void layoutIsRecognisedByLengthAlone_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("skin") << int(skin::kSkinLength) << true;
        QTest::newRow("one short") << int(skin::kSkinLength - 1) << false;
        QTest::newRow("one over") << int(skin::kSkinLength + 1) << false;
        QTest::newRow("empty") << 0 << false;
        QTest::newRow("short skin") << int(unpack::kShortSkinLength) << true;
        QTest::newRow("short skin, one short") << int(unpack::kShortSkinLength - 1) << false;
    }
    void layoutIsRecognisedByLengthAlone() {
        QFETCH(int, length);
        QFETCH(bool, accepted);
        QTemporaryDir dir;
        test::writeFile(dir.filePath("BACKIMG"), test::randomBytes(length, 5));
        const auto read = cli::readSkinFile(dir.filePath("BACKIMG").toStdString());
        QCOMPARE(read.ok(), accepted);
        if (!accepted) QCOMPARE(read.error().kind, Error::Kind::WrongLength);
    }

    void shortSkinUnpackEqualsTheWindowsRestoration() {
        QTemporaryDir dir;
        const QByteArray skinBytes = test::randomBytes(unpack::kShortSkinLength, 31);
        test::writeFile(dir.filePath("BACKIMG"), skinBytes);
        for (int i = 0; i < 3; ++i)
            test::writeFile(dir.filePath(unpack::kTemplateNames[i]), test::randomBytes(54 + i, 40 + i));
        QVERIFY(unpack::restoreBmps(dir.filePath("BACKIMG").toStdString(), dir.path().toStdString(),
                                    dir.path().toStdString()).ok());

        const cli::SkinFile skinFile{cli::Layout::ShortSkin, toBytes(skinBytes)};
        const auto templates = cli::readHeaderTemplates(dir.path().toStdString());
        QVERIFY(templates.ok());
        const auto files = cli::unpackedFiles(skinFile, templates.value());
        QVERIFY(files.ok());
        QCOMPARE(files.value().size(), unpack::kRestoreSet.size());
        for (const auto& file : files.value()) {
            QCOMPARE(file.bytes, toBytes(test::readFile(dir.filePath(file.name.c_str()))));
        }
    }

    void madeHeadersDescribeEachPicture() {
        const cli::SkinFile shortSkin{cli::Layout::ShortSkin,
                                      toBytes(test::randomBytes(unpack::kShortSkinLength, 32))};
        for (const cli::SkinFile& skinFile : {shortSkin, randomSkin(33)}) {
            const auto files = cli::unpackedFiles(skinFile, std::nullopt);
            QVERIFY(files.ok());
            for (const auto& file : files.value()) {
                if (file.name == "BACK") continue;
                const auto info = images::readBmpHeader(file.bytes);
                QVERIFY(info.ok());
                const int side = info.value().width;
                const int height = side == 240 ? 160 : side;
                QVERIFY2(images::isSourceForm(info.value(), side, height), file.name.c_str());
                QCOMPARE(file.bytes.size(), size_t(1078 + side * height));
                QCOMPARE(info.value().fileSize, quint32(file.bytes.size()));
            }
        }
    }

    void iconAtTheOriginCoversTheTopLeftInMainPaletteColours() {
        cli::SkinFile skinFile = randomSkin(11);
        placeIcons(skinFile, {{{0, 0}, {100, 90}, {100, 90}, {100, 90}, {100, 90}, {100, 90}}});
        const cli::Picture screen = cli::renderScreen(skinFile, cli::Screen::Main);
        QCOMPARE(screen.width, 240);
        QCOMPARE(screen.height, 160);
        for (int y : {0, 1, 63}) {
            for (int x : {0, 5, 63}) {
                QCOMPARE(screen.at(x, y), colourAt(skinFile, 0, kMovieIcon + y * 64 + x));
            }
        }
        // Just behind the icon: the background again.
        QCOMPARE(screen.at(64, 0), colourAt(skinFile, 0, 1024 + 64));
        QCOMPARE(screen.at(0, 64), colourAt(skinFile, 0, 1024 + 64 * 240));
    }

    void iconReachingPastTheScreenIsClipped() {
        cli::SkinFile skinFile = randomSkin(12);
        placeIcons(skinFile, {{{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {200, 140}}});
        const cli::Picture screen = cli::renderScreen(skinFile, cli::Screen::Main);
        QCOMPARE(screen.at(200, 140), colourAt(skinFile, 0, kOptionsIcon));
        QCOMPARE(screen.at(239, 159), colourAt(skinFile, 0, kOptionsIcon + 19 * 64 + 39));
        QCOMPARE(screen.at(199, 140), colourAt(skinFile, 0, 1024 + 140 * 240 + 199));

        placeIcons(skinFile, {{{255, 255}, {240, 0}, {0, 160}, {255, 0}, {0, 255}, {239, 159}}});
        const cli::Picture edge = cli::renderScreen(skinFile, cli::Screen::Main);
        QCOMPARE(edge.at(239, 159), colourAt(skinFile, 0, kOptionsIcon));
        QCOMPARE(edge.at(0, 0), colourAt(skinFile, 0, 1024));
    }

    void shortSkinIconsFollowTheUnpackersArrangement() {
        cli::SkinFile skinFile{cli::Layout::ShortSkin,
                               toBytes(test::randomBytes(unpack::kShortSkinLength, 15))};
        // Bytes 15 to 24 place movie, music, e-book, about and help.
        const std::uint8_t positions[] = {0, 0, 100, 90, 100, 90, 100, 90, 200, 140};
        std::copy(std::begin(positions), std::end(positions),
                  skinFile.bytes.begin() + unpack::kRecordOffset + 15);
        const cli::Picture screen = cli::renderScreen(skinFile, cli::Screen::Main);
        QCOMPARE(screen.at(0, 0), colourAt(skinFile, 0, kMovieIcon));
        QCOMPARE(screen.at(63, 63), colourAt(skinFile, 0, kMovieIcon + 63 * 64 + 63));
        QCOMPARE(screen.at(239, 159), colourAt(skinFile, 0, 55808 + 19 * 64 + 39));
        QCOMPARE(cli::renderScreen(skinFile, cli::Screen::Music).at(0, 0),
                 colourAt(skinFile, 139264, 140288));
    }

    void otherScreensShowTheirOwnBackgroundFirstRowOnTop() {
        const cli::SkinFile skinFile = randomSkin(13);
        const cli::Picture tree = cli::renderScreen(skinFile, cli::Screen::Tree);
        QCOMPARE(tree.at(0, 0), colourAt(skinFile, 59904, 60928));
        QCOMPARE(tree.at(239, 159), colourAt(skinFile, 59904, 60928 + 38399));
        const cli::Picture music = cli::renderScreen(skinFile, cli::Screen::Music);
        QCOMPARE(music.at(1, 0), colourAt(skinFile, 139264, 140288 + 1));
    }

    void scalingRepeatsEachPixel() {
        const cli::Picture screen = cli::renderScreen(randomSkin(14), cli::Screen::Ebook);
        const cli::Picture scaled = cli::scaleNearest(screen, 3);
        QCOMPARE(scaled.width, 720);
        QCOMPARE(scaled.height, 480);
        QCOMPARE(scaled.at(2, 2), screen.at(0, 0));
        QCOMPARE(scaled.at(3, 0), screen.at(1, 0));
        QCOMPARE(scaled.at(719, 479), screen.at(239, 159));
    }

    void settingValuesAreCheckedLikeThePanel_data() {
        QTest::addColumn<QStringList>("assignments");
        QTest::addColumn<QString>("stored");   // offset:value pairs
        QTest::addColumn<QString>("problem");  // the field that failed
        QTest::newRow("position") << QStringList{"movie=1,2"} << "16:1 17:2" << "";
        QTest::newRow("colour rounds down") << QStringList{"ebook-colour=12.9,0,255"} << "8:12 9:0 10:255" << "";
        QTest::newRow("position rounds half to even") << QStringList{"filelist=12.5,13.5"} << "28:12 29:14" << "";
        QTest::newRow("flag on") << QStringList{"hint=on"} << "30:255 31:255" << "";
        QTest::newRow("later wins") << QStringList{"game=1,1", "game=3,4"} << "22:3 23:4" << "";
        QTest::newRow("out of range") << QStringList{"music=1,2", "options=1,256"} << "" << "选项 Y 轴";
        QTest::newRow("negative") << QStringList{"list-colour=0,-1,0"} << "" << "列表文字颜色 G 分量";
        QTest::newRow("not a number") << QStringList{"image=x,1"} << "" << "图片浏览 X 轴";
        QTest::newRow("too few parts") << QStringList{"selected-colour=1,2"} << "" << "-";
        QTest::newRow("flag word") << QStringList{"hint=yes"} << "" << "-";
    }
    void settingValuesAreCheckedLikeThePanel() {
        QFETCH(QStringList, assignments);
        QFETCH(QString, stored);
        QFETCH(QString, problem);
        std::vector<cli::Assignment> parsed;
        for (const QString& text : assignments) {
            const auto parts = text.split('=');
            parsed.push_back({cli::findSetting(parts[0].toStdString()), parts[1].toStdString()});
            QVERIFY(parsed.back().setting);
        }
        const auto values = cli::valuesToStore(parsed);
        if (const auto* failed = std::get_if<cli::AssignmentProblem>(&values)) {
            QCOMPARE(QString::fromUtf8(failed->field ? failed->field : "-"), problem);
            return;
        }
        QVERIFY(problem.isEmpty());
        QStringList pairs;
        for (const auto& value : std::get<std::vector<settings::FieldValue>>(values))
            pairs << QStringLiteral("%1:%2").arg(value.offset).arg(value.value);
        QCOMPARE(pairs.join(' '), stored);
    }

    void identityTableStoresEachValueAsItself() {
        const auto table = settings::identityByteTable();
        for (int v : {0, 1, 200, 255}) QCOMPARE(int(table[v]), v);
    }

    void namedSettingsFileHasNoFallback() {
        test::SourceFolder sources;
        QTemporaryDir elsewhere;
        test::writeFile(elsewhere.filePath("BACK"), test::randomBytes(32, 1));
        const std::string missing = elsewhere.filePath("missing").toStdString();
        const auto run = images::verifySourceSetWithSettings(sources.folder().toStdString(), missing);
        QCOMPARE(QString::fromStdString(run.report), QStringLiteral("BACK 文件未找到，无法生成文件"));
        const auto named = images::verifySourceSetWithSettings(
            sources.folder().toStdString(), elsewhere.filePath("BACK").toStdString());
        QVERIFY(named.passed());
        QCOMPARE(QString::fromStdString(named.settingsPath), elsewhere.filePath("BACK"));
    }
};

QTEST_GUILESS_MAIN(CliCoreTest)
#include "tst_cli_core.moc"
