#include "core/cli/command.h"
#include "core/cli/package_skin.h"
#include "core/cli/png_writer.h"
#include "core/cli/sheet_png.h"
#include "core/images/source_set.h"
#include "core/messages/error_text.h"
#include "core/skin/screen.h"
#include "core/skin/skin_file.h"

#include <charconv>
#include <ostream>
#include <utility>
#include <vector>

namespace vireo::cli {

namespace {

constexpr int kMaxScale = 16;
// The longest side --size accepts: the screen at the largest scale.
constexpr int kMaxSize = kMaxScale * images::kScreenWidth;

constexpr std::pair<const char*, skin::Screen> kScreenWords[] = {{"main", skin::Screen::Main},
                                                                 {"tree", skin::Screen::Tree},
                                                                 {"ebook", skin::Screen::Ebook},
                                                                 {"music", skin::Screen::Music}};

std::optional<skin::Screen> screenNamed(const std::string& name) {
    for (const auto& [word, screen] : kScreenWords) {
        if (name == word) return screen;
    }
    return std::nullopt;
}

std::optional<int> numberIn(const std::string& text, int low, int high) {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (number < low || number > high) return std::nullopt;
    return number;
}

// How the screen is sized: enlarged `scale` times, or brought to a longer side of `size`.
struct Sizing {
    int scale = 1;
    std::optional<int> size;
};

// Reads --scale and --size; an exit status when they are wrong.
std::optional<int> readSizing(const CommandParser& command, Io& io, Sizing& sizing) {
    if (command.isSet("size")) {
        if (command.isSet("scale"))
            return usage(io, "--size 和 --scale 只能选一个", command.help());
        sizing.size = numberIn(command.value("size"), 1, kMaxSize);
        if (!sizing.size)
            return usage(io, "尺寸应为 1 到 " + std::to_string(kMaxSize) + " 之间的整数",
                         command.help());
        return std::nullopt;
    }
    const auto scale = numberIn(command.value("scale"), 1, kMaxScale);
    if (!scale)
        return usage(io, "放大倍数应为 1 到 " + std::to_string(kMaxScale) + " 之间的整数",
                     command.help());
    sizing.scale = *scale;
    return std::nullopt;
}

skin::Picture sized(const skin::Picture& screen, const Sizing& sizing) {
    return sizing.size ? skin::scaleToLongerSide(screen, *sizing.size)
                       : skin::scaleNearest(screen, sizing.scale);
}

}  // namespace

CommandParser renderParser() {
    const std::string maxScale = std::to_string(kMaxScale);
    CommandParser command("render", "按播放器的画法把皮肤中的一个画面画成 PNG 图片。");
    command.addArgument("FILE", "皮肤文件。");
    command.addOption("output", "写入 PNG 文件 OUT（必需）。", "OUT", 'o').mustBeGiven();
    std::vector<std::string> screens;
    for (const auto& [word, screen] : kScreenWords) screens.emplace_back(word);
    command
        .addOption("screen", "画面：main、tree、ebook 或 music（默认 main）。", "SCREEN", 0, "main")
        .oneOf(screens);
    command.addOption("scale", "每个像素放大为 N×N（1 到 " + maxScale + "，默认 1）。", "N", 0,
                      "1");
    command.addOption("size",
                      "缩放到较长的一边为 N 像素（1 到 " + std::to_string(kMaxSize) +
                          "），用于缩略图；不能与 --scale 同用。",
                      "N");
    command.addOption("in-place",
                      "写入已有的文件 OUT 本身，而不是换上新文件（缩略图服务读它给出的文件）。");
    command.addOption("sheet",
                      "画出四个画面（两行两列，各放大 2 倍，带图标和示例文字），用于分享。");
    return command;
}

int runRender(const Arguments& arguments, Io& io) {
    CommandParser command = renderParser();
    if (auto status = command.parse(arguments, io)) return *status;

    const std::string output = command.value("output");
    if (output.empty()) return usage(io, "缺少 -o OUT", command.help());
    const auto screen = screenNamed(command.value("screen"));
    if (!screen) return usage(io, "未知的画面：" + command.value("screen"), command.help());
    Sizing sizing;
    if (auto status = readSizing(command, io, sizing)) return *status;

    const bool sheet = command.isSet("sheet");
    if (sheet && (command.isSet("screen") || command.isSet("scale") || command.isSet("size") ||
                  command.isSet("in-place")))
        return usage(io, "--sheet 不能与 --screen、--scale、--size 或 --in-place 同用",
                     command.help());

    const std::string& path = command.argument(0);
    if (auto status = refuseOutputOverInput(io, output, {path})) return *status;
    const auto skinFile = readSkinOrPackage(path);
    if (!skinFile) return refuseSkin(io, path, skinFile.error());
    const auto& dirs = io.environment.pngModuleDirs;
    const auto written =
        sheet ? writeSheetPng(skin::composeSheet(skinFile.value()), output, dirs)
              : writePng(sized(skin::renderScreen(skinFile.value(), *screen), sizing), output, dirs,
                         command.isSet("in-place"));
    if (!written) return fail(io, written.error());
    io.out << kDoneSentence << '\n';
    return kDone;
}

}  // namespace vireo::cli
