#include "unpack/skin_info.h"

#include "unpack/short_skin.h"

namespace vireo::unpack {

namespace {

// One space, then the decimal digits.
std::string number(std::uint8_t value) {
    return " " + std::to_string(static_cast<unsigned>(value));
}

std::string colourText(const char* prefix, const Rgb& c) {
    return prefix + number(c.red) + "G=" + number(c.green) + "B=" + number(c.blue);
}

std::string positionText(const char* prefix, const Position& p) {
    return prefix + number(p.x) + " Y=" + number(p.y);
}

}  // namespace

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

std::array<std::string, kInfoLabelCount> infoTexts(const SkinSettings& s, const std::string& path) {
    return {
        colourText("列表文字颜色   R=", s.colours[0]),
        colourText("选中文字颜色   R=", s.colours[1]),
        colourText("电子书文字颜色 R=", s.colours[2]),
        s.hintOn ? "主界面提示文字已开启" : "主界面提示文字未开启",
        positionText("电影图标坐标   X=", s.positions[0]),
        positionText("音乐图标坐标   X=", s.positions[1]),
        positionText("电子书图标坐标 X=", s.positions[2]),
        positionText("关于图标坐标   X=", s.positions[3]),
        positionText("帮助图标坐标   X=", s.positions[4]),
        positionText("文件夹图标坐标 X=", s.positions[5]),
        "文件位置：" + path,
    };
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
