// Whole files replaced as one step: every output goes to a flushed temporary
// file first; the renames come last, and each replaced file is kept until the
// last rename has succeeded, so that any failure can put every one back.
#include "core/base/binary_file.h"
#include "core/base/system_io.h"
#include "core/base/temporary_files.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <set>

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vireo {

namespace {

using io::Descriptor;

// A hidden name beside `path`: ".TITLE.TAG-" and 16 random hex digits, the
// title shortened so that the whole name fits NAME_MAX. O_EXCL or link(),
// not the name, keeps a file planted under it from being used.
std::string siblingName(const std::string& path, const char* tag) {
    // Seeded by one getrandom call: std::random_device costs a process that
    // writes one file more than the name is worth.
    static std::mt19937_64 generator{[] {
        std::uint64_t entropy = 0;
        if (::getrandom(&entropy, sizeof entropy, GRND_NONBLOCK) != sizeof entropy)
            entropy =
                static_cast<std::uint64_t>(::getpid()) ^ reinterpret_cast<std::uintptr_t>(&entropy);
        return entropy;
    }()};
    char tail[32];
    std::snprintf(tail, sizeof tail, ".%s-%016llx", tag,
                  static_cast<unsigned long long>(generator()));
    std::string title = fileTitleOf(path);
    const std::size_t room = NAME_MAX - 1 - std::char_traits<char>::length(tail);
    if (title.size() > room) title.resize(room);
    const std::string folder = folderOf(path);
    return joinPath(folder.empty() ? std::string(".") : folder, "." + title + tail);
}

bool syncFolder(const std::string& folder) {
    const char* named = folder.empty() ? "." : folder.c_str();
    Descriptor fd(::open(named, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return fd.get() >= 0 && detail::flushFile(fd.get()) == 0;
}

// One output on its way: where it goes, the temporary file beside it and,
// once it is being replaced, the old file kept under another name.
struct Pending {
    std::string requested;  // the path the caller named, for messages
    std::string target;     // the file replaced: the link's target for a link
    std::string temporary;
    std::string kept;  // the replaced file, until every rename is done
    int slot = -1;
    bool existed = false;
    bool renamed = false;
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
};

void discard(Pending& pending) {
    if (!pending.temporary.empty()) ::unlink(pending.temporary.c_str());
    unregisterTemporaryFile(pending.slot);
    pending.slot = -1;
    pending.temporary.clear();
}

// Decides where `path` is written and with which mode, refusing anything
// that is not a regular file or a link to one.
Result<Pending> planOutput(const std::string& path) {
    Pending pending;
    pending.requested = path;
    pending.target = path;
    if (path.empty()) return systemError(Error::Kind::Write, path, ENOENT);
    struct stat own {};
    if (::lstat(path.c_str(), &own) != 0) {
        if (errno == ENOENT) return pending;  // a new file
        return systemError(Error::Kind::Write, path, errno);
    }
    struct stat info = own;
    if (S_ISLNK(own.st_mode)) {
        if (::stat(path.c_str(), &info) != 0)
            return io::missingOrDangling(Error::Kind::Write, path, errno);
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (resolved == nullptr) return systemError(Error::Kind::Write, path, errno);
        pending.target = resolved;
        std::free(resolved);
    }
    if (!S_ISREG(info.st_mode)) return io::notRegular(Error::Kind::Write, path, info.st_mode);
    pending.existed = true;
    pending.mode = info.st_mode & 07777;
    pending.owner = info.st_uid;
    pending.group = info.st_gid;
    return pending;
}

// The folder entry a rename replaces: two hard links are two entries, each
// replaced on its own, while two paths through links to one file are one.
std::string entryOf(const std::string& target) {
    const std::string folder = folderOf(target);
    char* resolved = ::realpath(folder.empty() ? "." : folder.c_str(), nullptr);
    if (resolved == nullptr) return target;
    const std::string entry = joinPath(resolved, fileTitleOf(target));
    std::free(resolved);
    return entry;
}

Result<std::vector<Pending>> planOutputs(const std::vector<std::string>& paths) {
    std::vector<Pending> pending;
    std::set<std::string> entries;
    pending.reserve(paths.size());
    for (const std::string& path : paths) {
        auto plan = planOutput(path);
        if (!plan) return plan.error();
        if (!entries.insert(entryOf(plan.value().target)).second)
            return Error{Error::Kind::Invalid, path, "named twice among the outputs",
                         Error::Cause::SameFile, Error::FileType::Unknown};
        pending.push_back(std::move(plan).value());
    }
    return pending;
}

Result<void> createTemporary(Pending& pending, Descriptor& fd) {
    CleanupSignalsHeld held;  // never created but not yet recorded
    // O_EXCL refuses to reuse a name that happens to exist; try a few fresh names.
    for (int attempt = 0; attempt < 8 && fd.get() < 0; ++attempt) {
        pending.temporary = siblingName(pending.target, "tmp");
        fd = Descriptor(::open(pending.temporary.c_str(),
                               O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
        if (fd.get() < 0 && errno != EEXIST) break;
    }
    if (fd.get() < 0) {
        const int savedErrno = errno;
        pending.temporary.clear();
        return systemError(Error::Kind::Write, pending.requested, savedErrno);
    }
    pending.slot = registerTemporaryFile(pending.temporary);
    return {};
}

Result<void> writeTemporary(Pending& pending, const Bytes& data) {
    Descriptor fd;
    if (auto created = createTemporary(pending, fd); !created) return created;
    const auto fail = [&](int savedErrno) {
        discard(pending);
        return Result<void>(systemError(Error::Kind::Write, pending.requested, savedErrno));
    };
    if (pending.existed) {
        // Root rebuilding a user's skin must not leave it root's. Anyone else
        // cannot give files away and keeps the new file as their own, so a
        // refusal here is expected and not an error.
        if (pending.owner != ::geteuid() || pending.group != ::getegid()) {
            const int given = ::fchown(fd.get(), pending.owner, pending.group);
            static_cast<void>(given);
        }
        if (::fchmod(fd.get(), pending.mode) != 0) return fail(errno);
    }
    if (!io::writeFully(fd.get(), data.data(), data.size(), 0)) return fail(errno);
    // On the disk before it may replace anything: a rename of a file still in
    // the page cache can leave an empty file after a power loss or an unplug.
    if (detail::flushFile(fd.get()) != 0) return fail(errno);
    if (!fd.close()) return fail(errno);
    return {};
}

// Keeps the file about to be replaced under a second name: a hard link, so
// that the target is never missing, or where the file system has none, the
// file itself moved aside.
bool keepOld(Pending& pending) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        pending.kept = siblingName(pending.target, "old");
        if (::link(pending.target.c_str(), pending.kept.c_str()) == 0) return true;
        if (errno == EEXIST) continue;
        if (detail::renameFile(pending.target.c_str(), pending.kept.c_str()) == 0) return true;
        break;
    }
    pending.kept.clear();
    return false;
}

// Puts back every file replaced so far, removes every file made new, and
// discards the temporaries not yet renamed.
void rollBack(std::vector<Pending>& pending) {
    for (Pending& each : pending) {
        if (!each.kept.empty()) {
            // Renaming a hard link over its twin leaves both: the kept name goes too.
            if (detail::renameFile(each.kept.c_str(), each.target.c_str()) == 0)
                ::unlink(each.kept.c_str());
        } else if (each.renamed) {
            ::unlink(each.target.c_str());
        }
        discard(each);
    }
}

Result<void> replaceAll(std::vector<Pending>& pending) {
    CleanupSignalsHeld held;  // no signal between two renames or within the undoing
    for (Pending& each : pending) {
        if (each.existed && !keepOld(each)) {
            const Error error = systemError(Error::Kind::Rename, each.requested, errno);
            rollBack(pending);
            return error;
        }
        if (detail::renameFile(each.temporary.c_str(), each.target.c_str()) != 0) {
            const Error error = systemError(Error::Kind::Rename, each.requested, errno);
            rollBack(pending);
            return error;
        }
        each.renamed = true;
        unregisterTemporaryFile(each.slot);
        each.slot = -1;
        each.temporary.clear();
    }
    for (Pending& each : pending)
        if (!each.kept.empty()) ::unlink(each.kept.c_str());
    return {};
}

// One output named by reference: a whole skin is not copied to be written.
struct OutputView {
    const std::string& path;
    const Bytes& bytes;
};

Result<void> writeAll(const std::vector<OutputView>& files) {
    std::vector<std::string> paths;
    for (const OutputView& file : files) paths.push_back(file.path);
    auto planned = planOutputs(paths);
    if (!planned) return planned.error();
    std::vector<Pending>& pending = planned.value();
    // Locked in a fixed order, so that two writers never wait on each other.
    std::set<std::string> lockedFolders;
    for (const Pending& each : pending) {
        const std::string folder = folderOf(each.target);
        lockedFolders.insert(folder.empty() ? std::string(".") : folder);
    }
    std::vector<std::unique_ptr<FolderLock>> locks;
    for (const std::string& folder : lockedFolders)
        locks.push_back(std::make_unique<FolderLock>(folder));
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (auto written = writeTemporary(pending[i], files[i].bytes); !written) {
            for (Pending& each : pending) discard(each);
            return written.error();
        }
    }
    if (auto replaced = replaceAll(pending); !replaced) return replaced;

    // The renames themselves are on the disk only once their folders are.
    std::set<std::string> folders;
    for (const Pending& each : pending) folders.insert(folderOf(each.target));
    for (const std::string& folder : folders) {
        if (!syncFolder(folder)) {
            const std::string named = folder.empty() ? std::string(".") : folder;
            return systemError(Error::Kind::Write, named, errno);
        }
    }
    return {};
}

}  // namespace

Result<void> writeFilesAtomically(const std::vector<OutputFile>& files) {
    std::vector<OutputView> views;
    views.reserve(files.size());
    for (const OutputFile& file : files) views.push_back({file.path, file.bytes});
    return writeAll(views);
}

namespace {

// Makes every missing folder from the top down to `folder`, recording each
// one made, so that a failure can remove exactly those.
Result<void> makeFolders(const std::string& folder, std::vector<std::string>& made) {
    for (std::size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
        const std::string step = folder.substr(0, end);
        if (!step.empty() && fileTypeAt(step) != Error::FileType::Folder) {
            if (::mkdir(step.c_str(), 0777) != 0)
                return systemError(Error::Kind::Write, step, errno);
            made.push_back(step);
        }
        if (end == std::string::npos) return {};
    }
}

void removeFolders(const std::vector<std::string>& made) {
    for (auto folder = made.rbegin(); folder != made.rend(); ++folder) ::rmdir(folder->c_str());
}

}  // namespace

Result<void> writeFilesIntoFolder(const std::string& folder, const std::vector<OutputFile>& files) {
    std::vector<std::string> made;
    auto written = makeFolders(folder, made);
    if (written) written = writeFilesAtomically(files);
    if (!written) removeFolders(made);
    return written;
}

Result<void> writeFileAtomically(const std::string& path, const Bytes& data) {
    return writeAll({OutputView{path, data}});
}

}  // namespace vireo
