#include "images/bmp.h"
#include "support/fixtures.h"

#include <QTest>

#include <climits>

using namespace vireo;

class BmpHeaderTest : public QObject {
    Q_OBJECT

private slots:
    // Every field of a made header, written out by hand: a top-down picture
    // that is not square, so width, height and their signs cannot be mixed up.
    void madeHeaderHoldsEveryField() {
        QCOMPARE(test::fromBytes(images::makeBmpHeader(240, -160)).toHex(),
                 QByteArray("424d" "369a0000" "00000000" "36040000" "28000000" "f0000000" "60ffffff"
                            "0100" "0800" "00000000" "00960000" "130b0000" "130b0000" "00010000" "00000000"));
        // Found by fuzzing: a top-down height of INT_MIN was negated as an int.
        const auto extreme = images::readBmpHeader(images::makeBmpHeader(1, INT_MIN)).value();
        QCOMPARE(extreme.height, INT_MIN);
        QCOMPARE(extreme.fileSize, 1078u + 0x80000000u);
    }

    void shortOrForeignHeaderIsRefused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("kind");
        const QByteArray header = test::fromBytes(images::makeBmpHeader(64, 64));
        QTest::newRow("53 bytes") << header.left(53) << int(Error::Kind::ShortRead);
        QTest::newRow("no BM") << QByteArray("BN") + header.mid(2) << int(Error::Kind::Invalid);
        QTest::newRow("12-byte OS/2 core header") << header.left(14) + '\x0c' + header.mid(15)
                                                  << int(Error::Kind::Invalid);
    }
    void shortOrForeignHeaderIsRefused() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, kind);
        const auto info = images::readBmpHeader(Bytes(bytes.begin(), bytes.end()), "x/a.bmp");
        QVERIFY(!info.ok());
        QCOMPARE(int(info.error().kind), kind);
        QCOMPARE(info.error().path, std::string("x/a.bmp"));
    }
};

QTEST_MAIN(BmpHeaderTest)
#include "tst_bmp_header.moc"
