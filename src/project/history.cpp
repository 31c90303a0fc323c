#include "project/history.h"

#include "project/project.h"

#include <cerrno>
#include <cstdio>

namespace vireo::project {

namespace {

// What the file holds now: nullopt when nothing is there.
Result<std::optional<Bytes>> currentBytes(const std::string& path) {
    if (fileTypeAt(path) == Error::FileType::Missing) return std::optional<Bytes>{};
    auto bytes = readWholeFile(path, images::kPictureReadLimit);
    if (!bytes) return bytes.error();
    return std::optional<Bytes>(std::move(bytes).value());
}

}  // namespace

Result<void> applyChanges(const Step& step, bool forward) {
    for (const FileChange& change : step.changes) {
        const auto& expected = forward ? change.before : change.after;
        auto now = currentBytes(change.path);
        if (!now) return now.error();
        if (now.value() != expected)
            return Error{Error::Kind::Invalid, change.path, kChangedOutside};
    }
    std::vector<OutputFile> writes;
    for (const FileChange& change : step.changes) {
        const auto& wanted = forward ? change.after : change.before;
        if (wanted) writes.push_back({change.path, *wanted});
    }
    if (!writes.empty())
        if (auto written = writeFilesAtomically(writes); !written) return written.error();
    for (const FileChange& change : step.changes) {
        const auto& wanted = forward ? change.after : change.before;
        if (!wanted && std::remove(change.path.c_str()) != 0 && errno != ENOENT)
            return systemError(Error::Kind::Write, change.path, errno);
    }
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

}  // namespace vireo::project
