#include "core/messages/doctor_text.h"

#include "core/images/source_set.h"
#include "core/messages/error_text.h"

#include <cmath>
#include <cstdio>

namespace vireo {

using skin::Finding;
using skin::ProblemCode;

namespace {

std::string textWords(skin::TextRole text) {
    switch (text) {
    case skin::TextRole::List: return "列表文字";
    case skin::TextRole::Selected: return "选中文字";
    case skin::TextRole::Ebook: return "电子书文字";
    }
    return {};
}

ProblemText contrastText(const std::string& file, const Finding& f) {
    char limit[16];
    std::snprintf(limit, sizeof limit, "%g", skin::kMinimumContrast);
    const std::string screen =
        skin::screenOf(f.text) == skin::Screen::Ebook ? "电子书画面" : "目录画面";
    return {file + " 中" + textWords(f.text) + "的颜色与" + screen + "背景的对比度只有 " +
                ratioText(f.ratio) + ":1，低于 " + limit + ":1，不易看清",
            "把文字颜色调得更亮或更暗，或换一张与它反差更大的背景"};
}

// A method the reader has no name for comes as its number.
std::string compressionWords(const std::string& method) {
    const bool number =
        !method.empty() && method.find_first_not_of("0123456789") == std::string::npos;
    return number ? "方式 " + method : method;
}

ProblemText notBmpText(const std::string& file, const std::string& actual) {
    const std::string fix = "用 convert 转换成 8 位 BMP";
    if (actual == "empty") return {file + " 是空文件，不是 BMP", fix};
    if (actual == "unknown") return {file + " 不是 BMP，也不是认得的图片格式", fix};
    return {file + " 实际是 " + actual + " 文件，不是 BMP", fix};
}

// The sentences about the file's layout, each with its lossless rewrite.
ProblemText layoutText(const std::string& file, const Finding& f) {
    const std::string& a = f.actual;
    const std::string& r = f.required;
    switch (f.code) {
    case ProblemCode::UnsupportedHeader:
        return {file + " 的信息头为 " + a + " 字节，应为 " + r + " 字节",
                "用 convert 无损重写为标准信息头"};
    case ProblemCode::Compressed:
        return {file + " 使用了压缩（" + compressionWords(a) + "），应为不压缩",
                "用 convert 无损重写为不压缩的 BMP"};
    case ProblemCode::TopDown:
        return {file + " 的行从上往下存放（高度为负），应为正高度", "用 convert 无损重写为正高度"};
    case ProblemCode::ShortColourTable:
        return {file + " 的调色板只有 " + a + " 色，应为 " + r + " 色",
                "用 convert 无损补满调色板"};
    case ProblemCode::BadOffsets:
        return {file + " 的像素偏移/文件大小字段为 " + a + "，应为 " + r,
                "用 convert 无损重写文件头"};
    default: return {file, {}};
    }
}

}  // namespace

std::string ratioText(double ratio) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", std::floor(ratio * 100) / 100);
    return text;
}

ProblemText describeFinding(const std::string& name, const Finding& f) {
    const std::string file = escapeForTerminal(name);
    const std::string& a = f.actual;
    const std::string& r = f.required;
    switch (f.code) {
    case ProblemCode::Missing:
        return {a.empty() ? file + " 不存在" : file + " 无法读取（" + a + "）",
                "把该文件放进文件夹，或用 import 从图片生成"};
    case ProblemCode::NotAFile:
        return {file + " 不是普通文件（" + fileTypeName(f.fileType) + "）", "换成一个 BMP 文件"};
    case ProblemCode::NotBmp: return notBmpText(file, a);
    case ProblemCode::Not8Bit:
        return {file + " 为 " + a + " 位色，应为 " + r + " 位色", "用 convert 转换成 8 位 256 色"};
    case ProblemCode::WrongSize:
        return {file + " 的尺寸为 " + a + "，应为 " + r,
                "重画为正确尺寸，或用 convert --fit cover|contain|stretch 缩放"};
    case ProblemCode::WrongLength:
        return {file + " 的长度为 " + a + " 字节，应为 " + r + " 字节",
                "用 convert 重写为标准 8 位 BMP"};
    case ProblemCode::LowContrast: return contrastText(file, f);
    case ProblemCode::IconsOverlap:
        return {file + " 中 " + r + " 盖住了 " + a + " 的 " + std::to_string(f.count) +
                    " 个像素，比默认布局中任何两个图标重叠得多",
                "在工作台中移开其中一个图标，或用 settings --set 改它的位置"};
    case ProblemCode::IconColoursDiffer:
        return {file + " 有 " + a + " 个像素的颜色与播放器所用背景调色板中的颜色不同",
                "用 convert --palette 把图标重新映射到背景的调色板"};
    default: return layoutText(file, f);
    }
}

ProblemText describeSettingsFinding(const std::string& file, const Finding& f) {
    ProblemText text = describeFinding(file, f);
    // A FIFO or device in its place is no settings file either, and no picture.
    if (f.code == ProblemCode::WrongLength || f.code == ProblemCode::NotAFile)
        text.fix = "换成 " + std::to_string(images::kSettingsLength) +
                   " 字节的设置文件，或删去它，让 import 写入默认设置";
    return text;
}

std::string doctorLine(const std::string& file, const Finding& finding, bool settingsFile) {
    const ProblemText text =
        settingsFile ? describeSettingsFinding(file, finding) : describeFinding(file, finding);
    const bool warning = skin::severityOf(finding.code) == skin::Severity::Warning;
    return escapeForTerminal(file) + ": " + (warning ? "警告：" : "") + text.message + " — " +
           text.fix;
}

std::string windowFixFor(ProblemCode code) {
    switch (code) {
    case ProblemCode::Missing:
    case ProblemCode::NotAFile: return "在工作台中把图片拖到该位置，或点“选择图片…”";
    case ProblemCode::IconColoursDiffer:
        return "在工作台中点该图标的“重新映射”或其背景的“映射图标”，或重新放入原图";
    case ProblemCode::WrongSize: return "在工作台中把图片拖到该位置，选择裁剪、完整放入或拉伸";
    default: return "在工作台中把原图拖到该位置，或点“选择图片…”，会转换成所需的格式";
    }
}

std::string slotVerdictLine(const std::string& file, const std::vector<Finding>& findings) {
    if (findings.empty()) return "可以使用";
    std::string line = describeFinding(file, findings.front()).message;
    if (findings.size() > 1) line += "（另有 " + std::to_string(findings.size() - 1) + " 项）";
    return line;
}

std::vector<std::string> slotVerdictDetails(const std::string& file,
                                            const std::vector<Finding>& findings) {
    std::vector<std::string> details;
    for (const Finding& finding : findings)
        details.push_back(describeFinding(file, finding).message + " — " +
                          windowFixFor(finding.code));
    return details;
}

}  // namespace vireo
