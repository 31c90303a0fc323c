#pragma once

#include "artwork/bmp_check.h"

#include <optional>
#include <string>
#include <utility>

namespace vireo::artwork {

// A problem as the user reads it: a sentence naming the file with what it has
// against what it needs, and what to do about it.
enum class Severity { Error, Warning };

// A text's contrast, for the readers of the JSON report.
struct ContrastDetail {
    double ratio;
    skin::TextRole text;
};

struct Problem {
    Problem(ProblemCode code, std::string message, std::string fix,
            Severity severity = Severity::Error,
            std::optional<ContrastDetail> contrast = std::nullopt)
        : code(code), message(std::move(message)), fix(std::move(fix)), severity(severity),
          contrast(contrast) {}

    ProblemCode code;
    std::string message;
    std::string fix;
    Severity severity = Severity::Error;
    std::optional<ContrastDetail> contrast;
};

// "error" or "warning".
const char* severityName(Severity severity);
// "list", "selected", "ebook"; and the screen a text is drawn over: "tree", "ebook".
const char* textName(skin::TextRole text);
const char* screenName(skin::Screen screen);

// A ratio as the report shows it: two decimals, rounded down, so that a
// ratio just under the limit never reads as the limit itself.
std::string ratioText(double ratio);

Problem describeFinding(const std::string& file, const Finding& finding);

// The same for the settings file, which is no picture: its fixes say so.
Problem describeSettingsFinding(const std::string& file, const Finding& finding);

// What to do about a problem in the windows, where a picture is put into its
// place with the workbench's own buttons rather than with a command.
std::string windowFixFor(ProblemCode code);

}  // namespace vireo::artwork
