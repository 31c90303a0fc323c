#pragma once

#include "core/base/result.h"
#include "core/skin/screen.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Qt Gui lives in a module of its own, loaded only by the commands that encode
// or decode pictures (render; convert and import, see picture_module.h), so
// that every other command starts without loading Qt Gui and its libraries.
extern "C" {
// Encodes `width` × `height` pixels (0xFFRRGGBB, rows from the top) as PNG and
// hands the encoded bytes to `sink` once, with `context`. Returns false when
// encoding failed; the file itself is written by the program, so that its name
// stays the bytes it was given.
using VireoPngSink = void (*)(void* context, const unsigned char* bytes, std::size_t size);
using VireoEncodePng = bool (*)(const std::uint32_t* pixels, int width, int height,
                                VireoPngSink sink, void* context);
}

namespace vireo::cli {

constexpr char kPngModuleFile[] = "vireo-skin-png.so";
constexpr char kPngFunctionName[] = "vireo_encode_png";

// `function` of the module, from the first of `moduleDirs` that holds the
// module and the function. The module stays loaded until the program ends.
Result<void*> moduleFunction(const char* function, const std::vector<std::string>& moduleDirs);

// Loads the module from the first of `moduleDirs` that holds it and replaces
// `path` whole with `picture` as PNG; with `intoExistingFile`, writes into the
// file at `path` itself (see writeIntoFile).
Result<void> writePng(const skin::Picture& picture, const std::string& path,
                      const std::vector<std::string>& moduleDirs, bool intoExistingFile = false);

}  // namespace vireo::cli
