#pragma once

#include "core/cli/command.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace vireo::cli {

struct Command {
    const char* name;
    const char* summary;
    CommandParser (*parser)();
    int (*run)(const Arguments&, Io&);
};

// Every command in the order the help lists them.
const std::vector<Command>& commandTable();

// The program's own options, which come before a command.
struct ProgramOption {
    const char* longName;
    char shortName;
    const char* description;
};
const std::vector<ProgramOption>& programOptions();

// Runs the vireo-skin command line: `arguments` starts with the program name
// and holds the bytes as the system passed them. Results go to `out`, errors to `err`.
int runCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const Environment& environment);

}  // namespace vireo::cli
