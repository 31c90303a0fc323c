#include "core/artwork/new_project.h"
#include "core/cli/command.h"
#include "core/cli/picture_module.h"
#include "core/messages/error_text.h"
#include "core/project/project.h"

#include <ostream>

namespace vireo::cli {

CommandParser newParser() {
    CommandParser command(
        "new",
        "用内置的示例图片新建一个皮肤项目：DIR 中的整套源图片、BACK，以及 art/ 中的原图。\n"
        "之后只需替换想改的原图。DIR 不存在时新建；已有同名文件时什么也不写。");
    command.addArgument("DIR", "新项目的文件夹。");
    return command;
}

int runNew(const Arguments& arguments, Io& io) {
    CommandParser command = newParser();
    if (auto status = command.parse(arguments, io)) return *status;

    const std::string& dir = command.argument(0);
    const auto candidates = artwork::demoArtCandidates(io.environment.programDir);
    const auto art = artwork::findDemoArt(candidates);
    if (!art) return fail(io, Error{Error::Kind::NotFound, candidates.front(), {}});
    const auto names = artwork::newProjectNames(*art, {project::kDerivedFileName});
    if (!names) return fail(io, names.error());

    // Refused before any picture is converted, naming everything in the way.
    const auto occupied = artwork::occupiedPaths(dir, names.value());
    if (!occupied.empty()) {
        io.err << kProgram << ": "
               << "这些文件已经存在，新项目不会替换它们：" << '\n';
        for (const std::string& path : occupied) io.err << "  " << escapeForTerminal(path) << '\n';
        return kRefused;
    }
    ModulePictureDecoder decoder(io.environment.pngModuleDirs);
    const auto files = project::newProjectFiles(*art, decoder);
    if (!files) return fail(io, files.error());
    if (auto written = artwork::writeProject(dir, files.value()); !written)
        return fail(io, written.error());
    io.out << kDoneSentence << '\n';
    return kDone;
}

}  // namespace vireo::cli
