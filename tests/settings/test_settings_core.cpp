#include "settings/byte_table.h"
#include "settings/number.h"
#include "settings/record.h"
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

QByteArray identityTable() {
    QByteArray table(256, '\0');
    for (int i = 0; i < 256; ++i) table[i] = char(i);
    return table;
}

// Every entry differs from its index, so a stored value shows whether the table was used.
QByteArray reversedTable() {
    QByteArray table(256, '\0');
    for (int i = 0; i < 256; ++i) table[i] = char(255 - i);
    return table;
}

std::vector<std::string> texts(const QStringList& list) {
    std::vector<std::string> result;
    for (const QString& text : list) result.push_back(text.toStdString());
    return result;
}

QStringList repeat(const QString& text, int count) {
    QStringList list;
    for (int i = 0; i < count; ++i) list << text;
    return list;
}

QStringList with(QStringList list, int index, const QString& text) {
    list[index] = text;
    return list;
}

}  // namespace

class SettingsCoreTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString back_;
    QString table_;

    void prepare(const QByteArray& record, const QByteArray& table) {
        back_ = dir_.filePath(QStringLiteral("BACK"));
        table_ = dir_.filePath(QStringLiteral("ASCII"));
        writeFile(back_, record);
        writeFile(table_, table);
    }

private slots:
    void conversions_data();
    void conversions();
    void notNumbers_data();
    void notNumbers();
    void fieldsMatchTheirOffsets();
    void writesChangeOnlyTheirGroup_data();
    void writesChangeOnlyTheirGroup();
    void readRecordRefusesOtherLengths_data();
    void readRecordRefusesOtherLengths();
    void badFieldWritesNothing_data();
    void badFieldWritesNothing();
    void unusableFilesWriteNothing_data();
    void unusableFilesWriteNothing();
    void longerTableUsesItsFirst256Bytes();
};

void SettingsCoreTest::conversions_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("floor");
    QTest::addColumn<qint64>("halfEven");
    QTest::addColumn<double>("asDouble");

    QTest::newRow("whole") << "12" << qint64(12) << qint64(12) << 12.0;
    QTest::newRow("fraction rounds apart") << "12.9" << qint64(12) << qint64(13) << 12.9;
    QTest::newRow("half to even, down") << "12.5" << qint64(12) << qint64(12) << 12.5;
    QTest::newRow("half to even, up") << "13.5" << qint64(13) << qint64(14) << 13.5;
    QTest::newRow("255.5") << "255.5" << qint64(255) << qint64(256) << 255.5;
    QTest::newRow("negative half") << "-0.5" << qint64(-1) << qint64(0) << -0.5;
    QTest::newRow("negative 1.5") << "-1.5" << qint64(-2) << qint64(-2) << -1.5;
    QTest::newRow("no whole part") << ".5" << qint64(0) << qint64(0) << 0.5;
    QTest::newRow("no fraction digits") << "12." << qint64(12) << qint64(12) << 12.0;
    QTest::newRow("plus sign") << "+7" << qint64(7) << qint64(7) << 7.0;
    QTest::newRow("surrounding blanks") << " \t 200  " << qint64(200) << qint64(200) << 200.0;
    QTest::newRow("leading zeros") << "007.50" << qint64(7) << qint64(8) << 7.5;
    // A double would make this an exact half and round it to 2.
    QTest::newRow("just above a half") << "2.50000000000000000001" << qint64(2) << qint64(3) << 2.5;
    QTest::newRow("negative zero") << "-0" << qint64(0) << qint64(0) << 0.0;
    QTest::newRow("huge saturates") << "99999999999999999999.9" << qint64(kSaturation) << qint64(kSaturation)
                                    << 1e20;
}

void SettingsCoreTest::conversions() {
    QFETCH(QString, text);
    QFETCH(qint64, floor);
    QFETCH(qint64, halfEven);
    QFETCH(double, asDouble);
    const auto number = parseDecimal(text.toStdString());
    QVERIFY(number);
    QCOMPARE(qint64(floorOf(*number)), floor);
    QCOMPARE(qint64(roundHalfEvenOf(*number)), halfEven);
    QCOMPARE(toDouble(*number), asDouble);
}

void SettingsCoreTest::notNumbers_data() {
    QTest::addColumn<QString>("text");
    for (const char* text : {"", "   ", "-", "+", ".", "-.", "1e2", "1 2", "0x10", "12a", "a12",
                             "1,5", "--1", "+-1", "1.2.3", "∞"})
        QTest::newRow(text[0] ? text : "empty") << QString::fromUtf8(text);
    QTest::newRow("full-width digits") << QStringLiteral("１２");
}

