#include "images/verification.h"

#include "app/file_exists.h"
#include "base/binary_file.h"

namespace vireo::images {

Verification verifySourceSet(const std::string& folder, const std::string& currentDir) {
    Verification run;
    run.paths = derivePaths(folder);
    run.settingsPath = folder + kSettingsFileName;

    std::string report;
    for (std::size_t i = 0; i < kSourceCount; ++i) {
        if (!FileExists(run.paths[i])) report += kSourceSet[i].existenceName;
    }
    if (!FileExists(run.settingsPath)) {
        run.settingsPath = joinPath(currentDir, kSettingsFileName);
        if (!FileExists(run.settingsPath)) report += "BACK";
    }
    if (!report.empty()) {
        run.outcome = Verification::Outcome::Missing;
        run.report = report + kMissingSentence;
        return run;
    }

    for (std::size_t i = 0; i < kSourceCount; ++i) {
        if (fileLength(run.paths[i]) != kSourceSet[i].requiredLength())
            report += kSourceSet[i].lengthName;
    }
    if (fileLength(run.settingsPath) != kSettingsLength) report += "BACK文件";

    if (report.empty()) {
        run.outcome = Verification::Outcome::Passed;
        run.report = kPassedReport;
    } else {
        run.outcome = Verification::Outcome::WrongLength;
        run.report = report + kWrongLengthSentence;
    }
    return run;
}

}  // namespace vireo::images
