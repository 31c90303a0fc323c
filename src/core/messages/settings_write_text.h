#pragma once

#include "core/base/result.h"

#include <cstdint>
#include <string>

namespace vireo {

// What the settings panel says when a write fails, naming the file.
// The byte table (ASCII) could not be used: "ASCII文件找不到或大小不正确，不能写入：/a/ASCII".
std::string byteTableWriteMessage(const Error& error);
// The settings file could not be written: "BACK文件找不到或大小不正确，不能写入：/a/BACK".
std::string settingsWriteMessage(const Error& error);
// A field's text was refused: "电影 X 轴数据不是数字，请输入0到255之间的整数", or
// "…数据超出范围，…" when it is a number outside 0 to 255.
std::string fieldRefusalMessage(std::uint8_t offset, bool isNumber);

}  // namespace vireo
