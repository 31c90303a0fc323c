#include "project/project.h"

#include "artwork/derive.h"
#include "project/project_core.h"
#include "skin/generation.h"

#include <sys/stat.h>
#include <algorithm>
#include <filesystem>

namespace vireo::project {

namespace {

// Length and time of a regular file; nullopt when there is none.
std::optional<FileStamp> statOf(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    FileStamp found;
    found.present = true;
    found.length = static_cast<std::uint64_t>(status.st_size);
    found.modifiedNs =
        static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    return found;
}

std::optional<std::uint64_t> hashOfFile(const std::string& path) {
    auto bytes = readWholeFile(path, images::kPictureReadLimit);
    if (!bytes) return std::nullopt;
    return contentHash(bytes.value());
}

bool differs(const std::string& path, const FileStamp& known) {
    const auto now = statOf(path);
    if (!now) return known.present;
    if (!known.present) return true;
    if (now->length != known.length) return true;
    if (now->modifiedNs == known.modifiedNs) return false;
    const auto hash = hashOfFile(path);
    return !hash || *hash != known.hash;
}

// The source a path of the folder stands for, as a source file or an original.
std::optional<images::Source> sourceOfPath(const ProjectCore& core, const std::string& path) {
    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        if (core.paths[i] == path) return static_cast<images::Source>(i);
        if (core.originals[i] && core.artFolder() + *core.originals[i] == path)
            return static_cast<images::Source>(i);
    }
    const auto stem = std::filesystem::path(fileTitleOf(path)).stem().string();
    return artwork::sourceNamed(stem + ".bmp");
}

}  // namespace

void ProjectCore::stamp(const std::string& path) {
    FileStamp known;
    if (const auto now = statOf(path)) {
        known = *now;
        known.hash = hashOfFile(path).value_or(0);
    }
    stamps[path] = known;
}

std::vector<std::string> Project::changedOnDisk() const {
    std::vector<std::string> changed;
    if (!core_->open) return changed;
    for (const auto& [path, known] : core_->stamps)
        if (differs(path, known)) changed.push_back(path);
    // An original that appeared in art/ since.
    if (auto found = artwork::findOriginals(core_->artFolder()))
        for (const auto& path : found.value())
            if (path && !core_->stamps.count(*path)) changed.push_back(*path);
    return changed;
}

Result<void> ProjectCore::rereadAfter(const Step& step) {
    const SkinRecord edits = edited, oldStored = stored;
    if (auto read = readAll(); !read) return read.error();
    bool recordTouched = false;
    std::vector<images::Source> sourcesTouched, originalsTouched;
    for (const FileChange& change : step.changes) {
        if (change.path == folder + images::kSettingsFileName) recordTouched = true;
        const auto source = sourceOfPath(*this, change.path);
        if (!source) continue;
        if (change.path == paths[static_cast<std::size_t>(*source)])
            sourcesTouched.push_back(*source);
        else if (change.path.rfind(artFolder(), 0) == 0 && change.path != derivedPath())
            originalsTouched.push_back(*source);
    }
    edited = keptEdits(edits, oldStored, stored);
    announceSources(sourcesTouched);
    if (recordTouched) announceRecord(true);
    announceOriginals(originalsTouched);
    announceHistory();
    return {};
}

Result<void> ProjectCore::commit(Step step) {
    if (auto applied = applyChanges(step, true); !applied) return applied.error();
    history.push(step);
    return rereadAfter(step);
}

Result<void> Project::reload() {
    if (!core_->open) return Error{Error::Kind::Invalid, {}, kNoFolder};
    Step touched;
    for (const std::string& path : changedOnDisk()) touched.changes.push_back({path, {}, {}});
    return core_->rereadAfter(touched);
}

Result<void> Project::generate(const std::string& outputPath) {
    if (!core_->open) return Error{Error::Kind::Invalid, {}, kNoFolder};
    const auto changed = changedOnDisk();
    if (!changed.empty()) return Error{Error::Kind::Invalid, changed.front(), kStaleOnDisk};
    skin::SkinSourceBytes bytes;
    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        if (!core_->sources[i])
            return Error{Error::Kind::NotFound, core_->paths[i], {}, Error::Cause::Missing};
        bytes.pictures[i] = *core_->sources[i];
    }
    if (core_->fromDefaults)
        return Error{Error::Kind::NotFound, settingsPath(), {}, Error::Cause::Missing};
    const settings::Record back = bytesOf(core_->stored);
    bytes.settings.assign(back.begin(), back.end());
    auto skin = skin::assembleSkin(bytes);
    if (!skin) return skin.error();
    return writeFileAtomically(outputPath, skin.value());
}

}  // namespace vireo::project
