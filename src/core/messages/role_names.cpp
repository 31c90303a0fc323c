#include "core/messages/role_names.h"

#include <string>

namespace vireo {

namespace {

// In the order of images::Source; a background's whole role, an icon's name.
constexpr std::array<const char*, images::kSourceCount> kNames = {
    "主界面背景", "目录树背景", "电子书背景", "电影",   "音乐",     "电子书",
    "选项",       "FC游戏",     "图片浏览",   "文件夹", "上级目录", "音乐播放背景",
};

bool isIcon(images::Source source) {
    const auto& image = images::sourceImage(source);
    return image.width != images::kScreenWidth;
}

}  // namespace

const char* iconName(images::Source source) {
    return isIcon(source) ? kNames[images::indexOf(source)] : nullptr;
}

const char* roleName(images::Source source) {
    static const auto roles = [] {
        std::array<std::string, images::kSourceCount> names;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const auto source = static_cast<images::Source>(i);
            names[i] = std::string(kNames[i]) + (isIcon(source) ? "图标" : "");
        }
        return names;
    }();
    return roles[images::indexOf(source)].c_str();
}

}  // namespace vireo
