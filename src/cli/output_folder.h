#pragma once

#include "base/result.h"
#include "skin/unpacking.h"

#include <string>
#include <vector>

namespace vireo::cli {

// Writes every file into `folder`, creating the folder when it is missing.
// Each file is replaced whole (temporary file + rename), so a failure leaves
// that file as it was and names it; the files before it stay written.
Result<void> writeFilesInto(const std::string& folder, const std::vector<skin::NamedFile>& files);

}  // namespace vireo::cli
