#pragma once

#include "artwork/bmp_check.h"

#include <string>

namespace vireo::artwork {

// A problem as the user reads it: a sentence naming the file with what it has
// against what it needs, and what to do about it.
struct Problem {
    ProblemCode code;
    std::string message;
    std::string fix;
};

Problem describeFinding(const std::string& file, const Finding& finding);

// The same for the settings file, which is no picture: its fixes say so.
Problem describeSettingsFinding(const std::string& file, const Finding& finding);

}  // namespace vireo::artwork
