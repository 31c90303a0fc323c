#include "images/verification.h"

#include "base/readable_file.h"
#include "base/binary_file.h"

namespace vireo::images {

namespace {

// `fallback`, when given, is tried as the BACK if `settingsPath` does not exist.
Verification verify(const std::string& folder, const std::string& settingsPath,
                    const std::string* fallback) {
    Verification run;
    run.paths = derivePaths(folder);
    run.settingsPath = settingsPath;

    std::string report;
    for (std::size_t i = 0; i < kSourceCount; ++i) {
        if (isReadableFile(run.paths[i])) continue;
        report += kSourceSet[i].existenceName;
        run.failedSources.push_back(static_cast<Source>(i));
    }
    if (!isReadableFile(run.settingsPath)) {
        if (fallback) run.settingsPath = *fallback;
        if (!isReadableFile(run.settingsPath)) {
            report += "BACK";
            run.settingsFailed = true;
        }
    }
    if (!report.empty()) {
        run.outcome = Verification::Outcome::Missing;
        run.report = report + kMissingSentence;
        return run;
    }

    for (std::size_t i = 0; i < kSourceCount; ++i) {
        if (fileLength(run.paths[i]) == kSourceSet[i].requiredLength()) continue;
        report += kSourceSet[i].lengthName;
        run.failedSources.push_back(static_cast<Source>(i));
    }
    if (fileLength(run.settingsPath) != kSettingsLength) {
        report += "BACK文件";
        run.settingsFailed = true;
    }

    if (report.empty()) {
        run.outcome = Verification::Outcome::Passed;
        run.report = kPassedReport;
    } else {
        run.outcome = Verification::Outcome::WrongLength;
        run.report = report + kWrongLengthSentence;
    }
    return run;
}

}  // namespace

Verification verifySourceSet(const std::string& folder, const std::string& currentDir) {
    const std::string fallback = joinPath(currentDir, kSettingsFileName);
    return verify(folder, folder + kSettingsFileName, &fallback);
}

Verification verifySourceSetWithSettings(const std::string& folder,
                                         const std::string& settingsPath) {
    return verify(folder, settingsPath, nullptr);
}

}  // namespace vireo::images