void SettingsCoreTest::notNumbers() {
    QFETCH(QString, text);
    QVERIFY(!parseDecimal(text.toStdString()));
    QVERIFY(!parseNumber(text.toStdString()));
}

void SettingsCoreTest::fieldsMatchTheirOffsets() {
    // Colours skip 3 and 7, positions are 16 to 29 in row order.
    const int colourOffsets[] = {0, 1, 2, 4, 5, 6, 8, 9, 10};
    for (std::size_t i = 0; i < kColourFieldCount; ++i)
        QCOMPARE(int(kColourFields[i].offset), colourOffsets[i]);
    for (std::size_t i = 0; i < kPositionFieldCount; ++i)
        QCOMPARE(int(kPositionFields[i].offset), int(16 + i));
}

void SettingsCoreTest::writesChangeOnlyTheirGroup_data() {
    QTest::addColumn<QByteArray>("table");
    QTest::newRow("identity table") << identityTable();
    QTest::newRow("reversed table") << reversedTable();
}

// Several writes in a row, against a reference that sets single bytes.
void SettingsCoreTest::writesChangeOnlyTheirGroup() {
    QFETCH(QByteArray, table);
    const QByteArray original = randomBytes(32, 7);
    prepare(original, table);
    QByteArray expected = original;
    const auto store = [&](int offset, int value) { expected[offset] = table[value]; };

    const QStringList colours = {"1", "2", "255.5", "4", "5", "6", "7", "8", "0"};
    QVERIFY(!writeGroup(back_.toStdString(), table_.toStdString(), Group::Colours, texts(colours)));
    const int colourValues[] = {1, 2, 255, 4, 5, 6, 7, 8, 0};
    for (std::size_t i = 0; i < kColourFieldCount; ++i) store(kColourFields[i].offset, colourValues[i]);
    QCOMPARE(readFile(back_), expected);

    QStringList positions;
    for (int i = 0; i < 14; ++i) positions << QString::number(200 + i) + QStringLiteral(".5");
    QVERIFY(!writeGroup(back_.toStdString(), table_.toStdString(), Group::Positions, texts(positions)));
    for (int i = 0; i < 14; ++i) store(16 + i, (200 + i) % 2 == 0 ? 200 + i : 201 + i);
    QCOMPARE(readFile(back_), expected);

    QVERIFY(!writeHintFlag(back_.toStdString(), table_.toStdString(), true));
    store(30, 255);
    store(31, 255);
    QCOMPARE(readFile(back_), expected);
    QVERIFY(!writeHintFlag(back_.toStdString(), table_.toStdString(), false));
    store(30, 0);
    store(31, 0);
    QCOMPARE(readFile(back_), expected);

    // The spare bytes never moved.
    for (int offset : {3, 7, 11, 12, 13, 14, 15}) QCOMPARE(readFile(back_)[offset], original[offset]);
}

void SettingsCoreTest::readRecordRefusesOtherLengths_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("31") << 31 << false;
    QTest::newRow("32") << 32 << true;
    QTest::newRow("33") << 33 << false;
    QTest::newRow("0") << 0 << false;
}

void SettingsCoreTest::readRecordRefusesOtherLengths() {
    QFETCH(int, length);
    QFETCH(bool, accepted);
    const QByteArray bytes = randomBytes(length, 3);
    const QString path = dir_.filePath(QStringLiteral("record"));
    writeFile(path, bytes);
    const auto record = readRecord(path.toStdString());
    QCOMPARE(record.ok(), accepted);
    if (accepted) {
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(record.value().data()), 32), bytes);
        QCOMPARE(hintFlagOn(record.value()), bytes[30] != 0);
    } else {
        QCOMPARE(record.error().kind, Error::Kind::WrongLength);
    }
    QCOMPARE(readRecord(dir_.filePath(QStringLiteral("none")).toStdString()).error().kind,
             Error::Kind::NotFound);
}

