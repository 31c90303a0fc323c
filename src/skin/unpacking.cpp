#include "skin/unpacking.h"

#include "images/bmp.h"
#include "skin/skin_layout.h"

namespace vireo::skin {

namespace {

void append(Bytes& to, const Bytes& from, std::uint32_t offset, std::uint32_t length) {
    to.insert(to.end(), from.begin() + offset, from.begin() + offset + length);
}

}  // namespace

Result<std::vector<NamedFile>> sourceFilesOf(const Bytes& skin, const HeaderFor& header) {
    if (skin.size() != kSkinLength)
        return Error{Error::Kind::WrongLength, {}, "not a 182,816-byte skin"};

    std::vector<NamedFile> files;
    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        const auto source = static_cast<images::Source>(i);
        const images::SourceImage& image = images::kSourceSet[i];
        Bytes bytes = header ? header(image) : images::makeBmpHeader(image.width, image.height);
        if (bytes.size() < images::kBmpHeaderLength)
            return Error{Error::Kind::ShortRead, image.fileName, "BMP header shorter than 54 bytes"};
        bytes.resize(images::kBmpHeaderLength);

        const Region palette = *regionOf(paletteSourceOf(source), RegionKind::Palette);
        const Region pixels = *regionOf(source, RegionKind::Pixels);
        append(bytes, skin, palette.offset, palette.length);
        append(bytes, skin, pixels.offset, pixels.length);
        files.push_back({image.fileName, std::move(bytes)});
    }
    files.push_back({images::kSettingsFileName,
                     Bytes(skin.begin() + kSettingsOffset, skin.end())});
    return files;
}

}  // namespace vireo::skin
