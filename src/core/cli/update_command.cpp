#include "core/cli/command.h"
#include "core/cli/convert_words.h"
#include "core/cli/picture_module.h"
#include "core/messages/error_text.h"
#include "core/project/project.h"
#include "core/settings/byte_table.h"

#include <ostream>

namespace vireo::cli {

CommandParser updateParser() {
    CommandParser command(
        "update",
        "从 DIR/art 中的原图重新生成 DIR 中过时的源图片：原图、缩放方式、图标位置或所画的背景\n"
        "自上次生成（DIR/art/derived.json）以来有变化的，以及缺失或损坏而原图还在的。\n"
        "手工改过的源图片不会被覆盖：列出后保留（退出状态 1），除非用 --force。\n"
        "全部写入或全不写入，只为内容有变化的文件打印一行。");
    command.addArgument("DIR", "源图片所在的文件夹。");
    command
        .addOption("fit",
                   "原图的缩放方式：cover（放大铺满，居中裁切）、contain（完整放入，四周补边）"
                   "或 stretch（拉伸）；替换记录的方式，方式有变化的源图片重新生成。",
                   "FIT")
        .oneOf(fitWords());
    command.addOption("force", "重新生成每个有原图的源图片，手工改过的也一样。");
    return command;
}

int runUpdate(const Arguments& arguments, Io& io) {
    CommandParser command = updateParser();
    if (auto status = command.parse(arguments, io)) return *status;
    const std::string& dir = command.argument(0);
    if (auto error = missingFolder(dir)) return fail(io, *error);
    std::optional<artwork::Fit> fit;
    if (command.isSet("fit")) {
        fit = fitNamed(command.value("fit"));
        if (!fit) return usage(io, "未知的 --fit：" + command.value("fit"), command.help());
    }
    const bool force = command.isSet("force");

    ModulePictureDecoder decoder(io.environment.pngModuleDirs);
    // Originals in WebP or TIFF count only where the running Qt reads them.
    (void)decoder.registerFormats();
    project::Project project(decoder, settings::kTableFileName);
    const auto tellRecovered = [&] {
        for (const std::string& path : project.takeRecoveredWrites())
            io.out << "已撤销一次被中断的写入：" << escapeForTerminal(path) << '\n';
    };
    auto opened = project.openFolder(dir);
    tellRecovered();
    if (!opened) return fail(io, opened.error());
    if (const Error* problem = project.derivedProblem(); problem && !force) {
        io.err << kProgram << ": " << describeWithReason(*problem) << '\n'
               << "不知道哪些源图片过时，什么也没写。可用 --force 从原图重新生成全部源图片。"
               << '\n';
        return kRefused;
    }
    auto outcome = project.deriveStale(
        force, fit, force ? project::HandEdits::Overwrite : project::HandEdits::Keep);
    tellRecovered();
    if (!outcome) return fail(io, outcome.error());
    const auto pathOf = [&](images::Source source) {
        return escapeForTerminal(project.sourcePaths()[static_cast<std::size_t>(source)]);
    };
    for (const images::Source source : outcome.value().written)
        io.out << "已更新：" << pathOf(source) << '\n';
    if (!outcome.value().handEdited.empty()) {
        io.err << kProgram << ": "
               << "这些源图片在上次生成后被手工改过，已保留，没有重新生成"
                  "（用 --force 重新生成）："
               << '\n';
        for (const images::Source source : outcome.value().handEdited)
            io.err << "  " << pathOf(source) << '\n';
        return kRefused;
    }
    if (outcome.value().written.empty()) io.out << "没有需要更新的源图片" << '\n';
    return kDone;
}

}  // namespace vireo::cli
