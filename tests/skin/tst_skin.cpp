// A skin made from its sources, byte for byte against a table written out by
// hand, and a finished skin of either layout: taken by its length, drawn as
// the player draws it, and unpacked.
#include "core/images/bmp.h"
#include "core/images/source_set.h"
#include "core/skin/generation.h"
#include "core/skin/icon_overlaps.h"
#include "core/skin/screen.h"
#include "core/skin/sheet.h"
#include "core/skin/skin_file.h"
#include "core/skin/skin_layout.h"
#include "core/skin/unpacking.h"
#include "core/unpack/restoration.h"
#include "core/unpack/short_skin.h"
#include "support/fixtures.h"

#include <QFile>
#include <QPoint>
#include <QTest>

using namespace vireo;
using test::entries;
using test::readFile;
using test::toBytes;

namespace {

// The skin written out by hand, independent of the code's table: where each
// region lands, which file it comes from and from which offset.
struct Expected {
    int offset;
    int length;
    const char* file;
    int from;
};
const Expected kExpected[] = {
    {0, 1024, "main256.bmp", 54},
    {1024, 38400, "main256.bmp", 1078},
    {39424, 4096, "movie256.bmp", 1078},
    {43520, 4096, "music256.bmp", 1078},
    {47616, 4096, "image256.bmp", 1078},
    {51712, 4096, "game256.bmp", 1078},
    {55808, 4096, "ebook256.bmp", 1078},
    {59904, 1024, "tree_main256.bmp", 54},
    {60928, 38400, "tree_main256.bmp", 1078},
    {99328, 256, "ft256.bmp", 1078},
    {99584, 256, "fu256.bmp", 1078},
    {99840, 1024, "ebook_main256.bmp", 54},
    {100864, 38400, "ebook_main256.bmp", 1078},
    {139264, 1024, "music_main256.bmp", 54},
    {140288, 38400, "music_main256.bmp", 1078},
    {178688, 4096, "help256.bmp", 1078},
    {182784, 32, "BACK", 0},
};

skin::SkinSources sourcesIn(const test::SourceFolder& folder) {
    return {images::derivePaths(folder.folder().toStdString()), folder.path("BACK").toStdString()};
}

}  // namespace

class TestSkin : public QObject {
    Q_OBJECT

private slots:
    void everyRegionIsItsSourceBytes() {
        test::SourceFolder sources(42);
        const QString output = sources.path("BACKIMG");
        test::writeFile(output,
                        QByteArray(200000, 'o'));  // an older, longer skin is replaced whole
        QVERIFY(skin::generateSkin(sourcesIn(sources), output.toStdString()).ok());

        const QByteArray skin = readFile(output);
        QCOMPARE(skin.size(), 182816);
        int next = 0;
        for (const Expected& region : kExpected) {
            QCOMPARE(region.offset, next);  // no gap, no overlap
            const QByteArray source = sources.files.at(region.file);
            QVERIFY2(
                skin.mid(region.offset, region.length) == source.mid(region.from, region.length),
                qPrintable(QString("%1 at %2").arg(region.file).arg(region.offset)));
            next = region.offset + region.length;
        }
        QCOMPARE(next, skin.size());
    }

