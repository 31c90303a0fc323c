#pragma once

#include "core/artwork/bmp_check.h"
#include "core/base/result.h"

#include <optional>
#include <string>
#include <vector>

namespace vireo::artwork {

struct FileReport {
    std::string file;  // the name within the folder, e.g. "main256.bmp", "BACK"
    std::string path;
    std::vector<Finding> findings;
    bool settingsFile = false;  // the BACK, whose fixes differ from a picture's
};

// Every file of a source set with what is wrong with it; files with no
// problem are listed too, with none.
struct DoctorReport {
    std::string folder;
    std::vector<FileReport> files;  // the twelve sources in set order, then BACK
    bool ok() const;
};

// Examines every source in `folder` and the settings file (`backPath`, else the
// folder's BACK). Fails only when the folder itself cannot be read.
Result<DoctorReport> doctorFolder(const std::string& folder,
                                  const std::optional<std::string>& backPath = std::nullopt);

}  // namespace vireo::artwork
