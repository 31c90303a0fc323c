#pragma once

// The system calls under every file helper in base/, shared by the readers,
// the atomic writer and the patcher. Not for use outside base/.

#include "core/base/result.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include <sys/types.h>

namespace vireo::io {

Error::Cause causeOf(int savedErrno);
Error::FileType typeOf(mode_t mode);
Error notRegular(Error::Kind kind, const std::string& path, mode_t mode);

// systemError, except that a path found missing (ENOENT) that is itself a
// link is called what it is: a link to nothing.
Error missingOrDangling(Error::Kind kind, const std::string& path, int savedErrno);

// Closes on scope exit; explicit close() is used where its result matters.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor();
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor(Descriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }

    int get() const { return fd_; }
    bool close();

private:
    int fd_;
};

// Opens a regular file without asking first: O_NONBLOCK keeps the open of a
// FIFO or a device from waiting, and the fstat that follows refuses anything
// but a regular file before a byte is read.
Result<Descriptor> openRegular(const std::string& path, int access);

// Whole-block positional I/O, retried after signals and short transfers.
// `ended` tells a file that ended early from a failed read.
bool readFully(int fd, std::uint8_t* data, std::size_t length, std::uint64_t offset, bool& ended);
bool writeFully(int fd, const std::uint8_t* data, std::size_t length, std::uint64_t offset);

}  // namespace vireo::io
