#include "core/project/history.h"

#include "core/project/project.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace vireo::project {

namespace {

bool sameEntry(const std::optional<DerivedEntry>& a, const std::optional<DerivedEntry>& b) {
    if (!a || !b) return !a && !b;
    return a->original == b->original && a->originalSize == b->originalSize &&
           a->originalHash == b->originalHash && a->fit == b->fit && a->position == b->position &&
           a->backgroundHash == b->backgroundHash && a->iconsHash == b->iconsHash &&
           a->sourceHash == b->sourceHash;
}

// derived.json as it stands, with the step's own entries set to `wanted`'s.
// nullopt: the file should not be there (the step made it and nothing else is in it).
Result<std::optional<Bytes>> mergedDerived(const DerivedChange& change, bool forward) {
    DerivedRecord merged;
    auto now = bytesOnDisk(change.path);
    if (!now) return now.error();
    if (now.value()) {
        // A file no longer readable as a record is derived data: it is made anew.
        if (auto parsed = parseDerived(*now.value(), change.path)) merged = parsed.value();
    }
    const DerivedRecord& wanted = forward ? change.after : change.before;
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        if (!sameEntry(change.before[i], change.after[i])) merged[i] = wanted[i];
    const bool empty = std::none_of(merged.begin(), merged.end(),
                                    [](const auto& entry) { return entry.has_value(); });
    if (!forward && !change.existedBefore && empty) return std::optional<Bytes>{};
    return std::optional<Bytes>(serializeDerived(merged));
}

}  // namespace

Result<void> applyChanges(const Step& step, bool forward) {
    for (const FileChange& change : step.changes) {
        const auto& expected = forward ? change.before : change.after;
        auto now = bytesOnDisk(change.path);
        if (!now) return now.error();
        if (now.value() != expected)
            return Error{Error::Kind::Invalid, change.path, kChangedOutside};
    }
    std::vector<OutputFile> writes;
    for (const FileChange& change : step.changes) {
        const auto& wanted = forward ? change.after : change.before;
        if (wanted) writes.push_back({change.path, *wanted});
    }
    std::optional<std::string> derivedToRemove;
    if (step.derived) {
        auto merged = mergedDerived(*step.derived, forward);
        if (!merged) return merged.error();
        if (merged.value())
            writes.push_back({step.derived->path, std::move(*merged.value())});
        else
            derivedToRemove = step.derived->path;
    }
    if (!writes.empty())
        if (auto written = writeFilesAtomically(writes); !written) return written.error();
    for (const FileChange& change : step.changes) {
        const auto& wanted = forward ? change.after : change.before;
        if (!wanted && std::remove(change.path.c_str()) != 0 && errno != ENOENT)
            return systemError(Error::Kind::Write, change.path, errno);
    }
    if (derivedToRemove && std::remove(derivedToRemove->c_str()) != 0 && errno != ENOENT)
        return systemError(Error::Kind::Write, *derivedToRemove, errno);
    return {};
}

void History::push(Step step) {
    done_.push_back(std::move(step));
    if (done_.size() > kLimit) done_.erase(done_.begin());
    undone_.clear();
}

void History::clear() {
    done_.clear();
    undone_.clear();
}

Result<Step> History::undo() {
    if (done_.empty()) return Error{Error::Kind::Invalid, {}, kNothingToUndo};
    if (auto applied = applyChanges(done_.back(), false); !applied) return applied.error();
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
    return undone_.back();
}

Result<Step> History::redo() {
    if (undone_.empty()) return Error{Error::Kind::Invalid, {}, kNothingToRedo};
    if (auto applied = applyChanges(undone_.back(), true); !applied) return applied.error();
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
    return done_.back();
}

Result<std::optional<Bytes>> bytesOnDisk(const std::string& path) {
    if (fileTypeAt(path) == Error::FileType::Missing) return std::optional<Bytes>{};
    auto bytes = readWholeFile(path, images::kPictureReadLimit);
    if (!bytes) return bytes.error();
    return std::optional<Bytes>(std::move(bytes).value());
}

}  // namespace vireo::project
