#include "core/settings/number.h"
#include "core/settings/record.h"
#include "core/settings/write.h"
#include "support/fixtures.h"
#include "support/window_fixture.h"

#include <QCheckBox>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vireo;
using namespace vireo::settings;
using vireo::test::randomBytes;
using vireo::test::readFile;
using vireo::test::writeFile;

namespace {

// Entry v is 255 - v, so a write that skips the table stores a wrong byte.
QByteArray reversedTable() {
    QByteArray bytes(256, '\0');
    for (int i = 0; i < 256; ++i) bytes[i] = char(255 - i);
    return bytes;
}

// `count` copies of `fill` with `text` at `index`.
std::vector<std::string> values(int count, const char* fill, int index = -1,
                                const char* text = "") {
    std::vector<std::string> list(count, fill);
    if (index >= 0) list[index] = text;
    return list;
}

const QString kWrongBack = QStringLiteral("错误的BACK文件");

struct Rig : test::WindowFixture {
    QCheckBox* check() const { return window->findChild<QCheckBox*>("Check1"); }
    void import(const QString& path) {
        dialogs.choose(path);
        button("Command11")->click();
    }
    // The 23 boxes in record order.
    QStringList texts() const {
        QStringList list;
        for (const char* name :
             {"Text1", "Text2",  "Text3", "Text4", "Text5", "Text6", "Text7", "Text8",
              "Text9", "xdy1",   "ydy1",  "xyy1",  "yyy1",  "xtp1",  "ytp1",  "xyx1",
              "yyx1",  "xdzs11", "ydzs1", "xxx1",  "yxx1",  "xwj1",  "ywj1"})
            list << box(name)->text();
        return list;
    }
};

// What the boxes show for a record: bytes 0-2, 4-6, 8-10, 16-29.
QStringList textsOf(const QByteArray& record) {
    QStringList list;
    for (int offset :
         {0, 1, 2, 4, 5, 6, 8, 9, 10, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29})
        list << QString::number(quint8(record[offset]));
    return list;
}

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private slots:
    void conversions_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("number");
        QTest::addColumn<qint64>("floor");
        QTest::addColumn<qint64>("halfEven");

