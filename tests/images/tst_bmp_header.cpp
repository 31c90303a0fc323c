#include "images/bmp.h"

#include <QTest>

#include <climits>

using namespace vireo;

class BmpHeaderTest : public QObject {
    Q_OBJECT

private slots:
    // Every field of a made header, written out by hand: a top-down picture
    // that is not square, so width, height and their signs cannot be mixed up.
    void madeHeaderHoldsEveryField() {
        const Bytes made = images::makeBmpHeader(240, -160);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(made.data()), int(made.size())).toHex(),
                 QByteArray("424d" "369a0000" "00000000" "36040000" "28000000" "f0000000" "60ffffff"
                            "0100" "0800" "00000000" "00960000" "130b0000" "130b0000" "00010000" "00000000"));
        // Found by fuzzing: a top-down height of INT_MIN was negated as an int.
        const auto extreme = images::scanBmp(images::makeBmpHeader(1, INT_MIN));
        QVERIFY(extreme.topDown);
        QCOMPARE(extreme.height, -std::int64_t(INT_MIN));
        QCOMPARE(extreme.fileSizeField, 1078u + 0x80000000u);
    }

    void shortOrForeignHeaderIsRefused_data() {
        QTest::addColumn<QByteArray>("bytes");
        const Bytes good = images::makeBmpHeader(64, 64);
        const QByteArray header(reinterpret_cast<const char*>(good.data()), int(good.size()));
        QTest::newRow("53 bytes") << header.left(53);
        QTest::newRow("no BM") << QByteArray("BN") + header.mid(2);
        QTest::newRow("12-byte OS/2 core header") << header.left(14) + '\x0c' + header.mid(15);
    }
    void shortOrForeignHeaderIsRefused() {
        QFETCH(QByteArray, bytes);
        const auto scan = images::scanBmp(Bytes(bytes.begin(), bytes.end()));
        QVERIFY(!(scan.headerRead && scan.headerSize == images::kBmpInfoHeaderLength));
    }
};

QTEST_MAIN(BmpHeaderTest)
#include "tst_bmp_header.moc"
