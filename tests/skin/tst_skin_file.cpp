// A finished skin of either layout: taken by its length from a file or from
// bytes in memory, drawn as the player draws it, and unpacked.
#include "images/bmp.h"
#include "skin/screen.h"
#include "skin/skin_file.h"
#include "skin/skin_layout.h"
#include "skin/unpacking.h"
#include "support/fixtures.h"
#include "unpack/restoration.h"
#include "unpack/short_skin.h"

#include <QPoint>
#include <QTest>

using namespace vireo;
using test::toBytes;

class SkinFileTest : public QObject {
    Q_OBJECT

private slots:
    void lengthDecidesTheLayout_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("layout");  // -1: refused
        QTest::newRow("generated layout") << 182816 << int(skin::Layout::Skin);
        QTest::newRow("short layout") << 178720 << int(skin::Layout::ShortSkin);
        QTest::newRow("one byte past the short layout") << 178721 << -1;
        QTest::newRow("one byte short of the short layout") << 178719 << -1;
        QTest::newRow("one byte short of the generated layout") << 182815 << -1;
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

    // Only the first 54 bytes of each template count.
    void shortSkinUnpackEqualsTheWindowsRestoration() {
        QTemporaryDir dir;
        const QByteArray raw = test::randomBytes(unpack::kShortSkinLength, 31);
        test::writeFile(dir.filePath("BACKIMG"), raw);
        for (int i = 0; i < 3; ++i) {
            const auto size = unpack::pictureSizeOf(unpack::Template(i));
            test::writeFile(dir.filePath(unpack::kTemplateNames[i]),
                            test::fromBytes(images::makeBmpHeader(size.width, size.height)) + QByteArray(i, 'x'));
        }
        const std::string path = dir.path().toStdString();
        QVERIFY(unpack::restoreBmps(path + "/BACKIMG", path, path).ok());
        const auto files = skin::unpackedFiles({skin::Layout::ShortSkin, toBytes(raw)},
                                               unpack::readHeaderTemplates(path).value());
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
        const int main = int(skin::Screen::Main), music = int(skin::Screen::Music);
        const QByteArray origin = QByteArray::fromHex("0000645a645a645a645a645a");
        const QByteArray clipped = QByteArray::fromHex("00000000000000000000c88c");
        const QByteArray last = QByteArray::fromHex("fffff00000a0ff0000ffef9f");
        const QByteArray older = QByteArray::fromHex("0000645a645a645ac88c");
        // Pixel 1,255 of an icon at (200, 140) is its row 19, column 39.
        const uint movie = 39424, options = 178688, back = 1024;
        QTest::newRow("icon at origin, inside") << false << main << origin << QPoint(5, 1) << 0u << movie + 64 + 5;
        QTest::newRow("right of it") << false << main << origin << QPoint(64, 0) << 0u << back + 64;
        QTest::newRow("below it") << false << main << origin << QPoint(0, 64) << 0u << back + 64 * 240;
        QTest::newRow("clipped, corner") << false << main << clipped << QPoint(239, 159) << 0u << options + 1255;
        QTest::newRow("left of clipped") << false << main << clipped << QPoint(199, 140) << 0u << back + 140 * 240 + 199;
        QTest::newRow("icon on the last pixel") << false << main << last << QPoint(239, 159) << 0u << options;
        // Music, e-book and about share (100, 90); about is drawn last.
        QTest::newRow("older, about over e-book") << true << main << older << QPoint(100, 90) << 0u << 51712u;
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
        skin::SkinFile skinFile{shortSkin ? skin::Layout::ShortSkin : skin::Layout::Skin,
                                toBytes(test::randomBytes(shortSkin ? unpack::kShortSkinLength : skin::kSkinLength, 11))};
        std::copy(positions.begin(), positions.end(),
                  skinFile.bytes.begin() + (shortSkin ? unpack::kRecordOffset + 15 : skin::kSettingsOffset + 16));
        const skin::Picture drawn = skin::renderScreen(skinFile, skin::Screen(screen));
        QCOMPARE(QSize(drawn.width, drawn.height), QSize(240, 160));
        QCOMPARE(drawn.at(at.x(), at.y()), skin::paletteColour(skinFile.bytes.data() + palette, skinFile.bytes[pixel]));
    }
};

QTEST_GUILESS_MAIN(SkinFileTest)
#include "tst_skin_file.moc"
