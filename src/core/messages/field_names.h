#pragma once

#include <cstdint>
#include <string>

namespace vireo {

// How a message names a field of the settings record by its offset, e.g.
// "电影 X 轴" for 16 or "列表文字颜色 R 分量" for 0: the panel's row and axis.
// The offset's number for a byte that no field shows.
std::string settingsFieldName(std::uint8_t offset);

}  // namespace vireo
