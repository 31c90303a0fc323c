// A finished skin taken from bytes in memory is accepted or refused exactly as
// the same bytes read from a file.
#include "cli/skin_file.h"
#include "support/fixtures.h"

#include <QTest>

using namespace vireo;

class SkinFileBytes : public QObject {
    Q_OBJECT

private slots:
    void lengthDecidesTheLayout_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("layout");  // -1: refused
        QTest::newRow("generated layout") << 182816 << int(cli::Layout::Skin);
        QTest::newRow("short layout") << 178720 << int(cli::Layout::ShortSkin);
        QTest::newRow("one byte past the short layout") << 178721 << -1;
        QTest::newRow("one byte short of the generated layout") << 182815 << -1;
        QTest::newRow("empty") << 0 << -1;
    }
    void lengthDecidesTheLayout() {
        QFETCH(int, length);
        QFETCH(int, layout);
        QTemporaryDir dir;
        const QByteArray bytes = test::randomBytes(length, 4);
        test::writeFile(dir.filePath("BACKIMG"), bytes);
        const auto fromFile = cli::readSkinFile(dir.filePath("BACKIMG").toStdString());
        const auto fromBytes = cli::skinFileOf(Bytes(bytes.begin(), bytes.end()), "x/BACKIMG");
        QCOMPARE(fromBytes.ok(), layout >= 0);
        QCOMPARE(fromFile.ok(), layout >= 0);
        if (layout < 0) {
            QCOMPARE(fromBytes.error().kind, Error::Kind::WrongLength);
            QCOMPARE(fromBytes.error().path, std::string("x/BACKIMG"));
        } else {
            QCOMPARE(int(fromBytes.value().layout), layout);
            QVERIFY(fromBytes.value().bytes == fromFile.value().bytes);
        }
    }
};

QTEST_MAIN(SkinFileBytes)
#include "tst_skin_file_bytes.moc"
