#include "colour/colour.h"

#include <QTest>

using namespace vireo::colour;

class ColourCore : public QObject {
    Q_OBJECT

private slots:
    void hexReadsBlueGreenRed() {
        const std::pair<Rgb, const char*> cases[] = {
            {{255, 128, 0}, "0080FF"}, {{171, 205, 239}, "EFCDAB"}, {{0, 0, 1}, "010000"}};
        for (const auto& [colour, hex] : cases) {
            QCOMPARE(hexText(pack(colour)), std::string(hex));
            QVERIFY(applyHexText(hex).colour == colour);  // Enter gives it back
        }
        // Enter pads a short text in front and cuts a long one.
        QCOMPARE(applyHexText("FFF").text, std::string("000FFF"));
        QVERIFY((applyHexText("FFF").colour == Rgb{255, 15, 0}));
        QCOMPARE(applyHexText("ABCDEF1").text, std::string("ABCDEF"));
    }

    void oversizedNumberTextIsClamped() {
        QCOMPARE(clampedNumberText("99999999999999999999999").value_or(""), "255");
        QCOMPARE(clampedNumberText("00255").value_or(""), "");
    }

    void pressesAtCellBorders_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<int>("packed");
        QTest::newRow("last of column 1, row 1") << 23.0 << 22.0 << 0xFFFFFF;
        QTest::newRow("first of column 2") << 24.0 << 0.0 << 0xFFC0FF;
        QTest::newRow("first of row 2") << 0.0 << 23.0 << 0xC0C0C0;
        QTest::newRow("bottom right") << 185.0 << 132.0 << 0x400000;
        QTest::newRow("past the right edge") << 186.0 << 0.0 << 0;
        QTest::newRow("past the bottom edge") << 0.0 << 133.0 << 0;
        QTest::newRow("left of it") << -1.0 << 50.0 << 0;
    }
    void pressesAtCellBorders() {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(int, packed);
        QCOMPARE(pack(paletteColour(paletteKey(x, y))), quint32(packed));
    }

    // The picture agrees with the press rule everywhere but on its lines,
    // which are one pixel wide and lie between cells only.
    void pictureMatchesThePressRule() {
        const auto pixels = paletteGridPixels();
        QCOMPARE(int(pixels.size()), 186 * 133);
        const auto firstOfCell = [](int at, int cells, int extent) {
            return at > 0 && at * cells / extent != (at - 1) * cells / extent;
        };
        int lines = 0;
        for (int y = 0; y < 133; ++y)
            for (int x = 0; x < 186; ++x) {
                const bool line = firstOfCell(x, 8, 186) || firstOfCell(y, 6, 133);
                lines += line;
                const Rgb expected = line ? Rgb{0, 0, 0} : paletteColour(paletteKey(x, y));
                QVERIFY(pixels[std::size_t(y * 186 + x)] == expected);
            }
        QCOMPARE(lines, 7 * 133 + 5 * 186 - 7 * 5);
    }
};

QTEST_GUILESS_MAIN(ColourCore)
#include "tst_colour_core.moc"
