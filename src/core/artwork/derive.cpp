#include "core/artwork/derive.h"

#include "core/artwork/picture_formats.h"
#include "core/base/ascii_text.h"
#include "core/base/parallel.h"
#include "core/images/icons.h"

#include "core/skin/skin_layout.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace vireo::artwork {

namespace {

// Two originals for one source: the code, then the path of the one found first.
constexpr char kSameSourceAs[] = "same-source-as: ";

std::string stemOf(const char* fileName) {
    const std::string name = fileName;
    return name.substr(0, name.rfind('.'));
}

bool drawnWith(std::size_t icon, std::size_t background) {
    const auto role = static_cast<images::Source>(icon);
    return !isBackground(role) && indexOf(skin::paletteSourceOf(role)) == background;
}

// `icon` as the player shows it over `screen` (opaque, screen-sized) where
// `record` places it; parts off the screen lie over the matte.
RgbaImage shownOver(std::size_t icon, const RgbaImage& fitted, const RgbaImage& screen,
                    const DeriveJob& job) {
    const images::Icon* placed = images::iconOf(static_cast<images::Source>(icon));
    const images::RecordPosition at = placed->position.value_or(images::kFileListPosition);
    const int left = job.record[at.xOffset];
    const int top = job.record[at.yOffset];
    RgbaImage under{fitted.width, fitted.height, {}};
    under.pixels.reserve(fitted.pixels.size());
    for (int row = 0; row < fitted.height; ++row)
        for (int col = 0; col < fitted.width; ++col) {
            const int x = left + col, y = top + row;
            if (x < screen.width && y < screen.height) {
                const auto p =
                    screen.pixels.begin() + (static_cast<std::ptrdiff_t>(y) * screen.width + x) * 4;
                under.pixels.insert(under.pixels.end(), p, p + 4);
            } else {
                const Colour m = job.options.matte;
                under.pixels.insert(under.pixels.end(), {m.red, m.green, m.blue, 255});
            }
        }
    return compositeOver(fitted, &under, job.options.matte);
}

// `square` put on `screen` where `record` places main-screen icon `icon`, as
// the player draws it: whole, over whatever was there.
void paste(RgbaImage& screen, const RgbaImage& square, std::size_t icon, const DeriveJob& job) {
    const images::Icon* placed = images::iconOf(static_cast<images::Source>(icon));
    const int left = job.record[placed->position->xOffset];
    const int top = job.record[placed->position->yOffset];
    for (int row = 0; row < square.height && top + row < screen.height; ++row)
        for (int col = 0; col < square.width && left + col < screen.width; ++col)
            std::copy_n(&square.pixels[static_cast<std::size_t>(row * square.width + col) * 4], 4,
                        &screen.pixels[(static_cast<std::size_t>(top + row) * screen.width +
                                        static_cast<std::size_t>(left + col)) *
                                       4]);
}

// The colours a background's palette must also serve: each icon drawn with
// it, as the player will show it over this background and the icons drawn
// before it where the record places them (its original), or as it stands
// (an existing source).
std::vector<RgbaImage> iconsDrawnWith(const DeriveJob& job, std::size_t background,
                                      const RgbaImage& screen) {
    std::vector<RgbaImage> icons;
    const bool screenSized =
        screen.width == images::kScreenWidth && screen.height == images::kScreenHeight;
    RgbaImage soFar = screen;
    for (const images::Icon& placed : images::kIcons) {
        const std::size_t i = indexOf(placed.source);
        if (!drawnWith(i, background)) continue;
        if (job.originals[i]) {
            const RgbaImage shown = screenSized ? shownOver(i, job.originals[i]->fitted, soFar, job)
                                                : job.originals[i]->fitted;
            // Counted twice: the palette also serves the background hidden
            // under the icons, and without more weight the icons' own colours
            // come out grainier than the one palette of the shown screen gives.
            icons.insert(icons.end(), 2, shown);
        } else if (job.existing[i]) {
            icons.push_back(toRgba(*job.existing[i]));
        } else {
            continue;
        }
        if (screenSized && placed.position) paste(soFar, icons.back(), i, job);
    }
    return icons;
}

Result<IndexedPicture> deriveBackground(const DeriveJob& job, std::size_t i) {
    const FittedOriginal& original = *job.originals[i];
    if (original.exact) return *original.exact;
    return convertPicture(original.fitted, static_cast<images::Source>(i), job.options, {},
                          original.path,
                          iconsDrawnWith(job, i, opaqueBackground(original.fitted, job.options)));
}

// The backgrounds wanted, several at once: they share nothing.
Result<void> deriveBackgrounds(const DeriveJob& job, DerivedSet& made) {
    std::vector<std::size_t> wanted;
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        if (job.wanted[i] && isBackground(static_cast<images::Source>(i))) wanted.push_back(i);
    std::vector<std::optional<Result<IndexedPicture>>> results(wanted.size());
    forEachInParallel(wanted.size(),
                      [&](std::size_t k) { results[k] = deriveBackground(job, wanted[k]); });
    for (std::size_t k = 0; k < wanted.size(); ++k) {
        if (!*results[k]) return results[k]->error();
        made[wanted[k]] = std::move(*results[k]).value();
    }
    return {};
}

const IndexedPicture* pictureOf(const DeriveJob& job, const DerivedSet& made, std::size_t i) {
    if (made[i]) return &*made[i];
    return job.existing[i] ? &*job.existing[i] : nullptr;
}

Result<IndexedPicture> deriveIcon(const DeriveJob& job, const DerivedSet& made, std::size_t i) {
    const auto role = static_cast<images::Source>(i);
    const std::size_t paletteIndex = indexOf(skin::paletteSourceOf(role));
    const IndexedPicture* palette = pictureOf(job, made, paletteIndex);
    if (!palette)
        return Error{Error::Kind::Invalid, images::kSourceSet[paletteIndex].fileName,
                     "icon-background-missing"};
    IconContext icon;
    icon.drawPalette = palette->palette;
    ScreenIcons drawn{};
    for (std::size_t k = 0; k < images::kSourceCount; ++k) drawn[k] = pictureOf(job, made, k);
    if (palette->width == images::kScreenWidth && palette->height == images::kScreenHeight)
        icon.backdrop = backdropUnderIcon(role, *palette, job.record, job.options.matte, drawn);
    const FittedOriginal& original = *job.originals[i];
    return convertPicture(original.fitted, role, job.options, icon, original.path);
}

}  // namespace