    // From files or from bytes in memory: a source too short for its regions
    // is refused by name instead of being read past its end, leaving the old
    // skin and no stray file; bytes beyond the regions are never copied.
    void sameSkinFromFilesOrBytes_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("length");  // -1: removed
        QTest::newRow("BACK of 33 bytes") << "BACK" << 33;
        QTest::newRow("small icon ending before its pixels") << "fu256.bmp" << 1077;
        QTest::newRow("parent-folder icon removed") << "fu256.bmp" << -1;
        QTest::newRow("BACK one byte short") << "BACK" << 31;
    }
    void sameSkinFromFilesOrBytes() {
        QFETCH(QString, file);
        QFETCH(int, length);
        test::SourceFolder sources(3);
        const QString output = sources.path("BACKIMG");
        const QByteArray old = test::randomBytes(1234, 8);
        test::writeFile(output, old);
        QStringList after = entries(sources.dir.path());
        const bool accepted = length >= sources.files.at(file).size();
        sources.files.at(file).resize(qMax(length, 0), '\xEE');
        if (length < 0) {
            QVERIFY(QFile::remove(sources.path(file)));
            after.removeOne(file);
        } else {
            test::writeFile(sources.path(file), sources.files.at(file));
        }
        skin::SkinSourceBytes bytes{{}, toBytes(sources.files.at("BACK"))};
        for (std::size_t i = 0; i < images::kSourceCount; ++i)
            bytes.pictures[i] =
                toBytes(sources.files.at(QString::fromLatin1(images::kSourceSet[i].fileName)));

        const auto fromFiles = skin::generateSkin(sourcesIn(sources), output.toStdString());
        const auto fromBytes = skin::assembleSkin(bytes);
        QCOMPARE(fromFiles.ok(), accepted);
        QCOMPARE(fromBytes.ok(), accepted);
        if (accepted) {
            QCOMPARE(toBytes(readFile(output)), fromBytes.value());
            return;
        }
        QCOMPARE(QString::fromStdString(fromFiles.error().path), sources.path(file));
        QCOMPARE(readFile(output), old);
        QCOMPARE(entries(sources.dir.path()), after);
        QCOMPARE(fromBytes.error().kind, Error::Kind::ShortRead);
        QCOMPARE(QString::fromStdString(fromBytes.error().path), file);
    }

    void lengthDecidesTheLayout_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("layout");  // -1: refused
        QTest::newRow("generated layout") << 182816 << int(skin::Layout::Skin);
        QTest::newRow("short layout") << 178720 << int(skin::Layout::ShortSkin);
        QTest::newRow("one byte past the short layout") << 178721 << -1;
        QTest::newRow("one byte past the generated layout") << 182817 << -1;
    }
    void lengthDecidesTheLayout() {
        QFETCH(int, length);
        QFETCH(int, layout);
        QTemporaryDir dir;
        const QByteArray bytes = test::randomBytes(length, 4);
        test::writeFile(dir.filePath("BACKIMG"), bytes);
        const auto fromFile = skin::readSkinFile(dir.filePath("BACKIMG").toStdString());
        const auto fromBytes = skin::skinFileOf(toBytes(bytes), "x/BACKIMG");
        QCOMPARE(fromFile.ok(), layout >= 0);
        if (layout < 0) {
            QCOMPARE(fromBytes.error().kind, Error::Kind::WrongLength);
            QCOMPARE(fromBytes.error().path, std::string("x/BACKIMG"));
        } else {
            QCOMPARE(int(fromBytes.value().layout), layout);
            QVERIFY(fromBytes.value().bytes == fromFile.value().bytes);
        }
    }

    // Each row: a pixel of the drawn screen and the palette and pixel byte it must come from.
    void screenPixelComesFromTheRightBytes_data() {
        QTest::addColumn<bool>("shortSkin");
        QTest::addColumn<int>("screen");
        QTest::addColumn<QByteArray>("positions");  // the record's X,Y pairs, icon order
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<uint>("palette");
        QTest::addColumn<uint>("pixel");
        const int main = int(skin::Screen::Main), music = int(skin::Screen::Music);
        const QByteArray origin = QByteArray::fromHex("0000645a645a645a645a645a");
        const QByteArray clipped = QByteArray::fromHex("00000000000000000000c88c");
        const QByteArray last = QByteArray::fromHex("fffff00000a0ff0000ffef9f");
        const QByteArray older = QByteArray::fromHex("0000645a645a645ac88c");
        // Pixel 1,255 of an icon at (200, 140) is its row 19, column 39.
        const uint movie = 39424, options = 178688, back = 1024;
        QTest::newRow("icon at origin, inside")
            << false << main << origin << QPoint(5, 1) << 0u << movie + 64 + 5;
        QTest::newRow("right of it") << false << main << origin << QPoint(64, 0) << 0u << back + 64;
        QTest::newRow("below it") << false << main << origin << QPoint(0, 64) << 0u
                                  << back + 64 * 240;
        QTest::newRow("clipped, corner")
            << false << main << clipped << QPoint(239, 159) << 0u << options + 1255;
        QTest::newRow("icon on the last pixel")
            << false << main << last << QPoint(239, 159) << 0u << options;
        // The player draws movie, music, picture browser, game, e-book, options: the later on top.
        const QByteArray musicUnderPicture = QByteArray::fromHex("0000645a645a000000000000");
        const QByteArray pictureUnderGame = QByteArray::fromHex("00000000645a645a00000000");
        QTest::newRow("picture browser over music")
            << false << main << musicUnderPicture << QPoint(100, 90) << 0u << 47616u;
        QTest::newRow("game over picture browser")
            << false << main << pictureUnderGame << QPoint(100, 90) << 0u << 51712u;
        // Music, e-book and about share (100, 90); about is drawn last.
        QTest::newRow("older, about over e-book")
            << true << main << older << QPoint(100, 90) << 0u << 51712u;
        QTest::newRow("older, music")
            << true << music << older << QPoint(0, 0) << 139264u << 140288u;
        QTest::newRow("music") << false << music << origin << QPoint(1, 0) << 139264u << 140289u;
        // The six side by side, each at its own pair: a pixel 3 across and 2 down in each.
        const QByteArray apart = QByteArray::fromHex("000040008000004040408040");
        const std::pair<const char*, uint> icons[] = {
            {"movie", 39424u}, {"music", 43520u},  {"picture browser", 47616u},
            {"game", 51712u},  {"e-book", 55808u}, {"options", 178688u}};
        for (int i = 0; i < 6; ++i)
            QTest::newRow(qPrintable(QString("apart, ") + icons[i].first))
                << false << main << apart << QPoint(i % 3 * 64 + 3, i / 3 * 64 + 2) << 0u
                << icons[i].second + 2 * 64 + 3;
    }
    void screenPixelComesFromTheRightBytes() {
        QFETCH(bool, shortSkin);
        QFETCH(int, screen);
        QFETCH(QByteArray, positions);
        QFETCH(QPoint, at);
        QFETCH(uint, palette);
        QFETCH(uint, pixel);
        skin::SkinFile skinFile{shortSkin ? skin::Layout::ShortSkin : skin::Layout::Skin,
                                toBytes(test::randomBytes(
                                    shortSkin ? unpack::kShortSkinLength : skin::kSkinLength, 11))};
        std::copy(positions.begin(), positions.end(),
                  skinFile.bytes.begin() +
                      (shortSkin ? unpack::kRecordOffset + 15 : skin::kSettingsOffset + 16));
        const skin::Picture drawn = skin::renderScreen(skinFile, skin::Screen(screen));
        QCOMPARE(QSize(drawn.width, drawn.height), QSize(240, 160));
        // Palette entries are blue, green, red, spare; drawn as opaque 0xAARRGGBB.
        const std::uint8_t* entry = skinFile.bytes.data() + palette + 4 * skinFile.bytes[pixel];
        QCOMPARE(drawn.at(at.x(), at.y()), 0xFF000000u | entry[2] << 16 | entry[1] << 8 | entry[0]);
    }

    // Main and tree above, e-book and music below, each screen pixel a 2×2
    // block; the texts where the player draws them, scaled with the screen.
    void sheetShowsTheFourScreensTwoByTwo() {
        const skin::SkinFile file{skin::Layout::Skin,
                                  toBytes(test::randomBytes(skin::kSkinLength, 5))};
        const skin::Sheet sheet = skin::composeSheet(file);
        QCOMPARE(QSize(sheet.picture.width, sheet.picture.height), QSize(960, 640));
        const std::pair<skin::Screen, QPoint> quadrants[] = {{skin::Screen::Main, {0, 0}},
                                                             {skin::Screen::Tree, {480, 0}},
                                                             {skin::Screen::Ebook, {0, 320}},
                                                             {skin::Screen::Music, {480, 320}}};
        for (const auto& [screen, corner] : quadrants) {
            const skin::Picture drawn = skin::renderScreen(file, screen);
            for (const QPoint at : {QPoint(0, 0), QPoint(239, 159), QPoint(52, 46)})
                for (const int d : {0, 1})
                    QCOMPARE(
                        sheet.picture.at(corner.x() + at.x() * 2 + d, corner.y() + at.y() * 2 + d),
                        drawn.at(at.x(), at.y()));
        }
        const std::uint8_t* record = file.bytes.data() + skin::kSettingsOffset;
        QCOMPARE(sheet.texts.size(), std::size_t(3));
        QCOMPARE(QPoint(sheet.texts[1].x, sheet.texts[1].y),
                 QPoint(480 + 2 * record[28], 2 * (record[29] + 16)));
        QCOMPARE(QPoint(sheet.texts[2].x, sheet.texts[2].y), QPoint(16, 320 + 16));
    }

    // The default grid's rows share four lines of pixels; more than that is an
    // overlap, named by the icon hidden and the one drawn over it.
    void iconsHidingEachOtherBeyondTheGrid_data() {
        QTest::addColumn<QPoint>("movie");
        QTest::addColumn<QStringList>("found");  // hidden<over pixels, icons in drawing order
        QTest::newRow("the default grid") << QPoint(12, 26) << QStringList();
        QTest::newRow("five lines into the row below") << QPoint(12, 27) << QStringList{"0<3 320"};
        QTest::newRow("under the music icon and the e-book icon")
            << QPoint(80, 60) << QStringList{"0<1 1680", "0<4 2128"};
    }
    void iconsHidingEachOtherBeyondTheGrid() {
        QFETCH(QPoint, movie);
        QFETCH(QStringList, found);
        settings::Record record = settings::defaultRecord();
        record[16] = std::uint8_t(movie.x());
        record[17] = std::uint8_t(movie.y());
        QStringList overlaps;
        for (const skin::IconOverlap& o : skin::excessOverlaps(record))
            overlaps << QString("%1<%2 %3").arg(o.hidden).arg(o.over).arg(o.pixels());
        QCOMPARE(overlaps, found);
    }

    // The longer side becomes N and the other follows in proportion, rounded
    // and at least 1; a smaller pixel is the rounded mean of those it covers.
    void scalingSetsTheLongerSide_data() {
        QTest::addColumn<QSize>("from");
        QTest::addColumn<int>("side");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("half") << QSize(240, 160) << 120 << QSize(120, 80);
        QTest::newRow("thumbnail 128") << QSize(240, 160) << 128 << QSize(128, 85);
        QTest::newRow("doubled") << QSize(240, 160) << 480 << QSize(480, 320);
        QTest::newRow("one pixel") << QSize(240, 160) << 1 << QSize(1, 1);
        QTest::newRow("taller than wide") << QSize(10, 20) << 5 << QSize(3, 5);
    }
    void scalingSetsTheLongerSide() {
        QFETCH(QSize, from);
        QFETCH(int, side);
        QFETCH(QSize, expected);
        skin::Picture picture{from.width(), from.height(), {}};
        for (quint32 i = 0; i < quint32(from.width() * from.height()); ++i)
            picture.pixels.push_back(0xFF000000u | ((i * 2654435761u) >> 8));
        const skin::Picture scaled = skin::scaleToLongerSide(picture, side);
        QCOMPARE(QSize(scaled.width, scaled.height), expected);
        if (side == 480) QCOMPARE(scaled.at(5, 3), picture.at(2, 1));
        if (side != 120) return;
        for (const QPoint at : {QPoint(0, 0), QPoint(17, 9), QPoint(119, 79)}) {
            quint32 mean = 0xFF000000u;
            for (int shift : {0, 8, 16}) {
                int sum = 0;
                for (int y = 0; y < 2; ++y)
                    for (int x = 0; x < 2; ++x)
                        sum += picture.at(at.x() * 2 + x, at.y() * 2 + y) >> shift & 0xFF;
                mean |= quint32((sum + 2) / 4) << shift;
            }
            QCOMPARE(scaled.at(at.x(), at.y()), mean);
        }
    }
};

QTEST_GUILESS_MAIN(TestSkin)
#include "tst_skin.moc"
