#pragma once

#include "cli/command.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace vireo::cli {

// Runs the vireo-skin command line: `arguments` starts with the program name
// and holds the bytes as the system passed them. Results go to `out`, errors to `err`.
int runCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const Environment& environment);

}  // namespace vireo::cli
