#include "cli/unpacking.h"

#include "base/binary_file.h"
#include "images/bmp.h"
#include "unpack/restoration.h"

namespace vireo::cli {

namespace {

unpack::Template templateFor(const images::SourceImage& image) {
    if (image.width == 240) return unpack::Template::Head256;
    return image.width == 64 ? unpack::Template::Head64 : unpack::Template::Head16;
}

Bytes headerFor(unpack::Template header, const std::optional<HeaderTemplates>& templates) {
    if (templates) return (*templates)[static_cast<std::size_t>(header)];
    const unpack::PictureSize size = unpack::pictureSizeOf(header);
    return images::makeBmpHeader(size.width, size.height);
}

}  // namespace

Result<HeaderTemplates> readHeaderTemplates(const std::string& folder) {
    HeaderTemplates templates;
    for (std::size_t i = 0; i < templates.size(); ++i) {
        const std::string path = joinPath(folder, unpack::kTemplateNames[i]);
        const auto length = fileLength(path);
        if (length && *length < unpack::kTemplateLength)
            return Error{Error::Kind::WrongLength, path, "shorter than a BMP header"};
        auto block = readBlock(path, 0, unpack::kTemplateLength);
        if (!block) return block.error();
        templates[i] = std::move(block).value();
    }
    return templates;
}

Result<std::vector<skin::NamedFile>> unpackedFiles(const SkinFile& skinFile,
                                                   const std::optional<HeaderTemplates>& templates) {
    if (skinFile.layout == Layout::Skin) {
        return skin::sourceFilesOf(skinFile.bytes, [&templates](const images::SourceImage& image) {
            return headerFor(templateFor(image), templates);
        });
    }
    std::vector<skin::NamedFile> files;
    for (const unpack::RestoreItem& item : unpack::kRestoreSet) {
        files.push_back({item.fileName,
                         unpack::restoredBmp(skinFile.bytes, headerFor(item.header, templates), item)});
    }
    return files;
}

}  // namespace vireo::cli
