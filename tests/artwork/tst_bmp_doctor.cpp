#include "artwork/bmp_check.h"
#include "artwork/doctor.h"
#include "artwork/import.h"
#include "bmp_maker.h"
#include "demo/demo_set.h"
#include "support/fixtures.h"

#include <QDir>
#include <QTest>

#include <set>

using namespace vireo;
using artwork::ProblemCode;
using images::Source;

Q_DECLARE_METATYPE(vireo::Bytes)

namespace {

QStringList codesOf(const std::vector<artwork::Finding>& findings) {
    QStringList codes;
    for (const auto& f : findings) codes << artwork::codeName(f.code);
    return codes;
}

void setField(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

Bytes asBytes(const QByteArray& a) { return Bytes(a.begin(), a.end()); }

void writeBytes(const QString& path, const Bytes& b) {
    test::writeFile(path, QByteArray(reinterpret_cast<const char*>(b.data()), int(b.size())));
}

QStringList codesIn(const artwork::DoctorReport& report, const QString& file) {
    for (const auto& f : report.files)
        if (QString::fromStdString(f.file) == file) {
            QStringList codes;
            for (const auto& p : f.problems) codes << artwork::codeName(p.code);
            return codes;
        }
    return {"(not listed)"};
}

// Colours of a decoded picture, which is what "the same pixels" means.
std::vector<artwork::Colour> coloursOf(const artwork::IndexedPicture& p) {
    std::vector<artwork::Colour> colours;
    for (const auto index : p.indices) colours.push_back(p.palette[index]);
    return colours;
}

class NoDecoder : public artwork::PictureDecoder {
public:
    Result<artwork::RgbaImage> decode(const std::string& path) override {
        return Error{Error::Kind::Invalid, path, "no decoder in this test"};
    }
};

}  // namespace

class BmpDoctorTest : public QObject {
    Q_OBJECT

private slots:
    // Each generated file for the 16×16 folder icon gives exactly its own codes.
    void badFilesGiveTheirCodes_data() {
        QTest::addColumn<Bytes>("bytes");
        QTest::addColumn<QStringList>("codes");
        const auto picture = test::testPicture(16, 16, 8);
        const Bytes exact = test::makeBmp(picture, {});
        QTest::newRow("exact") << exact << QStringList{};
        QTest::newRow("PNG under a .bmp name")
            << asBytes(QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(100, 'x')) << QStringList{"not-bmp"};
        QTest::newRow("JPEG") << asBytes(QByteArray("\xFF\xD8\xFF\xE0", 4)) << QStringList{"not-bmp"};
        QTest::newRow("empty") << Bytes{} << QStringList{"not-bmp"};
        QTest::newRow("top-down") << test::makeBmp(picture, {40, 8, false, true, 256}) << QStringList{"top-down"};
        QTest::newRow("124-byte header") << test::makeBmp(picture, {124, 8, false, false, 256})
                                         << QStringList{"unsupported-header", "wrong-length"};
        QTest::newRow("RLE8") << test::makeBmp(picture, {40, 8, true, false, 256})
                              << QStringList{"compressed", "wrong-length"};
        QTest::newRow("4 bits") << test::makeBmp(test::testPicture(16, 16, 4), {40, 4, false, false, 16})
                                << QStringList{"not-8-bit", "wrong-length"};
        QTest::newRow("24 bits") << test::makeBmp(picture, {40, 24, false, false, 0})
                                 << QStringList{"not-8-bit", "wrong-length"};
        QTest::newRow("17×16") << test::makeBmp(test::testPicture(17, 16, 8), {})
                               << QStringList{"wrong-size", "wrong-length"};
        QTest::newRow("16 colours in an 8-bit table") << test::makeBmp(test::testPicture(16, 16, 4), {40, 8, false, false, 16})
                                                      << QStringList{"short-colour-table", "wrong-length"};
        Bytes offset = exact;
        setField(offset, 10, 1000);
        QTest::newRow("pixel offset 1000") << offset << QStringList{"bad-offsets"};
        Bytes sizeField = exact;
        setField(sizeField, 2, 99);
        QTest::newRow("file size field 99") << sizeField << QStringList{"bad-offsets"};
        Bytes longer = exact;
        longer.push_back(0);
        setField(longer, 2, static_cast<std::uint32_t>(longer.size()));
        QTest::newRow("one byte too many") << longer << QStringList{"wrong-length"};
        QTest::newRow("cut inside the header") << Bytes(exact.begin(), exact.begin() + 30)
                                               << QStringList{"wrong-length"};
        Bytes foreign = exact;
        setField(foreign, 14, 77);
        QTest::newRow("unknown header size") << foreign << QStringList{"unsupported-header"};
    }
    void badFilesGiveTheirCodes() {
        QFETCH(Bytes, bytes);
        QFETCH(QStringList, codes);
        QCOMPARE(codesOf(artwork::diagnoseBmp(artwork::scanBmp(bytes), Source::FolderIcon)), codes);
    }

