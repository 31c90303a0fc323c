#include "core/messages/error_text.h"

#include "core/messages/package_text.h"
#include "core/messages/project_text.h"
#include "core/skin/skin_layout.h"
#include "core/unpack/short_skin.h"

#include <array>
#include <cstdio>
#include <optional>
#include <utility>

namespace vireo {

namespace {

const char* actionSentence(Error::Kind kind) {
    switch (kind) {
    case Error::Kind::NotFound: return "找不到文件：";
    case Error::Kind::Open: return "无法打开文件：";
    case Error::Kind::Read: return "读取文件出错：";
    case Error::Kind::ShortRead: return "文件长度不足：";
    case Error::Kind::Write: return "写入文件出错：";
    case Error::Kind::Rename: return "无法替换文件：";
    case Error::Kind::WrongLength: return "文件大小错误：";
    case Error::Kind::Invalid: return "文件内容无效：";
    }
    return "";
}

// The converter's refusals and what they mean to the user.
const std::array<std::pair<const char*, const char*>, 12> kArtworkCodes = {{
    {"not-lossless-bmp", "无法无损读取此 BMP"},
    {"no-palette", "无法读取此 BMP 的调色板"},
    {"quantiser-start", "libimagequant 无法启动"},
    {"quantiser-refused", "libimagequant 不接受此图片"},
    {"quantiser-palette", "libimagequant 无法生成调色板"},
    {"quantiser-map", "libimagequant 无法映射像素"},
    {"empty-picture", "图片为空"},
    {"icon-needs-palette", "图标需要指定所用背景的调色板（--palette）"},
    {"not-remappable", "不是可重新映射的图标"},
    {"background-not-source", "背景不是可用的源文件，图标无法映射到它的调色板"},
    {"icon-background-missing", "图标所用的背景不存在"},
    {"no-original-picture", "没有原图"},
}};

// Two originals for one source: the code, then the other original's path.
constexpr char kSameSourceAs[] = "same-source-as: ";
// A file longer than a whole-file read takes: the code, then the limit in bytes.
constexpr char kLargerThan[] = "larger-than: ";

// The two sizes, "W×H W×H", of a size refusal that starts with `code`.
std::optional<std::pair<std::string, std::string>> sizesAfter(const std::string& detail,
                                                              const std::string& code) {
    if (detail.rfind(code, 0) != 0) return std::nullopt;
    const std::string sizes = detail.substr(code.size());
    const auto space = sizes.find(' ');
    if (space == std::string::npos) return std::nullopt;
    return std::pair(sizes.substr(0, space), sizes.substr(space + 1));
}

bool writing(Error::Kind kind) {
    return kind == Error::Kind::Write || kind == Error::Kind::Rename;
}

}  // namespace

const char* fileTypeName(Error::FileType type) {
    switch (type) {
    case Error::FileType::Folder: return "文件夹";
    case Error::FileType::Fifo: return "命名管道（FIFO）";
    case Error::FileType::CharacterDevice: return "字符设备";
    case Error::FileType::BlockDevice: return "块设备";
    case Error::FileType::Socket: return "套接字";
    case Error::FileType::Missing: return "不存在的文件";
    case Error::FileType::Regular: return "普通文件";
    case Error::FileType::Unknown: break;
    }
    return "特殊文件";
}

std::string describe(const Error& error) {
    switch (error.cause) {
    case Error::Cause::Missing:
        if (writing(error.kind))
            return std::string("找不到文件夹，") + actionSentence(error.kind) + error.path;
        return "找不到文件：" + error.path;
    case Error::Cause::NotRegular:
        return std::string("不是普通文件，而是") + fileTypeName(error.fileType) + "：" + error.path;
    case Error::Cause::NoPermission:
        return std::string(writing(error.kind) ? "没有权限写入文件：" : "没有权限读取文件：") +
               error.path;
    case Error::Cause::DiskFull:
        return std::string("磁盘已满，") + actionSentence(error.kind) + error.path;
    case Error::Cause::ReadOnlyFileSystem:
        return std::string("文件系统是只读的，") + actionSentence(error.kind) + error.path;
    case Error::Cause::LinkLoop: return "链接循环，找不到文件：" + error.path;
    case Error::Cause::DanglingLink: return "链接指向的文件不存在：" + error.path;
    case Error::Cause::SameFile: return "输出文件与输入文件相同：" + error.path;
    case Error::Cause::TooLarge: return "文件过大：" + error.path;
    case Error::Cause::NotFolder:
        return std::string("不是文件夹，而是") + fileTypeName(error.fileType) + "：" + error.path;
    case Error::Cause::InTheWay:
        return std::string("路径上已有同名文件，") + actionSentence(error.kind) + error.path;
    case Error::Cause::NameTooLong:
        return std::string("文件名太长，") + actionSentence(error.kind) + error.path;
    case Error::Cause::None:
    case Error::Cause::Other: break;
    }
    return actionSentence(error.kind) + error.path;
}

std::string describeWithReason(const Error& error) {
    std::string text = describe(error);
    const bool systemSaid = error.cause == Error::Cause::Other;
    if ((error.kind == Error::Kind::Invalid || systemSaid) && !error.detail.empty())
        text += "（" + reasonWords(error.detail) + "）";
    return text;
}

std::string reasonWords(const std::string& detail) {
    for (const auto& [code, words] : kArtworkCodes)
        if (detail == code) return words;
    if (const auto sizes = sizesAfter(detail, "wrong-size: "))
        return "尺寸为 " + sizes->first + "，应为 " + sizes->second;
    if (const auto sizes = sizesAfter(detail, "needs-fit: "))
        return "图片尺寸为 " + sizes->first + "，应为 " + sizes->second +
               "（可用 --fit cover|contain|stretch 缩放）";
    if (detail.rfind(kLargerThan, 0) == 0)
        return "超过 " + detail.substr(sizeof kLargerThan - 1) + " 字节的上限";
    if (detail.rfind(kSameSourceAs, 0) == 0)
        return "与 " + detail.substr(sizeof kSameSourceAs - 1) + " 对应同一个源文件";
    if (auto package = packageReason(detail)) return *package;
    return projectReason(detail).value_or(detail);
}

std::string describeWrongSkin(const Error& error) {
    std::string text = "错误的BACKIMG文件：" + error.path + "（";
    const bool length =
        !error.detail.empty() && error.detail.find_first_not_of("0123456789") == std::string::npos;
    if (length) text += "长度为 " + error.detail + " 字节，";
    return text + "皮肤应为 " + std::to_string(skin::kSkinLength) + " 或 " +
           std::to_string(unpack::kShortSkinLength) + " 字节）";
}

std::string escapeForTerminal(const std::string& name) {
    std::string out;
    out.reserve(name.size());
    char escape[8];
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        // C1 controls arrive as UTF-8 0xC2 0x80..0x9F; a terminal obeys them too.
        if (byte == 0xC2 && i + 1 < name.size()) {
            const auto next = static_cast<unsigned char>(name[i + 1]);
            if (next >= 0x80 && next <= 0x9F) {
                std::snprintf(escape, sizeof escape, "\\u%04x", next);
                out += escape;
                ++i;
                continue;
            }
        }
        switch (byte) {
        case '\\': out += "\\\\"; continue;
        case '\n': out += "\\n"; continue;
        case '\r': out += "\\r"; continue;
        case '\t': out += "\\t"; continue;
        default: break;
        }
        if (byte < 0x20 || byte == 0x7F) {
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            out += escape;
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

}  // namespace vireo
