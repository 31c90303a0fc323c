#include "artwork/import.h"

#include "artwork/bmp_check.h"
#include "artwork/picture_formats.h"
#include "skin/skin_layout.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <map>

namespace vireo::artwork {

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string stemOf(const char* fileName) {
    const std::string name = fileName;
    return name.substr(0, name.rfind('.'));
}

// The BMP scan of a file when it is a BMP; nullopt for anything else.
std::optional<images::BmpScan> scanIfBmp(const std::string& path) {
    auto start = readFileStart(path, images::kPictureReadLimit);
    if (!start || start.value().bytes.size() < 2 || start.value().bytes[0] != 'B' ||
        start.value().bytes[1] != 'M')
        return std::nullopt;
    return images::scanBmp(start.value().bytes, start.value().length);
}

// The indexed picture of a readable BMP, rows as `keepRows` asks.
std::optional<IndexedPicture> indexedBmp(const std::optional<images::BmpScan>& scan, bool keepRows) {
    if (!scan || !scan->picture) return std::nullopt;
    return keepRows ? scan->storedOrder() : *scan->picture;
}

Result<settings::Record> recordAt(const std::optional<std::string>& path) {
    if (!path) return defaultRecord();
    return settings::readRecord(*path);
}

}  // namespace

Result<RgbaImage> loadPicture(const std::string& path, PictureDecoder& decoder, bool keepRows) {
    const auto scan = scanIfBmp(path);
    if (auto picture = indexedBmp(scan, keepRows)) return toRgba(*picture);
    auto decoded = decoder.decode(path);
    if (!decoded) return decoded.error();
    if (keepRows && scan && scan->headerRead && !scan->topDown) return flippedRows(decoded.value());
    return decoded;
}

Result<Bytes> convertFile(const std::string& picturePath, images::Source role, PictureDecoder& decoder,
                          const ConvertOptions& options, bool keepRows,
                          const std::optional<std::string>& palettePath,
                          const std::optional<std::string>& backPath) {
    auto picture = loadPicture(picturePath, decoder, keepRows);
    if (!picture) return picture.error();
    IconContext icon;
    if (!isBackground(role)) {
        if (!palettePath)
            return Error{Error::Kind::Invalid, picturePath, "图标需要指定所用背景的调色板（--palette）"};
        const auto scan = scanIfBmp(*palettePath);
        if (!scan || !scan->picture)
            return Error{Error::Kind::Invalid, *palettePath, "无法读取此 BMP 的调色板"};
        icon.drawPalette = scan->picture->palette;
        if (images::sourceImage(role).width == 64) {
            auto record = recordAt(backPath);
            if (!record) return record.error();
            // The background as the player shows it: first stored row on top.
            const IndexedPicture shown = scan->storedOrder();
            if (shown.width == 240 && shown.height == 160)
                icon.backdrop = backdropUnderIcon(role, shown, record.value(), options.matte);
        }
    }
    auto converted = convertPicture(picture.value(), role, options, icon, picturePath);
    if (!converted) return converted.error();
    return images::writeSourceBmp(converted.value());
}

Result<std::vector<OutputFile>> importArtwork(const std::string& artFolder, PictureDecoder& decoder,
                                              const ImportOptions& options) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> pictureOf;  // lower-case stem -> path
    std::error_code error;
    fs::directory_iterator listing(artFolder, error);
    if (error) return Error{Error::Kind::Open, artFolder, error.message()};
    for (; listing != fs::directory_iterator(); listing.increment(error)) {
        if (error) return Error{Error::Kind::Read, artFolder, error.message()};
        const fs::path& entry = listing->path();
        if (!isPictureExtension(lower(entry.extension().string())) || fileTypeAt(entry.string()) != Error::FileType::Regular)
            continue;
        const std::string stem = lower(entry.stem().string());
        if (!pictureOf.emplace(stem, entry.string()).second)
            return Error{Error::Kind::Invalid, entry.string(),
                         "与 " + pictureOf[stem] + " 对应同一个源文件"};
    }

    // BACK first: the icons' backdrops depend on where it puts them.
    Bytes backBytes;
    const std::string backPath = joinPath(artFolder, images::kSettingsFileName);
    if (fileTypeAt(backPath) == Error::FileType::Missing) {
        const settings::Record record = defaultRecord();
        backBytes.assign(record.begin(), record.end());
    } else {
        auto record = settings::readRecord(backPath);
        if (!record) return record.error();
        backBytes.assign(record.value().begin(), record.value().end());
    }
    settings::Record record{};
    std::copy(backBytes.begin(), backBytes.end(), record.begin());

    // Every picture first: a background's palette must also serve the icons
    // the player draws with it.
    std::array<std::string, images::kSourceCount> paths;
    std::array<std::optional<IndexedPicture>, images::kSourceCount> made;
    std::array<std::optional<RgbaImage>, images::kSourceCount> pictures;
    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        const images::SourceImage& source = images::kSourceSet[i];
        const auto found = pictureOf.find(lower(stemOf(source.fileName)));
        if (found == pictureOf.end())
            return Error{Error::Kind::NotFound, joinPath(artFolder, stemOf(source.fileName) + ".*"),
                         std::string("缺少") + source.role + "的图片"};
        paths[i] = found->second;
        if (isBackground(static_cast<images::Source>(i))) {
            // An 8-bit BMP of the right size is already in palette form: no second quantising.
            const auto exact = indexedBmp(scanIfBmp(paths[i]), options.keepRows);
            if (exact && exact->width == source.width && exact->height == source.height) {
                made[i] = *exact;
                continue;
            }
        }
        auto picture = loadPicture(paths[i], decoder, options.keepRows);
        if (!picture) return picture.error();
        pictures[i] = std::move(picture).value();
    }
    auto makeOne = [&](std::size_t i) -> Result<void> {
        if (made[i]) return {};
        const auto role = static_cast<images::Source>(i);
        IconContext icon;
        std::vector<RgbaImage> alsoDrawn;
        if (isBackground(role)) {
            for (std::size_t j = 0; j < images::kSourceCount; ++j)
                if (j != i && pictures[j] && static_cast<std::size_t>(skin::paletteSourceOf(static_cast<images::Source>(j))) == i)
                    alsoDrawn.push_back(*pictures[j]);
        } else {
            icon.drawPalette = made[static_cast<std::size_t>(skin::paletteSourceOf(role))]->palette;
            icon.backdrop = backdropUnderIcon(
                role, *made[static_cast<std::size_t>(images::Source::MainBackground)], record,
                options.convert.matte);
        }
        auto converted = convertPicture(*pictures[i], role, options.convert, icon, paths[i], alsoDrawn);
        if (!converted) return converted.error();
        made[i] = std::move(converted).value();
        return {};
    };

    std::vector<OutputFile> out;
    for (const bool backgrounds : {true, false}) {
        for (std::size_t i = 0; i < images::kSourceCount; ++i) {
            if (isBackground(static_cast<images::Source>(i)) != backgrounds) continue;
            if (auto done = makeOne(i); !done) return done.error();
            out.push_back({images::kSourceSet[i].fileName, images::writeSourceBmp(*made[i])});
        }
    }
    out.push_back({images::kSettingsFileName, std::move(backBytes)});
    return out;
}

}  // namespace vireo::artwork
