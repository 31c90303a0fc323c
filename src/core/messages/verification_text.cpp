#include "core/messages/verification_text.h"

#include "core/messages/role_names.h"

namespace vireo {

namespace {

using images::Source;
using images::Verification;

// The wrong-length report calls the options icon the help icon.
std::string lengthName(Source source) {
    return source == Source::OptionsIcon ? "帮助图标" : roleName(source);
}

}  // namespace

std::string verificationReport(const Verification& run) {
    if (run.outcome == Verification::Outcome::Passed) return "校验全部通过，可以开始文件生成";
    const bool missing = run.outcome == Verification::Outcome::Missing;
    std::string report;
    for (const Source source : run.failedSources)
        report += (missing ? std::string(roleName(source)) : lengthName(source)) + " ";
    if (run.settingsFailed) report += missing ? "BACK" : "BACK文件";
    return report + (missing ? " 文件未找到，无法生成文件" : " 校验未通过，无法生成文件");
}

}  // namespace vireo
