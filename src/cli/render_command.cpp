#include "cli/command.h"
#include "cli/png_writer.h"
#include "cli/sheet_png.h"
#include "skin/screen.h"
#include "skin/skin_file.h"

#include <charconv>
#include <map>
#include <ostream>

namespace vireo::cli {

namespace {

constexpr int kMaxScale = 16;

std::optional<skin::Screen> screenNamed(const std::string& name) {
    static const std::map<std::string, skin::Screen> kScreens = {{"main", skin::Screen::Main},
                                                                 {"tree", skin::Screen::Tree},
                                                                 {"ebook", skin::Screen::Ebook},
                                                                 {"music", skin::Screen::Music}};
    const auto found = kScreens.find(name);
    if (found == kScreens.end()) return std::nullopt;
    return found->second;
}

std::optional<int> scaleOf(const std::string& text) {
    int scale = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), scale);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (scale < 1 || scale > kMaxScale) return std::nullopt;
    return scale;
}

}  // namespace

int runRender(const Arguments& arguments, Io& io) {
    const std::string maxScale = std::to_string(kMaxScale);
    CommandParser command("render", "按播放器的画法把皮肤中的一个画面画成 PNG 图片。");
    command.addArgument("FILE", "皮肤文件。");
    command.addOption("output", "写入 PNG 文件 OUT（必需）。", "OUT", 'o');
    command.addOption("screen", "画面：main、tree、ebook 或 music（默认 main）。", "SCREEN", 0, "main");
    command.addOption("scale", "每个像素放大为 N×N（1 到 " + maxScale + "，默认 1）。", "N", 0, "1");
    command.addOption("sheet", "画出四个画面（两行两列，各放大 2 倍，带图标和示例文字），用于分享。");
    if (auto status = command.parse(arguments, io)) return *status;

    const std::string output = command.value("output");
    if (output.empty()) return usage(io, "缺少 -o OUT", command.help());
    const auto screen = screenNamed(command.value("screen"));
    if (!screen) return usage(io, "未知的画面：" + command.value("screen"), command.help());
    const auto scale = scaleOf(command.value("scale"));
    if (!scale) return usage(io, "放大倍数应为 1 到 " + maxScale + " 之间的整数", command.help());

    const bool sheet = command.isSet("sheet");
    if (sheet && (command.isSet("screen") || command.isSet("scale")))
        return usage(io, "--sheet 不能与 --screen 或 --scale 同用", command.help());

    const std::string& path = command.argument(0);
    if (auto status = refuseOutputOverInput(io, output, {path})) return *status;
    const auto skinFile = skin::readSkinFile(path);
    if (!skinFile) return refuseSkin(io, path, skinFile.error());
    const auto& dirs = io.environment.pngModuleDirs;
    const auto written =
        sheet ? writeSheetPng(skin::composeSheet(skinFile.value()), output, dirs)
              : writePng(skin::scaleNearest(skin::renderScreen(skinFile.value(), *screen), *scale),
                         output, dirs);
    if (!written) return fail(io, written.error());
    io.out << "完成！" << '\n';
    return kDone;
}

}  // namespace vireo::cli
