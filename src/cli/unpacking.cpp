#include "cli/unpacking.h"

#include "base/binary_file.h"
#include "images/bmp.h"

namespace vireo::cli {

Result<HeaderTemplates> readHeaderTemplates(const std::string& folder) {
    HeaderTemplates templates;
    const std::pair<const char*, Bytes*> kFiles[] = {{"BMPHEAD256", &templates.background},
                                                     {"BMPHEAD64", &templates.icon},
                                                     {"BMPHEAD16", &templates.smallIcon}};
    for (const auto& [name, header] : kFiles) {
        const std::string path = joinPath(folder, name);
        const auto length = fileLength(path);
        if (length && *length < images::kBmpHeaderLength)
            return Error{Error::Kind::WrongLength, path, "shorter than a BMP header"};
        auto block = readBlock(path, 0, images::kBmpHeaderLength);
        if (!block) return block.error();
        *header = std::move(block).value();
    }
    return templates;
}

Result<std::vector<skin::NamedFile>> unpackedFiles(const SkinFile& skinFile,
                                                   const std::optional<HeaderTemplates>& templates) {
    skin::HeaderFor header;
    if (templates) {
        header = [&templates](const images::SourceImage& image) {
            if (image.width == 240) return templates->background;
            return image.width == 64 ? templates->icon : templates->smallIcon;
        };
    }
    return skin::sourceFilesOf(skinFile.bytes, header);
}

}  // namespace vireo::cli
