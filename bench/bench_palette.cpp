// How close the main screen and the directory-tree screen come, as the player
// shows them, to the true-colour screens, for sets of real pictures (the
// photos of mate-backgrounds and the 256-pixel icons of mate-icon-theme, see
// scripts/install-bench-deps). Each set is imported through the one derive
// road; the screen is then drawn as the player draws it: the background with
// its palette and the icons' indices at their places, with the same palette.
// Beside it stands what one palette can give at best by libimagequant's own
// measure: the library run on the finished true-colour screen. Prints PSNR
// and SSIM for the whole screen and for the icon areas, each set and the
// medians, then the times of an import and of the re-derives the windows do.
//
//   vireo-bench-palette [--sets N] [--repeat N]

#include "core/artwork/derive.h"
#include "core/artwork/fit.h"
#include "core/artwork/import.h"
#include "core/images/bmp.h"
#include "core/images/icons.h"
#include "core/settings/record.h"
#include "core/skin/skin_layout.h"
#include "gui/artwork/qt_picture_decoder.h"

#include <libimagequant.h>

#include <sys/resource.h>
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace vireo;
using artwork::RgbaImage;
using images::Source;
namespace fs = std::filesystem;

namespace {

const char* const kPhotoFolder = "/usr/share/backgrounds/mate/nature";
const char* const kIconFolder = "/usr/share/icons/mate/256x256/";

// Coloured and grey icons mixed, so that each set has some of both.
const char* const kIconNames[] = {
    "devices/camera-video.png",          "devices/computer.png",
    "devices/audio-speakers.png",        "devices/drive-harddisk.png",
    "apps/accessories-dictionary.png",   "apps/utilities-terminal.png",
    "devices/camera-photo.png",          "devices/printer.png",
    "devices/input-gaming.png",          "apps/accessories-calculator.png",
    "categories/preferences-system.png", "apps/help-browser.png",
};
const char* const kSmallIconNames[] = {"places/folder.png", "actions/back.png"};

constexpr Source kBackgrounds[] = {Source::MainBackground, Source::TreeBackground,
                                   Source::EbookBackground, Source::MusicBackground};

struct Failure {
    std::string what;
};

// ---- pictures ------------------------------------------------------------

struct Screen {
    int width = 0, height = 0;
    std::vector<float> rgb;  // three floats a pixel, 0 to 255
    std::vector<bool> inIcon;
};

Screen screenOf(const RgbaImage& image) {
    Screen s{image.width, image.height, {}, {}};
    s.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    s.inIcon.assign(static_cast<std::size_t>(image.width) * image.height, false);
    for (std::size_t i = 0; i < s.inIcon.size(); ++i)
        for (int c = 0; c < 3; ++c) s.rgb[i * 3 + c] = image.pixels[i * 4 + c];
    return s;
}

// `icon` over `screen` at (left, top), its alpha blended as any viewer does.
void drawOver(Screen& screen, const RgbaImage& icon, int left, int top) {
    for (int y = 0; y < icon.height; ++y)
        for (int x = 0; x < icon.width; ++x) {
            const int sx = left + x, sy = top + y;
            if (sx >= screen.width || sy >= screen.height) continue;
            const std::size_t at = static_cast<std::size_t>(sy) * screen.width + sx;
            const std::uint8_t* p =
                &icon.pixels[(static_cast<std::size_t>(y) * icon.width + x) * 4];
            const float a = p[3] / 255.0f;
            for (int c = 0; c < 3; ++c)
                screen.rgb[at * 3 + c] = std::round(p[c] * a + screen.rgb[at * 3 + c] * (1 - a));
            screen.inIcon[at] = true;
        }
}

// Icon indices drawn as they stand, with the background's palette: the player's way.
void drawIndices(Screen& screen, const images::IndexedPicture& icon, const images::Palette& palette,
                 int left, int top) {
    RgbaImage shown{icon.width, icon.height, {}};
    for (const std::uint8_t index : icon.indices) {
        const images::Colour c = palette[index];
        shown.pixels.insert(shown.pixels.end(), {c.red, c.green, c.blue, 255});
    }
    drawOver(screen, shown, left, top);
}

// ---- measures ------------------------------------------------------------

struct Quality {
    double screenPsnr = 0, screenSsim = 0, iconPsnr = 0, iconSsim = 0;
};

double psnrOf(double squaredError, std::size_t samples) {
    if (samples == 0) return 0;
    if (squaredError == 0) return 99;
    return 10 * std::log10(255.0 * 255.0 * samples / squaredError);
}

std::vector<float> luma(const Screen& s) {
    std::vector<float> y(s.inIcon.size());
    for (std::size_t i = 0; i < y.size(); ++i)
        y[i] = 0.299f * s.rgb[i * 3] + 0.587f * s.rgb[i * 3 + 1] + 0.114f * s.rgb[i * 3 + 2];
    return y;
}

// PSNR over the three channels; SSIM of the luma in 7×7 windows, each window
// counted for the icon areas when its centre lies in one.
Quality compare(const Screen& truth, const Screen& shown) {
    double all = 0, icons = 0;
    std::size_t iconPixels = 0;
    for (std::size_t i = 0; i < truth.inIcon.size(); ++i) {
        double e = 0;
        for (int c = 0; c < 3; ++c) {
            const double d = truth.rgb[i * 3 + c] - shown.rgb[i * 3 + c];
            e += d * d;
        }
        all += e;
        if (truth.inIcon[i]) {
            icons += e;
            ++iconPixels;
        }
    }
    Quality q;
    q.screenPsnr = psnrOf(all, truth.inIcon.size() * 3);
    q.iconPsnr = psnrOf(icons, iconPixels * 3);

    const std::vector<float> a = luma(truth), b = luma(shown);
    const double c1 = (0.01 * 255) * (0.01 * 255), c2 = (0.03 * 255) * (0.03 * 255);
    double ssimAll = 0, ssimIcons = 0;
    int windows = 0, iconWindows = 0;
    const int r = 3;
    for (int y = r; y + r < truth.height; ++y)
        for (int x = r; x + r < truth.width; ++x) {
            double ma = 0, mb = 0, va = 0, vb = 0, cov = 0;
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx) {
                    const std::size_t i = static_cast<std::size_t>(y + dy) * truth.width + x + dx;
                    ma += a[i];
                    mb += b[i];
                }
            const double n = (2 * r + 1) * (2 * r + 1);
            ma /= n;
            mb /= n;
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx) {
                    const std::size_t i = static_cast<std::size_t>(y + dy) * truth.width + x + dx;
                    va += (a[i] - ma) * (a[i] - ma);
                    vb += (b[i] - mb) * (b[i] - mb);
                    cov += (a[i] - ma) * (b[i] - mb);
                }
            va /= n - 1;
            vb /= n - 1;
            cov /= n - 1;
            const double s =
                ((2 * ma * mb + c1) * (2 * cov + c2)) / ((ma * ma + mb * mb + c1) * (va + vb + c2));
            ssimAll += s;
            ++windows;
            if (truth.inIcon[static_cast<std::size_t>(y) * truth.width + x]) {
                ssimIcons += s;
                ++iconWindows;
            }
        }
    q.screenSsim = windows ? ssimAll / windows : 0;
    q.iconSsim = iconWindows ? ssimIcons / iconWindows : 0;
    return q;
}

