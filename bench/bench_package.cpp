// Times skin packages: packing and unpacking a project whose twelve originals
// are photos of a few megabytes, and refusing compression bombs, whose peak
// memory is measured in a child process of its own.
#include "core/cli/sheet_png.h"
#include "core/package/package.h"
#include "core/project/project.h"
#include "core/skin/sheet.h"
#include "gui/artwork/qt_picture_decoder.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vireo;

namespace {

// A project whose twelve originals are 2400×1600 noisy JPEGs (about 3 MB each),
// every source derived from them.
struct PhotoProject {
    PhotoProject() : project(decoder, {}) {
        QImage photo(2400, 1600, QImage::Format_RGB32);
        QRandomGenerator random(7);
        for (int y = 0; y < photo.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(photo.scanLine(y));
            for (int x = 0; x < photo.width(); ++x) row[x] = random.generate() | 0xff000000u;
        }
        const QString art = dir.filePath("art");
        QDir().mkpath(art);
        photo.save(art + "/main256.jpg", "JPEG", 95);
        for (std::size_t i = 1; i < images::kSourceCount; ++i) {
            const QString name = QString(images::kSourceSet[i].fileName).chopped(4);
            QFile::copy(art + "/main256.jpg", art + "/" + name + ".jpg");
        }
        QFile back(dir.filePath("BACK"));
        back.open(QIODevice::WriteOnly);
        back.write(QByteArray(32, '\0'));
        back.close();
        (void)project.openFolder(dir.path().toStdString());
        (void)project.deriveStale(true);
    }
    QTemporaryDir dir;
    artwork::QtPictureDecoder decoder;
    project::Project project;
};

Bytes packOf(project::Project& project) {
    auto files = project.packageFiles();
    const Bytes* skinBytes = nullptr;
    for (const package::Entry& entry : files.value())
        if (entry.name == images::kSkinFileName) skinBytes = &entry.bytes;
    auto skinFile = skin::skinFileOf(*skinBytes, "bench");
    auto preview =
        cli::encodeSheetPng(skin::composeSheet(skinFile.value()), "bench", {VIREO_PNG_MODULE_DIR});
    files.value().push_back({package::kPreviewName, preview.value()});
    return package::writePackage(files.value(), {"bench", "", "MIT", "", ""}, "bench").value();
}

void BM_PackTwelvePhotos(benchmark::State& state) {
    PhotoProject folder;
    const std::string output = folder.dir.filePath("out.vskin").toStdString();
    for (auto _ : state) {
        const Bytes packed = packOf(folder.project);
        if (!writeFileAtomically(output, packed)) state.SkipWithError("write");
        state.counters["MB"] = static_cast<double>(packed.size()) / 1e6;
    }
}
BENCHMARK(BM_PackTwelvePhotos)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_UnpackTwelvePhotos(benchmark::State& state) {
    PhotoProject folder;
    const std::string package = folder.dir.filePath("in.vskin").toStdString();
    (void)writeFileAtomically(package, packOf(folder.project));
    QTemporaryDir into;
    artwork::QtPictureDecoder decoder;
    int round = 0;
    for (auto _ : state) {
        project::Project opened(decoder, {});
        const std::string folderPath = into.filePath(QString::number(round++)).toStdString();
        if (!opened.openPackage(package, folderPath)) state.SkipWithError("open");
    }
}
BENCHMARK(BM_UnpackTwelvePhotos)->Unit(benchmark::kMillisecond)->UseRealTime();

// Raw deflate of `size` zero bytes, made in blocks.
QByteArray deflatedZeros(std::size_t size) {
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
    std::vector<unsigned char> zeros(1 << 20, 0);
    QByteArray out;
    std::vector<unsigned char> chunk(1 << 16);
    for (std::size_t left = size; left > 0 || stream.avail_in > 0;) {
        if (stream.avail_in == 0) {
            const std::size_t take = std::min(left, zeros.size());
            stream.next_in = zeros.data();
            stream.avail_in = static_cast<uInt>(take);
            left -= take;
        }
        do {
            stream.next_out = chunk.data();
            stream.avail_out = static_cast<uInt>(chunk.size());
            deflate(&stream, left == 0 ? Z_FINISH : Z_NO_FLUSH);
            out.append(reinterpret_cast<char*>(chunk.data()),
                       static_cast<int>(chunk.size() - stream.avail_out));
        } while (stream.avail_out == 0);
        if (left == 0) break;
    }
    deflateEnd(&stream);
    return out;
}

void put(QByteArray& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.append(char((value >> (8 * i)) & 0xff));
}

// One zip entry, stored or deflated, with the sizes and CRC its header claims.
void addEntry(QByteArray& zip, QByteArray& central, int& count, const QByteArray& name,
              const QByteArray& stored, bool deflated, std::uint32_t size, std::uint32_t crc) {
    const auto offset = static_cast<std::uint32_t>(zip.size());
    const auto header = [&](QByteArray& out) {
        put(out, 20, 2), put(out, 0, 2), put(out, deflated ? 8 : 0, 2), put(out, 0, 4);
        put(out, crc, 4), put(out, std::uint32_t(stored.size()), 4), put(out, size, 4);
        put(out, std::uint32_t(name.size()), 2), put(out, 0, 2);
    };
    put(zip, 0x04034b50, 4);
    header(zip);
    zip.append(name).append(stored);
    put(central, 0x02014b50, 4), put(central, 0x0314, 2);
    header(central);
    put(central, 0, 2), put(central, 0, 2), put(central, 0, 2), put(central, 0100644u << 16, 4);
    put(central, offset, 4);
    central.append(name);
    ++count;
}

// The twelve sources and BACK, then art/main256.png inflating to 1 GiB of
// zeros whose header claims `claimed` bytes.
Bytes bombPackage(std::uint32_t claimed) {
    QByteArray zip, central;
    int count = 0;
    for (const images::SourceImage& image : images::kSourceSet) {
        const QByteArray bytes(int(image.requiredLength()), '\0');
        addEntry(zip, central, count, image.fileName, bytes, false, std::uint32_t(bytes.size()),
                 std::uint32_t(
                     crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), uInt(bytes.size()))));
    }
    addEntry(
        zip, central, count, "BACK", QByteArray(32, '\0'), false, 32,
        std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(QByteArray(32, '\0').data()), 32)));
    addEntry(zip, central, count, "art/main256.png", deflatedZeros(std::size_t(1) << 30), true,
             claimed, 0);
    const auto centralOffset = static_cast<std::uint32_t>(zip.size());
    zip.append(central);
    put(zip, 0x06054b50, 4), put(zip, 0, 4), put(zip, std::uint32_t(count), 2);
    put(zip, std::uint32_t(count), 2), put(zip, std::uint32_t(central.size()), 4);
    put(zip, centralOffset, 4), put(zip, 0, 2);
    return Bytes(zip.begin(), zip.end());
}

