#include "bmp_maker.h"
#include "core/artwork/bmp_check.h"
#include "core/artwork/doctor.h"
#include "support/fixtures.h"

#include <QTest>

using namespace vireo;
using artwork::ProblemCode;
using images::Source;

Q_DECLARE_METATYPE(vireo::Bytes)
Q_DECLARE_METATYPE(vireo::test::BmpForm)

namespace {

QStringList codesOf(const std::vector<artwork::Finding>& findings) {
    QStringList codes;
    for (const auto& f : findings) codes << artwork::codeName(f.code);
    return codes;
}

// Colours of a decoded picture, which is what "the same pixels" means.
std::vector<artwork::Colour> coloursOf(const artwork::IndexedPicture& p) {
    std::vector<artwork::Colour> colours;
    for (const auto index : p.indices) colours.push_back(p.palette[index]);
    return colours;
}

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
            << test::toBytes(QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(100, 'x'))
            << QStringList{"not-bmp"};
        QTest::newRow("empty") << Bytes{} << QStringList{"not-bmp"};
        QTest::newRow("top-down") << test::makeBmp(picture, {40, 8, false, true, 256})
                                  << QStringList{"top-down"};
        QTest::newRow("124-byte header") << test::makeBmp(picture, {124, 8, false, false, 256})
                                         << QStringList{"unsupported-header", "wrong-length"};
        QTest::newRow("RLE8") << test::makeBmp(picture, {40, 8, true, false, 256})
                              << QStringList{"compressed", "wrong-length"};
        QTest::newRow("4 bits") << test::makeBmp(test::testPicture(16, 16, 4),
                                                 {40, 4, false, false, 16})
                                << QStringList{"not-8-bit", "wrong-length"};
        QTest::newRow("24 bits") << test::makeBmp(picture, {40, 24, false, false, 0})
                                 << QStringList{"not-8-bit", "wrong-length"};
        QTest::newRow("17×16") << test::makeBmp(test::testPicture(17, 16, 8), {})
                               << QStringList{"wrong-size", "wrong-length"};
        QTest::newRow("255 colours in an 8-bit table")
            << test::makeBmp(test::testPicture(16, 16, 4), {40, 8, false, false, 255})
            << QStringList{"short-colour-table", "wrong-length"};
        Bytes offset = exact;
        test::put32(offset, 10, 1000);
        QTest::newRow("pixel offset 1000") << offset << QStringList{"bad-offsets"};
        Bytes sizeField = exact;
        test::put32(sizeField, 2, 99);
        QTest::newRow("file size field 99") << sizeField << QStringList{"bad-offsets"};
        Bytes longer = exact;
        longer.push_back(0);
        test::put32(longer, 2, static_cast<std::uint32_t>(longer.size()));
        QTest::newRow("one byte too many") << longer << QStringList{"wrong-length"};
        QTest::newRow("cut inside the header")
            << Bytes(exact.begin(), exact.begin() + 30) << QStringList{"wrong-length"};
        Bytes foreign = exact;
        test::put32(foreign, 14, 77);
        QTest::newRow("unknown header size") << foreign << QStringList{"unsupported-header"};
    }
    void badFilesGiveTheirCodes() {
        QFETCH(Bytes, bytes);
        QFETCH(QStringList, codes);
        QCOMPARE(codesOf(artwork::diagnoseBmp(images::scanBmp(bytes), Source::FolderIcon)), codes);
    }

    // The doctor holds BACK to 32 bytes, one more or one less.
    void doctorMeasuresBack() {
        test::SourceFolder sources(3);
        for (const int length : {31, 33, 32}) {
            QVERIFY(QFile(sources.path("BACK")).resize(length));
            const auto report = artwork::doctorFolder(sources.folder().toStdString(), std::nullopt);
            QCOMPARE(codesOf(report.value().files.back().findings).contains("wrong-length"),
                     length != 32);
        }
    }

    // Texts over plain black screens, ratios worked out by hand: grey 89 is
    // 2.998:1, just under 3, and warned of; grey 90 is 3.04:1 and is not.
    void doctorWarnsOfTextUnderThreeToOne() {
        test::SourceFolder sources(4);
        const QByteArray black =
            test::bmp8(240, 160, QByteArray(1024, '\0'), QByteArray(240 * 160, '\0'));
        test::writeFile(sources.path("tree_main256.bmp"), black);
        test::writeFile(sources.path("ebook_main256.bmp"), black);
        QByteArray back = sources.files.at("BACK");
        for (const int offset : {0, 1, 2, 4, 5, 6, 8, 9, 10})  // list, selected, e-book
            back[offset] = char(offset < 4 ? 89 : 90);
        test::writeFile(sources.path("BACK"), back);
        const auto report = artwork::doctorFolder(sources.folder().toStdString(), std::nullopt);
        QList<int> warned;
        for (const auto& finding : report.value().files.back().findings)
            if (finding.code == ProblemCode::LowContrast) warned << int(finding.text);
        QCOMPARE(warned, QList<int>{int(skin::TextRole::List)});
    }

    // Kept rows stay as the file stores them; otherwise the top row is stored first.
    void keptRowsStayInTheirStoredOrder() {
        const auto picture = test::testPicture(64, 64, 8);
        const Bytes input = test::makeBmp(picture, {});  // bottom-up: the top row stored last
        const Bytes stored(input.end() - 4096, input.end());
        QVERIFY(stored != picture.indices);
        const auto pixelsOf = [&](bool keepRows) {
            const Bytes out =
                artwork::exactSourceFromBmp(input, Source::MovieIcon, keepRows, "in.bmp").value();
            return Bytes(out.end() - 4096, out.end());
        };
        QVERIFY(pixelsOf(true) == stored);
        QVERIFY(pixelsOf(false) == picture.indices);
    }

    // Every form that loses nothing becomes an exact source with the same colours.
    void losslessFixesPass_data() {
        QTest::addColumn<test::BmpForm>("form");
        QTest::newRow("RLE8") << test::BmpForm{40, 8, true, false, 256};
        QTest::newRow("RLE4") << test::BmpForm{40, 4, true, false, 16};
        QTest::newRow("top-down") << test::BmpForm{40, 8, false, true, 256};
        QTest::newRow("OS/2 core header") << test::BmpForm{12, 8, false, false, 256};
        QTest::newRow("124-byte header") << test::BmpForm{124, 8, false, false, 256};
        QTest::newRow("4 bits") << test::BmpForm{40, 4, false, false, 16};
        QTest::newRow("1 bit") << test::BmpForm{40, 1, false, false, 2};
        QTest::newRow("short table") << test::BmpForm{40, 8, false, false, 40};
    }
    void losslessFixesPass() {
        QFETCH(test::BmpForm, form);
        // With fewer colours than the table holds where the table is short
        // (row padding: tst_images).
        const auto picture =
            test::testPicture(64, 64, form.bits == 8 && form.tableEntries < 256 ? 5 : form.bits);
        const Bytes input = test::makeBmp(picture, form);
        QVERIFY(!artwork::diagnoseBmp(images::scanBmp(input), Source::MovieIcon).empty());
        const auto fixed = artwork::exactSourceFromBmp(input, Source::MovieIcon, false, "in.bmp");
        QVERIFY(fixed.ok());
        QCOMPARE(fixed.value().size(), std::size_t(5174));
        const auto scan = images::scanBmp(fixed.value());
        QCOMPARE(codesOf(artwork::diagnoseBmp(scan, Source::MovieIcon)), QStringList{});
        QVERIFY(scan.picture);
        // The exact source stores the top row first: read as a bottom-up BMP it is upside down.
        auto upright = *scan.picture;
        for (int row = 0; row < 64; ++row)
            std::copy_n(scan.picture->indices.begin() + (63 - row) * 64, 64,
                        upright.indices.begin() + row * 64);
        QVERIFY(coloursOf(upright) == coloursOf(picture));
    }
};

QTEST_GUILESS_MAIN(BmpDoctorTest)
#include "tst_bmp_doctor.moc"