void SettingsCoreTest::badFieldWritesNothing_data() {
    QTest::addColumn<int>("group");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("kind");

    const int colours = int(Group::Colours);
    const int positions = int(Group::Positions);
    const int nan = int(FieldProblem::Kind::NotANumber);
    const int range = int(FieldProblem::Kind::OutOfRange);
    const QStringList c = repeat("9", 9);
    const QStringList p = repeat("100", 14);
    QTest::newRow("colour: last box above 255") << colours << with(c, 8, "256") << 8 << range;
    QTest::newRow("colour: -0.5 floors to -1") << colours << with(c, 4, "-0.5") << 4 << range;
    QTest::newRow("colour: first box empty") << colours << with(c, 0, "") << 0 << nan;
    QTest::newRow("position: 255.5 rounds to 256") << positions << with(p, 13, "255.5") << 13 << range;
    QTest::newRow("position: words in the middle") << positions << with(p, 6, "abc") << 6 << nan;
    QTest::newRow("position: -0.6 rounds to -1") << positions << with(p, 0, "-0.6") << 0 << range;
}

void SettingsCoreTest::badFieldWritesNothing() {
    QFETCH(int, group);
    QFETCH(QStringList, values);
    QFETCH(int, index);
    QFETCH(int, kind);
    const QByteArray original = randomBytes(32, 11);
    prepare(original, identityTable());

    const auto failure =
        writeGroup(back_.toStdString(), table_.toStdString(), Group(group), texts(values));
    QVERIFY(failure);
    QCOMPARE(failure->cause, WriteFailure::Cause::Field);
    QVERIFY(failure->field);
    QCOMPARE(int(failure->field->index), index);
    QCOMPARE(int(failure->field->kind), kind);
    QVERIFY(failure->error.detail.find(fieldsOf(Group(group))[index].name) != std::string::npos);
    QCOMPARE(readFile(back_), original);
}

void SettingsCoreTest::unusableFilesWriteNothing_data() {
    QTest::addColumn<int>("backLength");  // -1: no settings file
    QTest::addColumn<int>("tableLength");  // -1: no table file
    QTest::addColumn<int>("cause");
    QTest::addColumn<int>("kind");

    const int table = int(WriteFailure::Cause::ByteTable);
    const int settingsFile = int(WriteFailure::Cause::SettingsFile);
    QTest::newRow("no table") << 32 << -1 << table << int(Error::Kind::NotFound);
    QTest::newRow("table one byte short") << 32 << 255 << table << int(Error::Kind::ShortRead);
    QTest::newRow("no settings file") << -1 << 256 << settingsFile << int(Error::Kind::NotFound);
    QTest::newRow("settings file 31 bytes") << 31 << 256 << settingsFile << int(Error::Kind::WrongLength);
    QTest::newRow("settings file 33 bytes") << 33 << 256 << settingsFile << int(Error::Kind::WrongLength);
}

void SettingsCoreTest::unusableFilesWriteNothing() {
    QFETCH(int, backLength);
    QFETCH(int, tableLength);
    QFETCH(int, cause);
    QFETCH(int, kind);
    QTemporaryDir dir;
    const QString back = dir.filePath(QStringLiteral("BACK"));
    const QString tablePath = dir.filePath(QStringLiteral("ASCII"));
    const QByteArray original = randomBytes(qMax(backLength, 0), 5);
    if (backLength >= 0) writeFile(back, original);
    if (tableLength >= 0) writeFile(tablePath, identityTable().left(tableLength));

    const auto checkFailure = [&](const std::optional<WriteFailure>& failure) {
        QVERIFY(failure);
        QCOMPARE(int(failure->cause), cause);
        QCOMPARE(int(failure->error.kind), kind);
        QCOMPARE(QString::fromStdString(failure->error.path),
                 cause == int(WriteFailure::Cause::ByteTable) ? tablePath : back);
    };
    checkFailure(writeGroup(back.toStdString(), tablePath.toStdString(), Group::Positions,
                            texts(repeat("1", 14))));
    checkFailure(writeHintFlag(back.toStdString(), tablePath.toStdString(), true));

    if (backLength >= 0)
        QCOMPARE(readFile(back), original);
    else
        QVERIFY(!QFile::exists(back));  // never created
}

void SettingsCoreTest::longerTableUsesItsFirst256Bytes() {
    prepare(QByteArray(32, '\0'), reversedTable() + QByteArray(10, '\x01'));
    QVERIFY(!writeHintFlag(back_.toStdString(), table_.toStdString(), true));
    QCOMPARE(readFile(back_).mid(30), QByteArray(2, '\0'));  // entry 255 of the reversed table
}

QTEST_GUILESS_MAIN(SettingsCoreTest)
#include "test_settings_core.moc"
