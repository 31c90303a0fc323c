#include "core/artwork/doctor.h"
#include "core/artwork/report_names.h"
#include "core/cli/command.h"
#include "core/cli/record_text.h"
#include "core/messages/doctor_text.h"

#include <cmath>
#include <ostream>

namespace vireo::cli {

namespace {

nlohmann::json problemJson(const artwork::FileReport& file, const artwork::Finding& finding) {
    const ProblemText text = file.settingsFile ? describeSettingsFinding(file.file, finding)
                                               : describeFinding(file.file, finding);
    nlohmann::json json{{"code", artwork::codeName(finding.code)},
                        {"severity", artwork::severityName(skin::severityOf(finding.code))},
                        {"message", text.message},
                        {"fix", text.fix}};
    if (finding.code == artwork::ProblemCode::LowContrast) {
        json["ratio"] = std::floor(finding.ratio * 100) / 100;
        json["text"] = artwork::textName(finding.text);
        json["screen"] = artwork::screenName(skin::screenOf(finding.text));
    }
    return json;
}

}  // namespace

// Reads every BMP with the strict reader only (the icons' pixels are compared
// with their background's colours), so Qt is never loaded.
CommandParser doctorParser() {
    CommandParser command(
        "doctor",
        "逐个说明 DIR 中的源图片和 BACK 哪里不能用、怎样改正，每个问题一行：\n"
        "“文件: 问题 — 改法”。全部正确或只有警告（如文字对比度低）时退出状态为 0，\n"
        "发现错误时为 1。");
    command.addArgument("DIR", "源图片所在的文件夹。");
    addBackOption(command);
    command.addOption("json", "以 JSON 输出。");
    return command;
}

int runDoctor(const Arguments& arguments, Io& io) {
    CommandParser command = doctorParser();
    if (auto status = command.parse(arguments, io)) return *status;

    const std::string& dir = command.argument(0);
    if (auto error = missingFolder(dir)) return fail(io, *error);
    // Not a finding about the set: the settings could not be examined at all.
    if (auto error = unreadableFile(settingsPathOf(dir, command))) return fail(io, *error);
    const auto report = artwork::doctorFolder(
        dir,
        command.isSet("back") ? std::optional<std::string>(command.value("back")) : std::nullopt);
    if (!report) return fail(io, report.error());

    if (command.isSet("json")) {
        nlohmann::json files = nlohmann::json::array();
        for (const artwork::FileReport& file : report.value().files) {
            nlohmann::json problems = nlohmann::json::array();
            for (const artwork::Finding& finding : file.findings)
                problems.push_back(problemJson(file, finding));
            files.push_back({{"file", file.file}, {"problems", std::move(problems)}});
        }
        writeJson(io.out,
                  {{"folder", dir}, {"ok", report.value().ok()}, {"files", std::move(files)}});
    } else {
        for (const artwork::FileReport& file : report.value().files)
            for (const artwork::Finding& finding : file.findings)
                io.out << doctorLine(file.file, finding, file.settingsFile) << '\n';
    }
    return report.value().ok() ? kDone : kRefused;
}

}  // namespace vireo::cli
