#include "core/cli/command.h"
#include "core/messages/verification_text.h"

#include <ostream>

namespace vireo::cli {

CommandParser verifyParser() {
    CommandParser command("verify", "检查 DIR 中的十二个源图片和 BACK 是否存在、大小是否正确。");
    command.addArgument("DIR", "源图片所在的文件夹。");
    addBackOption(command);
    return command;
}

int runVerify(const Arguments& arguments, Io& io) {
    CommandParser command = verifyParser();
    if (auto status = command.parse(arguments, io)) return *status;

    const std::string& dir = command.argument(0);
    if (auto error = missingFolder(dir)) return fail(io, *error);
    const auto run = verifyFolder(dir, command);
    io.out << verificationReport(run) << '\n';
    return run.passed() ? kDone : kRefused;
}

}  // namespace vireo::cli
