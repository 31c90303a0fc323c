#include "app/file_exists.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace vireo {

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    // On Linux a folder opens for reading too, so ask what the path names first.
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    return std::fclose(file) == 0;
}

}  // namespace vireo
