#include "bmp_maker.h"
#include "core/artwork/bmp_check.h"
#include "core/artwork/convert.h"
#include "support/fixtures.h"

#include <QTest>

#include <cmath>

using namespace vireo;
using artwork::Colour;
using artwork::RgbaImage;
using images::Source;

namespace {

RgbaImage filled(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                 std::uint8_t a = 255) {
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
    for (std::size_t i = 0; i < a.pixels.size(); ++i)
        if (i % 4 != 3)
            sum += (double(a.pixels[i]) - b.pixels[i]) * (double(a.pixels[i]) - b.pixels[i]);
    return sum == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 * 3 * double(a.width * a.height) / sum);
}

}  // namespace

class ConverterTest : public QObject {
    Q_OBJECT

private slots:
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

    // Refused without a fit: see the command line's tests. The picture is
    // 320×160: red, blue from x 160 and in a stripe left of x 40, green below
    // y 120. The colours at (10,0), (10,80), (230,80) and (120,135):
    void otherSizesNeedAFit_data() {
        QTest::addColumn<int>("fit");
        QTest::addColumn<QString>("colours");
        // The middle 240 columns at their own size.
        QTest::newRow("cover") << int(artwork::Fit::Cover) << "red red blue green";
        // All of it at 240×120, clear above and below.
        QTest::newRow("contain") << int(artwork::Fit::Contain) << "clear blue blue green";
        // All of it, narrowed to 240 columns.
        QTest::newRow("stretch") << int(artwork::Fit::Stretch) << "blue blue blue green";
    }
    void otherSizesNeedAFit() {
        QFETCH(int, fit);
        RgbaImage picture = filled(320, 160, 255, 0, 0);
        for (int y = 0; y < 160; ++y)
            for (int x = 0; x < 320; ++x) {
                std::uint8_t* p = &picture.pixels[std::size_t(y * 320 + x) * 4];
                if (y >= 120)
                    p[0] = 0, p[1] = 255;
                else if (x >= 160 || x < 40)
                    p[0] = 0, p[2] = 255;
            }
        const auto fitted = artwork::fitPicture(picture, 240, 160, artwork::Fit(fit), "wide.png");
        QVERIFY(fitted.ok());
        QCOMPARE(QSize(fitted.value().width, fitted.value().height), QSize(240, 160));
        QStringList colours;
        for (const QPoint at : {QPoint(10, 0), QPoint(10, 80), QPoint(230, 80), QPoint(120, 135)}) {
            const std::uint8_t* p = &fitted.value().pixels[std::size_t(at.y() * 240 + at.x()) * 4];
            colours << (p[3] == 0                               ? "clear"
                        : p[0] == 255 && p[1] == 0 && p[2] == 0 ? "red"
                        : p[0] == 0 && p[1] == 255 && p[2] == 0 ? "green"
                        : p[0] == 0 && p[1] == 0 && p[2] == 255 ? "blue"
                                                                : "mixed");
        }
        QTEST(colours.join(' '), "colours");
    }

