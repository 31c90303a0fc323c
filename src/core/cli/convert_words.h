#pragma once

#include "core/artwork/fit.h"
#include "core/artwork/picture.h"

#include <optional>
#include <string>
#include <vector>

namespace vireo::cli {

// --fit's words, "cover", "contain" and "stretch", in the order of artwork::Fit.
std::vector<std::string> fitWords();
// The fit a word of fitWords() names; nullopt for anything else.
std::optional<artwork::Fit> fitNamed(const std::string& name);
// --frame's "X,Y,ZOOM": three whole numbers (centre across and down in
// percent, zoom in percent) that make a valid frame; nullopt for anything else.
std::optional<artwork::Frame> frameFromText(const std::string& text);
// --matte's "RRGGBB" (six hexadecimal digits, red first); nullopt for anything else.
std::optional<artwork::Colour> colourFromHex(const std::string& text);

}  // namespace vireo::cli