// ---- the ceiling: libimagequant on the finished true-colour screen ----------

RgbaImage rgbaOf(const Screen& s) {
    RgbaImage out{s.width, s.height, {}};
    for (std::size_t i = 0; i < s.inIcon.size(); ++i)
        out.pixels.insert(out.pixels.end(), {static_cast<std::uint8_t>(s.rgb[i * 3]),
                                             static_cast<std::uint8_t>(s.rgb[i * 3 + 1]),
                                             static_cast<std::uint8_t>(s.rgb[i * 3 + 2]), 255});
    return out;
}

// One palette for all of `screens`, each remapped onto it, as pngquant would
// (its default speed and full dithering).
std::vector<Screen> oneToolPalette(const std::vector<Screen>& screens) {
    liq_attr* attr = liq_attr_create();
    liq_histogram* histogram = liq_histogram_create(attr);
    std::vector<RgbaImage> pictures;
    std::vector<liq_image*> images;
    for (const Screen& s : screens) pictures.push_back(rgbaOf(s));
    for (RgbaImage& p : pictures) {
        images.push_back(liq_image_create_rgba(attr, p.pixels.data(), p.width, p.height, 0));
        liq_histogram_add_image(histogram, attr, images.back());
    }
    liq_result* result = nullptr;
    if (liq_histogram_quantize(histogram, attr, &result) != LIQ_OK)
        throw Failure{"libimagequant refused the true-colour screen"};
    liq_set_dithering_level(result, 1.0f);
    std::vector<Screen> out;
    for (std::size_t k = 0; k < screens.size(); ++k) {
        std::vector<std::uint8_t> indices(pictures[k].pixels.size() / 4);
        liq_write_remapped_image(result, images[k], indices.data(), indices.size());
        const liq_palette* palette = liq_get_palette(result);
        Screen s = screens[k];
        for (std::size_t i = 0; i < indices.size(); ++i) {
            const liq_color c = palette->entries[indices[i]];
            s.rgb[i * 3] = c.r;
            s.rgb[i * 3 + 1] = c.g;
            s.rgb[i * 3 + 2] = c.b;
        }
        out.push_back(std::move(s));
    }
    for (liq_image* image : images) liq_image_destroy(image);
    liq_result_destroy(result);
    liq_histogram_destroy(histogram);
    liq_attr_destroy(attr);
    return out;
}

