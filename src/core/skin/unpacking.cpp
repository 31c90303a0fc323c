#include "core/skin/unpacking.h"

#include "core/images/bmp.h"
#include "core/skin/skin_layout.h"
#include "core/unpack/restoration.h"

namespace vireo::skin {

namespace {

void append(Bytes& to, const Bytes& from, std::uint32_t offset, std::uint32_t length) {
    to.insert(to.end(), from.begin() + offset, from.begin() + offset + length);
}

unpack::Template templateFor(const images::SourceImage& image) {
    if (image.width == images::kScreenWidth) return unpack::Template::Head256;
    return image.width == images::kIconSide ? unpack::Template::Head64 : unpack::Template::Head16;
}

Bytes headerFor(unpack::Template header, const std::optional<unpack::HeaderTemplates>& templates) {
    return templates ? (*templates)[static_cast<std::size_t>(header)]
                     : unpack::madeTemplate(header);
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
            return Error{Error::Kind::ShortRead, image.fileName,
                         "BMP header shorter than 54 bytes"};
        bytes.resize(images::kBmpHeaderLength);

        const Region palette = *regionOf(paletteSourceOf(source), RegionKind::Palette);
        const Region pixels = *regionOf(source, RegionKind::Pixels);
        append(bytes, skin, palette.offset, palette.length);
        append(bytes, skin, pixels.offset, pixels.length);
        files.push_back({image.fileName, std::move(bytes)});
    }
    files.push_back({images::kSettingsFileName, Bytes(skin.begin() + kSettingsOffset, skin.end())});
    return files;
}

Result<std::vector<NamedFile>> unpackedFiles(
    const SkinFile& skinFile, const std::optional<unpack::HeaderTemplates>& templates) {
    if (skinFile.layout == Layout::ShortSkin) {
        auto restored = unpack::restoredFiles(skinFile.bytes, templates);
        if (!restored) return restored.error();
        std::vector<NamedFile> files;
        for (std::size_t i = 0; i < unpack::kRestoreSet.size(); ++i)
            files.push_back({unpack::kRestoreSet[i].fileName, std::move(restored.value()[i])});
        return files;
    }
    std::optional<unpack::HeaderTemplates> checked;
    if (templates) {
        auto read = unpack::checkHeaderTemplates(*templates);
        if (!read) return read.error();
        checked = std::move(read).value();
    }
    return sourceFilesOf(skinFile.bytes, [&checked](const images::SourceImage& image) {
        return headerFor(templateFor(image), checked);
    });
}

}  // namespace vireo::skin
