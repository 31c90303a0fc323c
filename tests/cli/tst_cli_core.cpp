#include "cli/output_folder.h"
#include "cli/screen.h"
#include "cli/settings_edit.h"
#include "cli/skin_file.h"
#include "cli/unpacking.h"
#include "images/bmp.h"
#include "images/verification.h"
#include "skin/generation.h"
#include "skin/skin_layout.h"
#include "support/fixtures.h"
#include "unpack/restoration.h"
#include "unpack/short_skin.h"

#include <QPoint>
#include <QTest>

using namespace vireo;
using test::toBytes;

namespace {

Bytes part(const Bytes& bytes, std::size_t from, std::size_t to) {
    return Bytes(bytes.begin() + from, bytes.begin() + to);
}

cli::SkinFile randomSkin(bool shortSkin, quint32 draw) {
    if (shortSkin) return {cli::Layout::ShortSkin, toBytes(test::randomBytes(unpack::kShortSkinLength, draw))};
    return {cli::Layout::Skin, toBytes(test::randomBytes(skin::kSkinLength, draw))};
}

constexpr std::uint32_t kMovieIcon = 39424;
constexpr std::uint32_t kOptionsIcon = 178688;

}  // namespace

class CliCoreTest : public QObject {
    Q_OBJECT

private slots:
    void unpackThenBuildGivesTheSameSkin() {
        const cli::SkinFile original = randomSkin(false, 7);
        QTemporaryDir dir;
        auto files = cli::unpackedFiles(original, std::nullopt);
        QVERIFY(files.ok());
        for (const auto& file : files.value()) {  // each made header gives its own picture's size
            if (file.name == "BACK") continue;
            const auto info = images::readBmpHeader(file.bytes);
            QVERIFY2(info.ok() && file.bytes.size() == 1078 + size_t(info.value().width * info.value().height),
                     file.name.c_str());
        }
        QVERIFY(cli::writeFilesInto(dir.path().toStdString() + "/new/folder", files.value()).ok());
        const QString folder = dir.path() + "/new/folder/";
        // The skin stores no palette for icons: they take their screen's.
        QCOMPARE(part(toBytes(test::readFile(folder + "help256.bmp")), 54, 1078), part(original.bytes, 0, 1024));
        QCOMPARE(part(toBytes(test::readFile(folder + "fu256.bmp")), 54, 1078), part(original.bytes, 59904, 60928));

        const auto run = images::verifySourceSet(folder.toStdString(), "/nowhere");
        QVERIFY2(run.passed(), run.report.c_str());
        const auto rebuilt = skin::assembleSkin({run.paths, run.settingsPath});
        QVERIFY(rebuilt.ok());
        QVERIFY(rebuilt.value() == original.bytes);
    }

    // Both accepted lengths are read by the other tests.
    void otherLengthsAreRefused_data() {
        QTest::addColumn<int>("length");
        QTest::newRow("skin, one short") << int(skin::kSkinLength - 1);
        QTest::newRow("skin, one over") << int(skin::kSkinLength + 1);
        QTest::newRow("short skin, one short") << int(unpack::kShortSkinLength - 1);
    }
    void otherLengthsAreRefused() {
        QFETCH(int, length);
        QTemporaryDir dir;
        test::writeFile(dir.filePath("BACKIMG"), test::randomBytes(length, 5));
        const auto read = cli::readSkinFile(dir.filePath("BACKIMG").toStdString());
        QVERIFY(!read.ok() && read.error().kind == Error::Kind::WrongLength);
    }

    void shortSkinUnpackEqualsTheWindowsRestoration() {
        QTemporaryDir dir;
        const QByteArray raw = test::randomBytes(unpack::kShortSkinLength, 31);
        test::writeFile(dir.filePath("BACKIMG"), raw);
        for (int i = 0; i < 3; ++i)  // only the first 54 bytes of each count
            test::writeFile(dir.filePath(unpack::kTemplateNames[i]), test::randomBytes(54 + i, 40 + i));
        const auto templates = cli::readHeaderTemplates(dir.path().toStdString());
        QVERIFY(templates.ok());
        QVERIFY(unpack::restoreBmps(dir.filePath("BACKIMG").toStdString(), dir.path().toStdString(),
                                    dir.path().toStdString()).ok());
        const auto files = cli::unpackedFiles({cli::Layout::ShortSkin, toBytes(raw)}, templates.value());
        QVERIFY(files.ok());
        QCOMPARE(files.value().size(), unpack::kRestoreSet.size());
        for (const auto& file : files.value())
            QCOMPARE(file.bytes, toBytes(test::readFile(dir.filePath(file.name.c_str()))));
    }

