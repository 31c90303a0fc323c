#include "base/binary_file.h"
#include "support/fixtures.h"

#include <QDir>
#include <QTest>

using namespace vireo;
using test::entries;
using test::readFile;
using test::toBytes;
using test::writeFile;

class TestBinaryFile : public QObject {
    Q_OBJECT

private slots:
    void readBlockTakesExactlyTheBlock_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("whole");
        QTest::newRow("from the start") << 0 << 10 << true;
        QTest::newRow("ending on the last byte") << 90 << 10 << true;
        QTest::newRow("empty block at the end") << 100 << 0 << true;
        QTest::newRow("one byte past the end") << 91 << 10 << false;
        QTest::newRow("starting past the end") << 150 << 1 << false;
    }
    void readBlockTakesExactlyTheBlock() {
        QFETCH(int, offset);
        QFETCH(int, length);
        QFETCH(bool, whole);
        QTemporaryDir dir;
        const QByteArray content = test::randomBytes(100, 7);
        writeFile(dir.filePath("f"), content);

        const auto block = readBlock(dir.filePath("f").toStdString(), offset, length);
        QCOMPARE(block.ok(), whole);
        if (whole)
            QCOMPARE(block.value(), toBytes(content.mid(offset, length)));
        else
            QCOMPARE(block.error().kind, Error::Kind::ShortRead);
    }

    void atomicWriteReplacesALongerFileWhole() {
        QTemporaryDir dir;
        const QString path = dir.filePath("BACKIMG");
        writeFile(path, QByteArray(200000, 'x'));
        const QByteArray fresh = test::randomBytes(1000, 3);

        QVERIFY(writeFileAtomically(path.toStdString(), toBytes(fresh)).ok());
        QCOMPARE(readFile(path), fresh);
        QCOMPARE(entries(dir.path()), QStringList{"BACKIMG"});
    }

    void refusedPatchWritesNothing_data() {
        QTest::addColumn<int>("fileLength");
        QTest::addColumn<int>("lastOffset");
        QTest::addColumn<int>("kind");
        QTest::newRow("file one byte short") << 31 << 0 << int(Error::Kind::WrongLength);
        QTest::newRow("file one byte long") << 33 << 0 << int(Error::Kind::WrongLength);
        QTest::newRow("last patch one past the end") << 32 << 32 << int(Error::Kind::Invalid);
    }
    void refusedPatchWritesNothing() {
        QFETCH(int, fileLength);
        QFETCH(int, lastOffset);
        QFETCH(int, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath("BACK");
        const QByteArray before = test::randomBytes(fileLength, 9);
        writeFile(path, before);

        const auto result =
            patchFile(path.toStdString(), 32, {{0, {0xAA}}, {std::uint64_t(lastOffset), {0xBB}}});
        QCOMPARE(int(result.error().kind), kind);
        QCOMPARE(readFile(path), before);
    }
};

QTEST_GUILESS_MAIN(TestBinaryFile)
#include "tst_binary_file.moc"
