#pragma once

#include <string>

namespace vireo {

// True when `path` names a file that can be opened for reading. Never reports
// why not: an empty path, a missing file, a folder and an unreadable file are
// all simply false.
bool FileExists(const std::string& path);

}  // namespace vireo
