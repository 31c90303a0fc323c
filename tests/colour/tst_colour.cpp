#include "core/colour/colour.h"
#include "gui/colour/colour_picker.h"
#include "gui/colour/colour_widgets.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

using namespace vireo::colour;
using namespace vireo;

namespace {

struct Picker {
    QScrollBar* bar(int i) { return window.findChild<QScrollBar*>(QString("RGBValue%1").arg(i)); }
    QLineEdit* box(int i) { return window.findChild<QLineEdit*>(QString("RGBNumber%1").arg(i)); }
    QLineEdit* hex() { return window.findChild<QLineEdit*>("ColorValue"); }
    void setRgb(int r, int g, int b) {
        bar(1)->setValue(r), bar(2)->setValue(g), bar(3)->setValue(b);
    }
    // The three number boxes and the hex box, e.g. "200,0,0 0000C8".
    QString shown() {
        return box(1)->text() + "," + box(2)->text() + "," + box(3)->text() + " " + hex()->text();
    }
    ui::ColourPicker window;
};

}  // namespace

class ColourTest : public QObject {
    Q_OBJECT

private slots:
    void hexReadsBlueGreenRed() {
        const std::pair<Rgb, const char*> cases[] = {{{171, 205, 239}, "EFCDAB"},
                                                     {{0, 0, 1}, "010000"}};
        for (const auto& [colour, hex] : cases) {
            QCOMPARE(hexText(pack(colour)), std::string(hex));
            QVERIFY(applyHexText(hex).colour == colour);  // Enter gives it back
        }
        // Enter cuts a long text (the picker's test pads a short one).
        QCOMPARE(applyHexText("ABCDEF1").text, std::string("ABCDEF"));
    }

    // Keys as pressed: digits and backspace pass both boxes, hex letters are
    // raised, anything else is discarded.
    void keyFilters() {
        const std::tuple<int, int, int> keys[] = {
            // code, number box, hex box
            {'7', '7', '7'}, {8, 8, 8}, {'a', 0, 'A'}, {'F', 0, 'F'}, {'g', 0, 0}, {'-', 0, 0}};
        for (const auto& [code, number, hex] : keys) {
            QCOMPARE(filterNumberKey(code), number);
            QCOMPARE(filterHexKey(code), hex);
        }
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

    // The picture agrees with the press rule everywhere but on its lines: one
    // pixel wide, on the first pixel of every cell but the first in its row or column.
    void pictureMatchesThePressRule() {
        const auto pixels = paletteGridPixels();
        QCOMPARE(int(pixels.size()), 186 * 133);
        int lines = 0;
        for (int y = 0; y < 133; ++y)
            for (int x = 0; x < 186; ++x) {
                const bool line = (x > 0 && x * 8 / 186 != (x - 1) * 8 / 186) ||
                                  (y > 0 && y * 6 / 133 != (y - 1) * 6 / 133);
                lines += line;
                QVERIFY(pixels[std::size_t(y * 186 + x)] ==
                        (line ? Rgb{0, 0, 0} : paletteColour(paletteKey(x, y))));
            }
        QCOMPARE(lines, 7 * 133 + 5 * 186 - 7 * 5);
    }

    // Typed or pasted, only what the box's filter lets in arrives.
    void filtersOnTypingAndPasting() {
        Picker p;
        p.box(2)->clear();
        QTest::keyClicks(p.box(2), "3x0-0");  // 300 becomes 255
        p.hex()->clear();
        QTest::keyClicks(p.hex(), "abc-g");  // raised, and not applied before Enter
        QCOMPARE(p.shown(), "0,255,0 ABC");
        QGuiApplication::clipboard()->setText("1a2 b");
        p.box(3)->selectAll();
        p.box(3)->paste();
        p.hex()->selectAll();
        p.hex()->paste();
        QCOMPARE(p.shown(), "0,255,12 1A2B");
    }

    // A text that changes the channel is rewritten by the refresh, one that
    // does not is left as it is; Enter makes the hex box whole and applies it
    // even when no scroll bar moves.
    void textIsRewrittenOnlyOnChangeHexOnEnter() {
        Picker p;
        p.box(1)->setText("07");
        QCOMPARE(p.box(1)->text(), "7");
        p.box(1)->setText("07");
        QCOMPARE(p.box(1)->text(), "07");
        for (int press = 0; press < 2; ++press) {
            p.hex()->setText("FFF");
            QTest::keyClick(p.hex(), Qt::Key_Return);
            QCOMPARE(p.shown(), "255,15,0 000FFF");
        }
    }

    // Any button picks from the palette; the scroll bars refresh every box.
    void palettePressesAndSwatchClicks() {
        Picker p;
        QTest::mousePress(p.window.findChild<QWidget*>("Palette"), Qt::RightButton, {}, {70, 45});
        QCOMPARE(p.shown(), "255,128,0 0080FF");
        QCOMPARE(p.window.findChild<ui::Swatch*>("Color")->colour(), QColor(255, 128, 0));
        const std::pair<const char*, const char*> clicks[] = {
            {"RedValue", "10,0,0"}, {"GreenValue", "0,20,0"}, {"BlueValue", "0,0,30"}};
        for (const auto& [swatch, numbers] : clicks) {
            p.setRgb(10, 20, 30);
            QTest::mouseClick(p.window.findChild<ui::Swatch*>(swatch), Qt::LeftButton);
            QVERIFY(p.shown().startsWith(numbers));
        }
    }
};

QTEST_MAIN(ColourTest)
#include "tst_colour.moc"
