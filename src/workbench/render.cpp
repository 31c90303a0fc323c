#include "workbench/render.h"

#include "skin/screen.h"
#include "skin/skin_file.h"

#include <utility>

namespace vireo::workbench {

Picture renderPlayerScreen(const Bytes& skin, Screen screen) {
    static_assert(int(Screen::Music) == int(skin::Screen::Music), "screens in the same order");
    const skin::SkinFile skinFile{skin::Layout::Skin, skin};
    skin::Picture picture = skin::renderScreen(skinFile, static_cast<skin::Screen>(screen));
    return Picture{picture.width, picture.height, std::move(picture.pixels)};
}

}  // namespace vireo::workbench
