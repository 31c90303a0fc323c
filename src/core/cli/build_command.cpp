#include "core/base/binary_file.h"
#include "core/cli/command.h"
#include "core/images/source_set.h"
#include "core/messages/error_text.h"
#include "core/messages/verification_text.h"
#include "core/skin/generation.h"

#include <ostream>

namespace vireo::cli {

CommandParser buildParser() {
    CommandParser command("build", "检查 DIR 中的源图片和 BACK，通过后生成皮肤文件 BACKIMG。");
    command.addArgument("DIR", "源图片所在的文件夹。");
    addBackOption(command);
    command.addOption("output", "写入 FILE（默认 DIR/BACKIMG）。", "FILE", 'o');
    return command;
}

int runBuild(const Arguments& arguments, Io& io) {
    CommandParser command = buildParser();
    if (auto status = command.parse(arguments, io)) return *status;

    const std::string& dir = command.argument(0);
    if (auto error = missingFolder(dir)) return fail(io, *error);
    const auto run = verifyFolder(dir, command);
    if (!run.passed()) {
        // The verification calls a file it cannot open missing: say what it is.
        for (const std::string& path : run.paths)
            if (auto error = unreadableFile(path)) return fail(io, *error);
        if (auto error = unreadableFile(run.settingsPath)) return fail(io, *error);
        io.err << kProgram << ": " << escapeForTerminal(dir) << "：" << verificationReport(run)
               << '\n';
        return kRefused;
    }
    const std::string output =
        command.isSet("output") ? command.value("output") : joinPath(dir, images::kSkinFileName);
    std::vector<std::string> inputs(run.paths.begin(), run.paths.end());
    inputs.push_back(run.settingsPath);
    if (auto status = refuseOutputOverInput(io, output, inputs)) return *status;
    const auto written = skin::generateSkin({run.paths, run.settingsPath}, output);
    if (!written) return fail(io, written.error());
    io.out << kDoneSentence << '\n';
    return kDone;
}

}  // namespace vireo::cli
