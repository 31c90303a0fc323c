// Times the artwork converter: a background's palette, one icon mapped onto a
// palette, and a whole import of the demo's artwork. The PSNR counters say how
// close each converted background stays to its picture.
#include "core/artwork/bmp_check.h"
#include "core/artwork/convert.h"
#include "core/artwork/import.h"
#include "core/demo/demo_set.h"
#include "gui/artwork/qt_picture_decoder.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>

#include <cmath>

using namespace vireo;
using artwork::RgbaImage;

namespace {

// The demo's pictures as a viewer shows them (the set stores its top row first).
RgbaImage demoPicture(const std::string& name) {
    for (const auto& [file, bytes] : demo::demoSourceSet())
        if (file == name)
            return artwork::flippedRows(artwork::toRgba(*images::scanBmp(bytes).picture));
    return {};
}

// Softened with a 3×3 box, so that it has far more than 256 colours, like a
// painted or photographed picture.
RgbaImage softened(const RgbaImage& image) {
    RgbaImage out = image;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            for (int c = 0; c < 3; ++c) {
                int sum = 0, count = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int sx = x + dx, sy = y + dy;
                        if (sx < 0 || sy < 0 || sx >= image.width || sy >= image.height) continue;
                        sum += image.pixels[std::size_t((sy * image.width + sx) * 4 + c)];
                        ++count;
                    }
                out.pixels[std::size_t((y * image.width + x) * 4 + c)] = std::uint8_t(sum / count);
            }
    return out;
}

double psnr(const RgbaImage& a, const RgbaImage& b) {
    double sum = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i)
        if (i % 4 != 3)
            sum += (double(a.pixels[i]) - b.pixels[i]) * (double(a.pixels[i]) - b.pixels[i]);
    if (sum == 0) return 99.0;
    return 10 * std::log10(255.0 * 255.0 / (sum / (a.pixels.size() / 4 * 3)));
}

void MakeBackgroundPalette(benchmark::State& state) {
    const RgbaImage picture = softened(demoPicture("main256.bmp"));
    double quality = 0;
    for (auto _ : state) {
        auto made = artwork::quantiseBackground(picture, 1.0f, "main256.png");
        quality = psnr(artwork::toRgba(made.value()), picture);
        benchmark::DoNotOptimize(made);
    }
    state.counters["psnr_db"] = quality;
}
BENCHMARK(MakeBackgroundPalette)->Unit(benchmark::kMillisecond);

void MapIconOntoPalette(benchmark::State& state) {
    const RgbaImage icon = softened(demoPicture("movie256.bmp"));
    const artwork::Palette palette =
        images::scanBmp(demo::demoSourceSet()[0].second).picture->palette;
    for (auto _ : state) {
        auto mapped = artwork::mapOntoPalette(icon, palette, 1.0f, "movie256.png");
        benchmark::DoNotOptimize(mapped);
    }
}
BENCHMARK(MapIconOntoPalette)->Unit(benchmark::kMillisecond);

// Each demo background exported as PNG, converted, compared with its picture;
// the softened ones go through libimagequant.
void DemoBackgroundPsnr(benchmark::State& state, const char* name, bool soften) {
    QTemporaryDir dir;
    const RgbaImage picture = soften ? softened(demoPicture(name)) : demoPicture(name);
    QImage image(picture.width, picture.height, QImage::Format_RGBA8888);
    for (int row = 0; row < picture.height; ++row)
        std::copy_n(picture.pixels.begin() + row * picture.width * 4, picture.width * 4,
                    image.scanLine(row));
    const std::string path = dir.filePath("art.png").toStdString();
    image.save(QString::fromStdString(path));
    artwork::QtPictureDecoder decoder;
    double quality = 0;
    for (auto _ : state) {
        const auto source =
            artwork::convertFile(path, images::Source::MainBackground, decoder, {}, false, {});
        quality =
            psnr(artwork::flippedRows(artwork::toRgba(*images::scanBmp(source.value()).picture)),
                 picture);
    }
    state.counters["psnr_db"] = quality;
}
BENCHMARK_CAPTURE(DemoBackgroundPsnr, main, "main256.bmp", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DemoBackgroundPsnr, tree, "tree_main256.bmp", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DemoBackgroundPsnr, ebook, "ebook_main256.bmp", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DemoBackgroundPsnr, music, "music_main256.bmp", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DemoBackgroundPsnr, main_softened, "main256.bmp", true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DemoBackgroundPsnr, tree_softened, "tree_main256.bmp", true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DemoBackgroundPsnr, ebook_softened, "ebook_main256.bmp", true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DemoBackgroundPsnr, music_softened, "music_main256.bmp", true)
    ->Unit(benchmark::kMillisecond);

// The committed artwork in examples/demo/art, found from this file's place in the tree.
void ImportDemoArtwork(benchmark::State& state) {
    const std::string self = __FILE__;
    const std::string art = self.substr(0, self.rfind("bench/")) + "examples/demo/art";
    artwork::QtPictureDecoder decoder;
    for (auto _ : state) {
        auto set = artwork::importArtwork(art, decoder, {});
        if (!set) state.SkipWithError("import failed");
        benchmark::DoNotOptimize(set);
    }
}
BENCHMARK(ImportDemoArtwork)->Unit(benchmark::kMillisecond);

// Pictures whose header claims far more than their bytes hold, or that are
// huge but compress small: each must be refused or converted within 2 s and
// 64 MiB (the memory is measured on the real command, see the README).
Bytes hostileBmp() {
    Bytes bmp = images::makeBmpHeader(1, 33554432);
    bmp[28] = 24;  // 24 bits a pixel, no colour table: the pixels start at byte 54
    bmp[10] = 54;
    bmp[11] = 0;
    bmp.resize(118);
    return bmp;
}

Bytes hugeGradientPng() {
    QImage image(5790, 5790, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) row[x] = qRgb(x * 255 / 5790, y * 255 / 5790, 128);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return Bytes(png.begin(), png.end());
}

// A wallpaper as large as Debian's own WebP ones, with detail to decode.
Bytes wallpaperWebp() {
    QImage image(4096, 4096, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) row[x] = qRgb(x / 16, y / 16, (x ^ y) & 255);
    }
    QByteArray webp;
    QBuffer buffer(&webp);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "WEBP");
    return Bytes(webp.begin(), webp.end());
}

void ConvertLargeClaim(benchmark::State& state, Bytes (*make)()) {
    const Bytes file = make();
    artwork::ConvertOptions options;
    options.fit = artwork::Fit::Stretch;
    for (auto _ : state) {
        const auto decoded = artwork::decodePictureBytes(file.data(), file.size(), "big");
        if (decoded) {
            auto converted = artwork::convertPicture(
                decoded.value(), images::Source::MainBackground, options, {}, "big");
            benchmark::DoNotOptimize(converted);
        }
        benchmark::DoNotOptimize(decoded);
    }
}
BENCHMARK_CAPTURE(ConvertLargeClaim, bmp_1x33554432_in_118_bytes, hostileBmp)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ConvertLargeClaim, png_5790x5790, hugeGradientPng)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ConvertLargeClaim, webp_4096x4096, wallpaperWebp)->Unit(benchmark::kMillisecond);

}  // namespace
