#include "base/file_exists.h"

#include "base/binary_file.h"

namespace vireo {

bool FileExists(const std::string& path) {
    return checkReadable(path).ok();
}

}  // namespace vireo
