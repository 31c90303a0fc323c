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
    enum class Kind {
        NotFound,     // no such file, or not a regular file
        Open,         // exists but cannot be opened as asked
        Read,         // the read itself failed
        ShortRead,    // the file ended before the block did
        Write,        // a write, flush or close failed or wrote less than asked
        Rename,       // the finished temporary file could not be put in place
        WrongLength,  // the file exists but its length is not the one required
        Invalid,      // the content or a value was refused
    };

    Kind kind;
    std::string path;
    std::string detail;  // the system's own words, or what was refused; may be empty
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

// Chinese sentence for the user that names the file, e.g. "无法读取文件：/a/b".
std::string describe(const Error& error);

}  // namespace vireo
