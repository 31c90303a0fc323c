#include "core/demo/demo_set.h"

#include "core/demo/pictures.h"
#include "core/images/bmp.h"
#include "core/images/icons.h"
#include "core/images/source_set.h"
#include "core/settings/record.h"

namespace vireo::demo {

namespace {

using images::Source;

Bytes bmpFile(const Canvas& canvas, const Palette& palette) {
    images::IndexedPicture picture{canvas.width, canvas.height, {}, canvas.pixels};
    for (std::size_t i = 0; i < palette.size(); ++i)
        picture.palette[i] = {static_cast<std::uint8_t>(palette[i].r),
                              static_cast<std::uint8_t>(palette[i].g),
                              static_cast<std::uint8_t>(palette[i].b)};
    // Top row first: a viewer shows the file upside down, the preview and the
    // player show it upright.
    return images::writeSourceBmp(picture);
}

Bytes defaultSettings() {
    const settings::Record record = settings::defaultRecord();
    return Bytes(record.begin(), record.end());
}

Canvas drawing(Source source) {
    switch (source) {
    case Source::MainBackground: return mainBackground();
    case Source::TreeBackground: return treeBackground();
    case Source::EbookBackground: return ebookBackground();
    case Source::MovieIcon: return movieIcon();
    case Source::MusicIcon: return musicIcon();
    case Source::EbookIcon: return ebookIcon();
    case Source::OptionsIcon: return optionsIcon();
    case Source::GameIcon: return gameIcon();
    case Source::PictureIcon: return pictureIcon();
    case Source::FolderIcon: return folderIcon();
    case Source::ParentFolderIcon: return parentFolderIcon();
    case Source::MusicBackground: return musicBackground();
    }
    return Canvas(0, 0);
}

// An icon indexes the palette of the background it is drawn with.
Palette paletteOf(Source source) {
    const images::Icon* icon = images::iconOf(source);
    switch (icon ? icon->background : source) {
    case Source::TreeBackground: return treePalette();
    case Source::EbookBackground: return ebookPalette();
    case Source::MusicBackground: return musicPalette();
    default: return mainPalette();
    }
}

}  // namespace

std::vector<std::pair<std::string, Bytes>> demoSourceSet() {
    std::vector<std::pair<std::string, Bytes>> files;
    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        const auto source = static_cast<Source>(i);
        files.emplace_back(images::kSourceSet[i].fileName,
                           bmpFile(drawing(source), paletteOf(source)));
    }
    files.emplace_back(images::kSettingsFileName, defaultSettings());
    return files;
}

}  // namespace vireo::demo
