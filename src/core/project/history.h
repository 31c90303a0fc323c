#pragma once

#include "core/base/binary_file.h"
#include "core/base/result.h"
#include "core/project/derived.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vireo::project {

// One file an edit step wrote or removed: its bytes before and after
// (nullopt: there was no file).
struct FileChange {
    std::string path;
    std::optional<Bytes> before;
    std::optional<Bytes> after;
};

// What a step did to art/derived.json: the entries of the sources it derived,
// before and after. derived.json is derived data that other writers (an
// `update` outside) change too, so it is never compared byte for byte: a step
// puts back only its own entries, into the file as it stands.
struct DerivedChange {
    std::string path;
    DerivedRecord before;
    DerivedRecord after;
    bool existedBefore = true;
};

// A file's bytes as a step saw them: nullopt when nothing is there.
Result<std::optional<Bytes>> bytesOnDisk(const std::string& path);

struct Step {
    std::vector<FileChange> changes;
    std::optional<DerivedChange> derived;
};

// Applies a step's changes one way: every file must still hold `expected`
// (before, for a redo or the first time; after, for an undo), else
// kChangedOutside naming it and nothing is touched. Only the step's own files
// are compared. Writes, derived.json among them, go through
// writeFilesAtomically in one go; removals follow.
Result<void> applyChanges(const Step& step, bool forward);

// The undo and redo stacks. A step whose undo or redo is refused stays where it was.
class History {
public:
    void push(Step step);
    void clear();
    bool canUndo() const { return !done_.empty(); }
    bool canRedo() const { return !undone_.empty(); }
    // Undoes the last step; on success returns it (now on the redo stack).
    Result<Step> undo();
    Result<Step> redo();

private:
    std::vector<Step> done_;
    std::vector<Step> undone_;
    static constexpr std::size_t kLimit = 100;
};

}  // namespace vireo::project
