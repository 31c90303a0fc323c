#include "colour/ui/colour_picker.h"
#include "colour/ui/colour_widgets.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace vireo;

namespace {

struct Picker {
    QScrollBar* bar(int i) { return window.findChild<QScrollBar*>(QString("RGBValue%1").arg(i)); }
    QLineEdit* box(int i) { return window.findChild<QLineEdit*>(QString("RGBNumber%1").arg(i)); }
    QLineEdit* hex() { return window.findChild<QLineEdit*>("ColorValue"); }
    ui::Swatch* swatch(const char* name) { return window.findChild<ui::Swatch*>(name); }
    void setRgb(int r, int g, int b) {
        bar(1)->setValue(r), bar(2)->setValue(g), bar(3)->setValue(b);
    }
    QString numbers() { return box(1)->text() + "," + box(2)->text() + "," + box(3)->text(); }
    ui::ColourPicker window;
};

}  // namespace

class ColourPickerTest : public QObject {
    Q_OBJECT

private slots:
    void initialStateAndRefresh() {
        Picker p;
        QCOMPARE(p.window.size(), QSize(345, 220));
        QCOMPARE(p.window.findChild<QWidget*>("Palette")->geometry(), QRect(8, 80, 186, 133));
        QCOMPARE(p.numbers() + " " + p.hex()->text(), "0,0,0 000000");
        p.bar(1)->setValue(200);
        QCOMPARE(p.numbers() + " " + p.hex()->text(), "200,0,0 0000C8");
        QCOMPARE(p.swatch("RedValue")->colour(), QColor(200, 0, 0));
        QCOMPARE(p.swatch("Color")->colour(), QColor(200, 0, 0));
        p.bar(2)->setValue(128), p.bar(1)->setValue(255);
        QCOMPARE(p.hex()->text(), "0080FF");
    }

    void numberBoxes() {
        Picker p;
        p.box(2)->clear();
        QTest::keyClicks(p.box(2), "3x0-0");  // only digits get in; 300 becomes 255
        QCOMPARE(p.box(2)->text() + QString::number(p.bar(2)->value()), "255255");

        // A text that changes the channel is rewritten by the refresh; one that
        // does not is left as it is, since the scroll bar does not change.
        p.box(1)->setText("07");
        QCOMPARE(p.box(1)->text(), "7");
        QSignalSpy refreshes(p.bar(1), &QScrollBar::valueChanged);
        p.box(1)->setText("07");
        QCOMPARE(p.box(1)->text(), "07");
        QCOMPARE(refreshes.size(), 0);
        p.box(1)->clear();  // channel 7 -> 0: shows "0"
        QCOMPARE(p.box(1)->text(), "0");
        p.box(1)->clear();  // channel already 0: stays empty
        QCOMPARE(p.box(1)->text(), "");
    }

    void pasteIsFilteredAsIfTyped() {
        Picker p;
        QGuiApplication::clipboard()->setText("1a2 b");
        p.box(3)->selectAll();
        p.box(3)->paste();
        QCOMPARE(p.box(3)->text() + QString::number(p.bar(3)->value()), "1212");
        p.hex()->selectAll();
        p.hex()->paste();
        QCOMPARE(p.hex()->text(), "1A2B");
    }

    void hexBox() {
        const char* cases[][3] = {{"FFF", "000FFF", "255,15,0"},
                                  {"ABCDEF1", "ABCDEF", "239,205,171"},
                                  {"", "000000", "0,0,0"}};
        for (const auto& c : cases) {
            Picker p;
            p.setRgb(1, 2, 3);
            p.hex()->setText(c[0]);
            QTest::keyClick(p.hex(), Qt::Key_Return);
            QCOMPARE(p.hex()->text() + " " + p.numbers(), QString(c[1]) + " " + c[2]);
        }
        Picker p;  // typing waits for Enter; a to f are raised
        p.hex()->clear();
        QTest::keyClicks(p.hex(), "abc-g");
        QCOMPARE(p.hex()->text() + " " + p.numbers(), "ABC 0,0,0");
    }

    void palettePressesAndSwatchClicks() {
        const std::pair<QPoint, const char*> presses[] = {
            {{0, 1}, "FFFFFF"}, {{70, 45}, "0080FF"}, {{23, 132}, "000000"}, {{24, 22}, "FFC0FF"}};
        for (const auto& [at, hex] : presses) {
            Picker p;
            p.setRgb(9, 9, 9);
            QTest::mousePress(p.window.findChild<QWidget*>("Palette"), Qt::RightButton, {}, at);
            QCOMPARE(p.hex()->text(), hex);
        }
        const std::pair<const char*, const char*> clicks[] = {
            {"RedValue", "10,0,0"}, {"GreenValue", "0,20,0"}, {"BlueValue", "0,0,30"}};
        for (const auto& [swatch, numbers] : clicks) {
            Picker p;
            p.setRgb(10, 20, 30);
            QTest::mouseClick(p.swatch(swatch), Qt::LeftButton);
            QCOMPARE(p.numbers(), numbers);
        }
    }
};

QTEST_MAIN(ColourPickerTest)
#include "tst_colour_picker.moc"
