#include "messages/field_names.h"

#include <array>
#include <utility>

namespace vireo {

namespace {

constexpr std::array<std::pair<std::uint8_t, const char*>, 23> kFieldNames = {{
    {0, "列表文字颜色 R 分量"},
    {1, "列表文字颜色 G 分量"},
    {2, "列表文字颜色 B 分量"},
    {4, "选中文字颜色 R 分量"},
    {5, "选中文字颜色 G 分量"},
    {6, "选中文字颜色 B 分量"},
    {8, "电子书文字颜色 R 分量"},
    {9, "电子书文字颜色 G 分量"},
    {10, "电子书文字颜色 B 分量"},
    {16, "电影 X 轴"},
    {17, "电影 Y 轴"},
    {18, "音乐 X 轴"},
    {19, "音乐 Y 轴"},
    {20, "图片浏览 X 轴"},
    {21, "图片浏览 Y 轴"},
    {22, "FC游戏 X 轴"},
    {23, "FC游戏 Y 轴"},
    {24, "电子书 X 轴"},
    {25, "电子书 Y 轴"},
    {26, "选项 X 轴"},
    {27, "选项 Y 轴"},
    {28, "文件列表 X 轴"},
    {29, "文件列表 Y 轴"},
}};

}  // namespace

std::string settingsFieldName(std::uint8_t offset) {
    for (const auto& [fieldOffset, name] : kFieldNames)
        if (fieldOffset == offset) return name;
    return std::to_string(offset);
}

}  // namespace vireo
