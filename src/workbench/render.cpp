#include "workbench/render.h"

#include "cli/screen.h"
#include "cli/skin_file.h"

#include <utility>

namespace vireo::workbench {

Picture renderPlayerScreen(const Bytes& skin, Screen screen) {
    static_assert(int(Screen::Music) == int(cli::Screen::Music), "screens in the same order");
    const cli::SkinFile skinFile{cli::Layout::Skin, skin};
    cli::Picture picture = cli::renderScreen(skinFile, static_cast<cli::Screen>(screen));
    return Picture{picture.width, picture.height, std::move(picture.pixels)};
}

}  // namespace vireo::workbench
