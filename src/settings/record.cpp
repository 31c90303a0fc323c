#include "settings/record.h"

#include "base/binary_file.h"

#include <algorithm>

namespace vireo::settings {

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
    {16, "xdy1", 12},
    {17, "ydy1", 26},
    {18, "xyy1", 88},
    {19, "yyy1", 26},
    {20, "xtp1", 164},
    {21, "ytp1", 26},
    {22, "xyx1", 12},
    {23, "yyx1", 86},
    {24, "xdzs11", 88},
    {25, "ydzs1", 86},
    {26, "xxx1", 164},
    {27, "yxx1", 86},
    {28, "xwj1", 30},
    {29, "ywj1", 30},
}};

Result<Record> readRecord(const std::string& path) {
    const auto length = regularFileLength(path);
    if (!length) {  // still NotFound for the callers, with what is actually wrong
        const Error& why = length.error();
        return Error{Error::Kind::NotFound, path, why.detail, why.cause, why.fileType};
    }
    if (length.value() != kRecordLength)
        return Error{Error::Kind::WrongLength, path, std::to_string(length.value()) + " bytes, not 32"};
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
