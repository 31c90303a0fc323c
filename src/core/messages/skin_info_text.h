#pragma once

#include "core/unpack/skin_info.h"

#include <array>
#include <string>

namespace vireo {

// The unpacker's information labels for what a short skin carries, in the
// order of unpack::kInfoLabelNames. Every number is written with one space
// before its digits, so a colour row reads "列表文字颜色   R= 255G= 0B= 16"
// and a position row "电影图标坐标   X= 12 Y= 40"; the last names `path`.
std::array<std::string, unpack::kInfoLabelCount> skinInfoTexts(const unpack::SkinSettings& settings,
                                                               const std::string& path);

}  // namespace vireo
