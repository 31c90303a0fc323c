#include "core/messages/skin_info_text.h"

namespace vireo {

namespace {

// One space, then the decimal digits.
std::string number(std::uint8_t value) {
    return " " + std::to_string(static_cast<unsigned>(value));
}

std::string colourText(const char* prefix, const unpack::Rgb& c) {
    return prefix + number(c.red) + "G=" + number(c.green) + "B=" + number(c.blue);
}

std::string positionText(const char* prefix, const unpack::Position& p) {
    return prefix + number(p.x) + " Y=" + number(p.y);
}

}  // namespace

std::array<std::string, unpack::kInfoLabelCount> skinInfoTexts(const unpack::SkinSettings& s,
                                                               const std::string& path) {
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

}  // namespace vireo
