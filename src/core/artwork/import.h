#pragma once

#include "core/artwork/convert.h"
#include "core/artwork/picture_loading.h"
#include "core/base/binary_file.h"
#include "core/base/result.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vireo::artwork {

// `picturePath` converted into the exact source for `role`. An icon needs
// `palettePath`, the background it is drawn with; a 64×64 icon's transparent
// pixels take that background under its position in `backPath` (the default
// record when none is given).
Result<Bytes> convertFile(const std::string& picturePath, images::Source role,
                          PictureDecoder& decoder, const ConvertOptions& options, bool keepRows,
                          const std::optional<std::string>& palettePath,
                          const std::optional<std::string>& backPath = std::nullopt);

struct ImportOptions {
    ConvertOptions convert;  // its frame unused: each picture has its own
    bool keepRows = false;
    std::array<Frame, images::kSourceCount> frames{};  // the part each picture shows when covering
};

// One finished file, for the caller to write with the others in one go.
struct OutputFile {
    std::string name;
    Bytes bytes;
};

// An artwork folder into a whole source set: each source from the picture
// named after it with any picture extension ("main256.png", "ft256.bmp", ...),
// through deriveSet (core/artwork/derive.h), the road every derive takes.
// Backgrounds come first, then the icons mapped onto their palettes, then
// BACK (the folder's own when there, else the default record). A background
// that is already a readable 8-bit BMP of its size keeps its palette and pixels.
Result<std::vector<OutputFile>> importArtwork(const std::string& artFolder, PictureDecoder& decoder,
                                              const ImportOptions& options);

// The same, looking at every picture even after one is refused: each problem
// (each with its file) is added to `problems`, and the first is returned.
Result<std::vector<OutputFile>> importArtwork(const std::string& artFolder, PictureDecoder& decoder,
                                              const ImportOptions& options,
                                              std::vector<Error>& problems);

}  // namespace vireo::artwork
