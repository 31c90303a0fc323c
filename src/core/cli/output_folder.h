#pragma once

#include "core/base/result.h"
#include "core/cli/command.h"
#include "core/skin/unpacking.h"

#include <string>
#include <vector>

namespace vireo::cli {

// The path of each file in `folder`, in order.
std::vector<std::string> pathsIn(const std::string& folder,
                                 const std::vector<skin::NamedFile>& files);

// Those of `paths` that name something already (a file, a folder, a link, even
// a broken one): what writing them would replace.
std::vector<std::string> existingPaths(const std::vector<std::string>& paths);

// Unless `force`, refuses to replace any of `outputs` that exists already:
// lists them all and returns kRefused; nullopt when nothing stands in the way.
std::optional<int> refuseExisting(Io& io, const std::vector<std::string>& outputs, bool force);

// Writes every file into `folder`, creating the folder when it is missing, as
// one step (writeFilesIntoFolder): a failure leaves every existing file as it
// was, removes the folders made for it and names the file that failed.
Result<void> writeFilesInto(const std::string& folder, const std::vector<skin::NamedFile>& files);

}  // namespace vireo::cli
