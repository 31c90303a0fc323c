#include "cli/png_writer.h"

#include "base/binary_file.h"

#include <dlfcn.h>

namespace vireo::cli {

Result<void> writePng(const skin::Picture& picture, const std::string& path,
                      const std::vector<std::string>& moduleDirs) {
    VireoWritePng write = nullptr;
    std::string modulePath = kPngModuleFile;
    std::string why = "no folder to look in";
    for (const std::string& dir : moduleDirs) {
        modulePath = joinPath(dir, kPngModuleFile);
        // Kept loaded until the program ends: the process is about to.
        if (void* module = dlopen(modulePath.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            write = reinterpret_cast<VireoWritePng>(dlsym(module, kPngFunctionName));
            if (write) break;
        }
        const char* error = dlerror();
        why = error ? error : "";
    }
    if (!write) return Error{Error::Kind::Open, modulePath, why};

    char reason[512] = {};
    if (!write(picture.pixels.data(), picture.width, picture.height, path.c_str(), reason,
               sizeof reason))
        return Error{Error::Kind::Write, path, reason};
    return {};
}

}  // namespace vireo::cli