    // A round icon of foreign colours over a busy background of 256 unlike
    // colours: every fully transparent pixel keeps the background's own index
    // under the icon, dithered or not.
    void transparentPixelsKeepTheBackground_data() {
        QTest::addColumn<float>("dither");
        QTest::newRow("no dither") << 0.0f;
        QTest::newRow("full dither") << 1.0f;
    }
    void transparentPixelsKeepTheBackground() {
        QFETCH(float, dither);
        artwork::IndexedPicture main{240, 160, {}, {}};
        for (int i = 0; i < 256; ++i)
            main.palette[std::size_t(i)] = {std::uint8_t(i), std::uint8_t(i * 3 % 256),
                                            std::uint8_t(255 - i)};
        for (int i = 0; i < 240 * 160; ++i) main.indices.push_back(std::uint8_t(i * 7919 % 256));
        RgbaImage icon{64, 64, {}};
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const bool outside = (x - 32) * (x - 32) + (y - 32) * (y - 32) > 30 * 30;
                icon.pixels.insert(icon.pixels.end(),
                                   {std::uint8_t(200 + x % 3), std::uint8_t(40 + y % 5), 121,
                                    std::uint8_t(outside ? 0 : 255)});
            }
        const settings::Record record = settings::defaultRecord();
        const int left = record[16], top = record[17];  // the movie icon
        artwork::IconContext context{
            main.palette, artwork::backdropUnderIcon(Source::MovieIcon, main, record, {})};
        artwork::ConvertOptions options;
        options.dither = dither;
        const auto converted =
            artwork::convertPicture(icon, Source::MovieIcon, options, context, "round.png");
        QVERIFY(converted.ok());
        int changed = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                if (icon.pixels[std::size_t(y * 64 + x) * 4 + 3] == 0 &&
                    converted.value().indices[std::size_t(y * 64 + x)] !=
                        main.indices[std::size_t((top + y) * 240 + left + x)])
                    ++changed;
        QCOMPARE(changed, 0);
        // With no backdrop, the matte colour, given red first.
        const auto matted =
            artwork::compositeOver(filled(2, 2, 0, 0, 0, 0), nullptr, Colour{255, 0, 128});
        QCOMPARE(std::vector<std::uint8_t>(matted.pixels.begin(), matted.pixels.begin() + 3),
                 (std::vector<std::uint8_t>{255, 0, 128}));
    }

    // Cover keeps the part the frame names, by default the middle; a centre
    // too near an edge for the part moves in.
    void coverShowsTheFramedPart_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QString>("edges");  // the colours at the screen's left and right edges
        QTest::newRow("the middle") << 50 << 50 << 100 << "green green";
        QTest::newRow("the left end") << 0 << 50 << 100 << "red green";
        QTest::newRow("the right end") << 100 << 50 << 100 << "green blue";
        QTest::newRow("twice as near, top left") << 0 << 0 << 200 << "red red";
        QTest::newRow("a centre past the end moves in") << 100 << 50 << 400 << "blue blue";
    }
    void coverShowsTheFramedPart() {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, zoom);
        // 480×160: red, then green 120..359, then blue.
        RgbaImage picture = filled(480, 160, 255, 0, 0);
        for (int row = 0; row < 160; ++row)
            for (int column = 120; column < 480; ++column) {
                std::uint8_t* p = &picture.pixels[std::size_t(row * 480 + column) * 4];
                p[0] = 0, p[1] = column < 360 ? 255 : 0, p[2] = column < 360 ? 0 : 255;
            }
        const auto fitted = artwork::fitPicture(picture, 240, 160, artwork::Fit::Cover, "wide.png",
                                                artwork::Frame{x, y, zoom});
        QVERIFY(fitted.ok());
        const auto colourAt = [&](int column) {
            const std::uint8_t* p = &fitted.value().pixels[std::size_t(80 * 240 + column) * 4];
            return p[0] == 255   ? QString("red")
                   : p[1] == 255 ? QString("green")
                   : p[2] == 255 ? QString("blue")
                                 : QString("mixed");
        };
        QTEST(colourAt(0) + ' ' + colourAt(239), "edges");
    }

    // One colour more than a palette holds: every pixel stays within a few levels.
    void twoHundredFiftySevenColoursStayClose() {
        RgbaImage picture = filled(240, 160, 0, 0, 0);
        for (int i = 0; i < 240 * 160; ++i) {
            const int colour = std::min(i / 149, 256);  // 256 blocks, then a 257th colour
            std::uint8_t* p = &picture.pixels[std::size_t(i) * 4];
            p[0] = std::uint8_t(colour % 16 * 17), p[1] = std::uint8_t(colour / 16 * 17),
            p[2] = 100;
            // Two of them one level apart, the 257th far from all: only the close pair may merge.
            if (colour == 255) p[0] = 1, p[1] = 0;
            if (colour == 256) p[0] = 255, p[1] = 255, p[2] = 255;
        }
        const auto made = artwork::quantiseBackground(picture, 1.0f, "bg.png");
        QVERIFY(made.ok());
        const RgbaImage shown = artwork::toRgba(made.value());
        int worst = 0;
        for (std::size_t i = 0; i < shown.pixels.size(); ++i)
            worst = std::max(worst, std::abs(int(shown.pixels[i]) - int(picture.pixels[i])));
        QVERIFY2(worst <= 4, qPrintable(QString::number(worst)));
    }
};

QTEST_GUILESS_MAIN(ConverterTest)
#include "tst_converter.moc"
