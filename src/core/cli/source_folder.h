#pragma once

#include "core/base/result.h"
#include "core/cli/command_parser.h"
#include "core/images/verification.h"

#include <optional>
#include <string>

namespace vireo::cli {

// verify and build: a missing source folder, and the window's two stages over
// DIR. BACK comes from DIR or from --back, never from the current directory,
// so that a script's result does not depend on where it runs.
std::optional<Error> missingFolder(const std::string& dir);
// The error for a regular file that cannot be opened for reading (which the
// length checks alone would call missing); nullopt for one that can, or for
// nothing there at all.
std::optional<Error> unreadableFile(const std::string& path);
// The BACK a folder command uses: --back, else the folder's own.
std::string settingsPathOf(const std::string& dir, const CommandParser& command);
void addBackOption(CommandParser& command);
images::Verification verifyFolder(const std::string& dir, const CommandParser& command);

}  // namespace vireo::cli
