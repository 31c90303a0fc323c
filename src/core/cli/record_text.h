#pragma once

#include "core/settings/record.h"

#include <nlohmann/json.hpp>

#include <iosfwd>
#include <string>
#include <vector>

namespace vireo::cli {

// The record by the settings command's names: numbers in arrays, the hint as
// true or false.
nlohmann::json recordJson(const settings::Record& record);

// One line per setting: the panel's label, the values, the name in brackets.
std::vector<std::string> recordLines(const settings::Record& record);

// Indented by four, one trailing newline. Bytes that are not UTF-8 (a file
// name as the system gave it) become U+FFFD, so the output stays valid JSON.
void writeJson(std::ostream& out, const nlohmann::json& document);

}  // namespace vireo::cli
