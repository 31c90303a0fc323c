#include "artwork/bmp_check.h"
#include "artwork/convert.h"
#include "artwork/import.h"
#include "artwork/qt/qt_picture_decoder.h"
#include "bmp_maker.h"
#include "support/fixtures.h"

#include <QImage>
#include <QTest>

#include <cmath>

using namespace vireo;
using artwork::Colour;
using artwork::RgbaImage;
using images::Source;

namespace {

RgbaImage filled(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255) {
    RgbaImage image{width, height, {}};
    for (int i = 0; i < width * height; ++i) image.pixels.insert(image.pixels.end(), {r, g, b, a});
    return image;
}

// A smooth photograph-like picture with far more than 256 colours.
RgbaImage gradient(int width, int height) {
    RgbaImage image{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.pixels.insert(image.pixels.end(),
                                {std::uint8_t(x * 255 / width), std::uint8_t(y * 255 / height),
                                 std::uint8_t((x + y) * 255 / (width + height)), 255});
    return image;
}

double psnr(const RgbaImage& a, const RgbaImage& b) {
    double sum = 0;
    int count = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        if (i % 4 == 3) continue;
        const double d = double(a.pixels[i]) - double(b.pixels[i]);
        sum += d * d;
        ++count;
    }
    return sum == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / (sum / count));
}

}  // namespace

class ConverterTest : public QObject {
    Q_OBJECT

private slots:
    // A picture drawn only in the palette's colours keeps every index, dithered or not.
    void pictureInThePaletteMapsUnchanged_data() {
        QTest::addColumn<float>("dither");
        QTest::newRow("no dither") << 0.0f;
        QTest::newRow("full dither") << 1.0f;
    }
    void pictureInThePaletteMapsUnchanged() {
        QFETCH(float, dither);
        const auto icon = test::testPicture(64, 64, 8);
        const auto mapped = artwork::mapOntoPalette(artwork::toRgba(icon), icon.palette, dither, "icon.png");
        QVERIFY(mapped.ok());
        QVERIFY(mapped.value().indices == icon.indices);
        QVERIFY(mapped.value().palette == icon.palette);
    }

    // Colours outside the palette go through libimagequant and come back as
    // indices of the given palette, close to the picture.
    void foreignColoursLandInThePalette() {
        auto palette = test::testPicture(1, 1, 8).palette;
        const RgbaImage picture = gradient(64, 64);
        const auto mapped = artwork::mapOntoPalette(picture, palette, 1.0f, "icon.png");
        QVERIFY(mapped.ok());
        QVERIFY(mapped.value().palette == palette);
        QCOMPARE(mapped.value().indices.size(), std::size_t(64 * 64));
        // A palette of only two colours still maps every pixel into it.
        artwork::Palette two{};
        two.fill({0, 0, 0});
        two[7] = {255, 255, 255};
        const auto bw = artwork::mapOntoPalette(filled(16, 16, 250, 250, 250), two, 0.0f, "x.png");
        QVERIFY(bw.ok());
        for (const auto index : bw.value().indices) QCOMPARE(int(index), 7);
    }

    void backgroundGetsItsOwnPalette() {
        const RgbaImage picture = gradient(240, 160);
        const auto made = artwork::quantiseBackground(picture, 1.0f, "bg.png");
        QVERIFY(made.ok());
        QVERIFY2(psnr(artwork::toRgba(made.value()), picture) >= 32, "quantised too coarsely");
        // A picture of few colours keeps them exactly.
        const auto few = test::testPicture(240, 160, 4);
        const auto kept = artwork::quantiseBackground(artwork::toRgba(few), 1.0f, "bg.png");
        QCOMPARE(psnr(artwork::toRgba(kept.value()), artwork::toRgba(few)), 99.0);
    }

    void otherSizesNeedAFit_data() {
        QTest::addColumn<int>("fit");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("refused") << int(artwork::Fit::Refuse) << false;
        QTest::newRow("cover") << int(artwork::Fit::Cover) << true;
        QTest::newRow("contain") << int(artwork::Fit::Contain) << true;
        QTest::newRow("stretch") << int(artwork::Fit::Stretch) << true;
    }
    void otherSizesNeedAFit() {
        QFETCH(int, fit);
        QFETCH(bool, accepted);
        // Left half red, right half blue, 320×160: twice as wide as 240×160 wants.
        RgbaImage picture = filled(320, 160, 255, 0, 0);
        for (int y = 0; y < 160; ++y)
            for (int x = 160; x < 320; ++x) picture.pixels[(y * 320 + x) * 4 + 2] = 255, picture.pixels[(y * 320 + x) * 4] = 0;
        const auto fitted = artwork::fitPicture(picture, 240, 160, artwork::Fit(fit), "wide.png");
        QCOMPARE(fitted.ok(), accepted);
        if (!accepted) {
            const QString why = QString::fromStdString(fitted.error().detail);
            QVERIFY(why.contains("320×160") && why.contains("240×160"));
            return;
        }
        QCOMPARE(fitted.value().width, 240);
        QCOMPARE(fitted.value().height, 160);
        const auto at = [&](int x, int y) { return fitted.value().pixels[(y * 240 + x) * 4 + 3]; };
        // Contain pads above and below with transparency; the others fill the frame.
        QCOMPARE(int(at(120, 0)), artwork::Fit(fit) == artwork::Fit::Contain ? 0 : 255);
        QCOMPARE(int(at(120, 80)), 255);
        QCOMPARE(int(fitted.value().pixels[(80 * 240 + 10) * 4]), 255);  // still red on the left
    }

