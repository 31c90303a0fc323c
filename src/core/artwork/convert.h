#pragma once

#include "core/artwork/fit.h"
#include "core/artwork/picture.h"
#include "core/artwork/quantise.h"
#include "core/base/binary_file.h"
#include "core/base/result.h"
#include "core/images/source_set.h"
#include "core/settings/record.h"

#include <array>
#include <optional>
#include <string>

namespace vireo::artwork {

struct ConvertOptions {
    Fit fit = Fit::Refuse;
    // 0 (none) to 1 (full): how much a background is dithered, a quarter of
    // full error diffusion at 1. Icons are never error-diffused.
    float dither = 1.0f;
    Colour matte{};  // what an icon's transparent pixels become where nothing lies under them
    // What a background's transparent parts (a contained picture's margins)
    // are filled with; nullopt: the mean colour of the picture's edge next to them.
    std::optional<Colour> margin;
    Frame frame;  // the part a covering fit shows
};

// The mean colour of the opaque pixels next to a transparent one (the edge a
// contained picture shows towards its margins); nullopt when there is none.
std::optional<Colour> edgeColour(const RgbaImage& picture);

// What an icon is converted against: the palette the player draws it with and,
// for a 64×64 icon, the main-screen background under it (opaque, icon-sized).
struct IconContext {
    Palette drawPalette{};
    std::optional<RgbaImage> backdrop;
};

// The sources the player has on the screen, by source index (nullptr where
// there is none): what an icon's transparent parts show besides its background.
using ScreenIcons = std::array<const IndexedPicture*, images::kSourceCount>;

// What the player shows under an icon: a 64×64 icon's main background at its
// position in `record`, covered by the main-screen icons of `drawn` that the
// player draws before it, each as the solid square it is; a 16×16 icon's tree
// background where the file list begins; nullopt for a background. Parts off
// the screen take `matte`.
std::optional<RgbaImage> backdropUnderIcon(images::Source icon, const IndexedPicture& background,
                                           const settings::Record& record, Colour matte,
                                           const ScreenIcons& drawn = {});

// A fitted background made opaque as convertPicture makes it: its transparent
// parts (a contained picture's margins) filled as `options.margin` says.
RgbaImage opaqueBackground(const RgbaImage& fitted, const ConvertOptions& options);

// Any decoded picture into the exact source for `role`: fitted, composited,
// then quantised (a background) or mapped onto `icon.drawPalette` (an icon).
// `alsoDrawn` is passed on to quantiseBackground for a background.
Result<IndexedPicture> convertPicture(const RgbaImage& picture, images::Source role,
                                      const ConvertOptions& options, const IconContext& icon,
                                      const std::string& path,
                                      const std::vector<RgbaImage>& alsoDrawn = {});

// The source a file name stands for ("main256.bmp", ...), letter case exact.
std::optional<images::Source> sourceNamed(const std::string& fileName);

// True for the four backgrounds, as the source table marks them.
bool isBackground(images::Source role);

}  // namespace vireo::artwork
