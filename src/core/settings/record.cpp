#include "core/settings/record.h"

#include "core/base/binary_file.h"
#include "core/images/icons.h"

#include <algorithm>

namespace vireo::settings {

namespace {

using images::Source;
using images::xOffsetOf;
using images::yOffsetOf;

}  // namespace

const std::array<Field, kColourFieldCount> kColourFields = {{
    {0, 0},
    {1, 0},
    {2, 255},
    {4, 0},
    {5, 0},
    {6, 0},
    {8, 0},
    {9, 0},
    {10, 0},
}};

const std::array<Field, kPositionFieldCount> kPositionFields = {{
    {xOffsetOf(Source::MovieIcon), 12},
    {yOffsetOf(Source::MovieIcon), 26},
    {xOffsetOf(Source::MusicIcon), 88},
    {yOffsetOf(Source::MusicIcon), 26},
    {xOffsetOf(Source::PictureIcon), 164},
    {yOffsetOf(Source::PictureIcon), 26},
    {xOffsetOf(Source::GameIcon), 12},
    {yOffsetOf(Source::GameIcon), 86},
    {xOffsetOf(Source::EbookIcon), 88},
    {yOffsetOf(Source::EbookIcon), 86},
    {xOffsetOf(Source::OptionsIcon), 164},
    {yOffsetOf(Source::OptionsIcon), 86},
    {images::kFileListPosition.xOffset, 30},
    {images::kFileListPosition.yOffset, 30},
}};

Record defaultRecord() {
    Record record{};
    for (const auto& field : kColourFields) record[field.offset] = field.defaultValue;
    for (const auto& field : kPositionFields) record[field.offset] = field.defaultValue;
    return record;
}

Result<Record> readRecord(const std::string& path) {
    const auto length = regularFileLength(path);
    if (!length) {  // still NotFound for the callers, with what is actually wrong
        const Error& why = length.error();
        return Error{Error::Kind::NotFound, path, why.detail, why.cause, why.fileType};
    }
    if (length.value() != kRecordLength)
        return Error{Error::Kind::WrongLength, path,
                     std::to_string(length.value()) + " bytes, not 32"};
    auto block = readBlock(path, 0, kRecordLength);
    if (!block) return block.error();
    Record record{};
    std::copy(block.value().begin(), block.value().end(), record.begin());
    return record;
}

std::string byteText(std::uint8_t value) {
    return std::to_string(value);
}

}  // namespace vireo::settings
