#include "core/cli/command_parser.h"

#include "core/messages/error_text.h"

#include <algorithm>
#include <ostream>

namespace vireo::cli {

int usage(Io& io, const std::string& message, const std::string& help) {
    io.err << kProgram << ": " << escapeForTerminal(message) << "\n\n" << help;
    return kFailed;
}

std::string helpRows(const std::vector<std::pair<std::string, std::string>>& rows) {
    std::size_t width = 0;
    for (const auto& row : rows) width = std::max(width, row.first.size());
    std::string text;
    for (const auto& [left, right] : rows)
        text += "  " + left + std::string(width - left.size() + 2, ' ') + right + '\n';
    return text;
}

CommandParser::CommandParser(std::string command, std::string description)
    : command_(std::move(command)), description_(std::move(description)) {
    addOption("help", "显示本帮助并退出。", {}, 'h');
}

void CommandParser::addArgument(std::string name, std::string description) {
    arguments_.push_back({std::move(name), std::move(description)});
}

CommandParser::Option& CommandParser::addOption(std::string longName, std::string description,
                                                std::string valueName, char shortName,
                                                std::string defaultValue) {
    Option option;
    option.longName = std::move(longName);
    option.shortName = shortName;
    option.valueName = std::move(valueName);
    option.description = std::move(description);
    option.defaultValue = std::move(defaultValue);
    return options_.emplace_back(std::move(option));
}

const CommandParser::Option* CommandParser::find(const std::string& name) const {
    for (const Option& option : options_) {
        if (name == option.longName || (name.size() == 1 && name[0] == option.shortName))
            return &option;
    }
    return nullptr;
}

std::optional<int> CommandParser::parse(const Arguments& arguments, Io& io) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            positional_.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = argument.substr(argument[1] == '-' ? 2 : 1);
        std::optional<std::string> value;
        if (const std::size_t equals = name.find('='); equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.erase(equals);
        }
        const Option* option = find(name);
        if (!option) return usage(io, "未知的选项：" + name, help());
        if (option->valueName.empty()) {
            if (value) return usage(io, argument + " 不接受值", help());
            given_[option->longName].emplace_back();
            continue;
        }
        if (!value) {
            if (i + 1 == arguments.size()) return usage(io, argument + " 后面缺少值", help());
            value = arguments[++i];
        }
        given_[option->longName].push_back(*value);
    }

    if (isSet("help")) {
        io.out << help();
        return kDone;
    }
    if (positional_.size() != arguments_.size()) {
        if (positional_.size() < arguments_.size()) return usage(io, "缺少参数", help());
        std::string extra;
        for (std::size_t i = arguments_.size(); i < positional_.size(); ++i)
            extra += (extra.empty() ? "" : " ") + positional_[i];
        return usage(io, "多余的参数：" + extra, help());
    }
    return std::nullopt;
}

bool CommandParser::isSet(const std::string& longName) const {
    return given_.count(longName) > 0;
}

std::string CommandParser::value(const std::string& longName) const {
    const auto found = given_.find(longName);
    if (found != given_.end()) return found->second.back();
    const Option* option = find(longName);
    return option ? option->defaultValue : std::string();
}

std::vector<std::string> CommandParser::values(const std::string& longName) const {
    const auto found = given_.find(longName);
    return found == given_.end() ? std::vector<std::string>() : found->second;
}

std::string CommandParser::help() const {
    std::string text = std::string("用法：") + kProgram + ' ' + command_ + " [选项]";
    for (const Positional& argument : arguments_) text += ' ' + argument.name;
    text += '\n' + description_ + "\n\n选项：\n";
    std::vector<std::pair<std::string, std::string>> rows;
    for (const Option& option : options_) {
        std::string left = option.shortName ? std::string("-") + option.shortName + ", " : "";
        left += "--" + option.longName;
        if (!option.valueName.empty()) left += " <" + option.valueName + '>';
        rows.emplace_back(left, option.description);
    }
    text += helpRows(rows);
    if (!arguments_.empty()) {
        rows.clear();
        for (const Positional& argument : arguments_)
            rows.emplace_back(argument.name, argument.description);
        text += "\n参数：\n" + helpRows(rows);
    }
    return text;
}

}  // namespace vireo::cli
