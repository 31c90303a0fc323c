#pragma once

#include "core/skin/source_findings.h"

#include <string>
#include <vector>

namespace vireo {

// A finding as the user reads it: a sentence naming the file with what it has
// against what it needs, and what to do about it.
struct ProblemText {
    std::string message;
    std::string fix;
};

// A ratio as the report shows it: two decimals, rounded down, so that a
// ratio just under the limit never reads as the limit itself.
std::string ratioText(double ratio);

// `file` is the name within the folder, or the settings file's name as given;
// the sentences carry it escaped for the terminal.
ProblemText describeFinding(const std::string& file, const skin::Finding& finding);

// The same for the settings file, which is no picture: its fixes say so.
ProblemText describeSettingsFinding(const std::string& file, const skin::Finding& finding);

// The doctor's line for the command line: "FILE: problem — fix", a warning marked.
std::string doctorLine(const std::string& file, const skin::Finding& finding, bool settingsFile);

// What to do about a problem in the windows, where a picture is put into its
// place with the workbench's own buttons rather than with a command.
std::string windowFixFor(skin::ProblemCode code);

// A workbench slot's one line: the first finding, how many more, or that all is well.
std::string slotVerdictLine(const std::string& file, const std::vector<skin::Finding>& findings);
// Every finding of a slot with what to do about it in the windows.
std::vector<std::string> slotVerdictDetails(const std::string& file,
                                            const std::vector<skin::Finding>& findings);

}  // namespace vireo
