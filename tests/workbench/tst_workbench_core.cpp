#include "skin/generation.h"
#include "skin/skin_layout.h"
#include "support/fixtures.h"
#include "workbench/layout.h"
#include "workbench/render.h"
#include "workbench/slots.h"

#include <QTest>

using namespace vireo;
using namespace vireo::workbench;
using images::Source;

namespace {

SlotFiles filesOf(const test::SourceFolder& folder) {
    SlotFiles files;
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        files[i] = test::toBytes(folder.files.at(QString::fromLatin1(images::kSourceSet[i].fileName)));
    return files;
}

settings::Record recordWithIcons(const IconPositions& positions) {
    settings::Record record{};
    for (std::size_t i = 0; i < kIconCount; ++i) {
        record[kIcons[i].xOffset] = static_cast<std::uint8_t>(positions[i].x);
        record[kIcons[i].yOffset] = static_cast<std::uint8_t>(positions[i].y);
    }
    return record;
}

}  // namespace

class WorkbenchCore : public QObject {
    Q_OBJECT

private slots:
    void snapsAndClamps_data();
    void snapsAndClamps();
    void nudges_data();
    void nudges();
    void findsTheTopmostIcon_data();
    void findsTheTopmostIcon();
    void exactBmpConverter_data();
    void exactBmpConverter();
    void verdictsByLength();
    void overlayKeepsUnsetFields();
    void builtSkinEqualsAssembly();
    void missingPictureIsNamed();
    void slotPicturesMatchRenderer();
};

void WorkbenchCore::snapsAndClamps_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("grid");
    QTest::addColumn<int>("expected");
    QTest::newRow("off keeps the value") << 13 << 0 << 13;
    QTest::newRow("off clamps below 0") << -5 << 0 << 0;
    QTest::newRow("off clamps above 255") << 300 << 0 << 255;
    QTest::newRow("grid 4 rounds down") << 5 << 4 << 4;
    QTest::newRow("grid 4 half goes up") << 6 << 4 << 8;
    QTest::newRow("grid 2 on a line") << 10 << 2 << 10;
    QTest::newRow("grid 8 negative to 0") << -3 << 8 << 0;
    QTest::newRow("grid 8 past the top clamps to 255") << 253 << 8 << 255;
    QTest::newRow("grid 8 below the top") << 251 << 8 << 248;
}

void WorkbenchCore::snapsAndClamps() {
    QFETCH(int, value);
    QFETCH(int, grid);
    QFETCH(int, expected);
    QCOMPARE(snapPosition(value, grid), expected);
    // A drag is the snap of start plus movement, per axis.
    const Position moved = dragTo({value, 0}, {0, value}, grid);
    QCOMPARE(moved.x, expected);
    QCOMPARE(moved.y, expected);
}

void WorkbenchCore::nudges_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("grid");
    QTest::addColumn<int>("expected");
    QTest::newRow("1 right") << 10 << 1 << 0 << 11;
    QTest::newRow("8 left") << 10 << -8 << 0 << 2;
    QTest::newRow("left stops at 0") << 3 << -8 << 0 << 0;
    QTest::newRow("right stops at 255") << 250 << 8 << 0 << 255;
    QTest::newRow("off the grid goes to the next line") << 3 << 1 << 4 << 4;
    QTest::newRow("on the grid goes a whole step") << 4 << 1 << 4 << 8;
    QTest::newRow("on the grid back a whole step") << 8 << -1 << 4 << 4;
    QTest::newRow("off the grid back to the line below") << 7 << -1 << 4 << 4;
    QTest::newRow("grid past the top clamps") << 248 << 1 << 8 << 255;
}

void WorkbenchCore::nudges() {
    QFETCH(int, value);
    QFETCH(int, delta);
    QFETCH(int, grid);
    QFETCH(int, expected);
    QCOMPARE(nudgePosition(value, delta, grid), expected);
}

void WorkbenchCore::findsTheTopmostIcon_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("expected");  // -1 for none
    QTest::newRow("top-left corner of movie") << 10 << 20 << 0;
    QTest::newRow("last column of movie") << 73 << 49 << 0;
    QTest::newRow("just right of movie") << 74 << 30 << -1;
    QTest::newRow("overlap goes to the later icon") << 60 << 60 << 1;
    QTest::newRow("just past music") << 114 << 60 << -1;
    QTest::newRow("background only") << 200 << 10 << -1;
    QTest::newRow("off the screen") << 240 << 150 << -1;
    QTest::newRow("icon reaching past the edge, on screen") << 239 << 159 << 5;
}

void WorkbenchCore::findsTheTopmostIcon() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, expected);
    const IconPositions positions = {{{10, 20}, {50, 50}, {200, 200}, {200, 200}, {200, 200}, {230, 150}}};
    const auto found = iconAt(positions, x, y);
    QCOMPARE(found ? int(*found) : -1, expected);
}

