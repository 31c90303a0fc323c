#pragma once

#include "core/images/source_set.h"

#include <array>

namespace vireo {

// The one table of the words that name the skin's parts; every message and
// window that is not bound to a caption of its own takes them from here.

// A source's role as the windows caption it and the messages name it:
// "主界面背景", "电影图标", "FC游戏图标", ...: an icon's is its name and "图标".
const char* roleName(images::Source source);
// What an icon stands for: "电影", "FC游戏", "选项", "文件夹", ...; nullptr for a background.
const char* iconName(images::Source source);
// The three text colours in the record's order.
inline constexpr std::array<const char*, 3> kTextColourNames = {"列表文字颜色", "选中文字颜色",
                                                                "电子书文字颜色"};
// Where the directory tree's file list is drawn.
inline constexpr char kFileListName[] = "文件列表";

}  // namespace vireo