Result<OriginalPaths> findOriginals(const std::string& artFolder) {
    std::vector<Error> problems;
    auto found = findOriginals(artFolder, problems);
    if (found && !problems.empty()) return problems.front();
    return found;
}

Result<OriginalPaths> findOriginals(const std::string& artFolder, std::vector<Error>& problems) {
    namespace fs = std::filesystem;
    std::vector<fs::path> entries;
    std::error_code error;
    fs::directory_iterator listing(artFolder, error);
    if (error) return Error{Error::Kind::Open, artFolder, error.message()};
    for (; listing != fs::directory_iterator(); listing.increment(error)) {
        if (error) return Error{Error::Kind::Read, artFolder, error.message()};
        entries.push_back(listing->path());
    }
    // Sorted, so that which of two pictures for one source is refused never
    // depends on the folder's listing.
    std::sort(entries.begin(), entries.end());
    OriginalPaths found;
    for (const fs::path& entry : entries) {
        if (!isPictureExtension(asciiLower(entry.extension().string()))) continue;
        const std::string stem = asciiLower(entry.stem().string());
        for (std::size_t i = 0; i < images::kSourceCount; ++i) {
            if (stem != asciiLower(stemOf(images::kSourceSet[i].fileName))) continue;
            // Named as an original but no picture file (a FIFO, a folder, a
            // device, a link to nothing): refused with what it is, not skipped.
            if (auto usable = regularFileLength(entry.string()); !usable)
                problems.push_back(usable.error());
            else if (found[i])
                problems.push_back(
                    Error{Error::Kind::Invalid, entry.string(), kSameSourceAs + *found[i]});
            else
                found[i] = entry.string();
        }
    }
    return found;
}

Result<FittedOriginal> loadOriginal(const std::string& path, images::Source role,
                                    PictureDecoder& decoder, Fit fit, bool keepRows,
                                    const Frame& frame) {
    const images::SourceImage& source = images::sourceImage(role);
    FittedOriginal original{path, {}, std::nullopt};
    auto picture = loadPicture(path, decoder, keepRows);
    if (!picture) return picture.error();
    if (isBackground(role)) {
        // An 8-bit BMP of the right size is already in palette form.
        if (auto exact = exactBmp(path, keepRows);
            exact && exact->width == source.width && exact->height == source.height)
            original.exact = std::move(exact);
    }
    auto fitted = fitPicture(picture.value(), source.width, source.height, fit, path, frame);
    if (!fitted) return fitted.error();
    original.fitted = std::move(fitted).value();
    return original;
}

Result<DerivedSet> deriveSet(const DeriveJob& job) {
    DerivedSet made;
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        if (job.wanted[i] && !job.originals[i])
            return Error{Error::Kind::Invalid, images::kSourceSet[i].fileName,
                         "no-original-picture"};
    if (auto done = deriveBackgrounds(job, made); !done) return done.error();
    // In the player's drawing order: an icon's backdrop holds the ones before it.
    for (const images::Icon& placed : images::kIcons) {
        const std::size_t i = indexOf(placed.source);
        if (!job.wanted[i]) continue;
        auto icon = deriveIcon(job, made, i);
        if (!icon) return icon.error();
        made[i] = std::move(icon).value();
    }
    return made;
}

}  // namespace vireo::artwork
