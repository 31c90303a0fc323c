#pragma once

#include <string>

namespace vireo {

// True when `path` names a regular file (links followed) that can be opened
// for reading. Never blocks: a FIFO, device or socket is false without being
// opened. Never reports why not; checkReadable (core/base/binary_file.h) does.
bool isReadableFile(const std::string& path);

}  // namespace vireo
