#pragma once

#include "artwork/picture.h"
#include "base/binary_file.h"
#include "base/result.h"
#include "images/source_set.h"
#include "settings/record.h"

#include <optional>
#include <string>

namespace vireo::artwork {

// How a picture of another size is brought to the role's size. Refuse keeps
// the author's pixels or says why not.
enum class Fit { Refuse, Cover, Contain, Stretch };

struct ConvertOptions {
    Fit fit = Fit::Refuse;
    float dither = 1.0f;  // 0 (none) to 1 (full)
    Colour matte{};       // what transparent pixels become where nothing lies under them
};

// What an icon is converted against: the palette the player draws it with and,
// for a 64×64 icon, the main-screen background under it (opaque, icon-sized).
struct IconContext {
    Palette drawPalette{};
    std::optional<RgbaImage> backdrop;
};

// `picture` at `width` × `height` by `fit`; Contain leaves the padding
// transparent. Refuses another size under Fit::Refuse, naming both sizes.
Result<RgbaImage> fitPicture(const RgbaImage& picture, int width, int height, Fit fit,
                             const std::string& path);

// Alpha composited over `backdrop` (same size) where given, else over `matte`.
RgbaImage compositeOver(const RgbaImage& picture, const RgbaImage* backdrop, Colour matte);

// A background's own 256-colour palette, made by libimagequant. `alsoDrawn`
// holds colours that must also be well served, such as those of the icons the
// player draws with this palette; only their opaque pixels count. When the
// background and those colours are 256 or fewer, all are kept exactly.
Result<IndexedPicture> quantiseBackground(const RgbaImage& opaque, float dither,
                                          const std::string& path,
                                          const std::vector<RgbaImage>& alsoDrawn = {});

// An opaque picture mapped onto `palette` through libimagequant's fixed
// colours; carries `palette` as its own. Every pixel whose colour is already
// in `palette` keeps it exactly.
Result<IndexedPicture> mapOntoPalette(const RgbaImage& opaque, const Palette& palette, float dither,
                                      const std::string& path);

// The main-screen background under a 64×64 icon at its position in `record`;
// nullopt for any other source. Parts off the screen take `matte`.
std::optional<RgbaImage> backdropUnderIcon(images::Source icon, const IndexedPicture& mainBackground,
                                           const settings::Record& record, Colour matte);

// The settings record a skin starts from when no BACK is given.
settings::Record defaultRecord();

// Any decoded picture into the exact source for `role`: fitted, composited,
// then quantised (a background) or mapped onto `icon.drawPalette` (an icon).
// `alsoDrawn` is passed on to quantiseBackground for a background.
Result<IndexedPicture> convertPicture(const RgbaImage& picture, images::Source role,
                                      const ConvertOptions& options, const IconContext& icon,
                                      const std::string& path,
                                      const std::vector<RgbaImage>& alsoDrawn = {});

// Command-line words: "cover", "contain", "stretch"; nullopt for anything else.
std::optional<Fit> fitNamed(const std::string& name);
// "RRGGBB" (six hexadecimal digits, red first); nullopt for anything else.
std::optional<Colour> colourFromHex(const std::string& text);
// The source a file name stands for ("main256.bmp", ...), letter case exact.
std::optional<images::Source> sourceNamed(const std::string& fileName);

// True for the four 240×160 backgrounds.
bool isBackground(images::Source role);

}  // namespace vireo::artwork
