#pragma once

#include "core/demo/drawing_kit.h"

// The pictures of the demo set and the palettes they index, one file per
// palette family: the main screen with its six icons, the directory tree with
// the file list's two, then the e-book and music-player screens.

namespace vireo::demo {

Palette mainPalette();
Canvas mainBackground();
Canvas movieIcon();
Canvas musicIcon();
Canvas ebookIcon();
Canvas optionsIcon();
Canvas gameIcon();
Canvas pictureIcon();

Palette treePalette();
Canvas treeBackground();
Canvas folderIcon();
Canvas parentFolderIcon();

Palette ebookPalette();
Canvas ebookBackground();
Palette musicPalette();
Canvas musicBackground();

}  // namespace vireo::demo
