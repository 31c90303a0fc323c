#include "workbench/slots.h"

#include "images/bmp.h"
#include "skin/generation.h"
#include "skin/skin_layout.h"

namespace vireo::workbench {

namespace {

using images::Source;

std::uint32_t paletteColour(const std::uint8_t* palette, std::uint8_t index) {
    const std::uint8_t* entry = palette + 4 * index;
    return 0xFF000000u | (std::uint32_t(entry[2]) << 16) | (std::uint32_t(entry[1]) << 8) |
           entry[0];
}

}  // namespace

SlotVerdict lengthVerdict(Source source, const std::optional<Bytes>& file) {
    const auto& image = images::sourceImage(source);
    if (!file) return {false, "找不到文件"};
    const auto required = image.requiredLength();
    if (file->size() != required) {
        return {false, "大小不正确：" + std::to_string(file->size()) + " 字节，应为 " +
                           std::to_string(required) + " 字节"};
    }
    return {true, "大小正确"};
}

Result<Bytes> ExactBmpConverter::convert(Source slot, const Bytes& input,
                                         const std::string& inputPath) const {
    const auto& image = images::sourceImage(slot);
    const auto header = images::readBmpHeader(input, inputPath);
    if (!header) return header.error();
    if (!images::isSourceForm(header.value(), image.width, image.height)) {
        return Error{Error::Kind::Invalid, inputPath,
                     "不是 " + std::to_string(image.width) + "×" + std::to_string(image.height) +
                         " 的 256 色 BMP"};
    }
    if (input.size() != image.requiredLength()) {
        return Error{Error::Kind::WrongLength, inputPath,
                     "应为 " + std::to_string(image.requiredLength()) + " 字节"};
    }
    return input;
}

std::optional<Picture> slotPicture(Source slot, const SlotFiles& files) {
    const auto& image = images::sourceImage(slot);
    const auto& pixels = files[static_cast<std::size_t>(slot)];
    const auto& paletteFile = files[static_cast<std::size_t>(skin::paletteSourceOf(slot))];
    if (!pixels || !paletteFile) return std::nullopt;
    if (pixels->size() < images::kPixelOffset + image.pixelLength()) return std::nullopt;
    if (paletteFile->size() < images::kPixelOffset) return std::nullopt;

    Picture picture{image.width, image.height, std::vector<std::uint32_t>(image.pixelLength())};
    const std::uint8_t* palette = paletteFile->data() + images::kPaletteOffset;
    const std::uint8_t* indices = pixels->data() + images::kPixelOffset;
    for (std::size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = paletteColour(palette, indices[i]);
    return picture;
}

settings::Record overlayRecord(settings::Record record, const FieldValues& values) {
    for (std::size_t i = 0; i < record.size(); ++i) {
        if (values[i] && *values[i] >= 0 && *values[i] <= 255)
            record[i] = static_cast<std::uint8_t>(*values[i]);
    }
    return record;
}

Result<Bytes> buildSkin(const SlotFiles& files, const settings::Record& record) {
    skin::SkinSourceBytes sources;
    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        if (!files[i]) return Error{Error::Kind::NotFound, images::kSourceSet[i].fileName, {}};
        sources.pictures[i] = *files[i];
    }
    sources.settings.assign(record.begin(), record.end());
    return skin::assembleSkin(sources);
}

}  // namespace vireo::workbench
