#pragma once

// The one road from the author's originals to the sources, shared by
// `import`, `update` and the project the windows edit, so that the same
// originals and positions always give the same bytes.

#include "core/artwork/convert.h"
#include "core/artwork/picture_loading.h"
#include "core/base/result.h"
#include "core/images/source_set.h"
#include "core/settings/record.h"

#include <array>
#include <optional>
#include <string>

namespace vireo::artwork {

// The picture named after each source in an artwork folder, with any picture
// extension, letter case ignored ("Movie256.PNG"); nullopt where there is none.
using OriginalPaths = std::array<std::optional<std::string>, images::kSourceCount>;

// Lists `artFolder` (not its subfolders), in name order. Two pictures for one
// source are refused (Invalid, naming the second, detail the first's path).
Result<OriginalPaths> findOriginals(const std::string& artFolder);

// The same, going on past a refused picture: each is added to `problems`, and
// the paths found are returned whatever was refused. Only a folder that cannot
// be listed fails.
Result<OriginalPaths> findOriginals(const std::string& artFolder, std::vector<Error>& problems);

// One original, decoded and brought to its source's size by `fit` and, when
// covering, `frame` (not yet composited). A background that is already an 8-bit BMP of its size is
// kept as it is, with no second quantising.
struct FittedOriginal {
    std::string path;
    RgbaImage fitted;
    std::optional<IndexedPicture> exact;
};
Result<FittedOriginal> loadOriginal(const std::string& path, images::Source role,
                                    PictureDecoder& decoder, Fit fit, bool keepRows,
                                    const Frame& frame = {});

// What to derive: the sources with `wanted` set are made from `originals`;
// the others are taken from `existing` (rows as the player shows them) where
// a derived one needs them (a palette, a backdrop) or a background's palette
// must keep room for them.
struct DeriveJob {
    std::array<const FittedOriginal*, images::kSourceCount> originals{};
    std::array<std::optional<IndexedPicture>, images::kSourceCount> existing{};
    std::array<bool, images::kSourceCount> wanted{};
    settings::Record record{};
    ConvertOptions options{};
};

// The derived sources (only the wanted ones set). The backgrounds are made
// first, in parallel, each palette serving the whole background (the parts
// under the icons too, since icons move) and the icons drawn with it as the
// player will show them over it where `record` places them; then the icons
// over them. A moved icon alone is derived again onto the palette it has. An icon whose background
// is neither wanted nor existing is Invalid naming the background's file.
using DerivedSet = std::array<std::optional<IndexedPicture>, images::kSourceCount>;
Result<DerivedSet> deriveSet(const DeriveJob& job);

}  // namespace vireo::artwork
