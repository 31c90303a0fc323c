#include "base/result.h"

namespace vireo {

std::string describe(const Error& error) {
    const char* sentence = "";
    switch (error.kind) {
    case Error::Kind::NotFound: sentence = "找不到文件："; break;
    case Error::Kind::Open: sentence = "无法打开文件："; break;
    case Error::Kind::Read: sentence = "读取文件出错："; break;
    case Error::Kind::ShortRead: sentence = "文件长度不足："; break;
    case Error::Kind::Write: sentence = "写入文件出错："; break;
    case Error::Kind::Rename: sentence = "无法替换文件："; break;
    case Error::Kind::WrongLength: sentence = "文件大小错误："; break;
    case Error::Kind::Invalid: sentence = "文件内容无效："; break;
    }
    return sentence + error.path;
}

}  // namespace vireo
