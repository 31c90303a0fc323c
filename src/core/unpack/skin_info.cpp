#include "core/unpack/skin_info.h"

#include "core/unpack/short_skin.h"

namespace vireo::unpack {

Result<SkinSettings> decodeRecord(const Bytes& record) {
    if (record.size() != kRecordLength)
        return Error{Error::Kind::Invalid, {}, "a settings record is 32 bytes"};
    SkinSettings s{};
    for (std::size_t i = 0; i < s.colours.size(); ++i)
        s.colours[i] = {record[4 * i], record[4 * i + 1], record[4 * i + 2]};
    for (std::size_t i = 0; i < s.positions.size(); ++i)
        s.positions[i] = {record[15 + 2 * i], record[16 + 2 * i]};
    s.hintOn = record[30] != 0;
    return s;
}

bool isSkinFileTitle(const std::string& title) {
    return title == kSkinFileName;
}

Result<SkinSettings> inspectSkin(const std::string& path) {
    const auto length = fileLength(path);
    if (!length) return Error{Error::Kind::NotFound, path, {}};
    if (*length != kShortSkinLength)
        return Error{Error::Kind::WrongLength, path, "not a 178,720-byte skin"};
    auto record = readBlock(path, kRecordOffset, kRecordLength);
    if (!record) return record.error();
    return decodeRecord(record.value());
}

Result<SkinSettings> inspectSkin(const Bytes& skin, const std::string& path) {
    if (skin.size() != kShortSkinLength)
        return Error{Error::Kind::WrongLength, path, "not a 178,720-byte skin"};
    return decodeRecord(Bytes(skin.begin() + kRecordOffset, skin.end()));
}

}  // namespace vireo::unpack
