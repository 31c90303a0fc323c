#include "core/base/readable_file.h"

#include "core/base/binary_file.h"

namespace vireo {

bool isReadableFile(const std::string& path) {
    return checkReadable(path).ok();
}

}  // namespace vireo
