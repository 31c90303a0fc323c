#include "core/cli/png_writer.h"

#include "core/base/binary_file.h"

#include <dlfcn.h>

namespace vireo::cli {

Result<void*> moduleFunction(const char* function, const std::vector<std::string>& moduleDirs) {
    std::string modulePath = kPngModuleFile;
    std::string why = "no folder to look in";
    for (const std::string& dir : moduleDirs) {
        modulePath = joinPath(dir, kPngModuleFile);
        // Kept loaded until the program ends: the process is about to.
        if (void* module = dlopen(modulePath.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            if (void* found = dlsym(module, function)) return found;
        }
        const char* error = dlerror();
        why = error ? error : "";
    }
    return Error{Error::Kind::Open, modulePath, why};
}

Result<void> writePng(const skin::Picture& picture, const std::string& path,
                      const std::vector<std::string>& moduleDirs, bool intoExistingFile) {
    const auto function = moduleFunction(kPngFunctionName, moduleDirs);
    if (!function) return function.error();
    const auto encode = reinterpret_cast<VireoEncodePng>(function.value());

    Bytes png;
    const VireoPngSink keep = [](void* context, const unsigned char* bytes, std::size_t size) {
        static_cast<Bytes*>(context)->assign(bytes, bytes + size);
    };
    if (!encode(picture.pixels.data(), picture.width, picture.height, keep, &png) || png.empty())
        return Error{Error::Kind::Write, path, "PNG encoding failed"};
    return intoExistingFile ? writeIntoFile(path, png) : writeFileAtomically(path, png);
}

}  // namespace vireo::cli
