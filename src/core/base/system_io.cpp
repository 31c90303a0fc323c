#include "core/base/system_io.h"

#include "core/base/binary_file.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vireo {

namespace detail {
ssize_t (*positionalWrite)(int, const void*, std::size_t, off_t) = ::pwrite;
int (*flushFile)(int) = ::fsync;
int (*renameFile)(const char*, const char*) = ::rename;
}  // namespace detail

Error systemError(Error::Kind kind, const std::string& path, int savedErrno) {
    return Error{kind, path, savedErrno != 0 ? std::strerror(savedErrno) : std::string(),
                 io::causeOf(savedErrno), Error::FileType::Unknown};
}

namespace io {

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
    case EEXIST: return Error::Cause::InTheWay;
    case ENAMETOOLONG: return Error::Cause::NameTooLong;
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

Error missingOrDangling(Error::Kind kind, const std::string& path, int savedErrno) {
    struct stat own {};
    if (savedErrno == ENOENT && ::lstat(path.c_str(), &own) == 0 && S_ISLNK(own.st_mode))
        return Error{kind, path, "link to nothing", Error::Cause::DanglingLink};
    return systemError(kind, path, savedErrno);
}

Descriptor::~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
}

bool Descriptor::close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
}

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
        const Error::Kind kind = missing ? Error::Kind::NotFound : Error::Kind::Open;
        return missingOrDangling(kind, path, savedErrno);
    }
    struct stat opened {};
    if (::fstat(fd.get(), &opened) != 0) return systemError(Error::Kind::Open, path, errno);
    if (!S_ISREG(opened.st_mode)) return notRegular(Error::Kind::NotFound, path, opened.st_mode);
    return fd;
}

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

}  // namespace io

}  // namespace vireo
