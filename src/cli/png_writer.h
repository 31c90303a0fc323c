#pragma once

#include "base/result.h"
#include "skin/screen.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The PNG writer lives in a module of its own, loaded only by `render`, so
// that every other command starts without loading Qt Gui and its libraries.
extern "C" {
// Writes `width` × `height` pixels (0xFFRRGGBB, rows from the top) as a PNG
// at `path` (the file name's bytes as the system takes them), replacing the
// file only once it is complete. On failure returns false with the reason in `reason`.
using VireoWritePng = bool (*)(const std::uint32_t* pixels, int width, int height,
                               const char* path, char* reason, std::size_t reasonSize);
}

namespace vireo::cli {

constexpr char kPngModuleFile[] = "vireo-skin-png.so";
constexpr char kPngFunctionName[] = "vireo_write_png";

// Loads the module from the first of `moduleDirs` that holds it and writes
// `picture` to `path`.
Result<void> writePng(const skin::Picture& picture, const std::string& path,
                      const std::vector<std::string>& moduleDirs);

}  // namespace vireo::cli
