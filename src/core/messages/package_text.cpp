#include "core/messages/package_text.h"

#include <array>
#include <utility>

namespace vireo {

namespace {

constexpr char kPrefix[] = "vskin:";

// The package core's reason codes; each says what is wrong with the entry
// named before it, or with the whole file when no entry is named.
const std::array<std::pair<const char*, const char*>, 18> kCodes = {{
    {"not-zip", "不是 zip 文件"},
    {"cut-off", "文件不完整，结尾被截断"},
    {"damaged", "zip 结构已损坏"},
    {"unsafe-path", "路径指向目标文件夹之外（含 ..、绝对路径或反斜杠）"},
    {"link", "是符号链接"},
    {"device", "是设备、命名管道或套接字"},
    {"duplicate", "与另一个条目同名"},
    {"control-character", "名称中含有控制字符"},
    {"too-many-entries", "条目数超过一个皮肤项目所能包含的数量"},
    {"too-large", "超过这种文件允许的大小"},
    {"wrong-length", "长度与这种文件要求的长度不符"},
    {"package-too-large", "解压后的总大小超过上限"},
    {"encrypted", "已加密"},
    {"crc", "校验和（CRC）不符，内容已损坏"},
    {"missing", "缺失"},
    {"digest", "内容与 skin.json 中记录的 SHA-256 不符"},
    {"bad-manifest", "不是有效的皮肤包说明"},
    {"no-zip-library", "无法加载 zip 库，请安装 libzip"},
}};

}  // namespace

std::optional<std::string> packageReason(const std::string& detail) {
    if (detail.rfind(kPrefix, 0) != 0) return std::nullopt;
    const std::string rest = detail.substr(sizeof kPrefix - 1);
    const auto colon = rest.find(':');
    if (colon == std::string::npos) return std::nullopt;
    const std::string code = rest.substr(0, colon);
    const std::string entry = rest.substr(colon + 1);
    for (const auto& [known, words] : kCodes) {
        if (code != known) continue;
        if (code == "no-zip-library") return std::string(words) + "（" + entry + "）";
        if (entry.empty()) return "皮肤包" + std::string(words);
        return "条目 " + entry + " " + words;
    }
    return std::nullopt;
}

}  // namespace vireo
