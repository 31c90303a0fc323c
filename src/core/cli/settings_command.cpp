#include "core/cli/command.h"
#include "core/cli/record_text.h"
#include "core/cli/settings_edit.h"
#include "core/messages/error_text.h"
#include "core/messages/field_names.h"
#include "core/settings/byte_table.h"
#include "core/settings/record.h"
#include "core/settings/write.h"

#include <ostream>

namespace vireo::cli {

namespace {

const char* expectedForm(const Setting& setting) {
    if (!setting.group) return "on 或 off";
    return setting.fieldCount == 3 ? "R,G,B" : "X,Y";
}

int refuseValue(Io& io, const std::string& path, const Refusal& refusal) {
    io.err << kProgram << ": " << escapeForTerminal(path) << "：";
    if (refusal.offset)
        io.err << settingsFieldName(*refusal.offset) << "：所有数据请输入0到255之间的整数";
    else
        io.err << refusal.setting->name << " 的值应为 " << expectedForm(*refusal.setting);
    io.err << '\n';
    return kRefused;
}

}  // namespace

CommandParser settingsParser() {
    CommandParser command("settings",
                          "按字段显示 32 字节的设置文件 BACK；用 --set 就地写入字段，"
                          "所有字段都检查通过后才写入。\n名称：list-colour、selected-colour、"
                          "ebook-colour（R,G,B），movie、music、image、game、ebook、options、"
                          "filelist（X,Y），hint（on 或 off）。");
    command.addArgument("FILE", "32 字节的设置文件。");
    command.addOption("json", "以 JSON 输出。");
    command.addOption("set", "把 NAME 设为 VALUE；可以多次使用。", "NAME=VALUE").mayRepeat();
    command.addOption("table", "通过字节表 FILE（如 ASCII）写入（默认：值 v 写为字节 v）。",
                      "FILE");
    return command;
}

int runSettings(const Arguments& arguments, Io& io) {
    CommandParser command = settingsParser();
    if (auto status = command.parse(arguments, io)) return *status;

    const std::string& path = command.argument(0);
    const std::vector<std::string> sets = command.values("set");
    if (!sets.empty() && command.isSet("json"))
        return usage(io, "--set 与 --json 不能同时使用", command.help());

    std::vector<Assignment> assignments;
    for (const std::string& set : sets) {
        const std::size_t equals = set.find('=');
        const Setting* setting = equals != std::string::npos && equals > 0
                                     ? findSetting(set.substr(0, equals))
                                     : nullptr;
        if (!setting) return usage(io, "未知的设置项：" + set, command.help());
        assignments.push_back({setting, set.substr(equals + 1)});
    }

    // The file is checked first: one that is not 32 bytes is neither shown nor written.
    const auto record = settings::readRecord(path);
    if (!record) {
        if (record.error().kind != Error::Kind::WrongLength) return fail(io, record.error());
        io.err << kProgram << ": "
               << "错误的BACK文件：" << escapeForTerminal(path) << '\n';
        return kRefused;
    }

    if (assignments.empty()) {
        if (command.isSet("json")) {
            writeJson(io.out, recordJson(record.value()));
        } else {
            for (const std::string& line : recordLines(record.value())) io.out << line << '\n';
        }
        return kDone;
    }

    const StoreValues values = valuesToStore(assignments);
    if (values.refused) return refuseValue(io, path, *values.refused);

    settings::ByteTable table = settings::identityByteTable();
    if (command.isSet("table")) {
        auto read = settings::readByteTable(command.value("table"));
        if (!read) return fail(io, read.error());
        table = read.value();
    }
    const auto written = settings::writeValues(path, table, values.values);
    if (!written) return fail(io, written.error());
    io.out << "done" << '\n';
    return kDone;
}

}  // namespace vireo::cli
