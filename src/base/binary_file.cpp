#include "base/binary_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace vireo {

namespace {

Error ioError(Error::Kind kind, const std::string& path, int savedErrno = 0) {
    return Error{kind, path, savedErrno != 0 ? std::strerror(savedErrno) : std::string()};
}

// Closes on scope exit; explicit close() is used where its result matters.
class File {
public:
    File(const std::string& path, const char* mode) : file_(std::fopen(path.c_str(), mode)) {}
    ~File() {
        if (file_) std::fclose(file_);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    std::FILE* get() const { return file_; }
    explicit operator bool() const { return file_ != nullptr; }

    // True when buffered data reached the system and the descriptor closed cleanly.
    bool close() {
        std::FILE* f = file_;
        file_ = nullptr;
        return std::fclose(f) == 0;
    }

private:
    std::FILE* file_;
};

bool seekTo(std::FILE* file, std::uint64_t offset) {
    return offset <= static_cast<std::uint64_t>(LONG_MAX) &&
           std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0;
}

Error openError(const std::string& path, int savedErrno) {
    std::error_code ec;
    if (!fs::exists(path, ec)) return ioError(Error::Kind::NotFound, path);
    return ioError(Error::Kind::Open, path, savedErrno);
}

std::string temporaryNameFor(const std::string& path) {
    static std::mt19937_64 generator{std::random_device{}()};
    char suffix[17];
    std::snprintf(suffix, sizeof suffix, "%016llx",
                  static_cast<unsigned long long>(generator()));
    return joinPath(folderOf(path).empty() ? std::string(".") : folderOf(path),
                    "." + fileTitleOf(path) + ".tmp-" + suffix);
}

}  // namespace

std::optional<std::uint64_t> fileLength(const std::string& path) {
    std::error_code ec;
    if (path.empty() || !fs::is_regular_file(path, ec)) return std::nullopt;
    const auto size = fs::file_size(path, ec);
    if (ec) return std::nullopt;
    return size;
}

Result<Bytes> readBlock(const std::string& path, std::uint64_t offset, std::size_t length) {
    std::error_code ec;
    if (path.empty() || !fs::is_regular_file(path, ec)) return ioError(Error::Kind::NotFound, path);
    File file(path, "rb");
    if (!file) return openError(path, errno);
    if (!seekTo(file.get(), offset)) return ioError(Error::Kind::Read, path, errno);

    Bytes block(length);
    const std::size_t got = length == 0 ? 0 : std::fread(block.data(), 1, length, file.get());
    if (got != length) {
        return std::ferror(file.get()) ? ioError(Error::Kind::Read, path, errno)
                                       : ioError(Error::Kind::ShortRead, path);
    }
    return block;
}

Result<void> writeFileAtomically(const std::string& path, const Bytes& data) {
    std::string temporary;
    std::FILE* raw = nullptr;
    // "x" refuses to reuse a name that happens to exist; try a few fresh names.
    for (int attempt = 0; attempt < 8 && raw == nullptr; ++attempt) {
        temporary = temporaryNameFor(path);
        raw = std::fopen(temporary.c_str(), "wbx");
        if (raw == nullptr && errno != EEXIST) break;
    }
    if (raw == nullptr) return ioError(Error::Kind::Write, path, errno);

    const auto fail = [&](int savedErrno) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return Result<void>(ioError(Error::Kind::Write, path, savedErrno));
    };

    const std::size_t written = data.empty() ? 0 : std::fwrite(data.data(), 1, data.size(), raw);
    const bool flushed = written == data.size() && std::fflush(raw) == 0;
    const int writeErrno = errno;
    const bool closed = std::fclose(raw) == 0;
    if (!flushed) return fail(writeErrno);
    if (!closed) return fail(errno);

    std::error_code ec;
    fs::rename(temporary, path, ec);
    if (ec) {
        const Error error{Error::Kind::Rename, path, ec.message()};
        fs::remove(temporary, ec);
        return error;
    }
    return {};
}

Result<void> patchFile(const std::string& path, std::uint64_t expectedLength,
                       const std::vector<Patch>& patches) {
    const auto length = fileLength(path);
    if (!length) return ioError(Error::Kind::NotFound, path);
    if (*length != expectedLength) return ioError(Error::Kind::WrongLength, path);
    for (const Patch& patch : patches) {
        if (patch.offset > expectedLength || patch.bytes.size() > expectedLength - patch.offset)
            return Error{Error::Kind::Invalid, path, "patch outside the file"};
    }

    File file(path, "r+b");  // never creates, never truncates
    if (!file) return openError(path, errno);
    for (const Patch& patch : patches) {
        if (!seekTo(file.get(), patch.offset)) return ioError(Error::Kind::Write, path, errno);
        if (std::fwrite(patch.bytes.data(), 1, patch.bytes.size(), file.get()) != patch.bytes.size())
            return ioError(Error::Kind::Write, path, errno);
    }
    if (std::fflush(file.get()) != 0) return ioError(Error::Kind::Write, path, errno);
    if (!file.close()) return ioError(Error::Kind::Write, path, errno);
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
