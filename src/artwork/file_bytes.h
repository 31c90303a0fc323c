#pragma once

#include "base/binary_file.h"
#include "base/result.h"

#include <string>

namespace vireo::artwork {

// What is at a path when it is not a regular file: "文件夹", "FIFO", "设备", ...;
// empty for a regular file; "不存在" when nothing is there.
std::string nonFileKind(const std::string& path);

// At most `limit` bytes from the start of a regular file, and its full length.
struct FileStart {
    Bytes bytes;
    std::uint64_t length = 0;
};
Result<FileStart> readFileStart(const std::string& path, std::size_t limit);

// Plenty for any picture a skin needs; a larger file is still diagnosed by its header.
constexpr std::size_t kReadLimit = 64u * 1024u * 1024u;

}  // namespace vireo::artwork
