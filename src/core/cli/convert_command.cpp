#include "core/artwork/convert.h"
#include "core/artwork/import.h"
#include "core/cli/command.h"
#include "core/cli/convert_words.h"
#include "core/cli/picture_module.h"
#include "core/images/source_set.h"
#include "core/messages/error_text.h"

#include <cstdlib>
#include <ostream>

namespace vireo::cli {

namespace {

// A number from 0 to 1, the whole word; nullopt for anything else.
std::optional<float> ditherOf(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    const float value = std::strtof(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !(value >= 0.0f && value <= 1.0f)) return std::nullopt;
    return value;
}

}  // namespace

void addConvertOptions(CommandParser& command) {
    command
        .addOption(
            "fit",
            "大小不同的图片怎样变成所需大小：cover（放大铺满，居中裁切）、"
            "contain（完整放入，四周补边）或 stretch（拉伸）。默认不改大小，大小不对即拒绝。",
            "FIT")
        .oneOf(fitWords());
    command.addOption("dither", "抖动程度，0（不抖动）到 1（默认）。", "X", 0, "1");
    command.addOption("keep-rows", "BMP 图片已按播放器的行序保存，保持其行序不变。");
}

const char* const kFrameHelp =
    "cover 时显示图片的哪一部分：X,Y 为这部分的中心在图片上横向、纵向的位置（百分比，"
    "0 到 100，默认 50,50 即正中），ZOOM 为放大（百分比，100 到 800，默认 100 即铺满的最大部分）。";
const char* const kFrameRefused = "取景应为 X,Y,ZOOM：X、Y 为 0 到 100，ZOOM 为 100 到 800：";

// The options convert and import share; prints the usage and returns its
// status when one is wrong.
std::optional<int> readConvertOptions(const CommandParser& command, Io& io,
                                      artwork::ConvertOptions& options) {
    if (command.isSet("fit")) {
        const auto fit = fitNamed(command.value("fit"));
        if (!fit) return usage(io, "未知的 --fit：" + command.value("fit"), command.help());
        options.fit = *fit;
    }
    const auto dither = ditherOf(command.value("dither"));
    if (!dither) return usage(io, "抖动程度应为 0 到 1 之间的数", command.help());
    options.dither = *dither;
    return std::nullopt;
}

CommandParser convertParser() {
    CommandParser command(
        "convert",
        "把 PICTURE（PNG、JPEG、BMP、GIF 等）转换成源图片 SOURCE 所需的 8 位 BMP，写入 FILE。\n"
        "图片按看图软件里的样子理解，播放器上显示的方向与之相同。");
    command.addArgument("PICTURE", "要转换的图片。");
    std::vector<std::string> sourceNames;
    for (const auto& source : images::kSourceSet) sourceNames.emplace_back(source.fileName);
    command
        .addOption("as", "作为哪个源图片：main256.bmp、movie256.bmp 等十二个文件名之一（必需）。",
                   "SOURCE")
        .mustBeGiven()
        .oneOf(sourceNames);
    command.addOption("output", "写入 FILE（必需）。", "FILE", 'o').mustBeGiven();
    command.addOption(
        "palette",
        "图标所用背景的 BMP（64×64 图标用 main256.bmp，16×16 图标用 tree_main256.bmp），"
        "图标按它的调色板转换；它旁边的 BACK 决定图标透明处下面的背景（64×64 图标在它的位置，"
        "16×16 图标在文件列表开始处）。",
        "BMP");
    addConvertOptions(command);
    command.addOption("matte", "图标透明处下面没有背景时的颜色，RRGGBB（默认 000000）。", "RRGGBB");
    command.addOption(
        "margin", "背景透明处（contain 空出的边缘）的颜色，RRGGBB（默认取图片边缘的平均颜色）。",
        "RRGGBB");
    command.addOption("frame", kFrameHelp, "X,Y,ZOOM");
    return command;
}

int runConvert(const Arguments& arguments, Io& io) {
    CommandParser command = convertParser();
    if (auto status = command.parse(arguments, io)) return *status;

    const auto role = artwork::sourceNamed(command.value("as"));
    if (!role) return usage(io, "未知的源图片：" + command.value("as"), command.help());
    const std::string output = command.value("output");
    if (output.empty()) return usage(io, "缺少 -o FILE", command.help());
    artwork::ConvertOptions options;
    if (auto status = readConvertOptions(command, io, options)) return *status;
    if (command.isSet("frame")) {
        const auto frame = frameFromText(command.value("frame"));
        if (!frame) return usage(io, kFrameRefused + command.value("frame"), command.help());
        options.frame = *frame;
    }
    for (const char* name : {"matte", "margin"}) {
        if (!command.isSet(name)) continue;
        const auto colour = colourFromHex(command.value(name));
        if (!colour)
            return usage(io, "颜色应为六位十六进制数 RRGGBB：" + command.value(name),
                         command.help());
        if (name == std::string("matte"))
            options.matte = *colour;
        else
            options.margin = *colour;
    }
    std::optional<std::string> palette, back;
    if (!artwork::isBackground(*role)) {
        if (!command.isSet("palette")) return usage(io, "图标需要 --palette BMP", command.help());
        palette = command.value("palette");
        const std::string besidePalette = folderOf(*palette) + images::kSettingsFileName;
        if (fileTypeAt(besidePalette) == Error::FileType::Regular) back = besidePalette;
    }

    const std::string& picture = command.argument(0);
    ModulePictureDecoder decoder(io.environment.pngModuleDirs);
    const auto converted = artwork::convertFile(picture, *role, decoder, options,
                                                command.isSet("keep-rows"), palette, back);
    if (!converted) return fail(io, converted.error());
    std::vector<std::string> inputs{picture};
    if (palette) inputs.push_back(*palette);
    if (back) inputs.push_back(*back);
    if (auto status = refuseOutputOverInput(io, output, inputs)) return *status;
    const auto written = writeFileAtomically(output, converted.value());
    if (!written) return fail(io, written.error());
    io.out << kDoneSentence << '\n';
    return kDone;
}

}  // namespace vireo::cli