    // Each row: a pixel of the drawn screen and the palette and pixel byte it must come from.
    void screenPixelComesFromTheRightBytes_data() {
        QTest::addColumn<bool>("shortSkin");
        QTest::addColumn<int>("screen");
        QTest::addColumn<QByteArray>("positions");  // the record's X,Y pairs, icon order
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<uint>("palette");
        QTest::addColumn<uint>("pixel");
        const int main = int(cli::Screen::Main), music = int(cli::Screen::Music);
        const QByteArray origin = QByteArray::fromHex("0000645a645a645a645a645a");
        const QByteArray clipped = QByteArray::fromHex("00000000000000000000c88c");
        const QByteArray last = QByteArray::fromHex("fffff00000a0ff0000ffef9f");
        const QByteArray older = QByteArray::fromHex("0000645a645a645ac88c");
        // Pixel 1,255 of an icon at (200, 140) is its row 19, column 39.
        const uint movie = kMovieIcon, options = kOptionsIcon, back = 1024;
        QTest::newRow("icon at origin") << false << main << origin << QPoint(0, 0) << 0u << movie;
        QTest::newRow("icon at origin, inside") << false << main << origin << QPoint(5, 1) << 0u << movie + 64 + 5;
        QTest::newRow("right of it") << false << main << origin << QPoint(64, 0) << 0u << back + 64;
        QTest::newRow("below it") << false << main << origin << QPoint(0, 64) << 0u << back + 64 * 240;
        QTest::newRow("clipped icon") << false << main << clipped << QPoint(200, 140) << 0u << options;
        QTest::newRow("clipped, corner") << false << main << clipped << QPoint(239, 159) << 0u << options + 1255;
        QTest::newRow("left of clipped") << false << main << clipped << QPoint(199, 140) << 0u << back + 140 * 240 + 199;
        QTest::newRow("icon on the last pixel") << false << main << last << QPoint(239, 159) << 0u << options;
        QTest::newRow("older, movie") << true << main << older << QPoint(63, 63) << 0u << movie + 4095;
        QTest::newRow("older, help clipped") << true << main << older << QPoint(239, 159) << 0u << 55808u + 1255;
        QTest::newRow("older, music") << true << music << older << QPoint(0, 0) << 139264u << 140288u;
        QTest::newRow("music") << false << music << origin << QPoint(1, 0) << 139264u << 140289u;
    }
    void screenPixelComesFromTheRightBytes() {
        QFETCH(bool, shortSkin);
        QFETCH(int, screen);
        QFETCH(QByteArray, positions);
        QFETCH(QPoint, at);
        QFETCH(uint, palette);
        QFETCH(uint, pixel);
        cli::SkinFile skinFile = randomSkin(shortSkin, 11);
        std::copy(positions.begin(), positions.end(),
                  skinFile.bytes.begin() + (shortSkin ? unpack::kRecordOffset + 15 : skin::kSettingsOffset + 16));
        const cli::Picture drawn = cli::renderScreen(skinFile, cli::Screen(screen));
        QCOMPARE(QSize(drawn.width, drawn.height), QSize(240, 160));
        QCOMPARE(drawn.at(at.x(), at.y()), cli::paletteColour(skinFile.bytes.data() + palette, skinFile.bytes[pixel]));
    }

    void settingValuesAreCheckedLikeThePanel_data() {
        QTest::addColumn<QStringList>("assignments");
        QTest::addColumn<QString>("stored");   // offset:value pairs
        QTest::addColumn<QString>("problem");  // the field that failed
        // Single values reach the file in the program's test.
        QTest::newRow("later wins") << QStringList{"game=1,1", "game=3,4"} << "22:3 23:4" << "";
        QTest::newRow("out of range") << QStringList{"music=1,2", "options=1,256"} << "" << "选项 Y 轴";
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
};

QTEST_GUILESS_MAIN(CliCoreTest)
#include "tst_cli_core.moc"
