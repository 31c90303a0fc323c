#include "artwork/messages.h"

#include "messages/error_text.h"

#include <cmath>
#include <cstdio>

namespace vireo::artwork {

namespace {

std::string textWords(skin::TextRole text) {
    switch (text) {
    case skin::TextRole::List: return "列表文字";
    case skin::TextRole::Selected: return "选中文字";
    case skin::TextRole::Ebook: return "电子书文字";
    }
    return {};
}

Problem contrastProblem(const std::string& file, const Finding& f) {
    char limit[16];
    std::snprintf(limit, sizeof limit, "%g", skin::kMinimumContrast);
    const std::string screen = skin::screenOf(f.text) == skin::Screen::Ebook ? "电子书画面" : "目录画面";
    return {f.code,
            file + " 中" + textWords(f.text) + "的颜色与" + screen + "背景的对比度只有 " + ratioText(f.ratio) +
                ":1，低于 " + limit + ":1，不易看清",
            "把文字颜色调得更亮或更暗，或换一张与它反差更大的背景", Severity::Warning,
            ContrastDetail{f.ratio, f.text}};
}

}  // namespace

const char* severityName(Severity severity) {
    return severity == Severity::Warning ? "warning" : "error";
}

const char* textName(skin::TextRole text) {
    switch (text) {
    case skin::TextRole::List: return "list";
    case skin::TextRole::Selected: return "selected";
    case skin::TextRole::Ebook: return "ebook";
    }
    return "";
}

const char* screenName(skin::Screen screen) {
    switch (screen) {
    case skin::Screen::Main: return "main";
    case skin::Screen::Tree: return "tree";
    case skin::Screen::Ebook: return "ebook";
    case skin::Screen::Music: return "music";
    }
    return "";
}

std::string ratioText(double ratio) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", std::floor(ratio * 100) / 100);
    return text;
}

Problem describeFinding(const std::string& file, const Finding& f) {
    const std::string& a = f.actual;
    const std::string& r = f.required;
    switch (f.code) {
    case ProblemCode::Missing:
        return {f.code, a.empty() ? file + " 不存在" : file + " 无法读取（" + a + "）",
                "把该文件放进文件夹，或用 import 从图片生成"};
    case ProblemCode::NotAFile:
        return {f.code, file + " 不是普通文件（" + fileTypeName(f.fileType) + "）", "换成一个 BMP 文件"};
    case ProblemCode::NotBmp:
        if (a == "empty") return {f.code, file + " 是空文件，不是 BMP", "用 convert 转换成 8 位 BMP"};
        if (a == "unknown") return {f.code, file + " 不是 BMP，也不是认得的图片格式", "用 convert 转换成 8 位 BMP"};
        return {f.code, file + " 实际是 " + a + " 文件，不是 BMP",
                "用 convert 转换成 8 位 BMP"};
    case ProblemCode::UnsupportedHeader:
        return {f.code, file + " 的信息头为 " + a + " 字节，应为 " + r + " 字节",
                "用 convert 无损重写为标准信息头"};
    case ProblemCode::Compressed:
        return {f.code, file + " 使用了压缩（" + a + "），应为不压缩",
                "用 convert 无损重写为不压缩的 BMP"};
    case ProblemCode::Not8Bit:
        return {f.code, file + " 为 " + a + " 位色，应为 " + r + " 位色",
                "用 convert 转换成 8 位 256 色"};
    case ProblemCode::TopDown:
        return {f.code, file + " 的行从上往下存放（高度为负），应为正高度",
                "用 convert 无损重写为正高度"};
    case ProblemCode::WrongSize:
        return {f.code, file + " 的尺寸为 " + a + "，应为 " + r,
                "重画为正确尺寸，或用 convert --fit cover|contain|stretch 缩放"};
    case ProblemCode::ShortColourTable:
        return {f.code, file + " 的调色板只有 " + a + " 色，应为 " + r + " 色",
                "用 convert 无损补满调色板"};
    case ProblemCode::BadOffsets:
        return {f.code,
                file + " 的像素偏移/文件大小字段为 " + a + "，应为 " + r,
                "用 convert 无损重写文件头"};
    case ProblemCode::WrongLength:
        return {f.code, file + " 的长度为 " + a + " 字节，应为 " + r + " 字节",
                "用 convert 重写为标准 8 位 BMP"};
    case ProblemCode::LowContrast: return contrastProblem(file, f);
    case ProblemCode::IconColoursDiffer:
        return {f.code,
                file + " 有 " + a + " 个像素的颜色与播放器所用背景调色板中的颜色不同",
                "用 convert --palette 把图标重新映射到背景的调色板"};
    }
    return {f.code, file, {}};
}

Problem describeSettingsFinding(const std::string& file, const Finding& f) {
    Problem problem = describeFinding(file, f);
    if (f.code == ProblemCode::WrongLength)
        problem.fix = "换成 " + f.required + " 字节的设置文件，或删去它，让 import 写入默认设置";
    return problem;
}

std::string windowFixFor(ProblemCode code) {
    switch (code) {
    case ProblemCode::Missing:
    case ProblemCode::NotAFile:
        return "在工作台中把图片拖到该位置，或点“选择图片…”";
    case ProblemCode::IconColoursDiffer:
        return "在工作台中点该图标的“重新映射”或其背景的“映射图标”，或重新放入原图";
    case ProblemCode::WrongSize:
        return "在工作台中把图片拖到该位置，选择裁剪、完整放入或拉伸";
    default:
        return "在工作台中把原图拖到该位置，或点“选择图片…”，会转换成所需的格式";
    }
}

}  // namespace vireo::artwork