    void matteColourIsRead_data() {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("blue");
        QTest::newRow("lower case") << "ff0080" << true << 255 << 128;
        QTest::newRow("upper case") << "0A00FF" << true << 10 << 255;
        QTest::newRow("with #") << "#ff0000" << false << 0 << 0;
        QTest::newRow("five digits") << "fffff" << false << 0 << 0;
        QTest::newRow("not hex") << "gg0000" << false << 0 << 0;
    }
    void matteColourIsRead() {
        QFETCH(QString, hex);
        QFETCH(bool, valid);
        QFETCH(int, red);
        QFETCH(int, blue);
        const auto colour = artwork::colourFromHex(hex.toStdString());
        QCOMPARE(colour.has_value(), valid);
        if (valid) {
            QCOMPARE(int(colour->red), red);
            QCOMPARE(int(colour->blue), blue);
        }
    }

    // Round icons: the corners take the main-screen background under the icon.
    void transparentCornersTakeTheBackgroundUnderTheIcon() {
        const auto main = test::testPicture(240, 160, 8);
        const settings::Record record = artwork::defaultRecord();
        const int left = record[16], top = record[17];  // the movie icon
        RgbaImage icon = filled(64, 64, main.palette[3].red, main.palette[3].green, main.palette[3].blue);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                if ((x - 32) * (x - 32) + (y - 32) * (y - 32) > 32 * 32) icon.pixels[(y * 64 + x) * 4 + 3] = 0;
        artwork::IconContext context{main.palette, artwork::backdropUnderIcon(Source::MovieIcon, main, record, {})};
        const auto converted = artwork::convertPicture(icon, Source::MovieIcon, {}, context, "round.png");
        QVERIFY(converted.ok());
        for (const auto& [x, y] : {std::pair{0, 0}, {63, 0}, {0, 63}, {63, 63}})
            QCOMPARE(converted.value().indices[std::size_t(y * 64 + x)],
                     main.indices[std::size_t((top + y) * 240 + left + x)]);
        QCOMPARE(int(converted.value().indices[32 * 64 + 32]), 3);
        // Elsewhere the matte colour.
        artwork::ConvertOptions white;
        white.matte = {255, 255, 255};
        const auto matted = artwork::compositeOver(filled(2, 2, 0, 0, 0, 0), nullptr, white.matte);
        QCOMPARE(int(matted.pixels[0]), 255);
    }

    // What a viewer shows on top is what the player shows on top: the first stored rows.
    void uprightPictureKeepsItsTopRowFirst() {
        QTemporaryDir dir;
        QImage picture(240, 160, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 240; ++x) picture.setPixel(x, y, qRgb(255, 0, 0));
        QVERIFY(picture.save(dir.filePath("art.png")));
        QVERIFY(picture.save(dir.filePath("art.bmp")));
        artwork::QtPictureDecoder decoder;
        for (const char* name : {"art.png", "art.bmp"}) {
            const auto source = artwork::convertFile(dir.filePath(name).toStdString(), Source::MainBackground,
                                                     decoder, {}, false, std::nullopt);
            QVERIFY(source.ok());
            const Bytes& b = source.value();
            QCOMPARE(b.size(), std::size_t(39478));
            const auto red = [&](std::size_t pixel) { return b[54 + b[1078 + pixel] * 4 + 2] == 255 && b[54 + b[1078 + pixel] * 4] == 0; };
            QVERIFY2(red(0) && red(240 * 79), name);
            QVERIFY2(!red(240 * 80) && !red(240 * 159), name);
        }
    }

    // The demo's committed artwork, upright PNGs, imports into the committed
    // demo set's colours at every stored position: the road from pictures to
    // an exact set, checked against a known one.
    void demoArtworkImportsIntoTheDemoSet() {
        const QString demo = QStringLiteral(VIREO_DEMO_DIR);
        artwork::QtPictureDecoder decoder;
        const auto imported = artwork::importArtwork((demo + "art").toStdString(), decoder, {});
        QVERIFY(imported.ok());
        QCOMPARE(imported.value().size(), std::size_t(13));
        QCOMPARE(imported.value().front().name, std::string("main256.bmp"));
        QCOMPARE(imported.value().back().name, std::string("BACK"));
        for (const auto& file : imported.value()) {
            const Bytes original = [&] {
                const QByteArray a = test::readFile(demo + QString::fromStdString(file.name));
                return Bytes(a.begin(), a.end());
            }();
            if (file.name == "BACK") {
                QVERIFY(file.bytes == original);
                continue;
            }
            const auto role = Source(std::find_if(images::kSourceSet.begin(), images::kSourceSet.end(),
                                                  [&](const auto& s) { return file.name == s.fileName; }) -
                                     images::kSourceSet.begin());
            const auto scan = artwork::scanBmp(file.bytes);
            QVERIFY2(artwork::diagnoseBmp(scan, role).empty(), file.name.c_str());
            QCOMPARE(file.bytes.size(), original.size());
            const auto want = artwork::toRgba(*artwork::scanBmp(original).picture);
            QVERIFY2(psnr(artwork::toRgba(*scan.picture), want) == 99.0, file.name.c_str());
        }
    }
};

QTEST_MAIN(ConverterTest)
#include "tst_converter.moc"
