#pragma once

// The picture types live with the BMP reader in the format core; the artwork
// code names them as its own.
#include "core/images/picture.h"

namespace vireo::artwork {

using images::Colour;
using images::flippedRows;
using images::IndexedPicture;
using images::Palette;
using images::RgbaImage;
using images::toRgba;

}  // namespace vireo::artwork
