#include "messages/role_names.h"

#include <array>

namespace vireo {

namespace {

// In the order of images::Source.
constexpr std::array<const char*, images::kSourceCount> kRoleNames = {
    "主界面背景", "目录树背景", "电子书背景",   "电影图标",   "音乐图标",     "电子书图标",
    "选项图标",   "FC游戏图标", "图片浏览图标", "文件夹图标", "上级目录图标", "音乐播放背景",
};

}  // namespace

const char* roleName(images::Source source) {
    return kRoleNames[static_cast<std::size_t>(source)];
}

}  // namespace vireo
