#include "base/binary_file.h"

#include "base/temporary_files.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <set>
#include <utility>

#include <pthread.h>
#include <signal.h>

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vireo {

namespace detail {
ssize_t (*positionalWrite)(int, const void*, std::size_t, off_t) = ::pwrite;
}  // namespace detail

namespace {

Error::Cause causeOf(int savedErrno) {
    switch (savedErrno) {
    case 0: return Error::Cause::None;
    case ENOENT:
    case ENOTDIR: return Error::Cause::Missing;
    case EACCES:
    case EPERM: return Error::Cause::NoPermission;
    case ENOSPC:
    case EDQUOT: return Error::Cause::DiskFull;
    case EROFS: return Error::Cause::ReadOnlyFileSystem;
    case ELOOP: return Error::Cause::LinkLoop;
    default: return Error::Cause::Other;
    }
}

Error::FileType typeOf(mode_t mode) {
    if (S_ISREG(mode)) return Error::FileType::Regular;
    if (S_ISDIR(mode)) return Error::FileType::Folder;
    if (S_ISFIFO(mode)) return Error::FileType::Fifo;
    if (S_ISCHR(mode)) return Error::FileType::CharacterDevice;
    if (S_ISBLK(mode)) return Error::FileType::BlockDevice;
    if (S_ISSOCK(mode)) return Error::FileType::Socket;
    return Error::FileType::Unknown;
}

Error notRegular(Error::Kind kind, const std::string& path, mode_t mode) {
    return Error{kind, path, "not a regular file", Error::Cause::NotRegular, typeOf(mode)};
}

// Closes on scope exit; explicit close() is used where its result matters.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor(Descriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }

    int get() const { return fd_; }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// Asks what `path` names before anything opens it: a FIFO or a device must be
// refused, not opened, or the open or the first read would wait forever.
Result<struct stat> statRegular(const std::string& path) {
    struct stat info {};
    if (path.empty()) return systemError(Error::Kind::NotFound, path, ENOENT);
    if (::stat(path.c_str(), &info) != 0) {
        const int savedErrno = errno;
        return systemError(savedErrno == EACCES ? Error::Kind::Open : Error::Kind::NotFound, path,
                           savedErrno);
    }
    if (!S_ISREG(info.st_mode)) return notRegular(Error::Kind::NotFound, path, info.st_mode);
    return info;
}

// Opens a regular file without asking first: O_NONBLOCK keeps the open of a
// FIFO or a device from waiting, and the fstat that follows refuses anything
// but a regular file before a byte is read. One stat fewer for every read.
Result<Descriptor> openRegular(const std::string& path, int access) {
    if (path.empty()) return systemError(Error::Kind::NotFound, path, ENOENT);
    Descriptor fd(::open(path.c_str(), access | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        const int savedErrno = errno;
        // A folder opened for writing or a socket says what it is only when asked.
        struct stat info {};
        if (savedErrno != ENOENT && savedErrno != EACCES && ::stat(path.c_str(), &info) == 0 &&
            !S_ISREG(info.st_mode))
            return notRegular(Error::Kind::NotFound, path, info.st_mode);
        const bool missing = savedErrno == ENOENT || savedErrno == ENOTDIR || savedErrno == ELOOP;
        return systemError(missing ? Error::Kind::NotFound : Error::Kind::Open, path, savedErrno);
    }
    struct stat opened {};
    if (::fstat(fd.get(), &opened) != 0) return systemError(Error::Kind::Open, path, errno);
    if (!S_ISREG(opened.st_mode)) return notRegular(Error::Kind::NotFound, path, opened.st_mode);
    return fd;
}

// Whole-block positional I/O, retried after signals and short transfers.
bool readFully(int fd, std::uint8_t* data, std::size_t length, std::uint64_t offset, bool& ended) {
    ended = false;
    while (length > 0) {
        const ssize_t got = ::pread(fd, data, length, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) {
            ended = true;
            return false;
        }
        data += got;
        length -= static_cast<std::size_t>(got);
        offset += static_cast<std::uint64_t>(got);
    }
    return true;
}

bool writeFully(int fd, const std::uint8_t* data, std::size_t length, std::uint64_t offset) {
    while (length > 0) {
        const ssize_t put = detail::positionalWrite(fd, data, length, static_cast<off_t>(offset));
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            if (put == 0) errno = EIO;
            return false;
        }
        data += put;
        length -= static_cast<std::size_t>(put);
        offset += static_cast<std::uint64_t>(put);
    }
    return true;
}

std::string temporaryNameFor(const std::string& path) {
    // Seeded by one getrandom call: std::random_device costs a process that
    // writes one file more than the name is worth. O_EXCL, not the name,
    // keeps a file planted under it from being used.
    static std::mt19937_64 generator{[] {
        std::uint64_t entropy = 0;
        if (::getrandom(&entropy, sizeof entropy, GRND_NONBLOCK) != sizeof entropy)
            entropy = static_cast<std::uint64_t>(::getpid()) ^
                      reinterpret_cast<std::uintptr_t>(&entropy);
        return entropy;
    }()};
    char suffix[17];
    std::snprintf(suffix, sizeof suffix, "%016llx",
                  static_cast<unsigned long long>(generator()));
    return joinPath(folderOf(path).empty() ? std::string(".") : folderOf(path),
                    "." + fileTitleOf(path) + ".tmp-" + suffix);
}

bool syncFolder(const std::string& folder) {
    Descriptor fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return fd.get() >= 0 && ::fsync(fd.get()) == 0;
}

// Blocks SIGINT and SIGTERM while a temporary file is created and recorded,
// so that an interrupt never finds it created but not yet recorded.
class InterruptsHeld {
public:
    InterruptsHeld() {
        sigset_t held;
        sigemptyset(&held);
        sigaddset(&held, SIGINT);
        sigaddset(&held, SIGTERM);
        ::pthread_sigmask(SIG_BLOCK, &held, &previous_);
    }
    ~InterruptsHeld() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    InterruptsHeld(const InterruptsHeld&) = delete;
    InterruptsHeld& operator=(const InterruptsHeld&) = delete;

private:
    sigset_t previous_;
};

// One output on its way: where it goes and the temporary file beside it.
struct Pending {
    std::string requested;  // the path the caller named, for messages
    std::string target;     // the file replaced: the link's target for a link
    std::string temporary;
    int slot = -1;
    bool existed = false;
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
        if (::stat(path.c_str(), &info) != 0) return systemError(Error::Kind::Write, path, errno);
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (resolved == nullptr) return systemError(Error::Kind::Write, path, errno);
        pending.target = resolved;
        std::free(resolved);
    }
    if (!S_ISREG(info.st_mode)) return notRegular(Error::Kind::Write, path, info.st_mode);
    pending.existed = true;
    pending.mode = info.st_mode & 07777;
    pending.owner = info.st_uid;
    pending.group = info.st_gid;
    return pending;
}

Result<void> writeTemporary(Pending& pending, const Bytes& data) {
    const std::string& path = pending.requested;
    Descriptor fd;
    {
        InterruptsHeld held;
        // O_EXCL refuses to reuse a name that happens to exist; try a few fresh names.
        for (int attempt = 0; attempt < 8 && fd.get() < 0; ++attempt) {
            pending.temporary = temporaryNameFor(pending.target);
            fd = Descriptor(::open(pending.temporary.c_str(),
                                   O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
            if (fd.get() < 0 && errno != EEXIST) break;
        }
        if (fd.get() < 0) {
            const int savedErrno = errno;
            pending.temporary.clear();
            return systemError(Error::Kind::Write, path, savedErrno);
        }
        pending.slot = registerTemporaryFile(pending.temporary);
    }
    const auto fail = [&](int savedErrno) {
        discard(pending);
        return Result<void>(systemError(Error::Kind::Write, path, savedErrno));
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
    if (!writeFully(fd.get(), data.data(), data.size(), 0)) return fail(errno);
    // On the disk before it may replace anything: a rename of a file still in
    // the page cache can leave an empty file after a power loss or an unplug.
    if (::fsync(fd.get()) != 0) return fail(errno);
    if (!fd.close()) return fail(errno);
    return {};
}

}  // namespace

Error systemError(Error::Kind kind, const std::string& path, int savedErrno) {
    return Error{kind, path, savedErrno != 0 ? std::strerror(savedErrno) : std::string(),
                 causeOf(savedErrno), Error::FileType::Unknown};
}

std::optional<std::uint64_t> fileLength(const std::string& path) {
    auto length = regularFileLength(path);
    if (!length) return std::nullopt;
    return length.value();
}

Result<std::uint64_t> regularFileLength(const std::string& path) {
    auto info = statRegular(path);
    if (!info) return info.error();
    return static_cast<std::uint64_t>(info.value().st_size);
}

Result<void> checkReadable(const std::string& path) {
    auto fd = openRegular(path, O_RDONLY);
    if (!fd) return fd.error();
    return {};
}

Error::FileType fileTypeAt(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) return Error::FileType::Missing;
    return typeOf(info.st_mode);
}

Result<FileStart> readFileStart(const std::string& path, std::size_t limit) {
    auto fd = openRegular(path, O_RDONLY);
    if (!fd) return fd.error();
    struct stat opened {};
    if (::fstat(fd.value().get(), &opened) != 0) return systemError(Error::Kind::Read, path, errno);
    FileStart start;
    start.length = static_cast<std::uint64_t>(opened.st_size);
    start.bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(start.length, limit)));
    bool ended = false;
    if (!readFully(fd.value().get(), start.bytes.data(), start.bytes.size(), 0, ended)) {
        if (ended) return Error{Error::Kind::ShortRead, path, {}};
        return systemError(Error::Kind::Read, path, errno);
    }
    return start;
}