// This process's resident memory now, in KiB.
long residentKiB() {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Refuses the bomb in a child and reports how far its peak memory rose above
// what it started with: a forked child also counts the pages it shares with
// this process, which the benchmarks before have grown.
void refuseInChild(benchmark::State& state, const Bytes& bomb) {
    int channel[2];
    if (pipe(channel) != 0) return state.SkipWithError("pipe");
    const pid_t child = fork();
    if (child == 0) {
        const long start = residentKiB();
        const bool refused = !package::readPackage(bomb, "bomb.vskin").ok();
        struct rusage usage {};
        getrusage(RUSAGE_SELF, &usage);
        const long rise = usage.ru_maxrss - start;
        _exit(write(channel[1], &rise, sizeof rise) == sizeof rise && refused ? 0 : 1);
    }
    close(channel[1]);
    long rise = 0;
    const bool told = read(channel[0], &rise, sizeof rise) == sizeof rise;
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!told || !WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("not refused");
    state.counters["peak_rise_MiB"] = static_cast<double>(rise) / 1024.0;
}

void BM_RefuseBombThatLies(benchmark::State& state) {
    const Bytes bomb = bombPackage(1000);
    for (auto _ : state) refuseInChild(state, bomb);
}
BENCHMARK(BM_RefuseBombThatLies)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RefuseBombThatClaimsItsSize(benchmark::State& state) {
    const Bytes bomb = bombPackage(1u << 30);
    for (auto _ : state) refuseInChild(state, bomb);
}
BENCHMARK(BM_RefuseBombThatClaimsItsSize)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
