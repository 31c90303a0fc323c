#pragma once

#include "core/cli/command_io.h"

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
    struct Option {
        std::string longName;
        char shortName;
        std::string valueName;
        std::string description;
        std::string defaultValue;
        // What the synopsis, the completion and the manual pages say of it;
        // the command itself checks what it needs.
        bool required = false;
        bool repeatable = false;
        std::vector<std::string> words;  // the values it takes, when they are a fixed few

        Option& mustBeGiven() {
            required = true;
            return *this;
        }
        Option& mayRepeat() {
            repeatable = true;
            return *this;
        }
        Option& oneOf(std::vector<std::string> values) {
            words = std::move(values);
            return *this;
        }
    };
    struct Positional {
        std::string name;
        std::string description;
    };

    CommandParser(std::string command, std::string description);

    void addArgument(std::string name, std::string description);
    // An option taking a value when `valueName` is given, a flag otherwise.
    // The reference stays valid until the next option is added.
    Option& addOption(std::string longName, std::string description, std::string valueName = {},
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

    // The table the help, the completion and the manual pages are made from.
    const std::string& command() const { return command_; }
    const std::string& description() const { return description_; }
    const std::vector<Option>& options() const { return options_; }
    const std::vector<Positional>& arguments() const { return arguments_; }

private:
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