    void notBmpNamesWhatItIs() {
        const auto findings = artwork::diagnoseBmp(artwork::scanBmp(asBytes(QByteArray("GIF89a....", 10))),
                                                   Source::FolderIcon);
        QCOMPARE(findings.size(), std::size_t(1));
        const auto problem = artwork::describeFinding("ft256.bmp", findings[0]);
        QVERIFY(QString::fromStdString(problem.message).contains("ft256.bmp"));
        QVERIFY(QString::fromStdString(problem.message).contains("GIF"));
    }

    // Every form that loses nothing becomes an exact source with the same colours.
    void losslessFixesPass_data() {
        QTest::addColumn<int>("headerSize");
        QTest::addColumn<int>("bits");
        QTest::addColumn<bool>("rle");
        QTest::addColumn<bool>("topDown");
        QTest::addColumn<int>("tableEntries");
        QTest::newRow("RLE8") << 40 << 8 << true << false << 256;
        QTest::newRow("RLE4") << 40 << 4 << true << false << 16;
        QTest::newRow("top-down") << 40 << 8 << false << true << 256;
        QTest::newRow("OS/2 core header") << 12 << 8 << false << false << 256;
        QTest::newRow("124-byte header") << 124 << 8 << false << false << 256;
        QTest::newRow("4 bits") << 40 << 4 << false << false << 16;
        QTest::newRow("1 bit") << 40 << 1 << false << false << 2;
        QTest::newRow("short table") << 40 << 8 << false << false << 40;
    }
    void losslessFixesPass() {
        QFETCH(int, headerSize);
        QFETCH(int, bits);
        QFETCH(bool, rle);
        QFETCH(bool, topDown);
        QFETCH(int, tableEntries);
        // 64×64 so that 1- and 4-bit rows need padding, and with fewer colours
        // than the table holds where the table is short.
        const auto picture = test::testPicture(64, 64, bits == 8 && tableEntries < 256 ? 5 : unsigned(bits));
        const Bytes input = test::makeBmp(picture, {std::uint32_t(headerSize), std::uint16_t(bits), rle, topDown,
                                                    std::uint32_t(tableEntries)});
        QVERIFY(!artwork::diagnoseBmp(artwork::scanBmp(input), Source::MovieIcon).empty());
        const auto fixed = artwork::exactSourceFromBmp(input, Source::MovieIcon, false, "in.bmp");
        QVERIFY(fixed.ok());
        QCOMPARE(fixed.value().size(), std::size_t(5174));
        const auto scan = artwork::scanBmp(fixed.value());
        QCOMPARE(codesOf(artwork::diagnoseBmp(scan, Source::MovieIcon)), QStringList{});
        QVERIFY(scan.picture);
        // The exact source stores the top row first: read as a bottom-up BMP it is upside down.
        auto upright = *scan.picture;
        for (int row = 0; row < 64; ++row)
            std::copy_n(scan.picture->indices.begin() + (63 - row) * 64, 64, upright.indices.begin() + row * 64);
        QVERIFY(coloursOf(upright) == coloursOf(picture));
    }

