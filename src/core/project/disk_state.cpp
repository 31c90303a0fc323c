#include "core/project/project.h"

#include "core/artwork/derive.h"
#include "core/base/parallel.h"
#include "core/project/project_core.h"
#include "core/skin/generation.h"

#include <sys/stat.h>
#include <algorithm>
#include <ctime>
#include <filesystem>

namespace vireo::project {

namespace {

// A change this close to its stamp may share its time stamp with a later
// edit: 2 s covers the coarsest file systems a player's card may carry (FAT).
constexpr std::int64_t kStampGranularityNs = 2'000'000'000;

std::int64_t nanosecondsOf(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

std::int64_t nowNs() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return nanosecondsOf(now);
}

// Length, inode and times of a regular file; nullopt when there is none.
std::optional<FileStamp> statOf(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    FileStamp found;
    found.present = true;
    found.length = static_cast<std::uint64_t>(status.st_size);
    found.inode = static_cast<std::uint64_t>(status.st_ino);
    found.modifiedNs = nanosecondsOf(status.st_mtim);
    found.changedNs = nanosecondsOf(status.st_ctim);
    return found;
}

std::optional<std::uint64_t> hashOfFile(const std::string& path) {
    auto bytes = readWholeFile(path, images::kPictureReadLimit);
    if (!bytes) return std::nullopt;
    return contentHash(bytes.value());
}

bool racy(const FileStamp& stamp) {
    return stamp.stampedAtNs - std::max(stamp.modifiedNs, stamp.changedNs) < kStampGranularityNs;
}

bool differs(const std::string& path, FileStamp& known) {
    const auto now = statOf(path);
    if (!now) return known.present;
    if (!known.present || now->length != known.length) return true;
    const bool sameStat = now->inode == known.inode && now->modifiedNs == known.modifiedNs &&
                          now->changedNs == known.changedNs;
    if (sameStat && !racy(known)) return false;
    const auto hash = hashOfFile(path);
    if (!hash || *hash != known.hash) return true;
    // The same content: stamped anew, so that an old enough file is trusted by its stat.
    const std::uint64_t sameHash = known.hash;
    known = *now;
    known.hash = sameHash;
    known.stampedAtNs = nowNs();
    return false;
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

FileStamp stampOf(const std::string& path) {
    FileStamp known;
    if (const auto now = statOf(path)) {
        known = *now;
        known.hash = hashOfFile(path).value_or(0);
    }
    known.stampedAtNs = nowNs();
    return known;
}

}  // namespace

void ProjectCore::stamp(const std::string& path) {
    stamps[path] = stampOf(path);
}

void ProjectCore::stamp(const std::vector<std::string>& batch) {
    std::vector<FileStamp> made(batch.size());
    forEachInParallel(batch.size(), [&](std::size_t i) { made[i] = stampOf(batch[i]); });
    for (std::size_t i = 0; i < batch.size(); ++i) stamps[batch[i]] = made[i];
}

std::vector<std::string> ProjectCore::changedOnDisk() const {
    std::vector<std::string> changed;
    if (!open) return changed;
    std::vector<std::pair<const std::string*, FileStamp*>> known;
    for (auto& [path, stamp] : stamps) known.emplace_back(&path, &stamp);
    std::vector<char> differing(known.size());
    forEachInParallel(known.size(), [&](std::size_t i) {
        differing[i] = differs(*known[i].first, *known[i].second);
    });
    for (std::size_t i = 0; i < known.size(); ++i)
        if (differing[i]) changed.push_back(*known[i].first);
    // An original that appeared in art/ since, or a listing that fails now.
    if (fileTypeAt(artFolder()) == Error::FileType::Folder) {
        if (auto found = artwork::findOriginals(artFolder())) {
            for (const auto& path : found.value())
                if (path && !stamps.count(*path)) changed.push_back(*path);
        } else {
            changed.push_back(found.error().path);
        }
    }
    return changed;
}

std::vector<std::string> Project::changedOnDisk() const {
    return core_->changedOnDisk();
}

Result<void> ProjectCore::mendInterruptedWrites() {
    for (const std::string& where : {folder, artFolder()}) {
        auto mended = recoverInterruptedWrites(where);
        if (!mended) return mended.error();
        recovered.insert(recovered.end(), mended.value().begin(), mended.value().end());
    }
    return {};
}

Result<void> ProjectCore::syncWithDisk() {
    if (!open) return Error{Error::Kind::Invalid, {}, kNoFolder};
    if (auto mended = mendInterruptedWrites(); !mended) return mended;
    Step touched;
    for (const std::string& path : changedOnDisk()) touched.changes.push_back({path, {}, {}});
    if (touched.changes.empty()) return {};
    return rereadAfter(touched);
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
    if (auto mended = mendInterruptedWrites(); !mended) return mended;
    if (auto applied = applyChanges(step, true); !applied) return applied.error();
    history.push(step);
    return rereadAfter(step);
}

Result<void> Project::reload() {
    return core_->syncWithDisk();
}

Result<void> Project::generate(const std::string& outputPath) {
    if (auto synced = core_->syncWithDisk(); !synced) return synced;
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