void WorkbenchCore::exactBmpConverter_data() {
    QTest::addColumn<int>("slot");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<bool>("accepted");
    const QByteArray palette = test::randomBytes(1024, 7);
    const QByteArray icon = test::bmp8(64, 64, palette, test::randomBytes(4096, 8));
    const QByteArray small = test::bmp8(16, 16, palette, test::randomBytes(256, 9));
    QTest::newRow("64x64 icon into the movie slot") << int(Source::MovieIcon) << icon << true;
    QTest::newRow("16x16 icon into the folder slot") << int(Source::FolderIcon) << small << true;
    QTest::newRow("16x16 icon into the movie slot") << int(Source::MovieIcon) << small << false;
    QTest::newRow("64x64 icon as a background") << int(Source::MainBackground) << icon << false;
    QTest::newRow("a byte too many") << int(Source::MovieIcon) << icon + '\0' << false;
    QTest::newRow("a byte too few") << int(Source::MovieIcon) << icon.left(icon.size() - 1) << false;
    QByteArray fourBit = icon;
    fourBit[28] = 4;
    QTest::newRow("4 bits per pixel") << int(Source::MovieIcon) << fourBit << false;
    QTest::newRow("not a BMP") << int(Source::MovieIcon) << QByteArray(5174, 'x') << false;
    QTest::newRow("empty") << int(Source::MovieIcon) << QByteArray() << false;
}

void WorkbenchCore::exactBmpConverter() {
    QFETCH(int, slot);
    QFETCH(QByteArray, input);
    QFETCH(bool, accepted);
    const auto converted =
        ExactBmpConverter().convert(static_cast<Source>(slot), test::toBytes(input), "in.bmp");
    QCOMPARE(converted.ok(), accepted);
    if (accepted)
        QCOMPARE(converted.value(), test::toBytes(input));
    else
        QCOMPARE(converted.error().path, std::string("in.bmp"));
}

void WorkbenchCore::verdictsByLength() {
    QVERIFY(!lengthVerdict(Source::MovieIcon, std::nullopt).usable);
    QVERIFY(!lengthVerdict(Source::MovieIcon, Bytes(5173)).usable);
    QVERIFY(lengthVerdict(Source::MovieIcon, Bytes(5174)).usable);
    QVERIFY(!lengthVerdict(Source::MainBackground, Bytes(5174)).usable);
    QVERIFY(lengthVerdict(Source::ParentFolderIcon, Bytes(1334)).usable);
}

void WorkbenchCore::overlayKeepsUnsetFields() {
    settings::Record record;
    for (std::size_t i = 0; i < record.size(); ++i) record[i] = static_cast<std::uint8_t>(100 + i);
    FieldValues values;
    values[16] = 0;
    values[17] = 255;
    values[0] = 300;  // out of range: the byte stays
    const auto overlaid = overlayRecord(record, values);
    for (std::size_t i = 0; i < record.size(); ++i) {
        const int expected = i == 16 ? 0 : i == 17 ? 255 : record[i];
        QCOMPARE(int(overlaid[i]), expected);
    }
}

void WorkbenchCore::builtSkinEqualsAssembly() {
    const test::SourceFolder folder(3);
    skin::SkinSourceBytes sources;
    const SlotFiles files = filesOf(folder);
    for (std::size_t i = 0; i < images::kSourceCount; ++i) sources.pictures[i] = *files[i];
    const settings::Record record = recordWithIcons({{{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}, {11, 12}}});
    sources.settings.assign(record.begin(), record.end());
    const auto built = buildSkin(files, record);
    QVERIFY(built.ok());
    QCOMPARE(built.value(), skin::assembleSkin(sources).value());
}

void WorkbenchCore::missingPictureIsNamed() {
    const test::SourceFolder folder(4);
    SlotFiles files = filesOf(folder);
    files[static_cast<std::size_t>(Source::GameIcon)].reset();
    const auto built = buildSkin(files, {});
    QVERIFY(!built.ok());
    QCOMPARE(built.error().path, std::string("game256.bmp"));
}

void WorkbenchCore::slotPicturesMatchRenderer() {
    const test::SourceFolder folder(5);
    const SlotFiles files = filesOf(folder);
    // Movie alone at the corner; the others stacked where they cannot cover it.
    const IconPositions positions = {{{0, 0}, {176, 96}, {176, 96}, {176, 96}, {176, 96}, {100, 96}}};
    const Bytes skin = buildSkin(files, recordWithIcons(positions)).value();

    const Picture main = renderPlayerScreen(skin, Screen::Main);
    const Picture movie = *slotPicture(Source::MovieIcon, files);
    for (int y = 0; y < kIconSide; ++y)
        for (int x = 0; x < kIconSide; ++x) QCOMPARE(movie.at(x, y), main.at(x, y));

    const std::pair<Source, Screen> backgrounds[] = {{Source::TreeBackground, Screen::Tree},
                                                     {Source::EbookBackground, Screen::Ebook},
                                                     {Source::MusicBackground, Screen::Music}};
    for (const auto& [source, screen] : backgrounds)
        QCOMPARE(slotPicture(source, files)->pixels, renderPlayerScreen(skin, screen).pixels);

    // A small icon goes through the directory tree's palette.
    const Picture folderIcon = *slotPicture(Source::FolderIcon, files);
    const Bytes& tree = *files[static_cast<std::size_t>(Source::TreeBackground)];
    const std::uint8_t index = (*files[static_cast<std::size_t>(Source::FolderIcon)])[images::kPixelOffset];
    const std::uint8_t* entry = tree.data() + images::kPaletteOffset + 4 * index;
    QCOMPARE(folderIcon.at(0, 0), 0xFF000000u | (entry[2] << 16) | (entry[1] << 8) | entry[0]);
}

QTEST_GUILESS_MAIN(WorkbenchCore)
#include "tst_workbench_core.moc"
