#include "bmp_maker.h"
#include "core/artwork/fit.h"
#include "core/artwork/picture_formats.h"
#include "core/artwork/picture_limits.h"
#include "core/images/bmp.h"
#include "gui/artwork/qt_picture_decoder.h"

#include <QBuffer>
#include <QImage>
#include <QTest>

using namespace vireo;

namespace {

// Whatever Qt would have printed while the decoder ran.
QStringList printed;
void recordMessage(QtMsgType, const QMessageLogContext&, const QString& text) {
    printed.append(text);
}

Bytes saved(const QImage& image, const char* format) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return Bytes(data.begin(), data.end());
}

QImage stripes(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x * 7 % 256, y * 5 % 256, 90));
    return image;
}

// A GIF of `width` × `height` whose stored pixels are (x + y) % 256, with
// LZW codes kept at 9 bits by a clear code every 250 pixels.
Bytes gif(int width, int height, int storedWidth, int storedHeight) {
    Bytes out = {'G', 'I', 'F', '8', '9', 'a'};
    const auto put16 = [&](int v) {
        out.insert(out.end(), {std::uint8_t(v & 255), std::uint8_t(v >> 8)});
    };
    put16(width);
    put16(height);
    out.insert(out.end(), {0xF7, 0, 0});
    for (int i = 0; i < 256; ++i)
        out.insert(out.end(), {std::uint8_t(i), std::uint8_t(255 - i), 40});
    out.push_back(',');
    put16(0), put16(0), put16(storedWidth), put16(storedHeight);
    out.insert(out.end(), {0, 8});
    Bytes packed;
    std::uint32_t bits = 0;
    int held = 0;
    const auto code = [&](int c) {
        bits |= std::uint32_t(c) << held;
        for (held += 9; held >= 8; held -= 8, bits >>= 8)
            packed.push_back(std::uint8_t(bits & 255));
    };
    for (int i = 0; i < storedWidth * storedHeight; ++i) {
        if (i % 250 == 0) code(256);
        code((i % storedWidth + i / storedWidth) % 256);
    }
    code(257);
    if (held > 0) packed.push_back(std::uint8_t(bits & 255));
    for (std::size_t at = 0; at < packed.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, packed.size() - at);
        out.push_back(std::uint8_t(n));
        out.insert(out.end(), packed.begin() + std::ptrdiff_t(at),
                   packed.begin() + std::ptrdiff_t(at + n));
    }
    out.insert(out.end(), {0, ';'});
    return out;
}

Bytes firstHalf(const Bytes& bytes) {
    return Bytes(bytes.begin(), bytes.begin() + std::ptrdiff_t(bytes.size() / 2));
}

Bytes bmp24(int width, int height) {
    return test::makeBmp(test::testPicture(width, height, 8), {40, 24, false, false, 0});
}

}  // namespace

Q_DECLARE_METATYPE(Bytes)

class PictureDecodingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qInstallMessageHandler(recordMessage); }

    // What a lenient reader would accept is refused with the reason, in Chinese only.
    void damagedPicturesAreRefused_data() {
        QTest::addColumn<Bytes>("bytes");
        QTest::addColumn<QString>("reason");
        Bytes cut = bmp24(16, 16);
        cut.pop_back();
        QTest::newRow("BMP one byte short") << cut << "需要 768 字节像素，文件只有 767 字节";
        Bytes offset = bmp24(16, 16);
        test::put32(offset, 10, 5000);
        QTest::newRow("pixel offset past the end") << offset << "超出文件末尾";
        Bytes hostile = bmp24(1, 1);
        hostile.resize(118);
        test::put32(hostile, 22, 33554432);
        QTest::newRow("1×33554432 in 118 bytes") << hostile << "需要 134217728 字节像素";
        // RLE8, 2×2: a run of 200 pixels from the first row on.
        Bytes rle = test::makeBmp(test::testPicture(2, 2, 8), {40, 8, true, false, 256});
        rle.resize(1078);
        rle.insert(rle.end(), {200, 3, 0, 1});
        QTest::newRow("RLE run past the edge") << rle << "BMP 像素数据已损坏";
        QTest::newRow("half a JPEG")
            << firstHalf(saved(stripes(200, 200), "JPEG")) << "图片不完整或已损坏";
        QTest::newRow("half a PNG")
            << firstHalf(saved(stripes(200, 200), "PNG")) << "图片不完整或已损坏";
        QTest::newRow("half a GIF") << firstHalf(gif(100, 100, 100, 100)) << "图片不完整或已损坏";
        // Qt decodes a 16-bit PNG whole, whatever size was asked: 3000×3000×8 bytes.
        QImage deep(3000, 3000, QImage::Format_RGBA64);
        deep.fill(QColor(10, 120, 200));
        QTest::newRow("16-bit PNG past the memory limit")
            << saved(deep, "PNG") << "图片尺寸为 3000×3000，解码所需的内存超过 48 MiB 的上限";
        QTest::newRow("GIF claiming 65535×65535")
            << gif(65535, 65535, 2, 2) << "图片尺寸为 65535×65535";
    }
    void damagedPicturesAreRefused() {
        QFETCH(Bytes, bytes);
        QFETCH(QString, reason);
        printed.clear();
        const auto decoded = artwork::decodePictureBytes(bytes.data(), bytes.size(), "x");
        QVERIFY(!decoded.ok());
        QVERIFY2(QString::fromStdString(decoded.error().detail).contains(reason),
                 decoded.error().detail.c_str());
        QVERIFY2(printed.isEmpty(), qPrintable(printed.join('\n')));
    }

    // A whole GIF still decodes: the refusals above are about damage only.
    void wholePicturesDecode() {
        const Bytes whole = gif(100, 100, 100, 100);
        const auto decoded = artwork::decodePictureBytes(whole.data(), whole.size(), "x");
        QVERIFY(decoded.ok());
        const auto& pixels = decoded.value().pixels;
        const std::size_t at = (std::size_t(30) * 100 + 20) * 4;  // stored index 50
        QCOMPARE(std::vector<std::uint8_t>(pixels.begin() + std::ptrdiff_t(at),
                                           pixels.begin() + std::ptrdiff_t(at + 3)),
                 (std::vector<std::uint8_t>{50, 205, 40}));
        QCOMPARE(decoded.value().fileWidth, 0);
    }

    // A large picture is decoded already scaled down, keeping its shape and
    // its file's size for a size refusal; a WebP as large as a wallpaper too.
    void largePicturesDecodeScaledDown_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("PNG") << QSize(3000, 1500) << QByteArray("PNG");
        QTest::newRow("WebP of 4096×4096") << QSize(4096, 4096) << QByteArray("WEBP");
    }
    void largePicturesDecodeScaledDown() {
        QFETCH(QSize, size);
        QFETCH(QByteArray, format);
        QImage image(size, QImage::Format_RGB32);
        image.fill(qRgb(10, 200, 30));
        const Bytes png = saved(image, format.constData());
        const auto decoded = artwork::decodePictureBytes(png.data(), png.size(), "big.png");
        QVERIFY2(decoded.ok(), decoded.ok() ? "" : decoded.error().detail.c_str());
        const auto& picture = decoded.value();
        QVERIFY(std::int64_t(picture.width) * picture.height <= artwork::kDecodePixels);
        QCOMPARE(picture.width * size.height(), picture.height * size.width());
        QCOMPARE(QSize(picture.fileWidth, picture.fileHeight), size);
        QVERIFY(std::abs(int(picture.pixels[1]) - 200) <= 2);
        const auto refused =
            artwork::fitPicture(picture, 240, 160, artwork::Fit::Refuse, "big.png");
        QVERIFY(!refused.ok());
        QVERIFY(QString::fromStdString(refused.error().detail)
                    .contains(QStringLiteral("%1×%2").arg(size.width()).arg(size.height())));
        QVERIFY(artwork::fitPicture(picture, 240, 160, artwork::Fit::Stretch, "big.png").ok());
    }

    // Import takes only the extensions of formats the running Qt reads.
    void extensionsFollowTheReadableFormats() {
        artwork::setDecodableFormats({"png", "tiff", "svg"});
        QCOMPARE(artwork::pictureExtensions(), (std::vector<std::string>{".png", ".tif", ".tiff"}));
        QVERIFY(!artwork::isPictureExtension(".webp"));
        artwork::setDecodableFormats({"jpeg", "webp", "gif", "bmp"});
        QCOMPARE(artwork::pictureExtensions(),
                 (std::vector<std::string>{".jpg", ".jpeg", ".bmp", ".gif", ".webp"}));
        QVERIFY(artwork::isPictureExtension(".webp"));
    }
};

QTEST_GUILESS_MAIN(PictureDecodingTest)
#include "tst_picture_decoding.moc"
