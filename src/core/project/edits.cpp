#include "core/project/project.h"

#include "core/artwork/derive.h"
#include "core/artwork/picture_formats.h"
#include "core/base/ascii_text.h"
#include "core/images/bmp.h"
#include "core/project/project_core.h"

#include <sys/stat.h>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>

namespace vireo::project {

namespace {

using images::Source;

Error notOpen() {
    return Error{Error::Kind::Invalid, {}, kNoFolder};
}

// A step that replaces each file with its new bytes and sets the derived
// entries to `derivation`'s.
Result<Step> stepOf(const ProjectCore& core, const std::vector<OutputFile>& files,
                    const DerivedRecord& derivedAfter) {
    Step step;
    for (const OutputFile& file : files) {
        auto before = bytesOnDisk(file.path);
        if (!before) return before.error();
        step.changes.push_back({file.path, std::move(before).value(), file.bytes});
    }
    step.derived = DerivedChange{core.derivedPath(), core.derived, derivedAfter,
                                 !nothingAt(core.derivedPath())};
    return step;
}

// Commits a derivation (and `extra` changes) as one step.
Result<void> commitDerivation(ProjectCore& core, const Derivation& derivation,
                              std::vector<OutputFile> extra = {}) {
    std::vector<OutputFile> files = derivation.files;
    files.insert(files.end(), extra.begin(), extra.end());
    auto step = stepOf(core, files, derivation.derived);
    if (!step) return step.error();
    return core.commit(std::move(step).value());
}

// A write of BACK by the settings core. It is a save of the record, not an
// undo step: the windows undo the edits themselves, and a step here would sit
// on top of theirs, so that their next undo took back the save instead.
template <typename Write>
Result<void> writeBack(ProjectCore& core, Write write) {
    if (!core.open) return notOpen();
    if (auto synced = core.syncWithDisk(); !synced) return synced;
    const std::string path = core.folder + images::kSettingsFileName;
    if (auto written = write(path); !written) return written.error();
    Step touched;
    touched.changes.push_back({path, {}, {}});
    return core.rereadAfter(touched);
}

std::string stemOf(Source source) {
    const std::string name = images::sourceImage(source).fileName;
    return name.substr(0, name.rfind('.'));
}

// Puts `picture` into art/ as the source's original under its stem and
// `extension` (the earlier original under another extension goes; the step
// keeps it) and derives the source with what it drags along. `asIs`: the
// source keeps its bytes, only derived.json learns the new original.
Result<void> adoptOriginal(ProjectCore& core, Source source, const std::string& extension,
                           const Bytes& picture, const std::string& readFrom, artwork::Fit fit,
                           const artwork::Frame& frame, HandEdits handEdits, bool asIs = false) {
    const std::size_t i = indexOf(source);
    const std::string name = stemOf(source) + extension;
    OriginalInfos infos = currentOriginals(core);
    infos[i] = OriginalInfo{name, readFrom, picture.size(), contentHash(picture), fit, frame};
    Derivation derivation;
    if (asIs) {
        derivation.derived = keptAsItStands(core, infos, i);
    } else {
        auto derived = deriveSources(core, infos, {source}, core.edited, handEdits);
        if (!derived) return derived.error();
        derivation = std::move(derived).value();
    }
    std::vector<OutputFile> extra = {{core.artFolder() + name, picture}};
    auto step = stepOf(core, extra, derivation.derived);
    if (!step) return step.error();
    for (const OutputFile& file : derivation.files) {
        auto before = bytesOnDisk(file.path);
        if (!before) return before.error();
        step.value().changes.push_back({file.path, std::move(before).value(), file.bytes});
    }
    if (const auto& old = core.originals[i]; old && *old != name) {
        auto before = bytesOnDisk(core.artFolder() + *old);
        if (!before) return before.error();
        step.value().changes.push_back(
            {core.artFolder() + *old, std::move(before).value(), std::nullopt});
    }
    if (fileTypeAt(core.artFolder()) != Error::FileType::Folder) {
        // art/ is made with the first original; a failed write removes it again.
        if (auto made = writeFilesIntoFolder(core.artFolder(), {}); !made) return made;
    }
    return core.commit(std::move(step).value());
}

}  // namespace

Result<std::vector<Source>> Project::derive(Source source, HandEdits handEdits) {
    if (!core_->open) return notOpen();
    if (auto synced = core_->syncWithDisk(); !synced) return synced.error();
    const OriginalInfos infos = currentOriginals(*core_);
    if (!infos[indexOf(source)])
        return Error{Error::Kind::Invalid, core_->paths[indexOf(source)], kNoOriginal};
    auto derivation = deriveSources(*core_, infos, {source}, core_->edited, handEdits);
    if (!derivation) return derivation.error();
    if (auto done = commitDerivation(*core_, derivation.value()); !done) return done.error();
    return derivation.value().written;
}

Result<UpdateOutcome> Project::deriveStale(bool force, std::optional<artwork::Fit> fit,
                                           HandEdits handEdits) {
    if (!core_->open) return notOpen();
    if (auto synced = core_->syncWithDisk(); !synced) return synced.error();
    const OriginalInfos infos = currentOriginals(*core_, fit);
    std::vector<Source> which;
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        if (force && infos[i]) which.push_back(static_cast<Source>(i));
    if (!force) which = staleFor(*core_, infos, core_->edited);
    if (which.empty()) return UpdateOutcome{};
    auto derivation = deriveSources(*core_, infos, which, core_->edited, handEdits);
    if (!derivation) return derivation.error();
    if (auto done = commitDerivation(*core_, derivation.value()); !done) return done.error();
    return UpdateOutcome{derivation.value().written, derivation.value().kept};
}

Result<void> Project::setOriginal(Source source, const std::string& picturePath, artwork::Fit fit,
                                  HandEdits handEdits, const artwork::Frame& frame) {
    if (!core_->open) return notOpen();
    if (auto synced = core_->syncWithDisk(); !synced) return synced;
    const std::string extension =
        asciiLower(std::filesystem::path(fileTitleOf(picturePath)).extension().string());
    if (!artwork::isPictureExtension(extension))
        return Error{Error::Kind::Invalid, picturePath, "not-a-picture-name"};
    auto picture = readWholeFile(picturePath, images::kPictureReadLimit);
    if (!picture) return picture.error();
    return adoptOriginal(*core_, source, extension, std::move(picture).value(), picturePath, fit,
                         frame, handEdits);
}

Result<void> Project::keepHandEdit(Source source) {
    if (!core_->open) return notOpen();
    if (auto synced = core_->syncWithDisk(); !synced) return synced;
    const std::size_t i = indexOf(source);
    if (!core_->handEdited(i)) return {};
    // The source as it stands is its own derive: an exact BMP of its size
    // (kept byte for byte for a background), so the step writes no source.
    // The player shows the first stored row on top; the original is stored
    // the other way round, so that picture editors and the derive road see
    // what the player shows.
    const images::BmpScan scan = images::scanBmp(*core_->sources[i]);
    const Bytes original = images::writeSourceBmp(images::flippedRows(scan.storedOrder()));
    const std::string path = core_->artFolder() + stemOf(source) + ".bmp";
    return adoptOriginal(*core_, source, ".bmp", original, path, artwork::Fit::Cover, {},
                         HandEdits::Overwrite, true);
}

std::optional<images::RgbaImage> Project::fittedOriginal(Source source) const {
    const OriginalInfos infos = currentOriginals(*core_);
    const auto& info = infos[indexOf(source)];
    if (!info) return std::nullopt;
    auto original = artwork::loadOriginal(info->readFrom, source, core_->decoder, info->fit, false,
                                          info->frame);
    if (!original) return std::nullopt;
    return std::move(original).value().fitted;
}

Result<void> Project::replaceSources(const std::vector<std::pair<Source, Bytes>>& sources) {
    if (!core_->open) return notOpen();
    if (auto synced = core_->syncWithDisk(); !synced) return synced;
    std::vector<OutputFile> files;
    for (const auto& [source, bytes] : sources)
        files.push_back({core_->paths[indexOf(source)], bytes});
    auto step = stepOf(*core_, files, core_->derived);
    if (!step) return step.error();
    step.value().derived.reset();
    return core_->commit(std::move(step).value());
}

Result<void> Project::writeRecord() {
    if (!core_->open) return notOpen();
    if (auto synced = core_->syncWithDisk(); !synced) return synced;
    const settings::Record wanted = bytesOf(core_->edited), held = bytesOf(core_->stored);
    std::vector<settings::FieldValue> values;
    for (std::size_t k = 0; k < wanted.size(); ++k)
        if (wanted[k] != held[k]) values.push_back({static_cast<std::uint8_t>(k), wanted[k]});
    if (values.empty()) return {};
    const std::string table = core_->tablePath;
    return writeBack(*core_, [&](const std::string& path) -> Result<void> {
        auto bytes = settings::readByteTable(table);
        if (!bytes) return bytes.error();
        return settings::writeValues(path, bytes.value(), values);
    });
}

Result<void> Project::writeGroupTexts(settings::Group group,
                                      const std::vector<std::string>& texts) {
    const std::string table = core_->tablePath;
    return writeBack(*core_, [&](const std::string& path) {
        return settings::writeGroup(path, table, group, texts);
    });
}

Result<void> Project::writeHintFlag(bool on) {
    const std::string table = core_->tablePath;
    return writeBack(
        *core_, [&](const std::string& path) { return settings::writeHintFlag(path, table, on); });
}

}  // namespace vireo::project
