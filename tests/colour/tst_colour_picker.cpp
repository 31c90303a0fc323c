#include "colour/ui/colour_picker.h"
#include "colour/ui/colour_widgets.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

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

class ColourPickerTest : public QObject {
    Q_OBJECT

private slots:
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

QTEST_MAIN(ColourPickerTest)
#include "tst_colour_picker.moc"
