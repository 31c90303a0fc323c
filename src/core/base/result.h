#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace vireo {

// Why an operation on a file failed. The path is always the file that failed,
// so a window or the command line can name it to the user.
struct Error {
    // What was being done when it failed.
    enum class Kind {
        NotFound,     // no such file, or not a regular file (see cause and fileType)
        Open,         // exists but cannot be opened as asked
        Read,         // the read itself failed
        ShortRead,    // the file ended before the block did
        Write,        // a write, flush or close failed or wrote less than asked
        Rename,       // the finished temporary file could not be put in place
        WrongLength,  // the file exists but its length is not the one required
        Invalid,      // the content or a value was refused
    };

    // What is actually wrong, as far as the system said, so that a message can
    // tell a missing file from a folder, a FIFO or a full disk.
    enum class Cause {
        None,
        Missing,     // no such file or folder
        NotRegular,  // a folder, FIFO, device or socket: see fileType
        NoPermission,
        DiskFull,  // no space left, or over quota
        ReadOnlyFileSystem,
        LinkLoop,      // too many levels of links
        DanglingLink,  // a link to nothing
        SameFile,      // an output that is one of the inputs
        TooLarge,      // longer than any file the reader was asked to take whole
        InTheWay,      // a file stands where a folder was to be made
        NameTooLong,   // a name, or the whole path, longer than the system takes
        NotFolder,     // a file or other where a folder was asked for: see fileType
        Other,         // another system error: see detail
    };

    // What the path named when it was not a regular file; Missing when
    // nothing could be found there.
    enum class FileType {
        Unknown,
        Regular,
        Folder,
        Fifo,
        CharacterDevice,
        BlockDevice,
        Socket,
        Missing
    };

    Kind kind;
    std::string path;
    std::string detail;  // the system's own words, or what was refused; may be empty
    Cause cause = Cause::None;
    FileType fileType = FileType::Unknown;
    // Which of the input's fields was refused, where the caller must point at it.
    std::optional<std::size_t> field{};
};

// A value or the reason it could not be produced.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::move(value)) {}
    Result(Error error) : state_(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<T>(state_); }
    const T& value() const& { return std::get<T>(state_); }
    T&& value() && { return std::get<T>(std::move(state_)); }
    const Error& error() const { return std::get<Error>(state_); }

private:
    std::variant<T, Error> state_;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : error_(std::move(error)), ok_(false) {}

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    const Error& error() const { return error_; }

private:
    Error error_{Error::Kind::Invalid, {}, {}};
    bool ok_ = true;
};

}  // namespace vireo