        QTest::newRow("-0.5") << "-0.5" << true << qint64(-1) << qint64(0);
        QTest::newRow(".5 with blanks") << " \t.5 " << true << qint64(0) << qint64(0);
        // A double would make this an exact half and round it down to 2.
        QTest::newRow("just above a half")
            << "2.50000000000000000001" << true << qint64(2) << qint64(3);
        QTest::newRow("huge") << "99999999999999999999" << true << qint64(kSaturation)
                              << qint64(kSaturation);
        for (const char* text : {"", "-", ".", "1e2", "1 2", "12a", "--1", "１２"})
            QTest::newRow(text[0] ? text : "empty")
                << QString::fromUtf8(text) << false << qint64(0) << qint64(0);
    }

    void conversions() {
        QFETCH(QString, text);
        QFETCH(bool, number);
        QFETCH(qint64, floor);
        QFETCH(qint64, halfEven);
        const auto parsed = parseDecimal(text.toStdString());
        QCOMPARE(bool(parsed), number);
        if (!parsed) return;
        QCOMPARE(qint64(floorOf(*parsed)), floor);
        QCOMPARE(qint64(roundHalfEvenOf(*parsed)), halfEven);
    }

    // What a text would store: positions round half to even, colours floor.
    void storedValues_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("stored");  // -1: nothing
        QTest::newRow("position 12.5") << 16 << "12.5" << 12;
        QTest::newRow("position 13.5") << 16 << "13.5" << 14;
        QTest::newRow("position 254.7") << 29 << "254.7" << 255;
        QTest::newRow("position 255.5") << 29 << "255.5" << -1;
        QTest::newRow("colour 12.9") << 0 << "12.9" << 12;
        QTest::newRow("colour 255.9") << 10 << "255.9" << 255;
        QTest::newRow("spare byte") << 3 << "1" << -1;
    }
    void storedValues() {
        QFETCH(int, offset);
        QFETCH(QString, text);
        QFETCH(int, stored);
        const auto value = storedValueOf(std::uint8_t(offset), text.toStdString());
        QCOMPARE(value ? int(*value) : -1, stored);
    }

    // A sequence of writes against a reference that sets single bytes.
    void writesChangeOnlyTheirGroup() {
        QTemporaryDir dir;
        const std::string back = dir.filePath("BACK").toStdString();
        const std::string tablePath = dir.filePath("ASCII").toStdString();
        const QByteArray tableBytes = reversedTable();
        QByteArray expected = randomBytes(32, 7);
        writeFile(dir.filePath("BACK"), expected);
        writeFile(dir.filePath("ASCII"), tableBytes);
        const auto store = [&](int offset, int value) { expected[offset] = tableBytes[value]; };

        QVERIFY(writeGroup(back, tablePath, Group::Colours, values(9, "3", 8, "255.9")));
        for (const Field& field : kColourFields) store(field.offset, field.offset == 10 ? 255 : 3);
        QCOMPARE(readFile(dir.filePath("BACK")), expected);

        QVERIFY(writeGroup(back, tablePath, Group::Positions, values(14, "200.5", 13, "201.5")));
        for (const Field& field : kPositionFields)
            store(field.offset, field.offset == 29 ? 202 : 200);
        QCOMPARE(readFile(dir.filePath("BACK")), expected);

        for (bool on : {true, false}) {
            QVERIFY(writeHintFlag(back, tablePath, on));
            store(30, on ? 255 : 0);
            store(31, on ? 255 : 0);
            QCOMPARE(readFile(dir.filePath("BACK")), expected);
        }
    }

    void failuresWriteNothing_data() {
        QTest::addColumn<int>("backLength");  // -1: no settings file
        QTest::addColumn<int>("tableLength");
        QTest::addColumn<QString>("named");  // the file the error names
        QTest::addColumn<int>("badIndex");
        QTest::addColumn<QString>("badText");
        // Rounding happens before the range check.
        QTest::newRow("255.5 rounds to 256") << 32 << 256 << "BACK" << 13 << "255.5";
        QTest::newRow("-0.6 rounds to -1") << 32 << 256 << "BACK" << 0 << "-0.6";
        QTest::newRow("table one byte short") << 32 << 255 << "ASCII" << -1 << QString();
        QTest::newRow("no settings file") << -1 << 256 << "BACK" << -1 << QString();
        QTest::newRow("settings file 33 bytes") << 33 << 256 << "BACK" << -1 << QString();
    }

    // Nothing is written, not even the good fields before a bad one.
    void failuresWriteNothing() {
        QFETCH(int, backLength);
        QFETCH(int, tableLength);
        QFETCH(QString, named);
        QFETCH(int, badIndex);
        QFETCH(QString, badText);
        QTemporaryDir dir;
        const QString back = dir.filePath("BACK");
        const QByteArray original = randomBytes(qMax(backLength, 0), 5);
        if (backLength >= 0) writeFile(back, original);
        writeFile(dir.filePath("ASCII"), reversedTable().left(tableLength));

        const auto written =
            writeGroup(back.toStdString(), dir.filePath("ASCII").toStdString(), Group::Positions,
                       values(14, "1", badIndex, qPrintable(badText)));
        QVERIFY(!written);
        QCOMPARE(QString::fromStdString(written.error().path), dir.filePath(named));
        QCOMPARE(written.error().field ? int(*written.error().field) : -1, badIndex);
        if (backLength >= 0)
            QCOMPARE(readFile(back), original);
        else
            QVERIFY(!QFile::exists(back));  // never created
    }

    // Only a 32-byte BACK in the picture folder fills the panel; the one in
    // the current directory is never read.
    void verificationFillsThePanelAndToggles() {
        Rig rig;
        QFile::remove(rig.back());
        writeFile(rig.current.filePath("BACK"), randomBytes(32, 4));
        const QStringList defaults = rig.texts();
        rig.openSources();
        writeFile(rig.back(), randomBytes(33, 4));
        rig.openSources();
        QCOMPARE(rig.dialogs.messages, QStringList(2, kWrongBack));
        QCOMPARE(rig.texts(), defaults);
        QVERIFY(!rig.expanded());

        QByteArray record = randomBytes(32, 21);
        record[30] = 1;  // anything but 0 is on; 31 is never read
        record[31] = 0;
        writeFile(rig.back(), record);
        rig.openSources();
        QCOMPARE(rig.texts(), textsOf(record));
        QVERIFY(rig.check()->isChecked() && rig.expanded());

        record[30] = 0;
        record[31] = char(255);
        writeFile(rig.back(), record);
        rig.openSources();  // refills, then hides the panel
        QVERIFY(!rig.check()->isChecked() && !rig.expanded());
    }

    void importSwitchesTheTarget() {
        Rig rig;
        rig.openSources();
        QTemporaryDir elsewhere;
        const QString other = elsewhere.filePath("any name");
        writeFile(other, randomBytes(32, 33));
        rig.import(other);
        QCOMPARE(rig.dialogs.filters.last(), QStringLiteral("BACK(*.*) (*)"));
        QCOMPARE(rig.texts(), textsOf(readFile(other)));

        // A cancelled import keeps the edits and the target.
        rig.box("xwj1")->setText("201");
        rig.dialogs.cancel();
        rig.button("Command11")->click();
        rig.button("Command9")->click();
        QCOMPARE(quint8(readFile(other)[28]), 201);

        // Refused for its size: the panel stays and the verified folder's BACK is
        // the target again, even after a refused pick of another file elsewhere.
        rig.open(elsewhere.filePath("other.bmp"));
        const QByteArray elsewhereBack = randomBytes(32, 4);
        writeFile(elsewhere.filePath("BACK"), elsewhereBack);
        writeFile(elsewhere.filePath("short"), randomBytes(31, 3));
        const QStringList before = rig.texts();
        rig.import(elsewhere.filePath("short"));
        QCOMPARE(rig.dialogs.messages.last(), kWrongBack);
        QCOMPARE(rig.texts(), before);
        rig.button("Command9")->click();
        QCOMPARE(readFile(elsewhere.filePath("BACK")), elsewhereBack);
        QCOMPARE(readFile(rig.back()).mid(16, 14), readFile(other).mid(16, 14));
    }

    // A bad field is named and focused, for its form or its range.
    void badFieldIsNamedAndFocused() {
        Rig rig;
        rig.openSources();
        const QByteArray before = readFile(rig.back());
        rig.box("ywj1")->setText("abc");
        rig.button("Command9")->click();
        rig.box("Text8")->setText("256.5");
        rig.button("Command8")->click();
        QCOMPARE(rig.window->focusWidget(), rig.box("Text8"));
        QFile::remove(rig.current.filePath("ASCII"));
        rig.button("Command10")->click();
        QCOMPARE(rig.dialogs.messages.mid(0, 2),
                 QStringList({"文件列表 Y 轴数据不是数字，请输入0到255之间的整数",
                              "电子书文字颜色 G 分量数据超出范围，请输入0到255之间的整数"}));
        QVERIFY(
            rig.dialogs.messages.last().startsWith(QStringLiteral("ASCII文件找不到或大小不正确")));
        QCOMPARE(readFile(rig.back()), before);
    }

    // Resets write nothing and keep the flag; the defaults reach the file
    // through the write buttons only, the flag as the check box shows it.
    void resetsThenWritesGiveTheDefaults() {
        Rig rig;
        QByteArray record(32, char(77));
        record[30] = 1;
        writeFile(rig.back(), record);
        rig.openSources();
        rig.button("Command6")->click();
        rig.button("Command5")->click();
        QCOMPARE(readFile(rig.back()), record);
        rig.check()->click();  // the flag goes to the file from the check box
        rig.button("Command8")->click();
        rig.button("Command9")->click();
        rig.button("Command10")->click();
        QCOMPARE(rig.dialogs.messages, QStringList(3, "done"));
        QCOMPARE(readFile(rig.back()).toHex(), QByteArray("0000ff4d0000004d0000004d4d4d4d4d"
                                                          "0c1a581aa41a0c565856a4561e1e0000"));
    }
};

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
