#include "core/messages/settings_write_text.h"

#include "core/messages/field_names.h"

namespace vireo {

std::string byteTableWriteMessage(const Error& error) {
    switch (error.kind) {
    case Error::Kind::NotFound:
    case Error::Kind::ShortRead: return "ASCII文件找不到或大小不正确，不能写入：" + error.path;
    default: return "无法读取ASCII文件，不能写入：" + error.path;
    }
}

std::string settingsWriteMessage(const Error& error) {
    switch (error.kind) {
    case Error::Kind::NotFound:
    case Error::Kind::WrongLength: return "BACK文件找不到或大小不正确，不能写入：" + error.path;
    case Error::Kind::Open: return "无法打开BACK文件，不能写入：" + error.path;
    default: return "写入BACK文件出错：" + error.path;
    }
}

std::string fieldRefusalMessage(std::uint8_t offset, bool isNumber) {
    return settingsFieldName(offset) + (isNumber ? "数据超出范围" : "数据不是数字") +
           "，请输入0到255之间的整数";
}

}  // namespace vireo
