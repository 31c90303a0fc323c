#include "core/cli/reference.h"

#include "core/cli/command_line.h"

#include <algorithm>
#include <sstream>

namespace vireo::cli {

namespace {

// What a value is, for the completion: a word list, "dir", "file" or "none"
// (a number or text the user types). The value names say it.
std::string valueKind(const CommandParser::Option& option) {
    if (!option.words.empty()) {
        std::string words;
        for (const std::string& word : option.words) words += (words.empty() ? "" : " ") + word;
        return '"' + words + '"';
    }
    if (option.valueName == "DIR") return "dir";
    if (option.valueName == "FILE" || option.valueName == "OUT" || option.valueName == "BMP")
        return "file";
    return "none";
}

// roff escapes a name's hyphens so that man does not break or join at them.
std::string roff(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '-' || c == '\\') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

std::string bold(const std::string& text) {
    return "\\fB" + roff(text) + "\\fR";
}
std::string italic(const std::string& text) {
    return "\\fI" + roff(text) + "\\fR";
}

std::string synopsis(const CommandParser& parser) {
    std::string line = bold(parser.command());
    for (const auto& argument : parser.arguments()) line += ' ' + italic(argument.name);
    // What must be given first, then the rest in the help's order.
    for (const bool required : {true, false}) {
        for (const auto& option : parser.options()) {
            if (option.longName == "help" || option.required != required) continue;
            std::string part = bold(option.shortName ? std::string("-") + option.shortName
                                                     : "--" + option.longName);
            if (!option.valueName.empty()) part += ' ' + italic(option.valueName);
            if (!required) part = '[' + part + ']';
            if (option.repeatable) part += "...";
            line += ' ' + part;
        }
    }
    return line;
}

}  // namespace

std::map<std::string, std::string> referenceWords(const std::string& version) {
    std::map<std::string, std::string> words;
    words["PROJECT_VERSION"] = version;
    std::string names, options, values, folderCommands, programOptionNames;
    for (const ProgramOption& option : programOptions())
        programOptionNames +=
            (programOptionNames.empty() ? "--" : " --") + std::string(option.longName);
    for (const Command& command : commandTable()) {
        const CommandParser parser = command.parser();
        names += (names.empty() ? "" : " ") + parser.command();
        std::string longNames;
        for (const auto& option : parser.options()) {
            longNames += (longNames.empty() ? "--" : " --") + option.longName;
            if (option.valueName.empty()) continue;
            std::string pattern = "\"" + parser.command() + " --" + option.longName + '"';
            if (option.shortName)
                pattern += " | \"" + parser.command() + " -" + option.shortName + '"';
            values += pattern + ") echo " + valueKind(option) + " ;;\n";
        }
        options += parser.command() + ") echo \"" + longNames + "\" ;;\n";
        const std::string& first =
            parser.arguments().empty() ? std::string() : parser.arguments().front().name;
        if (first == "DIR" || first == "ART")
            folderCommands += (folderCommands.empty() ? "" : " | ") + parser.command();
        words["SYNOPSIS_" + parser.command()] = synopsis(parser);
    }
    words["COMMAND_NAMES"] = names;
    words["PROGRAM_OPTIONS"] = programOptionNames;
    words["COMMAND_OPTIONS"] = options;
    words["OPTION_VALUES"] = values;
    words["FOLDER_COMMANDS"] = folderCommands;
    return words;
}

Result<std::string> fillTemplate(const std::string& text,
                                 const std::map<std::string, std::string>& words) {
    static const char kNameLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_";
    std::istringstream lines(text);
    std::string line, filled;
    while (std::getline(lines, line)) {
        std::string out;
        std::size_t at = 0;
        for (std::size_t open; (open = line.find('@', at)) != std::string::npos;) {
            const std::size_t close = line.find('@', open + 1);
            const std::string name = close == std::string::npos
                                         ? std::string()
                                         : line.substr(open + 1, close - open - 1);
            if (name.empty() || name.find_first_not_of(kNameLetters) != std::string::npos) {
                out += line.substr(at, open + 1 - at);  // an "@" of the text itself
                at = open + 1;
                continue;
            }
            const auto word = words.find(name);
            if (word == words.end()) return Error{Error::Kind::Invalid, name, "unknown marker"};
            out += line.substr(at, open - at);
            at = close + 1;
            if (word->second.find('\n') == std::string::npos) {
                out += word->second;
                continue;
            }
            // Several lines: alone on its line, each indented as the marker.
            if (line.find_first_not_of(' ') != open || at != line.size())
                return Error{Error::Kind::Invalid, name, "a marker of several lines not alone"};
            std::istringstream valueLines(word->second);
            out.clear();
            for (std::string valueLine; std::getline(valueLines, valueLine);)
                out += (out.empty() ? "" : "\n") + line.substr(0, open) + valueLine;
        }
        filled += out + line.substr(std::min(at, line.size())) + '\n';
    }
    return filled;
}

}  // namespace vireo::cli
