#include "cli/command_line.h"

#include <unistd.h>

#include <climits>
#include <iostream>

namespace {

// The folder of the running program, from the kernel rather than argv[0],
// which may be a bare name found on PATH.
std::string programDir(const char* argv0) {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    std::string path = length > 0 ? std::string(buffer, static_cast<std::size_t>(length))
                                   : std::string(argv0 ? argv0 : "");
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace

int main(int argc, char* argv[]) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv, argv + argc);
    // Installed, the PNG writer sits in lib/vireo-skin beside bin; built, next to the program.
    const std::string dir = programDir(argc > 0 ? argv[0] : nullptr);
    const vireo::cli::Environment environment{{dir + "/../lib/vireo-skin", dir}};
    const int status = vireo::cli::runCommandLine(arguments, std::cout, std::cerr, environment);
    std::cout.flush();
    std::cerr.flush();
    return status;
}
