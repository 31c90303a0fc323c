#include "core/unpack/restoration.h"

#include "core/images/bmp.h"
#include "core/images/source_set.h"

#include <algorithm>
#include <utility>

namespace vireo::unpack {

Bytes madeTemplate(Template header) {
    const PictureSize size = pictureSizeOf(header);
    return images::makeBmpHeader(size.width, size.height);
}

Bytes restoredBmp(const Bytes& skin, const Bytes& header, const RestoreItem& item) {
    Bytes bmp(images::kPixelOffset + item.pixelLength);
    std::copy_n(header.begin(), kTemplateLength, bmp.begin());
    std::copy_n(skin.begin() + item.paletteOffset, images::kPaletteLength,
                bmp.begin() + images::kPaletteOffset);
    std::copy_n(skin.begin() + item.pixelOffset, item.pixelLength,
                bmp.begin() + images::kPixelOffset);
    return bmp;
}

Result<std::vector<Bytes>> restoredFiles(const Bytes& skin,
                                         const std::optional<HeaderTemplates>& templates) {
    if (skin.size() != kShortSkinLength)
        return Error{Error::Kind::WrongLength, kSkinFileName, "not a 178,720-byte skin"};
    HeaderTemplates headers;
    if (templates) {
        auto checked = checkHeaderTemplates(*templates);
        if (!checked) return checked.error();
        headers = std::move(checked).value();
    } else {
        for (std::size_t i = 0; i < headers.size(); ++i)
            headers[i] = madeTemplate(static_cast<Template>(i));
    }
    std::vector<Bytes> files;
    files.reserve(kRestoreSet.size());
    for (const RestoreItem& item : kRestoreSet)
        files.push_back(restoredBmp(skin, headers[static_cast<std::size_t>(item.header)], item));
    return files;
}

Result<void> restoreBmps(const std::string& skinPath, const std::string& templatesFolder,
                         const std::string& outputFolder) {
    // The file may have changed since it was inspected.
    const auto length = fileLength(skinPath);
    if (!length) return Error{Error::Kind::NotFound, skinPath, {}};
    if (*length != kShortSkinLength)
        return Error{Error::Kind::WrongLength, skinPath, "not a 178,720-byte skin"};
    auto skin = readBlock(skinPath, 0, kShortSkinLength);
    if (!skin) return skin.error();

    auto headers = readHeaderTemplates(templatesFolder);
    if (!headers) return headers.error();

    auto files = restoredFiles(skin.value(), headers.value());
    if (!files) return files.error();
    std::vector<OutputFile> outputs;
    for (std::size_t i = 0; i < kRestoreSet.size(); ++i)
        outputs.push_back(
            {joinPath(outputFolder, kRestoreSet[i].fileName), std::move(files.value()[i])});
    return writeFilesAtomically(outputs);
}

}  // namespace vireo::unpack
