#include "core/artwork/import.h"

#include "core/artwork/bmp_check.h"
#include "core/artwork/derive.h"
#include "core/artwork/picture_formats.h"
#include "core/artwork/picture_loading.h"
#include "core/base/ascii_text.h"
#include "core/images/icons.h"
#include "core/messages/role_names.h"
#include "core/skin/skin_layout.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>

namespace vireo::artwork {

namespace {

std::string stemOf(const char* fileName) {
    const std::string name = fileName;
    return name.substr(0, name.rfind('.'));
}

Result<settings::Record> recordAt(const std::optional<std::string>& path) {
    if (!path) return settings::defaultRecord();
    return settings::readRecord(*path);
}

// Only a BACK that is not there at all takes the default settings; one that
// is there (a link to nothing, a loop, unreadable, of the wrong length) is refused.
Result<settings::Record> artworkSettings(const std::string& backPath) {
    if (nothingAt(backPath)) return settings::defaultRecord();
    return settings::readRecord(backPath);
}

// The error for a source with no picture file: what stands under its name
// instead (a FIFO, a folder, a link to nothing), else that none is there.
Error missingPicture(const std::string& artFolder, images::Source role) {
    namespace fs = std::filesystem;
    const images::SourceImage& source = images::sourceImage(role);
    const std::string stem = asciiLower(stemOf(source.fileName));
    std::error_code error;
    for (fs::directory_iterator listing(artFolder, error), end; !error && listing != end;
         listing.increment(error)) {
        const fs::path& entry = listing->path();
        if (asciiLower(entry.stem().string()) != stem ||
            !isPictureExtension(asciiLower(entry.extension().string())))
            continue;
        if (auto length = regularFileLength(entry.string()); !length) return length.error();
    }
    return Error{Error::Kind::NotFound, joinPath(artFolder, stemOf(source.fileName) + ".*"),
                 std::string("缺少") + roleName(role) + "的图片"};
}

}  // namespace

Result<Bytes> convertFile(const std::string& picturePath, images::Source role,
                          PictureDecoder& decoder, const ConvertOptions& options, bool keepRows,
                          const std::optional<std::string>& palettePath,
                          const std::optional<std::string>& backPath) {
    auto picture = loadPicture(picturePath, decoder, keepRows);
    if (!picture) return picture.error();
    IconContext icon;
    if (!isBackground(role)) {
        if (!palettePath) return Error{Error::Kind::Invalid, picturePath, "icon-needs-palette"};
        // A FIFO, folder or missing file is a file that cannot be read, not a picture refused.
        if (auto length = regularFileLength(*palettePath); !length) return length.error();
        const auto scan = bmpScanOf(*palettePath);
        if (!scan || !scan->picture) return Error{Error::Kind::Invalid, *palettePath, "no-palette"};
        icon.drawPalette = scan->picture->palette;
        if (images::iconOf(role)) {
            auto record = recordAt(backPath);
            if (!record) return record.error();
            // The background as the player shows it: first stored row on top.
            const IndexedPicture shown = scan->storedOrder();
            if (shown.width == images::kScreenWidth && shown.height == images::kScreenHeight)
                icon.backdrop = backdropUnderIcon(role, shown, record.value(), options.matte);
        }
    }
    auto converted = convertPicture(picture.value(), role, options, icon, picturePath);
    if (!converted) return converted.error();
    return images::writeSourceBmp(converted.value());
}

Result<std::vector<OutputFile>> importArtwork(const std::string& artFolder, PictureDecoder& decoder,
                                              const ImportOptions& options) {
    std::vector<Error> problems;
    return importArtwork(artFolder, decoder, options, problems);
}

Result<std::vector<OutputFile>> importArtwork(const std::string& artFolder, PictureDecoder& decoder,
                                              const ImportOptions& options,
                                              std::vector<Error>& problems) {
    auto found = findOriginals(artFolder, problems);
    if (!found) return found.error();
    // BACK first: the icons' backdrops depend on where it puts them. A refused
    // BACK is reported, and the pictures are still looked at over the default.
    const std::string backPath = joinPath(artFolder, images::kSettingsFileName);
    auto record = artworkSettings(backPath);
    if (!record) problems.push_back(record.error());
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        if (!found.value()[i])
            problems.push_back(missingPicture(artFolder, static_cast<images::Source>(i)));

    // One picture at a time, each fitted at once: only the small fitted
    // pictures are kept while the next is decoded. Every picture is looked
    // at, so that one run names every problem.
    std::array<std::optional<FittedOriginal>, images::kSourceCount> originals;
    DeriveJob job;
    job.record = record ? record.value() : settings::defaultRecord();
    job.options = options.convert;
    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        if (!found.value()[i]) continue;
        auto original = loadOriginal(*found.value()[i], static_cast<images::Source>(i), decoder,
                                     options.convert.fit, options.keepRows, options.frames[i]);
        if (!original) {
            problems.push_back(original.error());
            continue;
        }
        originals[i] = std::move(original).value();
        job.originals[i] = &*originals[i];
        job.wanted[i] = true;
    }
    if (!problems.empty()) return problems.front();
    auto made = deriveSet(job);
    if (!made) return made.error();

    std::vector<OutputFile> out;
    for (const bool backgrounds : {true, false})
        for (std::size_t i = 0; i < images::kSourceCount; ++i)
            if (isBackground(static_cast<images::Source>(i)) == backgrounds)
                out.push_back(
                    {images::kSourceSet[i].fileName, images::writeSourceBmp(*made.value()[i])});
    out.push_back({images::kSettingsFileName, Bytes(job.record.begin(), job.record.end())});
    return out;
}

}  // namespace vireo::artwork
