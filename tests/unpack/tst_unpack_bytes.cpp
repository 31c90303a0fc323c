// The unpacker's entry points over bytes in memory agree with the ones over
// files and refuse what would make them read past a buffer.
#include "support/fixtures.h"
#include "unpack/inspection.h"
#include "unpack/restoration.h"

#include <QTest>

using namespace vireo;

namespace {

Bytes toBytes(const QByteArray& bytes) {
    return Bytes(bytes.begin(), bytes.end());
}

std::array<Bytes, 3> templates() {
    return {toBytes(test::randomBytes(54, 1)), toBytes(test::randomBytes(60, 2)),
            toBytes(test::randomBytes(54, 3))};
}

}  // namespace

class UnpackBytes : public QObject {
    Q_OBJECT

private slots:
    void restoredFilesMatchTheWrittenOnes() {
        QTemporaryDir dir;
        const QByteArray skin = test::randomBytes(178720, 5);
        test::writeFile(dir.filePath("BACKIMG"), skin);
        const auto heads = templates();
        for (std::size_t i = 0; i < 3; ++i)
            test::writeFile(dir.filePath(unpack::kTemplateNames[i]),
                            QByteArray(reinterpret_cast<const char*>(heads[i].data()), int(heads[i].size())));
        const std::string folder = dir.path().toStdString();
        QVERIFY(unpack::restoreBmps(dir.filePath("BACKIMG").toStdString(), folder, folder).ok());

        const auto files = unpack::restoredFiles(toBytes(skin), heads);
        QVERIFY(files.ok());
        QCOMPARE(files.value().size(), unpack::kRestoreSet.size());
        for (std::size_t i = 0; i < files.value().size(); ++i) {
            const QByteArray written = test::readFile(dir.filePath(unpack::kRestoreSet[i].fileName));
            QVERIFY2(toBytes(written) == files.value()[i], unpack::kRestoreSet[i].fileName);
        }
    }

    void refusesWhatWouldBeReadPastItsEnd_data() {
        QTest::addColumn<int>("skinLength");
        QTest::addColumn<int>("shortTemplate");  // -1: none
        QTest::addColumn<QString>("named");
        QTest::newRow("skin one byte short") << 178719 << -1 << "BACKIMG";
        QTest::newRow("skin one byte long") << 178721 << -1 << "BACKIMG";
        QTest::newRow("long layout") << 182816 << -1 << "BACKIMG";
        QTest::newRow("empty skin") << 0 << -1 << "BACKIMG";
        QTest::newRow("64×64 template of 53 bytes") << 178720 << 1 << "BMPHEAD64";
        QTest::newRow("16×16 template empty") << 178720 << 0 << "BMPHEAD16";
    }
    void refusesWhatWouldBeReadPastItsEnd() {
        QFETCH(int, skinLength);
        QFETCH(int, shortTemplate);
        QFETCH(QString, named);
        auto heads = templates();
        if (shortTemplate >= 0) heads[std::size_t(shortTemplate)].resize(shortTemplate == 0 ? 0 : 53);
        const auto files = unpack::restoredFiles(Bytes(std::size_t(skinLength), 0x11), heads);
        QVERIFY(!files.ok());
        QCOMPARE(QString::fromStdString(files.error().path), named);
    }

    void inspectionOverBytesReadsTheRecord_data() {
        QTest::addColumn<int>("length");
        QTest::newRow("short skin") << 178720;
        QTest::newRow("one byte short") << 178719;
        QTest::newRow("long layout") << 182816;
    }
    void inspectionOverBytesReadsTheRecord() {
        QFETCH(int, length);
        QTemporaryDir dir;
        const QByteArray skin = test::randomBytes(length, 9);
        test::writeFile(dir.filePath("BACKIMG"), skin);
        const auto fromFile = unpack::inspectSkin(dir.filePath("BACKIMG").toStdString());
        const auto fromBytes = unpack::inspectSkin(toBytes(skin), "x/BACKIMG");
        QCOMPARE(fromBytes.ok(), fromFile.ok());
        if (!fromBytes.ok()) {
            QCOMPARE(fromBytes.error().kind, Error::Kind::WrongLength);
            QCOMPARE(fromBytes.error().path, std::string("x/BACKIMG"));
            return;
        }
        QCOMPARE(unpack::infoTexts(fromBytes.value(), "p"), unpack::infoTexts(fromFile.value(), "p"));
    }
};

QTEST_MAIN(UnpackBytes)
#include "tst_unpack_bytes.moc"
