#include "core/cli/command_line.h"

#include <ostream>

#ifndef VIREO_VERSION
#error "VIREO_VERSION names the project's version"
#endif

namespace vireo::cli {

const std::vector<Command>& commandTable() {
    static const std::vector<Command> table = {
        {"verify", "检查源图片和 BACK", verifyParser, runVerify},
        {"build", "检查后生成皮肤文件 BACKIMG", buildParser, runBuild},
        {"inspect", "列出皮肤文件的区域和设置", inspectParser, runInspect},
        {"unpack", "把皮肤文件还原成 BMP 文件，或打开皮肤包", unpackParser, runUnpack},
        {"render", "把皮肤中的一个画面画成 PNG", renderParser, runRender},
        {"settings", "显示或修改 32 字节的设置文件", settingsParser, runSettings},
        {"doctor", "逐个说明源图片和 BACK 的问题及改法", doctorParser, runDoctor},
        {"convert", "把任意图片转换成一个精确的源图片", convertParser, runConvert},
        {"import", "把一个文件夹的图片转换成整套源图片", importParser, runImport},
        {"new", "用内置的示例图片新建一个皮肤项目", newParser, runNew},
        {"update", "从原图重新生成过时的源图片", updateParser, runUpdate},
        {"pack", "把皮肤项目打包成一个可分享的皮肤包", packParser, runPack},
    };
    return table;
}

const std::vector<ProgramOption>& programOptions() {
    static const std::vector<ProgramOption> options = {{"help", 'h', "显示本帮助并退出。"},
                                                       {"version", 'v', "显示版本信息并退出。"}};
    return options;
}

namespace {

std::vector<std::pair<std::string, std::string>> programOptionRows() {
    std::vector<std::pair<std::string, std::string>> rows;
    for (const ProgramOption& option : programOptions())
        rows.emplace_back(std::string("-") + option.shortName + ", --" + option.longName,
                          option.description);
    return rows;
}

std::string programHelp() {
    std::string help = std::string("用法：") + kProgram + " [选项] 命令 [参数...]\n" +
                       "VIREO 皮肤的命令行工具。\n\n选项：\n" + helpRows(programOptionRows()) +
                       "\n参数：\n" + helpRows({{"命令 [参数...]", "要执行的命令，见下表。"}}) +
                       "\n命令：\n";
    std::vector<std::pair<std::string, std::string>> rows;
    for (const Command& command : commandTable()) rows.emplace_back(command.name, command.summary);
    return help + helpRows(rows) + "\n每个命令都接受 --help。\n";
}

}  // namespace

int runCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const Environment& environment) {
    Io io{out, err, environment};
    // Options before the command are the program's; everything after it is the command's.
    std::size_t first = 1;
    for (; first < arguments.size(); ++first) {
        const std::string& argument = arguments[first];
        if (argument == "-h" || argument == "--help" || argument == "-help") {
            out << programHelp();
            return kDone;
        }
        if (argument == "-v" || argument == "--version" || argument == "-version") {
            out << kProgram << ' ' << VIREO_VERSION << '\n';
            return kDone;
        }
        if (argument == "--") {
            ++first;
            break;
        }
        if (argument.size() > 1 && argument[0] == '-')
            return usage(io, "未知的选项：" + argument.substr(argument[1] == '-' ? 2 : 1),
                         programHelp());
        break;
    }
    if (first >= arguments.size()) return usage(io, "缺少命令", programHelp());
    for (const Command& command : commandTable()) {
        if (arguments[first] == command.name)
            return command.run(Arguments(arguments.begin() + first + 1, arguments.end()), io);
    }
    return usage(io, "未知的命令：" + arguments[first], programHelp());
}

}  // namespace vireo::cli