// ---- one set ---------------------------------------------------------------

struct SetResult {
    Quality main, mainCeiling, tree, treeCeiling;
    double importMs = 0, iconMs = 0, backgroundMs = 0;
};

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string extensionOf(const std::string& path) {
    return fs::path(path).extension().string();
}

template <typename T>
T need(Result<T> result, const std::string& what) {
    if (!result) throw Failure{what + ": " + result.error().path + " " + result.error().detail};
    return std::move(result).value();
}

images::IndexedPicture shownPicture(const Bytes& bmp) {
    const images::BmpScan scan = images::scanBmp(bmp);
    if (!scan.picture) throw Failure{"derived file unreadable"};
    return scan.storedOrder();
}

SetResult measureSet(const std::vector<std::string>& photos, std::size_t k,
                     const std::vector<std::string>& icons, int repeat) {
    const fs::path art = fs::temp_directory_path() / ("vireo-bench-palette-" + std::to_string(k));
    fs::remove_all(art);
    fs::create_directories(art);
    std::array<std::string, images::kSourceCount> originalOf;
    const auto place = [&](Source role, const std::string& from) {
        const std::string name = images::sourceImage(role).fileName;
        const fs::path to = art / (name.substr(0, name.rfind('.')) + extensionOf(from));
        fs::copy_file(from, to);
        originalOf[indexOf(role)] = to.string();
    };
    for (std::size_t b = 0; b < 4; ++b) place(kBackgrounds[b], photos[(k + b) % photos.size()]);
    for (std::size_t i = 0; i < images::kMainScreenIconCount; ++i)
        place(images::kMainScreenIcons[i].source, icons[(k + i) % icons.size()]);
    place(Source::FolderIcon, std::string(kIconFolder) + kSmallIconNames[0]);
    place(Source::ParentFolderIcon, std::string(kIconFolder) + kSmallIconNames[1]);

    artwork::QtPictureDecoder decoder;
    artwork::ImportOptions options;
    options.convert.fit = artwork::Fit::Cover;
    SetResult out;
    std::vector<artwork::OutputFile> files;
    std::vector<double> times;
    for (int r = 0; r < repeat; ++r) {
        const auto start = std::chrono::steady_clock::now();
        files = need(artwork::importArtwork(art.string(), decoder, options), "import");
        times.push_back(msSince(start));
    }
    out.importMs = median(times);
    std::array<images::IndexedPicture, images::kSourceCount> derived;
    for (const auto& file : files)
        if (const auto role = artwork::sourceNamed(file.name))
            derived[indexOf(*role)] = shownPicture(file.bytes);

    // The originals as the derive road fits them: the true-colour pictures.
    std::array<artwork::FittedOriginal, images::kSourceCount> fitted;
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        fitted[i] = need(artwork::loadOriginal(originalOf[i], static_cast<Source>(i), decoder,
                                               artwork::Fit::Cover, false),
                         "load");
    const settings::Record record = settings::defaultRecord();

    // Main screen: true colour, as the player shows our derive, the ceiling.
    Screen truth = screenOf(fitted[indexOf(Source::MainBackground)].fitted);
    const images::IndexedPicture& main = derived[indexOf(Source::MainBackground)];
    Screen shown = screenOf(images::toRgba(main));
    for (const images::PlacedIcon& icon : images::kMainScreenIcons) {
        const int x = record[icon.xOffset], y = record[icon.yOffset];
        drawOver(truth, fitted[indexOf(icon.source)].fitted, x, y);
        drawIndices(shown, derived[indexOf(icon.source)], main.palette, x, y);
    }
    out.main = compare(truth, shown);
    out.mainCeiling = compare(truth, oneToolPalette({truth})[0]);

    // Directory tree: each small icon where the file list begins, measured
    // on a screen of its own; the ceiling's one palette serves both.
    const int fx = record[images::kFileListPosition.xOffset];
    const int fy = record[images::kFileListPosition.yOffset];
    const images::IndexedPicture& tree = derived[indexOf(Source::TreeBackground)];
    std::vector<Screen> treeTruths, treeShown;
    for (const Source small : {Source::FolderIcon, Source::ParentFolderIcon}) {
        Screen t = screenOf(fitted[indexOf(Source::TreeBackground)].fitted);
        Screen s = screenOf(images::toRgba(tree));
        drawOver(t, fitted[indexOf(small)].fitted, fx, fy);
        drawIndices(s, derived[indexOf(small)], tree.palette, fx, fy);
        treeTruths.push_back(std::move(t));
        treeShown.push_back(std::move(s));
    }
    const std::vector<Screen> treeCeiling = oneToolPalette(treeTruths);
    const auto mean = [](const Quality& a, const Quality& b) {
        return Quality{(a.screenPsnr + b.screenPsnr) / 2, (a.screenSsim + b.screenSsim) / 2,
                       (a.iconPsnr + b.iconPsnr) / 2, (a.iconSsim + b.iconSsim) / 2};
    };
    out.tree = mean(compare(treeTruths[0], treeShown[0]), compare(treeTruths[1], treeShown[1]));
    out.treeCeiling =
        mean(compare(treeTruths[0], treeCeiling[0]), compare(treeTruths[1], treeCeiling[1]));

    // The windows' re-derives: one icon moved, and a new main background
    // with every icon drawn over it, the other sources as they stand.
    const auto rederive = [&](std::vector<Source> which, settings::Record at) {
        artwork::DeriveJob job;
        job.record = at;
        job.options = options.convert;
        for (std::size_t i = 0; i < images::kSourceCount; ++i) job.existing[i] = derived[i];
        for (const Source s : which) {
            job.originals[indexOf(s)] = &fitted[indexOf(s)];
            job.wanted[indexOf(s)] = true;
        }
        std::vector<double> t;
        for (int r = 0; r < repeat; ++r) {
            const auto start = std::chrono::steady_clock::now();
            need(artwork::deriveSet(job), "derive");
            t.push_back(msSince(start));
        }
        return median(t);
    };
    settings::Record moved = record;
    moved[images::xOffsetOf(Source::MovieIcon)] += 7;
    out.iconMs = rederive({Source::MovieIcon}, moved);
    std::vector<Source> withIcons{Source::MainBackground};
    for (const images::PlacedIcon& icon : images::kMainScreenIcons)
        withIcons.push_back(icon.source);
    out.backgroundMs = rederive(withIcons, record);
    fs::remove_all(art);
    return out;
}