    // keep-rows leaves the stored bytes of a bottom-up file where they were.
    void keepRowsKeepsStoredOrder() {
        const auto picture = test::testPicture(16, 16, 8);
        Bytes input = test::makeBmp(picture, {});
        setField(input, 2, 5);  // only the size field is off
        const auto kept = artwork::exactSourceFromBmp(input, Source::FolderIcon, true, "in.bmp");
        QVERIFY(kept.ok());
        QVERIFY(std::equal(kept.value().begin() + 1078, kept.value().end(), input.begin() + 1078));
    }

    // The demo set is exact; each fault planted in it is found, with the file named.
    void doctorFindsEveryFaultOfAFolder() {
        QTemporaryDir dir;
        QVERIFY(artwork::doctorFolder(dir.filePath("nothing").toStdString()).ok() == false);
        QVERIFY(demo::writeDemoSourceSet(dir.path().toStdString() + "/").ok());
        auto clean = artwork::doctorFolder(dir.path().toStdString());
        QVERIFY(clean.ok());
        QVERIFY(clean.value().ok());
        QCOMPARE(clean.value().files.size(), std::size_t(13));

        // The movie icon with its own table reversed: every pixel drawn wrong on the player.
        const Bytes movie = asBytes(test::readFile(dir.filePath("movie256.bmp")));
        Bytes reversed = movie;
        for (int i = 0; i < 256; ++i)
            std::copy_n(movie.begin() + 54 + (255 - i) * 4, 4, reversed.begin() + 54 + i * 4);
        for (std::size_t i = 1078; i < reversed.size(); ++i) reversed[i] = static_cast<std::uint8_t>(255 - movie[i]);
        writeBytes(dir.filePath("movie256.bmp"), reversed);
        QFile::remove(dir.filePath("BACK"));
        QFile::remove(dir.filePath("ft256.bmp"));
        QVERIFY(QDir(dir.path()).mkdir("ft256.bmp"));
        QFile::remove(dir.filePath("fu256.bmp"));

        const auto report = artwork::doctorFolder(dir.path().toStdString());
        QVERIFY(report.ok());
        QVERIFY(!report.value().ok());
        QCOMPARE(codesIn(report.value(), "movie256.bmp"), QStringList{"icon-colours-differ"});
        QCOMPARE(codesIn(report.value(), "ft256.bmp"), QStringList{"not-a-file"});
        QCOMPARE(codesIn(report.value(), "fu256.bmp"), QStringList{"missing"});
        QCOMPARE(codesIn(report.value(), "BACK"), QStringList{"missing"});
        QCOMPARE(codesIn(report.value(), "main256.bmp"), QStringList{});
        const auto lines = artwork::doctorLines(report.value());
        QCOMPARE(lines.size(), std::size_t(4));
        QVERIFY(QString::fromStdString(lines.back()).startsWith("BACK: BACK 不存在 — "));

        // Another BACK may be named; then remapping the icon clears it.
        QVERIFY(QDir(dir.path()).mkdir("other"));
        writeBytes(dir.filePath("other/BACK"), Bytes(32, 0));
        NoDecoder decoder;
        const auto remapped = artwork::convertFile(dir.filePath("movie256.bmp").toStdString(), Source::MovieIcon,
                                                   decoder, {}, true, dir.filePath("main256.bmp").toStdString());
        QVERIFY(remapped.ok());
        writeBytes(dir.filePath("movie256.bmp"), remapped.value());
        const auto after = artwork::doctorFolder(dir.path().toStdString(), dir.filePath("other/BACK").toStdString());
        QCOMPARE(codesIn(after.value(), "movie256.bmp"), QStringList{});
        QCOMPARE(codesIn(after.value(), "BACK"), QStringList{});
        // Same colours as the original, now from the background's palette.
        const Bytes main = asBytes(test::readFile(dir.filePath("main256.bmp")));
        const auto colour = [&](std::uint8_t index) { return Bytes(main.begin() + 54 + index * 4, main.begin() + 57 + index * 4); };
        for (std::size_t i = 1078; i < movie.size(); ++i)
            QVERIFY(colour(remapped.value()[i]) == colour(movie[i]));
    }
};

QTEST_GUILESS_MAIN(BmpDoctorTest)
#include "tst_bmp_doctor.moc"
