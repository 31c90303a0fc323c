#include "settings/number.h"
#include "settings/write.h"
#include "support/fixtures.h"

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

std::vector<std::string> texts(const QStringList& list) {
    std::vector<std::string> result;
    for (const QString& text : list) result.push_back(text.toStdString());
    return result;
}

// `count` copies of `fill` with `text` at `index`.
QStringList row(int count, const QString& fill, int index = -1, const QString& text = {}) {
    QStringList list;
    for (int i = 0; i < count; ++i) list << (i == index ? text : fill);
    return list;
}

}  // namespace

class SettingsCoreTest : public QObject {
    Q_OBJECT

private slots:
    void conversions_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("number");
        QTest::addColumn<qint64>("floor");
        QTest::addColumn<qint64>("halfEven");

        QTest::newRow("12.9") << "12.9" << true << qint64(12) << qint64(13);
        QTest::newRow("12.5 to even") << "12.5" << true << qint64(12) << qint64(12);
        QTest::newRow("255.5") << "255.5" << true << qint64(255) << qint64(256);
        QTest::newRow("-0.5") << "-0.5" << true << qint64(-1) << qint64(0);
        QTest::newRow(".5 with blanks") << " \t.5 " << true << qint64(0) << qint64(0);
        // A double would make this an exact half and round it down to 2.
        QTest::newRow("just above a half") << "2.50000000000000000001" << true << qint64(2) << qint64(3);
        QTest::newRow("huge") << "99999999999999999999" << true << qint64(kSaturation)
                              << qint64(kSaturation);
        for (const char* text : {"", "-", ".", "1e2", "1 2", "12a", "--1", "１２"})
            QTest::newRow(text[0] ? text : "empty") << QString::fromUtf8(text) << false << qint64(0)
                                                    << qint64(0);
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

        QVERIFY(writeGroup(back, tablePath, Group::Colours, texts(row(9, "3", 8, "255.9"))));
        for (const Field& field : kColourFields) store(field.offset, field.offset == 10 ? 255 : 3);
        QCOMPARE(readFile(dir.filePath("BACK")), expected);

        QVERIFY(writeGroup(back, tablePath, Group::Positions, texts(row(14, "200.5", 13, "201.5"))));
        for (const Field& field : kPositionFields) store(field.offset, field.offset == 29 ? 202 : 200);
        QCOMPARE(readFile(dir.filePath("BACK")), expected);

        for (bool on : {true, false}) {
            QVERIFY(writeHintFlag(back, tablePath, on));
            store(30, on ? 255 : 0);
            store(31, on ? 255 : 0);
            QCOMPARE(readFile(dir.filePath("BACK")), expected);
        }
    }

    void failuresWriteNothing_data() {
        QTest::addColumn<int>("backLength");   // -1: no settings file
        QTest::addColumn<int>("tableLength");  // -1: no table file
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("named");  // the file the error names
        QTest::addColumn<int>("badIndex");

        const QStringList good = row(14, "1");
        // Rounding happens before the range check.
        QTest::newRow("255.5 rounds to 256") << 32 << 256 << row(14, "1", 13, "255.5") << "BACK" << 13;
        QTest::newRow("-0.6 rounds to -1") << 32 << 256 << row(14, "1", 0, "-0.6") << "BACK" << 0;
        QTest::newRow("no table") << 32 << -1 << good << "ASCII" << -1;
        QTest::newRow("table one byte short") << 32 << 255 << good << "ASCII" << -1;
        QTest::newRow("no settings file") << -1 << 256 << good << "BACK" << -1;
        QTest::newRow("settings file 33 bytes") << 33 << 256 << good << "BACK" << -1;
    }

    // Nothing is written, not even the good fields before a bad one.
    void failuresWriteNothing() {
        QFETCH(int, backLength);
        QFETCH(int, tableLength);
        QFETCH(QStringList, values);
        QFETCH(QString, named);
        QFETCH(int, badIndex);
        QTemporaryDir dir;
        const QString back = dir.filePath("BACK");
        const QByteArray original = randomBytes(qMax(backLength, 0), 5);
        if (backLength >= 0) writeFile(back, original);
        if (tableLength >= 0) writeFile(dir.filePath("ASCII"), reversedTable().left(tableLength));

        const auto written = writeGroup(back.toStdString(), dir.filePath("ASCII").toStdString(),
                                        Group::Positions, texts(values));
        QVERIFY(!written);
        QCOMPARE(QString::fromStdString(written.error().path), dir.filePath(named));
        QCOMPARE(written.error().field ? int(*written.error().field) : -1, badIndex);
        if (backLength >= 0)
            QCOMPARE(readFile(back), original);
        else
            QVERIFY(!QFile::exists(back));  // never created
    }
};

QTEST_GUILESS_MAIN(SettingsCoreTest)
#include "tst_settings_core.moc"
