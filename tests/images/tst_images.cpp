#include "core/images/bmp.h"
#include "core/images/verification.h"
#include "core/messages/verification_text.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <climits>

using vireo::images::Verification;
using vireo::images::verifySourceSet;
using Outcome = Verification::Outcome;

Q_DECLARE_METATYPE(Outcome)

namespace {

// Applies "name:change" edits to a complete source folder: "gone" removes the
// file, "dir" puts a folder in its place, a number sets its length; "current:N"
// puts an N-byte BACK in the current directory.
void edit(const vireo::test::SourceFolder& sources, const QString& current,
          const QStringList& edits) {
    for (const QString& e : edits) {
        const QString path = sources.path(e.section(':', 0, 0)), change = e.section(':', 1);
        if (e.startsWith("current:")) {
            vireo::test::writeFile(current + "/BACK", QByteArray(change.toInt(), 'b'));
            continue;
        }
        if (change == "gone" || change == "dir") QVERIFY(QFile::remove(path));
        if (change == "dir") QVERIFY(QDir().mkdir(path));
        if (change[0].isDigit()) QVERIFY(QFile(path).resize(change.toInt()));
    }
}

// A small BMP: a made header changed to `bits` and `compression`, a table of
// `colours` entries (entry i red i, green 2i, blue 3i), then `pixels` as stored,
// starting at `pixelOffset` when given.
QByteArray smallBmp(int width, int height, int bits, int compression, int colours,
                    const QByteArray& pixels, int pixelOffset = -1) {
    QByteArray b = vireo::test::fromBytes(vireo::images::makeBmpHeader(width, height));
    const auto put32 = [&](int at, int v) {
        for (int i = 0; i < 4; ++i) b[at + i] = char(v >> (8 * i));
    };
    b[28] = char(bits);
    put32(30, compression);
    put32(46, colours);
    for (int i = 0; i < colours; ++i) {
        const char entry[] = {char(3 * i), char(2 * i), char(i), 0};
        b.append(entry, 4);
    }
    put32(10, pixelOffset >= 0 ? pixelOffset : int(b.size()));
    b += pixels;
    put32(2, int(b.size()));
    return b;
}

}  // namespace

class TestImages : public QObject {
    Q_OBJECT

private slots:
    // Decoded by hand: rows stored bottom-up, each padded to four bytes; RLE4
    // takes the high nibble first. A table that runs into the pixels is refused.
    void smallPicturesDecode_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("indices");  // top row first, hex; empty: refused
        QTest::newRow("8 bits, 3 wide")
            << smallBmp(3, 2, 8, 0, 256, QByteArray::fromHex("04050600010203ff"))
            << QByteArray("010203040506");
        QTest::newRow("4 bits, 3 wide")
            << smallBmp(3, 2, 4, 0, 16, QByteArray::fromHex("45600000123000ff"))
            << QByteArray("010203040506");
        QTest::newRow("RLE4 run and literal")
            << smallBmp(7, 1, 4, 2, 16, QByteArray::fromHex("0412000356700001"))
            << QByteArray("01020102050607");
        QTest::newRow("table running into the pixels")
            << smallBmp(3, 2, 8, 0, 256, QByteArray(8, '\1'), 54 + 100) << QByteArray();
    }
    void smallPicturesDecode() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, indices);
        const auto scan = vireo::images::scanBmp(vireo::test::toBytes(file));
        QCOMPARE(bool(scan.picture), !indices.isEmpty());
        if (!scan.picture) return;
        QCOMPARE(vireo::test::fromBytes(scan.picture->indices).toHex(), indices);
        QVERIFY((scan.picture->palette[5] == vireo::images::Colour{5, 10, 15}));
    }

    void reportsEveryFailingFileInTableOrder_data() {
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QString>("report");
        QTest::addColumn<Outcome>("outcome");

        QTest::newRow("complete") << QStringList() << "校验全部通过，可以开始文件生成"
                                  << Outcome::Passed;
        // Only when the folder has none, a BACK in the current directory stands in.
        QTest::newRow("BACK from the current directory")
            << QStringList{"BACK:gone", "current:32"} << "校验全部通过，可以开始文件生成"
            << Outcome::Passed;
        QTest::newRow("short BACK from the current directory")
            << QStringList{"BACK:gone", "current:31"} << "BACK文件 校验未通过，无法生成文件"
            << Outcome::WrongLength;
        QTest::newRow("two pictures missing")
            << QStringList{"ft256.bmp:gone", "tree_main256.bmp:gone"}
            << "目录树背景 文件夹图标  文件未找到，无法生成文件" << Outcome::Missing;
        QTest::newRow("only BACK missing")
            << QStringList{"BACK:gone"} << "BACK 文件未找到，无法生成文件" << Outcome::Missing;
        QTest::newRow("options icon missing")
            << QStringList{"help256.bmp:gone"} << "选项图标  文件未找到，无法生成文件"
            << Outcome::Missing;
        QTest::newRow("options icon one byte long")
            << QStringList{"help256.bmp:5175"} << "帮助图标  校验未通过，无法生成文件"
            << Outcome::WrongLength;
        QTest::newRow("every kind of length wrong")
            << QStringList{"music_main256.bmp:39477", "fu256.bmp:1335", "main256.bmp:0", "BACK:33"}
            << "主界面背景 上级目录图标 音乐播放背景 BACK文件 校验未通过，无法生成文件"
            << Outcome::WrongLength;
        QTest::newRow("missing ones hide wrong lengths")
            << QStringList{"game256.bmp:gone", "movie256.bmp:10", "BACK:3"}
            << "FC游戏图标  文件未找到，无法生成文件" << Outcome::Missing;
        QTest::newRow("a folder in a picture's place")
            << QStringList{"ebook256.bmp:dir"} << "电子书图标  文件未找到，无法生成文件"
            << Outcome::Missing;
    }
    void reportsEveryFailingFileInTableOrder() {
        QFETCH(QStringList, edits);
        QFETCH(QString, report);
        QFETCH(Outcome, outcome);
        vireo::test::SourceFolder sources;
        QTemporaryDir currentDir;
        edit(sources, currentDir.path(), edits);

        const auto run =
            verifySourceSet(sources.folder().toStdString(), currentDir.path().toStdString());
        QCOMPARE(QString::fromStdString(vireo::verificationReport(run)), report);
        QCOMPARE(run.outcome, outcome);
        QCOMPARE(QString::fromStdString(run.settingsPath), QFile::exists(sources.path("BACK"))
                                                               ? sources.path("BACK")
                                                               : currentDir.filePath("BACK"));
    }

    // Every field of a made header, written out by hand: a top-down picture
    // that is not square, so width, height and their signs cannot be mixed up.
    void madeHeaderHoldsEveryField() {
        // Field by field, a space between two.
        const QByteArray fields =
            "424d 369a0000 00000000 36040000 28000000 f0000000 60ffffff 0100 "
            "0800 00000000 00960000 130b0000 130b0000 00010000 00000000";
        QCOMPARE(vireo::test::fromBytes(vireo::images::makeBmpHeader(240, -160)).toHex(),
                 QByteArray(fields).replace(' ', ""));
        // Found by fuzzing: a top-down height of INT_MIN was negated as an int.
        const auto extreme = vireo::images::scanBmp(vireo::images::makeBmpHeader(1, INT_MIN));
        QVERIFY(extreme.topDown);
        QCOMPARE(extreme.height, -std::int64_t(INT_MIN));
        QCOMPARE(extreme.fileSizeField, 1078u + 0x80000000u);
    }
};

QTEST_GUILESS_MAIN(TestImages)
#include "tst_images.moc"
