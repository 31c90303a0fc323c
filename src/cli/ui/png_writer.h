#pragma once

#include "base/result.h"
#include "cli/screen.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

// The PNG writer lives in a module of its own, loaded only by `render`, so
// that every other command starts without loading Qt Gui and its libraries.
extern "C" {
// Writes `width` × `height` pixels (0xFFRRGGBB, rows from the top) as a PNG
// at `path` (UTF-8), replacing the file only once it is complete. On failure
// returns false with the reason in `reason`.
using VireoWritePng = bool (*)(const std::uint32_t* pixels, int width, int height,
                               const char* path, char* reason, std::size_t reasonSize);
}

namespace vireo::ui {

constexpr char kPngModuleName[] = "vireo-skin-png";
constexpr char kPngFunctionName[] = "vireo_write_png";

// Loads the module from the first of `moduleDirs` that holds it and writes
// `picture` to `path`.
Result<void> writePng(const cli::Picture& picture, const QString& path,
                      const QStringList& moduleDirs);

}  // namespace vireo::ui