Result<Bytes> readWholeFile(const std::string& path, std::size_t limit) {
    auto start = readFileStart(path, limit);
    if (!start) return start.error();
    if (start.value().length > limit)
        return Error{Error::Kind::Invalid, path, "larger than " + std::to_string(limit) + " bytes",
                     Error::Cause::TooLarge};
    return std::move(start.value().bytes);
}

Result<Bytes> readBlock(const std::string& path, std::uint64_t offset, std::size_t length) {
    if (offset > static_cast<std::uint64_t>(LLONG_MAX) - length)
        return Error{Error::Kind::ShortRead, path, "block beyond any file"};
    auto fd = openRegular(path, O_RDONLY);
    if (!fd) return fd.error();
    Bytes block(length);
    bool ended = false;
    if (!readFully(fd.value().get(), block.data(), length, offset, ended)) {
        if (ended) return Error{Error::Kind::ShortRead, path, {}};
        return systemError(Error::Kind::Read, path, errno);
    }
    return block;
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {}, second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

namespace {

// One output named by reference: a whole skin is not copied to be written.
struct OutputView {
    const std::string& path;
    const Bytes& bytes;
};

Result<void> writeAll(const std::vector<OutputView>& files) {
    std::vector<Pending> pending;
    pending.reserve(files.size());
    for (const OutputView& file : files) {
        auto plan = planOutput(file.path);
        if (!plan) return plan.error();
        for (const Pending& earlier : pending) {
            if (earlier.target == plan.value().target || sameFile(earlier.target, plan.value().target))
                return Error{Error::Kind::Invalid, file.path, "named twice among the outputs",
                             Error::Cause::SameFile, Error::FileType::Unknown};
        }
        pending.push_back(std::move(plan).value());
    }

    const auto discardAll = [&] {
        for (Pending& each : pending) discard(each);
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        auto written = writeTemporary(pending[i], files[i].bytes);
        if (!written) {
            discardAll();
            return written.error();
        }
    }

    std::set<std::string> folders;
    for (Pending& each : pending) {
        if (::rename(each.temporary.c_str(), each.target.c_str()) != 0) {
            const Error error = systemError(Error::Kind::Rename, each.requested, errno);
            discardAll();
            return error;
        }
        unregisterTemporaryFile(each.slot);
        each.slot = -1;
        each.temporary.clear();
        folders.insert(folderOf(each.target));
    }
    // The renames themselves are on the disk only once their folders are.
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

Result<void> writeFileAtomically(const std::string& path, const Bytes& data) {
    return writeAll({OutputView{path, data}});
}

Result<void> patchFile(const std::string& path, std::uint64_t expectedLength,
                       const std::vector<Patch>& patches) {
    const auto length = regularFileLength(path);
    if (!length) return length.error();
    if (length.value() != expectedLength) return Error{Error::Kind::WrongLength, path, {}};
    std::uint64_t first = expectedLength, end = 0;
    for (const Patch& patch : patches) {
        if (patch.offset > expectedLength || patch.bytes.size() > expectedLength - patch.offset)
            return Error{Error::Kind::Invalid, path, "patch outside the file"};
        if (patch.bytes.empty()) continue;
        first = std::min(first, patch.offset);
        end = std::max<std::uint64_t>(end, patch.offset + patch.bytes.size());
    }
    if (end == 0) return {};

    auto fd = openRegular(path, O_RDWR);  // never creates, never truncates
    if (!fd) return fd.error();
    Bytes span(static_cast<std::size_t>(end - first));
    bool ended = false;
    if (!readFully(fd.value().get(), span.data(), span.size(), first, ended))
        return ended ? Error{Error::Kind::WrongLength, path, "shrank while written"}
                     : systemError(Error::Kind::Read, path, errno);
    for (const Patch& patch : patches)
        std::copy(patch.bytes.begin(), patch.bytes.end(),
                  span.begin() + static_cast<std::ptrdiff_t>(patch.offset - first));
    if (!writeFully(fd.value().get(), span.data(), span.size(), first))
        return systemError(Error::Kind::Write, path, errno);
    if (::fsync(fd.value().get()) != 0) return systemError(Error::Kind::Write, path, errno);
    if (!fd.value().close()) return systemError(Error::Kind::Write, path, errno);
    return {};
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string fileTitleOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string joinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    return dir.back() == '/' ? dir + name : dir + '/' + name;
}

}  // namespace vireo
