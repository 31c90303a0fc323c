#include "core/images/verification.h"

#include "core/base/binary_file.h"
#include "core/base/readable_file.h"

namespace vireo::images {

namespace {

// `fallback`, when given, is tried as the BACK if `settingsPath` does not exist.
Verification verify(const std::string& folder, const std::string& settingsPath,
                    const std::string* fallback) {
    Verification run;
    run.paths = derivePaths(folder);
    run.settingsPath = settingsPath;

    for (std::size_t i = 0; i < kSourceCount; ++i) {
        if (!isReadableFile(run.paths[i])) run.failedSources.push_back(static_cast<Source>(i));
    }
    if (!isReadableFile(run.settingsPath)) {
        if (fallback) run.settingsPath = *fallback;
        run.settingsFailed = !isReadableFile(run.settingsPath);
    }
    if (!run.failedSources.empty() || run.settingsFailed) {
        run.outcome = Verification::Outcome::Missing;
        return run;
    }

    for (std::size_t i = 0; i < kSourceCount; ++i) {
        if (fileLength(run.paths[i]) != kSourceSet[i].requiredLength())
            run.failedSources.push_back(static_cast<Source>(i));
    }
    run.settingsFailed = fileLength(run.settingsPath) != kSettingsLength;
    const bool passed = run.failedSources.empty() && !run.settingsFailed;
    run.outcome = passed ? Verification::Outcome::Passed : Verification::Outcome::WrongLength;
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
