#include "project/project.h"

#include "artwork/derive.h"
#include "artwork/picture_formats.h"
#include "project/project_core.h"

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

// What `path` holds now; nullopt when nothing is there.
Result<std::optional<Bytes>> bytesNow(const std::string& path) {
    if (fileTypeAt(path) == Error::FileType::Missing) return std::optional<Bytes>{};
    auto bytes = readWholeFile(path, images::kPictureReadLimit);
    if (!bytes) return bytes.error();
    return std::optional<Bytes>(std::move(bytes).value());
}

// A step that replaces each file with its new bytes.
Result<Step> stepOf(const std::vector<OutputFile>& files) {
    Step step;
    for (const OutputFile& file : files) {
        auto before = bytesNow(file.path);
        if (!before) return before.error();
        step.changes.push_back({file.path, std::move(before).value(), file.bytes});
    }
    return step;
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

Result<void> makeArtFolder(const std::string& art) {
    if (fileTypeAt(art) == Error::FileType::Folder) return {};
    if (::mkdir(art.c_str(), 0777) != 0) return systemError(Error::Kind::Write, art, errno);
    return {};
}

// A write of BACK by the settings core, as one undo step.
template <typename Write>
Result<void> writeBack(ProjectCore& core, Write write, Step step = {},
                       std::optional<SkinRecord> editsWanted = std::nullopt) {
    if (!core.open) return notOpen();
    const std::string path = core.folder + images::kSettingsFileName;
    auto before = bytesNow(path);
    if (!before) return before.error();
    if (auto written = write(path); !written) return written.error();
    auto after = bytesNow(path);
    if (!after) return after.error();
    step.changes.push_back({path, std::move(before).value(), std::move(after).value()});
    if (editsWanted) core.edited = *editsWanted;
    core.history.push(step);
    return core.rereadAfter(step);
}

}  // namespace

Result<std::vector<Source>> Project::derive(Source source) {
    if (!core_->open) return notOpen();
    const OriginalInfos infos = currentOriginals(*core_);
    if (!infos[static_cast<std::size_t>(source)])
        return Error{Error::Kind::Invalid, core_->paths[static_cast<std::size_t>(source)],
                     kNoOriginal};
    auto derivation = deriveSources(*core_, infos, {source}, core_->edited);
    if (!derivation) return derivation.error();
    auto step = stepOf(derivation.value().files);
    if (!step) return step.error();
    if (auto done = core_->commit(std::move(step).value()); !done) return done.error();
    return derivation.value().written;
}

Result<std::vector<Source>> Project::deriveStale(bool force) {
    if (!core_->open) return notOpen();
    const OriginalInfos infos = currentOriginals(*core_);
    std::vector<Source> which;
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        if (force && infos[i]) which.push_back(static_cast<Source>(i));
    if (!force) which = staleFor(*core_, infos, core_->edited);
    if (which.empty()) return which;
    auto derivation = deriveSources(*core_, infos, which, core_->edited);
    if (!derivation) return derivation.error();
    auto step = stepOf(derivation.value().files);
    if (!step) return step.error();
    if (auto done = core_->commit(std::move(step).value()); !done) return done.error();
    return derivation.value().written;
}

Result<void> Project::setOriginal(Source source, const std::string& picturePath, artwork::Fit fit) {
    if (!core_->open) return notOpen();
    const std::size_t i = static_cast<std::size_t>(source);
    const std::string extension =
        lower(std::filesystem::path(fileTitleOf(picturePath)).extension().string());
    if (!artwork::isPictureExtension(extension))
        return Error{Error::Kind::Invalid, picturePath, "not-a-picture-name"};
    auto picture = readWholeFile(picturePath, images::kPictureReadLimit);
    if (!picture) return picture.error();
    const std::string stem = images::kSourceSet[i].fileName;
    const std::string name = stem.substr(0, stem.rfind('.')) + extension;
    OriginalInfos infos = currentOriginals(*core_);
    infos[i] =
        OriginalInfo{name, picturePath, picture.value().size(), contentHash(picture.value()), fit};
    auto derivation = deriveSources(*core_, infos, {source}, core_->edited);
    if (!derivation) return derivation.error();
    if (auto art = makeArtFolder(core_->artFolder()); !art) return art.error();
    std::vector<OutputFile> files = derivation.value().files;
    files.push_back({core_->artFolder() + name, picture.value()});
    auto step = stepOf(files);
    if (!step) return step.error();
    // The earlier original under another extension goes; the step keeps it.
    if (const auto& old = core_->originals[i]; old && *old != name) {
        auto before = bytesNow(core_->artFolder() + *old);
        if (!before) return before.error();
        step.value().changes.push_back(
            {core_->artFolder() + *old, std::move(before).value(), std::nullopt});
    }
    return core_->commit(std::move(step).value());
}

std::optional<images::RgbaImage> Project::fittedOriginal(Source source) const {
    const OriginalInfos infos = currentOriginals(*core_);
    const auto& info = infos[static_cast<std::size_t>(source)];
    if (!info) return std::nullopt;
    auto original = artwork::loadOriginal(info->readFrom, source, core_->decoder, info->fit, false);
    if (!original) return std::nullopt;
    return std::move(original).value().fitted;
}

Result<std::vector<Source>> Project::moveIcon(Source icon, Position to) {
    if (!core_->open) return notOpen();
    const auto item = positionItemOf(icon);
    if (!item || !storable(to)) return Error{Error::Kind::Invalid, {}, kNotStorable};
    SkinRecord moved = core_->edited;
    moved.positions[positionIndex(*item)] = to;
    const OriginalInfos infos = currentOriginals(*core_);
    Derivation derivation;
    if (infos[static_cast<std::size_t>(icon)]) {
        auto derived = deriveSources(*core_, infos, {icon}, moved);
        if (!derived) return derived.error();
        derivation = std::move(derived).value();
    }
    auto step = stepOf(derivation.files);
    if (!step) return step.error();
    const auto offset = static_cast<std::uint8_t>(16 + 2 * positionIndex(*item));
    const std::vector<settings::FieldValue> values = {
        {offset, static_cast<std::uint8_t>(to.x)},
        {static_cast<std::uint8_t>(offset + 1), static_cast<std::uint8_t>(to.y)}};
    const std::string table = core_->tablePath;
    const SkinRecord oldStored = core_->stored;
    const auto writeAll = [&](const std::string& path) -> Result<void> {
        auto bytes = settings::readByteTable(table);
        if (!bytes) return bytes.error();
        if (auto written = settings::writeValues(path, bytes.value(), values); !written)
            return written;
        // The derived files follow BACK; if they cannot, BACK goes back.
        if (auto applied = applyChanges(step.value(), true); !applied) {
            const settings::Record old = bytesOf(oldStored);
            (void)writeFileAtomically(path, Bytes(old.begin(), old.end()));
            return applied.error();
        }
        return {};
    };
    if (auto done = writeBack(*core_, writeAll, step.value(), moved); !done) return done.error();
    return derivation.written;
}

Result<void> Project::writeRecord() {
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
