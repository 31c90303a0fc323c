#include "core/messages/project_text.h"

#include <array>
#include <utility>

namespace vireo {

namespace {

// The project core's own codes and what they mean to the user.
const std::array<std::pair<const char*, const char*>, 10> kCodes = {{
    {"changed-outside", "此文件在这一步之后被其他程序改动过，为保护改动，未撤销或重做"},
    {"nothing-to-undo", "没有可以撤销的步骤"},
    {"nothing-to-redo", "没有可以重做的步骤"},
    {"files-in-the-way", "目标文件夹中已有同名文件，未写入任何文件"},
    {"no-folder", "尚未打开源文件夹"},
    {"no-original", "此源图片没有原图，无法重新生成"},
    {"not-storable", "坐标和颜色分量必须在 0 到 255 之间"},
    {"hand-edited", "此源图片在上次生成后被手工改过，重新生成会覆盖这一改动"},
    {"not-verified", "源文件夹没有通过检查，不能打包"},
    {"stale", "此源图片已过时（原图或位置改过），请先用 update 重新生成再打包"},
}};

// What a refusal of derived.json found wrong with the named key.
const std::array<std::pair<const char*, const char*>, 15> kDerivedProblems = {{
    {"too-large", "文件过大"},
    {"not-json", "不是有效的 JSON"},
    {"not-an-object", "应为对象"},
    {"version", "格式版本不对"},
    {"sources", "缺少 sources 或不是对象"},
    {"unknown-key", "有未知的键"},
    {"unknown-source", "不是源图片的文件名"},
    {"missing-key", "缺少必需的键"},
    {"bad-file-name", "原图文件名无效"},
    {"not-a-size", "应为文件大小"},
    {"not-a-hash", "应为 16 位十六进制的散列值"},
    {"not-a-fit", "缩放方式应为 exact、cover、contain 或 stretch"},
    {"not-a-position", "坐标应为两个 0 到 255 的整数"},
    {"not-a-frame",
     "取景应为三个整数：中心横向与纵向位置 0 到 100（百分比），放大 100 到 800（百分比）"},
    {"not-a-picture-name", "文件扩展名不是图片格式"},
}};

}  // namespace

std::optional<std::string> projectReason(const std::string& detail) {
    for (const auto& [code, words] : kCodes)
        if (detail == code) return std::string(words);
    const auto colon = detail.rfind(": ");
    const std::string key = colon == std::string::npos ? std::string() : detail.substr(0, colon);
    const std::string problem = colon == std::string::npos ? detail : detail.substr(colon + 2);
    for (const auto& [code, words] : kDerivedProblems)
        if (problem == code) return key.empty() ? std::string(words) : key + "：" + words;
    return std::nullopt;
}

}  // namespace vireo
