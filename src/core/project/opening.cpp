#include "core/project/project.h"

#include "core/artwork/derive.h"
#include "core/images/bmp.h"
#include "core/project/project_core.h"
#include "core/skin/unpacking.h"
#include "core/unpack/restoration.h"
#include "core/unpack/skin_info.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace vireo::project {

namespace {

using images::Source;

std::string withSeparator(const std::string& folder) {
    return !folder.empty() && folder.back() == '/' ? folder : folder + "/";
}

// Which source each picture of the older layout is; nullopt for the about icon,
// which the current layout has no slot for.
std::optional<Source> sourceOfRestored(const unpack::RestoreItem& item) {
    return artwork::sourceNamed(item.fileName);
}

// BACK for a skin of the older layout: the fields its record shares with
// today's, the defaults for the others.
settings::Record recordOfShortSkin(const unpack::SkinSettings& old,
                                   std::vector<RecordItem>& defaulted) {
    SkinRecord record = skinRecordOf(settings::defaultRecord());
    for (std::size_t i = 0; i < kColourCount; ++i)
        record.colours[i] = {old.colours[i].red, old.colours[i].green, old.colours[i].blue};
    record.hintOn = old.hintOn;
    const auto place = [&](RecordItem item, const unpack::Position& at) {
        record.positions[positionIndex(item)] = {at.x, at.y};
    };
    place(RecordItem::MoviePosition, old.positions[0]);
    place(RecordItem::MusicPosition, old.positions[1]);
    place(RecordItem::EbookPosition, old.positions[2]);
    place(RecordItem::OptionsPosition, old.positions[4]);  // the help icon is the options icon
    defaulted = {RecordItem::PicturePosition, RecordItem::GamePosition,
                 RecordItem::FileListPosition};
    settings::Record bytes = bytesOf(record);
    const std::uint8_t flag = old.hintOn ? settings::kHintOn : settings::kHintOff;
    bytes[settings::kHintFlagOffset] = flag;
    bytes[settings::kHintFlagCopyOffset] = flag;
    return bytes;
}

// The files a finished skin unpacks into, by name, and what it lacks.
Result<std::vector<OutputFile>> filesOfSkin(const skin::SkinFile& file, const std::string& folder,
                                            SkinOpening& opening) {
    std::vector<OutputFile> files;
    opening.layout = file.layout;
    if (file.layout == skin::Layout::Skin) {
        auto named = skin::sourceFilesOf(file.bytes);
        if (!named) return named.error();
        for (skin::NamedFile& one : named.value())
            files.push_back({folder + one.name, std::move(one.bytes)});
        return files;
    }
    std::array<bool, images::kSourceCount> carried{};
    for (const unpack::RestoreItem& item : unpack::kRestoreSet) {
        const auto source = sourceOfRestored(item);
        if (!source) continue;
        carried[static_cast<std::size_t>(*source)] = true;
        const images::SourceImage& image = images::sourceImage(*source);
        files.push_back({folder + item.fileName,
                         unpack::restoredBmp(
                             file.bytes, images::makeBmpHeader(image.width, image.height), item)});
    }
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        if (!carried[i]) opening.missing.push_back(static_cast<Source>(i));
    auto old = unpack::inspectSkin(file.bytes, folder);
    if (!old) return old.error();
    const settings::Record back = recordOfShortSkin(old.value(), opening.fromDefaults);
    files.push_back({folder + images::kSettingsFileName, Bytes(back.begin(), back.end())});
    return files;
}

}  // namespace

Result<void> ProjectCore::readAll() {
    paths = images::derivePaths(folder);
    verification = images::verifySourceSetWithSettings(folder, folder + images::kSettingsFileName);
    stamps.clear();
    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        auto bytes = readWholeFile(paths[i], images::kPictureReadLimit);
        sourceErrors[i] = bytes ? std::nullopt : std::optional<Error>(bytes.error());
        sources[i] = bytes ? std::optional<Bytes>(std::move(bytes).value()) : std::nullopt;
        stamp(paths[i]);
    }
    const std::string backPath = folder + images::kSettingsFileName;
    fromDefaults = fileTypeAt(backPath) == Error::FileType::Missing;
    auto record = fromDefaults ? Result<settings::Record>(settings::defaultRecord())
                               : settings::readRecord(backPath);
    if (!record) return record.error();
    stored = skinRecordOf(record.value());
    stamp(backPath);
    originals = {};
    derived = {};
    if (fileTypeAt(artFolder()) == Error::FileType::Folder) {
        auto found = artwork::findOriginals(artFolder());
        if (!found) return found.error();
        std::vector<std::string> originalPaths;
        for (std::size_t i = 0; i < images::kSourceCount; ++i) {
            if (!found.value()[i]) continue;
            originals[i] = fileTitleOf(*found.value()[i]);
            originalPaths.push_back(*found.value()[i]);
        }
        stamp(originalPaths);
    }
    stamp(derivedPath());
    derivedProblem.reset();
    if (fileTypeAt(derivedPath()) != Error::FileType::Missing || !nothingAt(derivedPath())) {
        // Derived data: one that cannot be read is told, not a reason to refuse the folder.
        auto bytes = readWholeFile(derivedPath(), kDerivedFileLimit);
        auto parsed = bytes ? parseDerived(bytes.value(), derivedPath())
                            : Result<DerivedRecord>(bytes.error());
        if (parsed)
            derived = std::move(parsed).value();
        else
            derivedProblem = parsed.error();
    }
    return {};
}

Result<void> Project::openFolder(const std::string& folder) {
    const std::string wanted = withSeparator(folder);
    if (fileTypeAt(wanted) != Error::FileType::Folder)
        return Error{Error::Kind::NotFound, wanted, {}, Error::Cause::Missing, fileTypeAt(wanted)};
    ProjectCore& core = *core_;
    core.folder = wanted;
    core.recovered.clear();
    if (auto mended = core.mendInterruptedWrites(); !mended) {
        core.open = false;
        return mended.error();
    }
    if (auto read = core.readAll(); !read) {
        core.open = false;
        return read.error();
    }
    core.edited = core.stored;
    core.open = true;
    core.history.clear();
    core.announceOpened();
    core.announceHistory();
    return {};
}

Result<SkinOpening> Project::openSkin(const std::string& skinPath, const std::string& newFolder) {
    auto file = skin::readSkinFile(skinPath);
    if (!file) return file.error();
    SkinOpening opening;
    opening.folder = withSeparator(newFolder);
    const auto inTheWay = filesInTheWay(opening.folder);
    if (!inTheWay.empty()) return Error{Error::Kind::Invalid, inTheWay.front(), kFilesInTheWay};
    auto files = filesOfSkin(file.value(), opening.folder, opening);
    if (!files) return files.error();
    if (auto written = writeFilesIntoFolder(opening.folder, files.value()); !written)
        return written.error();
    if (auto opened = openFolder(opening.folder); !opened) return opened.error();
    return opening;
}

}  // namespace vireo::project
