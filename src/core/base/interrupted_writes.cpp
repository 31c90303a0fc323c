// What a killed write left behind, finished or undone by the next write into
// its folder. The writers and this recovery hold the folder's lock, so that
// leftovers found under it belong to a process that is gone.
#include "core/base/binary_file.h"
#include "core/base/system_io.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vireo {

namespace {

// The target title and the tag of one of the writer's hidden names
// (".TITLE.tmp-" or ".TITLE.old-" and 16 hex digits); nullopt for any other name.
struct Leftover {
    std::string title;
    bool kept = false;  // ".old": the file a rename replaced
};

std::optional<Leftover> leftoverNamed(const std::string& name) {
    constexpr std::size_t kTail = 5 + 16;  // ".tmp-" and the digits
    if (name.size() < 2 + kTail || name[0] != '.') return std::nullopt;
    const std::string tail = name.substr(name.size() - kTail);
    const bool kept = tail.compare(0, 5, ".old-") == 0;
    if (!kept && tail.compare(0, 5, ".tmp-") != 0) return std::nullopt;
    if (!std::all_of(tail.begin() + 5, tail.end(),
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }))
        return std::nullopt;
    // A title the writer shortened to fit NAME_MAX no longer names its target.
    if (name.size() >= NAME_MAX) return std::nullopt;
    return Leftover{name.substr(1, name.size() - 1 - kTail), kept};
}

}  // namespace

FolderLock::FolderLock(const std::string& folder) {
    fd_ = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;
    while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

Result<std::vector<std::string>> recoverInterruptedWrites(const std::string& folder) {
    std::vector<std::string> mended;
    const std::string named = folder.empty() ? std::string(".") : folder;
    if (fileTypeAt(named) != Error::FileType::Folder) return mended;
    FolderLock lock(named);
    DIR* listing = ::opendir(named.c_str());
    if (listing == nullptr) return systemError(Error::Kind::Open, named, errno);
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(listing)) names.emplace_back(entry->d_name);
    ::closedir(listing);
    // Kept files first: each puts back the file its write was replacing, so
    // the interrupted write is undone as a whole; temporaries never reached
    // their place and only go.
    std::sort(names.begin(), names.end());
    std::stable_partition(names.begin(), names.end(), [](const std::string& name) {
        const auto leftover = leftoverNamed(name);
        return leftover && leftover->kept;
    });
    for (const std::string& name : names) {
        const auto leftover = leftoverNamed(name);
        if (!leftover) continue;
        const std::string path = joinPath(named, name);
        if (fileTypeAt(path) != Error::FileType::Regular) continue;
        const std::string target = joinPath(named, leftover->title);
        if (leftover->kept) {
            if (::rename(path.c_str(), target.c_str()) != 0)
                return systemError(Error::Kind::Rename, target, errno);
            // Renaming a hard link over its twin leaves both names.
            ::unlink(path.c_str());
            mended.push_back(target);
        } else if (::unlink(path.c_str()) != 0) {
            return systemError(Error::Kind::Write, path, errno);
        } else {
            mended.push_back(path);
        }
    }
    return mended;
}

}  // namespace vireo
