#include "core/unpack/header_templates.h"

#include "core/images/bmp.h"

namespace vireo::unpack {

namespace {

std::string templatePath(const std::string& folder, std::size_t index) {
    return folder.empty() ? kTemplateNames[index] : joinPath(folder, kTemplateNames[index]);
}

}  // namespace

Result<HeaderTemplates> checkHeaderTemplates(HeaderTemplates templates, const std::string& folder) {
    for (std::size_t i = 0; i < templates.size(); ++i) {
        const std::string path = templatePath(folder, i);
        Bytes& header = templates[i];
        if (header.size() < kTemplateLength)
            return Error{Error::Kind::WrongLength, path, "shorter than a BMP header"};
        header.resize(kTemplateLength);
        // The player reads only the 40-byte information header.
        const images::BmpScan scan = images::scanBmp(header);
        if (!scan.headerRead || scan.headerSize != images::kBmpInfoHeaderLength)
            return Error{Error::Kind::Invalid, path, "not a BMP with a 40-byte information header"};
        const PictureSize size = pictureSizeOf(static_cast<Template>(i));
        const bool fits =
            scan.width == size.width && scan.height == size.height && scan.bitsPerPixel == 8;
        if (!fits) {
            return Error{Error::Kind::Invalid, path,
                         "not the header of an 8-bit " + std::to_string(size.width) + "x" +
                             std::to_string(size.height) + " picture"};
        }
    }
    return templates;
}

Result<HeaderTemplates> readHeaderTemplates(const std::string& folder) {
    HeaderTemplates templates;
    for (std::size_t i = 0; i < templates.size(); ++i) {
        const std::string path = templatePath(folder, i);
        const auto length = fileLength(path);
        if (length && *length < kTemplateLength)
            return Error{Error::Kind::WrongLength, path, "shorter than a BMP header"};
        auto block = readBlock(path, 0, kTemplateLength);
        if (!block) return block.error();
        templates[i] = std::move(block).value();
    }
    return checkHeaderTemplates(std::move(templates), folder);
}

}  // namespace vireo::unpack
