#pragma once

#include "core/base/result.h"

#include <map>
#include <string>

namespace vireo::cli {

// The words the bash completion and the manual pages take from the commands'
// parsers at build time, so that neither names an option the program lacks
// nor misses one it has. Keys are the markers' names: PROJECT_VERSION,
// COMMAND_NAMES, PROGRAM_OPTIONS, COMMAND_OPTIONS, OPTION_VALUES,
// FOLDER_COMMANDS and SYNOPSIS_<command> (a manual page's line in roff).
std::map<std::string, std::string> referenceWords(const std::string& version);

// `text` with every marker @NAME@ replaced by words[NAME]. A value of several
// lines stands for a marker alone on its line, each line indented as the
// marker was. A marker with no word is an error naming it.
Result<std::string> fillTemplate(const std::string& text,
                                 const std::map<std::string, std::string>& words);

}  // namespace vireo::cli
