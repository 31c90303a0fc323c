// Times the project's derives: one icon again after a move, a new main
// background with every icon over it, opening a finished skin, and an import
// of twelve pictures, all from the demo's artwork.
#include "core/artwork/import.h"
#include "core/project/project.h"
#include "gui/artwork/qt_picture_decoder.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <chrono>
#include <thread>

using namespace vireo;
using images::Source;

namespace {

// A project folder imported from a copy of the demo's artwork, derived once.
struct BenchFolder {
    BenchFolder() : project(decoder, {}) {
        const QString art = dir.filePath("art");
        QDir().mkpath(art);
        const QDir demo(QStringLiteral(VIREO_DEMO_DIR "art"));
        for (const QString& name : demo.entryList(QDir::Files))
            QFile::copy(demo.filePath(name), art + "/" + name);
        auto made = artwork::importArtwork(art.toStdString(), decoder, {});
        std::vector<OutputFile> files;
        for (auto& file : made.value())
            files.push_back(
                {dir.filePath(QString::fromStdString(file.name)).toStdString(), file.bytes});
        (void)writeFilesAtomically(files);
        (void)project.openFolder(dir.path().toStdString());
        (void)project.deriveStale(true);
    }
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
    QTemporaryDir dir;
    artwork::QtPictureDecoder decoder;
    project::Project project;
};

std::string gradient(const QTemporaryDir& dir, int variant) {
    QImage picture(240, 160, QImage::Format_RGB32);
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 240; ++x)
            picture.setPixelColor(
                x, y, QColor((x + variant * 90) % 256, (3 * y) % 256, (x * y + variant) % 256));
    const QString path = dir.filePath(QString("wall%1.png").arg(variant));
    picture.save(path, "PNG");
    return path.toStdString();
}

void BM_ProjectIconDerivedAgain(benchmark::State& state) {
    BenchFolder folder;
    int step = 0;
    for (auto _ : state) {
        const int x = 12 + (step++ % 2) * 40;
        (void)folder.project.setPosition(project::RecordItem::MoviePosition, {x, 26});
        if (!folder.project.derive(Source::MovieIcon)) state.SkipWithError("derive failed");
    }
}
BENCHMARK(BM_ProjectIconDerivedAgain)->Unit(benchmark::kMillisecond);

void BM_ProjectNewMainBackground(benchmark::State& state) {
    BenchFolder folder;
    const std::array<std::string, 2> walls = {gradient(folder.dir, 1), gradient(folder.dir, 2)};
    int step = 0;
    for (auto _ : state) {
        const auto& wall = walls[static_cast<std::size_t>(step++ % 2)];
        if (!folder.project.setOriginal(Source::MainBackground, wall, artwork::Fit::Cover))
            state.SkipWithError("derive failed");
    }
}
BENCHMARK(BM_ProjectNewMainBackground)->Unit(benchmark::kMillisecond);

// Twelve photo originals of a few MB each (noise, so PNG cannot shrink
// them), derived once and older than the racy window when timing starts.
struct PhotoFolder : BenchFolder {
    PhotoFolder() {
        for (const images::SourceImage& source : images::kSourceSet) {
            QImage photo(1000, 750, QImage::Format_RGB32);
            quint32 noise = 12345u + static_cast<quint32>(source.width);
            for (int y = 0; y < photo.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
                for (int x = 0; x < photo.width(); ++x)
                    line[x] = (noise = noise * 1664525u + 1013904223u);
            }
            const std::string name = source.fileName;
            const QString stem = QString::fromStdString(name.substr(0, name.size() - 4));
            QFile::remove(dir.filePath("art/" + stem + ".png"));
            photo.save(dir.filePath("art/" + stem + ".png"), "PNG");
        }
        (void)project.deriveStale(true, artwork::Fit::Cover);
        std::this_thread::sleep_for(std::chrono::milliseconds(2100));
        (void)project.changedOnDisk();
    }
};

// The check before every action: a stat per file, a hash only where the
// stat cannot prove a file unchanged.
void BM_ProjectDiskCheck(benchmark::State& state) {
    PhotoFolder folder;
    for (auto _ : state)
        if (!folder.project.changedOnDisk().empty()) state.SkipWithError("changed");
}
BENCHMARK(BM_ProjectDiskCheck)->Unit(benchmark::kMillisecond);

void BM_ProjectOpenFolder(benchmark::State& state) {
    PhotoFolder folder;
    for (auto _ : state) {
        project::Project opened(folder.decoder, {});
        if (!opened.openFolder(folder.dir.path().toStdString())) state.SkipWithError("open failed");
    }
}
BENCHMARK(BM_ProjectOpenFolder)->Unit(benchmark::kMillisecond);

void BM_ProjectOpenSkin(benchmark::State& state) {
    BenchFolder folder;
    const std::string skin = folder.path("BACKIMG");
    (void)folder.project.generate(skin);
    int step = 0;
    for (auto _ : state) {
        const std::string target = folder.path("opened") + std::to_string(step++);
        project::Project opened(folder.decoder, {});
        if (!opened.openSkin(skin, target)) state.SkipWithError("open failed");
    }
}
BENCHMARK(BM_ProjectOpenSkin)->Unit(benchmark::kMillisecond);

void BM_ImportTwelvePictures(benchmark::State& state) {
    BenchFolder folder;
    for (auto _ : state) {
        auto made = artwork::importArtwork(folder.path("art"), folder.decoder, {});
        if (!made) state.SkipWithError("import failed");
        benchmark::DoNotOptimize(made);
    }
}
BENCHMARK(BM_ImportTwelvePictures)->Unit(benchmark::kMillisecond);

// Twelve ordinary pictures of other sizes, as an author brings them: photo-like
// backgrounds of 1600×1200 and icons of 512×512 with transparent corners.
void BM_ImportTwelvePhotos(benchmark::State& state) {
    QTemporaryDir dir;
    for (const images::SourceImage& source : images::kSourceSet) {
        const bool large = source.width == 240;
        QImage picture(large ? 1600 : 512, large ? 1200 : 512, QImage::Format_ARGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const bool inside =
                    large || (x - 256) * (x - 256) + (y - 256) * (y - 256) < 220 * 220;
                picture.setPixelColor(x, y,
                                      QColor((x * 7 + y) % 256, (y * 5 + source.width) % 256,
                                             (x ^ y) % 256, inside ? 255 : 0));
            }
        const std::string name = source.fileName;
        picture.save(
            dir.filePath(QString::fromStdString(name.substr(0, name.size() - 4)) + ".png"));
    }
    artwork::QtPictureDecoder decoder;
    artwork::ImportOptions options;
    options.convert.fit = artwork::Fit::Cover;
    for (auto _ : state) {
        auto made = artwork::importArtwork(dir.path().toStdString(), decoder, options);
        if (!made) state.SkipWithError("import failed");
        benchmark::DoNotOptimize(made);
    }
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_ImportTwelvePhotos)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
