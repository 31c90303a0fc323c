// Reads of regular files only, whole blocks or none.
#include "core/base/binary_file.h"
#include "core/base/system_io.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <utility>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>

namespace vireo {

namespace {

// Asks what `path` names before anything opens it: a FIFO or a device must be
// refused, not opened, or the open or the first read would wait forever.
Result<struct stat> statRegular(const std::string& path) {
    struct stat info {};
    if (path.empty()) return systemError(Error::Kind::NotFound, path, ENOENT);
    if (::stat(path.c_str(), &info) != 0) {
        const int savedErrno = errno;
        const Error::Kind kind = savedErrno == EACCES ? Error::Kind::Open : Error::Kind::NotFound;
        return io::missingOrDangling(kind, path, savedErrno);
    }
    if (!S_ISREG(info.st_mode)) return io::notRegular(Error::Kind::NotFound, path, info.st_mode);
    return info;
}

}  // namespace

void reserveBlock(Bytes& bytes, std::size_t size) {
    constexpr std::uintptr_t kLargePage = std::uintptr_t(2) << 20;
    bytes.reserve(size);
    const auto begin = reinterpret_cast<std::uintptr_t>(bytes.data());
    const std::uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t last = (begin + bytes.capacity()) & ~(kLargePage - 1);
    // Only a hint: where the system has no large pages to give, nothing changes.
    if (last > first) (void)::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
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
    auto fd = io::openRegular(path, O_RDONLY);
    if (!fd) return fd.error();
    return {};
}

Result<FileStart> readFileStart(const std::string& path, std::size_t limit) {
    auto fd = io::openRegular(path, O_RDONLY);
    if (!fd) return fd.error();
    struct stat opened {};
    if (::fstat(fd.value().get(), &opened) != 0) return systemError(Error::Kind::Read, path, errno);
    FileStart start;
    start.length = static_cast<std::uint64_t>(opened.st_size);
    const auto length = static_cast<std::size_t>(std::min<std::uint64_t>(start.length, limit));
    reserveBlock(start.bytes, length);
    start.bytes.resize(length);
    bool ended = false;
    if (!io::readFully(fd.value().get(), start.bytes.data(), start.bytes.size(), 0, ended)) {
        if (ended) return Error{Error::Kind::ShortRead, path, {}};
        return systemError(Error::Kind::Read, path, errno);
    }
    return start;
}

Result<Bytes> readWholeFile(const std::string& path, std::size_t limit) {
    auto start = readFileStart(path, limit);
    if (!start) return start.error();
    if (start.value().length > limit)
        return Error{Error::Kind::Invalid, path, "larger-than: " + std::to_string(limit),
                     Error::Cause::TooLarge};
    return std::move(start.value().bytes);
}

Result<Bytes> readBlock(const std::string& path, std::uint64_t offset, std::size_t length) {
    if (offset > static_cast<std::uint64_t>(LLONG_MAX) - length)
        return Error{Error::Kind::ShortRead, path, "block beyond any file"};
    auto fd = io::openRegular(path, O_RDONLY);
    if (!fd) return fd.error();
    Bytes block(length);
    bool ended = false;
    if (!io::readFully(fd.value().get(), block.data(), length, offset, ended)) {
        if (ended) return Error{Error::Kind::ShortRead, path, {}};
        return systemError(Error::Kind::Read, path, errno);
    }
    return block;
}

}  // namespace vireo
