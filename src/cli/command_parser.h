#pragma once

#include "cli/command_io.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vireo::cli {

// Prints the message and the help; wrong usage.
int usage(Io& io, const std::string& message, const std::string& help);

// One command's parser. Arguments stay the bytes they came as: a file name is
// handed to the system exactly as given. Options may come before, between or
// after the positional arguments; "--" ends the options. "--name=value",
// "--name value", "-name" and "-o value" are all accepted.
class CommandParser {
public:
    CommandParser(std::string command, std::string description);

    void addArgument(std::string name, std::string description);
    // An option taking a value when `valueName` is given, a flag otherwise.
    void addOption(std::string longName, std::string description, std::string valueName = {},
                   char shortName = 0, std::string defaultValue = {});

    // Parses what follows the command. Returns an exit status when the command
    // must not run: after --help, or on wrong usage.
    std::optional<int> parse(const Arguments& arguments, Io& io);

    bool isSet(const std::string& longName) const;
    // The last value given, or the default.
    std::string value(const std::string& longName) const;
    std::vector<std::string> values(const std::string& longName) const;
    const std::string& argument(std::size_t index) const { return positional_.at(index); }

    std::string help() const;

private:
    struct Option {
        std::string longName;
        char shortName;
        std::string valueName;
        std::string description;
        std::string defaultValue;
    };
    struct Positional {
        std::string name;
        std::string description;
    };
    const Option* find(const std::string& name) const;

    std::string command_;
    std::string description_;
    std::vector<Option> options_;
    std::vector<Positional> arguments_;
    std::map<std::string, std::vector<std::string>> given_;
    std::vector<std::string> positional_;
};

// Two-column help rows, the first column padded to the widest entry.
std::string helpRows(const std::vector<std::pair<std::string, std::string>>& rows);

}  // namespace vireo::cli
