#include "settings/record.h"

#include "base/binary_file.h"
#include "images/icons.h"

#include <algorithm>

namespace vireo::settings {

namespace {

using images::Source;
using images::xOffsetOf;
using images::yOffsetOf;

}  // namespace

const std::array<Field, kColourFieldCount> kColourFields = {{
    {0, "Text1", 0},
    {1, "Text2", 0},
    {2, "Text3", 255},
    {4, "Text4", 0},
    {5, "Text5", 0},
    {6, "Text6", 0},
    {8, "Text7", 0},
    {9, "Text8", 0},
    {10, "Text9", 0},
}};

const std::array<Field, kPositionFieldCount> kPositionFields = {{
    {xOffsetOf(Source::MovieIcon), "xdy1", 12},
    {yOffsetOf(Source::MovieIcon), "ydy1", 26},
    {xOffsetOf(Source::MusicIcon), "xyy1", 88},
    {yOffsetOf(Source::MusicIcon), "yyy1", 26},
    {xOffsetOf(Source::PictureIcon), "xtp1", 164},
    {yOffsetOf(Source::PictureIcon), "ytp1", 26},
    {xOffsetOf(Source::GameIcon), "xyx1", 12},
    {yOffsetOf(Source::GameIcon), "yyx1", 86},
    {xOffsetOf(Source::EbookIcon), "xdzs11", 88},
    {yOffsetOf(Source::EbookIcon), "ydzs1", 86},
    {xOffsetOf(Source::OptionsIcon), "xxx1", 164},
    {yOffsetOf(Source::OptionsIcon), "yxx1", 86},
    {28, "xwj1", 30},
    {29, "ywj1", 30},
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
