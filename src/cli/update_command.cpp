#include "cli/command.h"
#include "cli/picture_module.h"
#include "messages/error_text.h"
#include "project/project.h"
#include "settings/byte_table.h"

#include <ostream>

namespace vireo::cli {

int runUpdate(const Arguments& arguments, Io& io) {
    CommandParser command(
        "update",
        "从 DIR/art 中的原图重新生成 DIR 中过时的源图片：原图、图标位置或所画的背景\n"
        "自上次生成（DIR/art/"
        "derived.json）以来有变化的。全部写入或全不写入，每写一个源图片打印一行。");
    command.addArgument("DIR", "源图片所在的文件夹。");
    command.addOption("force", "重新生成每个有原图的源图片。");
    if (auto status = command.parse(arguments, io)) return *status;
    const std::string& dir = command.argument(0);
    if (auto error = missingFolder(dir)) return fail(io, *error);

    ModulePictureDecoder decoder(io.environment.pngModuleDirs);
    // Originals in WebP or TIFF count only where the running Qt reads them.
    (void)decoder.registerFormats();
    project::Project project(decoder, settings::kTableFileName);
    if (auto opened = project.openFolder(dir); !opened) return fail(io, opened.error());
    auto written = project.deriveStale(command.isSet("force"));
    if (!written) return fail(io, written.error());
    if (written.value().empty()) {
        io.out << "没有需要更新的源图片" << '\n';
        return kDone;
    }
    for (const images::Source source : written.value())
        io.out << "已更新："
               << escapeForTerminal(project.sourcePaths()[static_cast<std::size_t>(source)])
               << '\n';
    return kDone;
}

}  // namespace vireo::cli
