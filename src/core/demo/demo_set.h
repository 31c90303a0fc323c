#pragma once

#include "core/base/binary_file.h"
#include "core/base/result.h"

#include <string>
#include <utility>
#include <vector>

namespace vireo::demo {

// The demo source set: the twelve pictures in the order of images::kSourceSet,
// then BACK with the default settings. Each picture is an exact 8-bit BMP
// whose rows are stored top row first, so that the main window's preview,
// which mirrors every file top to bottom, shows it upright, as the player does.
// Icons index the palette of the background the player draws them with.
std::vector<std::pair<std::string, Bytes>> demoSourceSet();

}  // namespace vireo::demo
