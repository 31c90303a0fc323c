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

// What to do about a problem in the windows, where a picture is put into its
// place with the workbench's own buttons rather than with a command.
std::string windowFixFor(ProblemCode code);

}  // namespace vireo::artwork
