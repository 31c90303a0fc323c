#include "artwork/doctor.h"
#include "cli/command.h"
#include "cli/record_text.h"

#include <ostream>

namespace vireo::cli {

// Reads every BMP with the strict reader only (the icons' pixels are compared
// with their background's colours), so Qt is never loaded.
int runDoctor(const Arguments& arguments, Io& io) {
    CommandParser command("doctor",
                          "逐个说明 DIR 中的源图片和 BACK 哪里不能用、怎样改正，每个问题一行：\n"
                          "“文件: 问题 — 改法”。全部正确时退出状态为 0，发现问题时为 1。");
    command.addArgument("DIR", "源图片所在的文件夹。");
    addBackOption(command);
    command.addOption("json", "以 JSON 输出。");
    if (auto status = command.parse(arguments, io)) return *status;

    const std::string& dir = command.argument(0);
    if (auto error = missingFolder(dir)) return fail(io, *error);
    const auto report = artwork::doctorFolder(
        dir, command.isSet("back") ? std::optional<std::string>(command.value("back")) : std::nullopt);
    if (!report) return fail(io, report.error());

    if (command.isSet("json")) {
        nlohmann::json files = nlohmann::json::array();
        for (const artwork::FileReport& file : report.value().files) {
            nlohmann::json problems = nlohmann::json::array();
            for (const artwork::Problem& problem : file.problems)
                problems.push_back({{"code", artwork::codeName(problem.code)},
                                    {"message", problem.message},
                                    {"fix", problem.fix}});
            files.push_back({{"file", file.file}, {"problems", std::move(problems)}});
        }
        writeJson(io.out, {{"folder", dir}, {"ok", report.value().ok()}, {"files", std::move(files)}});
    } else {
        for (const std::string& line : artwork::doctorLines(report.value())) io.out << line << '\n';
    }
    return report.value().ok() ? kDone : kRefused;
}

}  // namespace vireo::cli
