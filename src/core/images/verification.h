#pragma once

#include "core/images/source_set.h"

#include <string>
#include <vector>

namespace vireo::images {

struct Verification {
    enum class Outcome {
        Missing,      // some file was not found; lengths were not checked
        WrongLength,  // every file was found, some had the wrong length
        Passed,
    };

    SourcePaths paths;
    // The settings file the checks used: the folder's BACK, or the current
    // directory's when the folder has none.
    std::string settingsPath;
    Outcome outcome = Outcome::Missing;
    // What the outcome names, in set order: the sources that are missing or,
    // once all were found, of the wrong length; and whether BACK is among them.
    // messages/ words them (verificationReport).
    std::vector<Source> failedSources;
    bool settingsFailed = false;

    bool passed() const { return outcome == Outcome::Passed; }
    bool reachedLengthCheck() const { return outcome != Outcome::Missing; }
};

// Checks the twelve sources in `folder` (trailing separator kept) and a BACK,
// first for existence and then, only if all exist, for their exact lengths.
// `currentDir` is where BACK is looked for when the folder has none.
Verification verifySourceSet(const std::string& folder, const std::string& currentDir);

// The same two stages with `settingsPath` as the BACK, and no other looked for.
Verification verifySourceSetWithSettings(const std::string& folder,
                                         const std::string& settingsPath);

}  // namespace vireo::images
