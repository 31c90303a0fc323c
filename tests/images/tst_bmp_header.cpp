#include "images/bmp.h"
#include "images/source_set.h"

#include <QTest>

#include <climits>

using namespace vireo;

class BmpHeaderTest : public QObject {
    Q_OBJECT

private slots:
    // Made headers read back with their own dimensions, down to the extremes
    // a header read from a file can carry (found by fuzzing: INT_MIN was
    // negated as an int).
    void madeHeaderReadsBack_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<quint32>("fileSize");
        QTest::newRow("background") << 240 << 160 << quint32(39478);
        QTest::newRow("top-down icon") << 64 << -64 << quint32(5174);
        QTest::newRow("small icon") << 16 << 16 << quint32(1334);
        QTest::newRow("top-down INT_MIN rows") << 1 << INT_MIN << quint32(1078u + 0x80000000u);
        QTest::newRow("INT_MAX rows") << 1 << INT_MAX << quint32(1078u + 0x7FFFFFFFu);
    }
    void madeHeaderReadsBack() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(quint32, fileSize);
        const auto info = images::readBmpHeader(images::makeBmpHeader(width, height));
        QVERIFY(info.ok());
        QCOMPARE(info.value().width, width);
        QCOMPARE(info.value().height, height);
        QCOMPARE(info.value().fileSize, fileSize);
        QCOMPARE(info.value().pixelOffset, images::kPixelOffset);
    }

    void shortOrForeignHeaderIsRefused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("kind");
        const Bytes good = images::makeBmpHeader(64, 64);
        const QByteArray header(reinterpret_cast<const char*>(good.data()), int(good.size()));
        QTest::newRow("53 bytes") << header.left(53) << int(Error::Kind::ShortRead);
        QTest::newRow("no BM") << QByteArray("BN") + header.mid(2) << int(Error::Kind::Invalid);
        QByteArray core = header;
        core[14] = 12;  // a 12-byte OS/2 core header
        QTest::newRow("core header") << core << int(Error::Kind::Invalid);
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
