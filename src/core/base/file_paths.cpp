// Questions about paths that open nothing.
#include "core/base/binary_file.h"
#include "core/base/system_io.h"

#include <cerrno>

#include <sys/stat.h>

namespace vireo {

Error::FileType fileTypeAt(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) return Error::FileType::Missing;
    return io::typeOf(info.st_mode);
}

bool nothingAt(const std::string& path) {
    struct stat own {};
    return ::lstat(path.c_str(), &own) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
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