void printQuality(const char* label, const Quality& q) {
    std::printf("  %-22s %6.2f dB %6.4f   %6.2f dB %6.4f\n", label, q.screenPsnr, q.screenSsim,
                q.iconPsnr, q.iconSsim);
}

Quality medianOf(const std::vector<SetResult>& all, Quality SetResult::*which) {
    std::vector<double> a, b, c, d;
    for (const SetResult& r : all) {
        a.push_back((r.*which).screenPsnr);
        b.push_back((r.*which).screenSsim);
        c.push_back((r.*which).iconPsnr);
        d.push_back((r.*which).iconSsim);
    }
    return {median(a), median(b), median(c), median(d)};
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t sets = 12;
    int repeat = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--sets") == 0) sets = std::stoul(argv[i + 1]);
        if (std::strcmp(argv[i], "--repeat") == 0) repeat = std::max(1, std::stoi(argv[i + 1]));
    }
    std::vector<std::string> photos;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(kPhotoFolder, error))
        if (entry.path().extension() == ".jpg") photos.push_back(entry.path().string());
    std::sort(photos.begin(), photos.end());
    std::vector<std::string> icons;
    for (const char* name : kIconNames)
        if (fs::exists(std::string(kIconFolder) + name))
            icons.push_back(std::string(kIconFolder) + name);
    if (photos.size() < 4 || icons.size() < 6 ||
        !fs::exists(std::string(kIconFolder) + kSmallIconNames[0]) ||
        !fs::exists(std::string(kIconFolder) + kSmallIconNames[1])) {
        std::fprintf(stderr,
                     "vireo-bench-palette: the pictures are missing; run "
                     "scripts/install-bench-deps\n");
        return 2;
    }
    sets = std::min(sets, photos.size());
    std::vector<SetResult> all;
    std::printf("%-24s %-18s %-18s\n", "", "whole screen", "icon areas");
    std::printf("%-24s %-18s %-18s\n", "", "PSNR     SSIM", "PSNR     SSIM");
    try {
        for (std::size_t k = 0; k < sets; ++k) {
            all.push_back(measureSet(photos, k, icons, repeat));
            const SetResult& r = all.back();
            std::printf("%s\n", fs::path(photos[k]).stem().string().c_str());
            printQuality("main screen", r.main);
            printQuality("main, one-tool ceiling", r.mainCeiling);
            printQuality("tree screen", r.tree);
            printQuality("tree, one-tool ceiling", r.treeCeiling);
            std::printf("  import %.0f ms, one icon %.1f ms, background and icons %.0f ms\n",
                        r.importMs, r.iconMs, r.backgroundMs);
            std::fflush(stdout);
        }
    } catch (const Failure& failure) {
        std::fprintf(stderr, "vireo-bench-palette: %s\n", failure.what.c_str());
        return 1;
    }
    std::printf("median of %zu sets\n", all.size());
    printQuality("main screen", medianOf(all, &SetResult::main));
    printQuality("main, one-tool ceiling", medianOf(all, &SetResult::mainCeiling));
    printQuality("tree screen", medianOf(all, &SetResult::tree));
    printQuality("tree, one-tool ceiling", medianOf(all, &SetResult::treeCeiling));
    std::vector<double> imports, iconTimes, backgroundTimes, worst;
    for (const SetResult& r : all) {
        imports.push_back(r.importMs);
        iconTimes.push_back(r.iconMs);
        backgroundTimes.push_back(r.backgroundMs);
        worst.push_back(std::min(r.main.screenPsnr - r.mainCeiling.screenPsnr,
                                 r.main.iconPsnr - r.mainCeiling.iconPsnr));
    }
    std::printf("  worst set against its ceiling: %+.2f dB\n",
                *std::min_element(worst.begin(), worst.end()));
    std::printf(
        "  import of twelve pictures %.0f ms, one icon %.1f ms, background and icons %.0f ms\n",
        median(imports), median(iconTimes), median(backgroundTimes));
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("  peak memory of this program %.0f MiB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
