#pragma once

#include "base/binary_file.h"
#include "workbench/picture.h"

namespace vireo::workbench {

// The player's four full screens.
enum class Screen { Main, Tree, Ebook, Music };

// The one door to the command line's renderer: the screen of a whole skin in
// the generated layout (exactly 182,816 bytes) as the player draws it.
Picture renderPlayerScreen(const Bytes& skin, Screen screen);

}  // namespace vireo::workbench
