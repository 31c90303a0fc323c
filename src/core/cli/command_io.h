#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vireo::cli {

constexpr char kProgram[] = "vireo-skin";

// Exit statuses of vireo-skin.
enum ExitStatus {
    kDone = 0,
    kRefused = 1,  // the input was checked and refused
    kFailed = 2,   // wrong usage, or a file that could not be read or written
};

// What the command line needs to know of its installation.
struct Environment {
    // Where `render` looks for the PNG writer module, in order.
    std::vector<std::string> pngModuleDirs;
    // The folder of the running program, where `new` looks for its pictures.
    std::string programDir;
};

// Where a command writes: results to `out`, errors to `err`.
struct Io {
    std::ostream& out;
    std::ostream& err;
    const Environment& environment;
};

using Arguments = std::vector<std::string>;

}  // namespace vireo::cli
