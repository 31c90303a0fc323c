#include "cli/ui/command_line.h"

#include "base/binary_file.h"
#include "cli/output_folder.h"
#include "cli/screen.h"
#include "cli/settings_edit.h"
#include "cli/skin_file.h"
#include "cli/ui/png_writer.h"
#include "cli/unpacking.h"
#include "images/verification.h"
#include "messages/error_text.h"
#include "settings/byte_table.h"
#include "settings/record.h"
#include "settings/write.h"
#include "skin/generation.h"
#include "unpack/skin_info.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <map>
#include <optional>

namespace vireo::ui {

namespace {

constexpr char kProgram[] = "vireo-skin";
constexpr int kMaxScale = 16;

std::string toStd(const QString& text) { return text.toStdString(); }
QString fromStd(const std::string& text) { return QString::fromStdString(text); }

struct Io {
    QTextStream& out;
    QTextStream& err;
    const Environment& environment;
};

int statusOf(const Error& error) {
    return error.kind == Error::Kind::WrongLength || error.kind == Error::Kind::Invalid ? kRefused
                                                                                        : kFailed;
}

int fail(Io& io, const Error& error) {
    io.err << kProgram << ": " << fromStd(describe(error));
    if (error.kind == Error::Kind::Invalid && !error.detail.empty())
        io.err << "（" << fromStd(error.detail) << "）";
    io.err << '\n';
    return statusOf(error);
}

int usage(Io& io, const QString& message, const QString& help) {
    io.err << kProgram << ": " << message << "\n\n" << help;
    return kFailed;
}

// One command's parser: its options, its positional arguments and its help.
class CommandParser {
public:
    CommandParser(QString command, const QString& description) : command_(std::move(command)) {
        parser_.setApplicationDescription(description);
        parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser_.addHelpOption();
    }

    QCommandLineParser& parser() { return parser_; }

    void addArgument(const QString& name, const QString& description) {
        parser_.addPositionalArgument(name, description);
        ++arguments_;
    }

    // Parses `arguments` (the program name first, then what follows the
    // command). Returns an exit status when the command must not run: after
    // --help, or on wrong usage.
    std::optional<int> parse(const QStringList& arguments, Io& io) {
        if (!parser_.parse(arguments)) return usage(io, parser_.errorText(), help());
        if (parser_.isSet(QStringLiteral("help")) || parser_.isSet(QStringLiteral("help-all"))) {
            io.out << help();
            return kDone;
        }
        if (parser_.positionalArguments().size() != arguments_) {
            return usage(io, parser_.positionalArguments().size() < arguments_
                                 ? QStringLiteral("缺少参数")
                                 : QStringLiteral("多余的参数：") +
                                       parser_.positionalArguments().mid(arguments_).join(' '),
                         help());
        }
        return std::nullopt;
    }

    QString argument(int index) const { return parser_.positionalArguments().at(index); }

    // Qt names the executable in the usage line; name the command instead.
    QString help() const {
        QString text = parser_.helpText();
        const int lineEnd = text.indexOf('\n');
        const QString firstLine = text.left(lineEnd);
        const int options = firstLine.indexOf(QStringLiteral(" [options]"));
        if (firstLine.startsWith(QStringLiteral("Usage: ")) && options > 0) {
            text.replace(0, options,
                         QStringLiteral("Usage: ") + QLatin1String(kProgram) + ' ' + command_);
        }
        return text;
    }

private:
    QString command_;
    QCommandLineParser parser_;
    qsizetype arguments_ = 0;
};

QCommandLineOption backOption() {
    return {QStringLiteral("back"), QStringLiteral("用 FILE 作为 BACK 设置文件（默认取 DIR 中的 BACK）。"),
            QStringLiteral("FILE")};
}

// The folder with its trailing separator, as the verification takes it.
std::string folderArgument(const QString& dir) {
    std::string folder = toStd(dir);
    if (folder.empty()) folder = ".";
    if (folder.back() != '/') folder += '/';
    return folder;
}

std::optional<Error> missingFolder(const QString& dir) {
    if (QFileInfo(dir).isDir()) return std::nullopt;
    return Error{Error::Kind::NotFound, toStd(dir), {}};
}

// The window's two stages. BACK comes from DIR or from --back, never from the
// current directory, so that a script's result does not depend on where it runs.
images::Verification verifyFolder(const QString& dir, const QCommandLineParser& parser) {
    const std::string folder = folderArgument(dir);
    const std::string settings = parser.isSet(QStringLiteral("back"))
                                     ? toStd(parser.value(QStringLiteral("back")))
                                     : folder + images::kSettingsFileName;
    return images::verifySourceSetWithSettings(folder, settings);
}

int runVerify(const QStringList& arguments, Io& io) {
    CommandParser command(QStringLiteral("verify"),
                          QStringLiteral("检查 DIR 中的十二个源图片和 BACK 是否存在、大小是否正确。"));
    command.addArgument(QStringLiteral("DIR"), QStringLiteral("源图片所在的文件夹。"));
    command.parser().addOption(backOption());
    if (auto status = command.parse(arguments, io)) return *status;

    const QString dir = command.argument(0);
    if (auto error = missingFolder(dir)) return fail(io, *error);
    const auto run = verifyFolder(dir, command.parser());
    io.out << fromStd(run.report) << '\n';
    return run.passed() ? kDone : kRefused;
}

int runBuild(const QStringList& arguments, Io& io) {
    CommandParser command(QStringLiteral("build"),
                          QStringLiteral("检查 DIR 中的源图片和 BACK，通过后生成皮肤文件 BACKIMG。"));
    command.addArgument(QStringLiteral("DIR"), QStringLiteral("源图片所在的文件夹。"));
    command.parser().addOption(backOption());
    command.parser().addOption({{QStringLiteral("o"), QStringLiteral("output")},
                                QStringLiteral("写入 FILE（默认 DIR/BACKIMG）。"),
                                QStringLiteral("FILE")});
    if (auto status = command.parse(arguments, io)) return *status;

    const QString dir = command.argument(0);
    if (auto error = missingFolder(dir)) return fail(io, *error);
    const auto run = verifyFolder(dir, command.parser());
    if (!run.passed()) {
        io.err << kProgram << ": " << dir << "：" << fromStd(run.report) << '\n';
        return kRefused;
    }
    const std::string output = command.parser().isSet(QStringLiteral("output"))
                                   ? toStd(command.parser().value(QStringLiteral("output")))
                                   : joinPath(toStd(dir), "BACKIMG");
    const auto written = skin::generateSkin({run.paths, run.settingsPath}, output);
    if (!written) return fail(io, written.error());
    io.out << "完成！" << '\n';
    return kDone;
}

// Reads a finished skin; a length of neither layout is the unpacker's refusal.
std::optional<cli::SkinFile> readSkin(const QString& path, Io& io, int& status) {
    auto skinFile = cli::readSkinFile(toStd(path));
    if (skinFile) return std::move(skinFile).value();
    if (skinFile.error().kind == Error::Kind::WrongLength) {
        io.err << kProgram << ": " << "错误的BACKIMG文件：" << path << '\n';
        status = kRefused;
    } else {
        status = fail(io, skinFile.error());
    }
    return std::nullopt;
}

settings::Record recordOf(const Bytes& bytes) {
    settings::Record record{};
    std::copy(bytes.begin(), bytes.end(), record.begin());
    return record;
}

QJsonArray numbers(const std::vector<std::uint8_t>& values) {
    QJsonArray array;
    for (const std::uint8_t value : values) array.append(int(value));
    return array;
}

QString hintText(bool on) {
    return on ? QStringLiteral("主界面提示文字已开启") : QStringLiteral("主界面提示文字未开启");
}

// The record by the settings command's names.
QJsonObject recordJson(const settings::Record& record) {
    QJsonObject object;
    for (const cli::Setting& setting : cli::kSettings) {
        object.insert(QLatin1String(setting.name),
                      setting.group ? QJsonValue(numbers(cli::valuesOf(record, setting)))
                                    : QJsonValue(settings::hintFlagOn(record)));
    }
    return object;
}

QStringList recordLines(const settings::Record& record) {
    QStringList lines;
    for (const cli::Setting& setting : cli::kSettings) {
        QString shown = hintText(settings::hintFlagOn(record));
        if (setting.group) {
            QStringList values;
            for (const std::uint8_t value : cli::valuesOf(record, setting))
                values << fromStd(settings::byteText(value));
            shown = QString::fromUtf8(setting.caption) + QStringLiteral("  ") + values.join(' ');
        }
        lines << shown + QStringLiteral("  (") + QLatin1String(setting.name) + ')';
    }
    return lines;
}

// The older layout's record by the unpacker's arrangement.
QJsonObject shortSkinJson(const unpack::SkinSettings& decoded) {
    static const char* const kColours[] = {"list-colour", "selected-colour", "ebook-colour"};
    static const char* const kPositions[] = {"movie", "music", "ebook", "about", "help", "folder"};
    QJsonObject object;
    for (std::size_t i = 0; i < decoded.colours.size(); ++i) {
        const auto& c = decoded.colours[i];
        object.insert(QLatin1String(kColours[i]), numbers({c.red, c.green, c.blue}));
    }
    for (std::size_t i = 0; i < decoded.positions.size(); ++i) {
        const auto& p = decoded.positions[i];
        object.insert(QLatin1String(kPositions[i]), numbers({p.x, p.y}));
    }
    object.insert(QStringLiteral("hint"), decoded.hintOn);
    return object;
}

QString layoutName(cli::Layout layout) {
    return layout == cli::Layout::Skin ? QStringLiteral("skin") : QStringLiteral("short-skin");
}

int runInspect(const QStringList& arguments, Io& io) {
    CommandParser command(QStringLiteral("inspect"),
                          QStringLiteral("按长度识别皮肤文件的布局，列出各区域和其中的设置。"));
    command.addArgument(QStringLiteral("FILE"), QStringLiteral("皮肤文件（182,816 或 178,720 字节）。"));
    command.parser().addOption({QStringLiteral("json"), QStringLiteral("以 JSON 输出。")});
    if (auto status = command.parse(arguments, io)) return *status;

    int status = kDone;
    const QString path = command.argument(0);
    const auto skinFile = readSkin(path, io, status);
    if (!skinFile) return status;
    const auto regions = cli::regionsOf(skinFile->layout);
    const Bytes record = cli::settingsRecordOf(*skinFile);
    QJsonObject settingsJson;
    QStringList settingsLines;
    if (skinFile->layout == cli::Layout::Skin) {
        settingsJson = recordJson(recordOf(record));
        settingsLines = recordLines(recordOf(record));
    } else {
        const auto decoded = unpack::decodeRecord(record).value();
        settingsJson = shortSkinJson(decoded);
        // The unpacker's labels, without the file location shown above.
        const auto texts = unpack::infoTexts(decoded, toStd(path));
        for (std::size_t i = 0; i + 1 < texts.size(); ++i) settingsLines << fromStd(texts[i]);
    }

    if (command.parser().isSet(QStringLiteral("json"))) {
        QJsonArray regionList;
        for (const auto& region : regions) {
            regionList.append(QJsonObject{{QStringLiteral("offset"), qint64(region.offset)},
                                          {QStringLiteral("length"), qint64(region.length)},
                                          {QStringLiteral("what"), fromStd(region.what)}});
        }
        const QJsonObject root{{QStringLiteral("file"), path},
                               {QStringLiteral("layout"), layoutName(skinFile->layout)},
                               {QStringLiteral("length"), qint64(skinFile->bytes.size())},
                               {QStringLiteral("regions"), regionList},
                               {QStringLiteral("settings"), settingsJson}};
        io.out << QJsonDocument(root).toJson(QJsonDocument::Indented);
        return kDone;
    }

    io.out << "文件位置：" << path << '\n';
    io.out << layoutName(skinFile->layout) << ", " << skinFile->bytes.size() << " bytes\n";
    io.out << " offset length  what\n";
    for (const auto& region : regions) {
        io.out << QStringLiteral("%1 %2  %3\n")
                      .arg(region.offset, 7)
                      .arg(region.length, 6)
                      .arg(fromStd(region.what));
    }
    for (const QString& line : settingsLines) io.out << line << '\n';
    return kDone;
}

int runUnpack(const QStringList& arguments, Io& io) {
    CommandParser command(
        QStringLiteral("unpack"),
        QStringLiteral("把皮肤文件还原成 BMP 文件：182,816 字节的皮肤还原成十二个源图片和 BACK，"
                       "178,720 字节的皮肤还原成十一个 BMP 文件。"));
    command.addArgument(QStringLiteral("FILE"), QStringLiteral("皮肤文件。"));
    command.parser().addOption({{QStringLiteral("o"), QStringLiteral("output")},
                                QStringLiteral("写入文件夹 DIR（默认为皮肤文件所在的文件夹）。"),
                                QStringLiteral("DIR")});
    command.parser().addOption(
        {QStringLiteral("templates"),
         QStringLiteral("从 DIR 读取 BMPHEAD16、BMPHEAD64、BMPHEAD256 作为 BMP 文件头"
                        "（默认由本工具生成文件头）。"),
         QStringLiteral("DIR")});
    if (auto status = command.parse(arguments, io)) return *status;

    int status = kDone;
    const QString path = command.argument(0);
    const auto skinFile = readSkin(path, io, status);
    if (!skinFile) return status;

    std::optional<cli::HeaderTemplates> templates;
    if (command.parser().isSet(QStringLiteral("templates"))) {
        auto read = cli::readHeaderTemplates(toStd(command.parser().value(QStringLiteral("templates"))));
        if (!read) return fail(io, read.error());
        templates = std::move(read).value();
    }
    QString folder = command.parser().value(QStringLiteral("output"));
    if (folder.isEmpty()) folder = QFileInfo(path).absolutePath();

    auto files = cli::unpackedFiles(*skinFile, templates);
    if (!files) return fail(io, files.error());
    const auto written = cli::writeFilesInto(toStd(folder), files.value());
    if (!written) return fail(io, written.error());
    io.out << "done!" << '\n';
    return kDone;
}

std::optional<cli::Screen> screenNamed(const QString& name) {
    static const std::map<QString, cli::Screen> kScreens = {
        {QStringLiteral("main"), cli::Screen::Main},
        {QStringLiteral("tree"), cli::Screen::Tree},
        {QStringLiteral("ebook"), cli::Screen::Ebook},
        {QStringLiteral("music"), cli::Screen::Music}};
    const auto found = kScreens.find(name);
    if (found == kScreens.end()) return std::nullopt;
    return found->second;
}

int runRender(const QStringList& arguments, Io& io) {
    CommandParser command(QStringLiteral("render"),
                          QStringLiteral("按播放器的画法把皮肤中的一个画面画成 PNG 图片。"));
    command.addArgument(QStringLiteral("FILE"), QStringLiteral("皮肤文件。"));
    command.parser().addOption({{QStringLiteral("o"), QStringLiteral("output")},
                                QStringLiteral("写入 PNG 文件 OUT（必需）。"),
                                QStringLiteral("OUT")});
    command.parser().addOption({QStringLiteral("screen"),
                                QStringLiteral("画面：main、tree、ebook 或 music（默认 main）。"),
                                QStringLiteral("SCREEN"), QStringLiteral("main")});
    command.parser().addOption(
        {QStringLiteral("scale"),
         QStringLiteral("每个像素放大为 N×N（1 到 %1，默认 1）。").arg(kMaxScale),
         QStringLiteral("N"), QStringLiteral("1")});
    if (auto status = command.parse(arguments, io)) return *status;

    const QString output = command.parser().value(QStringLiteral("output"));
    if (output.isEmpty()) return usage(io, QStringLiteral("缺少 -o OUT"), command.help());
    const auto screen = screenNamed(command.parser().value(QStringLiteral("screen")));
    if (!screen) {
        return usage(io, QStringLiteral("未知的画面：") + command.parser().value(QStringLiteral("screen")),
                     command.help());
    }
    bool isNumber = false;
    const int scale = command.parser().value(QStringLiteral("scale")).toInt(&isNumber);
    if (!isNumber || scale < 1 || scale > kMaxScale) {
        return usage(io, QStringLiteral("放大倍数应为 1 到 %1 之间的整数").arg(kMaxScale),
                     command.help());
    }

    int status = kDone;
    const auto skinFile = readSkin(command.argument(0), io, status);
    if (!skinFile) return status;
    const cli::Picture picture = cli::scaleNearest(cli::renderScreen(*skinFile, *screen), scale);

    const auto written = writePng(picture, output, io.environment.pngModuleDirs);
    if (!written) return fail(io, written.error());
    io.out << "完成！" << '\n';
    return kDone;
}

QString expectedForm(const cli::Setting& setting) {
    if (!setting.group) return QStringLiteral("on 或 off");
    return setting.fieldCount == 3 ? QStringLiteral("R,G,B") : QStringLiteral("X,Y");
}

int runSettings(const QStringList& arguments, Io& io) {
    CommandParser command(
        QStringLiteral("settings"),
        QStringLiteral("按字段显示 32 字节的设置文件 BACK；用 --set 就地写入字段，"
                       "所有字段都检查通过后才写入。\n名称：list-colour、selected-colour、"
                       "ebook-colour（R,G,B），movie、music、image、game、ebook、options、"
                       "filelist（X,Y），hint（on 或 off）。"));
    command.addArgument(QStringLiteral("FILE"), QStringLiteral("32 字节的设置文件。"));
    command.parser().addOption({QStringLiteral("json"), QStringLiteral("以 JSON 输出。")});
    command.parser().addOption({QStringLiteral("set"),
                                QStringLiteral("把 NAME 设为 VALUE；可以多次使用。"),
                                QStringLiteral("NAME=VALUE")});
    command.parser().addOption(
        {QStringLiteral("table"),
         QStringLiteral("通过字节表 FILE（如 ASCII）写入（默认：值 v 写为字节 v）。"),
         QStringLiteral("FILE")});
    if (auto status = command.parse(arguments, io)) return *status;

    const QString path = command.argument(0);
    const std::string settingsPath = toStd(path);
    const QStringList sets = command.parser().values(QStringLiteral("set"));
    if (!sets.isEmpty() && command.parser().isSet(QStringLiteral("json")))
        return usage(io, QStringLiteral("--set 与 --json 不能同时使用"), command.help());

    std::vector<cli::Assignment> assignments;
    for (const QString& set : sets) {
        const int equals = set.indexOf('=');
        const cli::Setting* setting = equals > 0 ? cli::findSetting(toStd(set.left(equals))) : nullptr;
        if (!setting) return usage(io, QStringLiteral("未知的设置项：") + set, command.help());
        assignments.push_back({setting, toStd(set.mid(equals + 1))});
    }

    // The file is checked first: one that is not 32 bytes is neither shown nor written.
    const auto record = settings::readRecord(settingsPath);
    if (!record) {
        if (record.error().kind != Error::Kind::WrongLength) return fail(io, record.error());
        io.err << kProgram << ": " << "错误的BACK文件：" << path << '\n';
        return kRefused;
    }

    if (assignments.empty()) {
        if (command.parser().isSet(QStringLiteral("json"))) {
            io.out << QJsonDocument(recordJson(record.value())).toJson(QJsonDocument::Indented);
        } else {
            for (const QString& line : recordLines(record.value())) io.out << line << '\n';
        }
        return kDone;
    }

    const auto values = cli::valuesToStore(assignments);
    if (const auto* problem = std::get_if<cli::AssignmentProblem>(&values)) {
        io.err << kProgram << ": " << path << "：";
        if (problem->field) {
            io.err << QString::fromUtf8(problem->field) << "：所有数据请输入0到255之间的整数";
        } else {
            io.err << problem->setting->name << " 的值应为 " << expectedForm(*problem->setting);
        }
        io.err << '\n';
        return kRefused;
    }

    settings::ByteTable table = settings::identityByteTable();
    if (command.parser().isSet(QStringLiteral("table"))) {
        auto read = settings::readByteTable(toStd(command.parser().value(QStringLiteral("table"))));
        if (!read) return fail(io, read.error());
        table = read.value();
    }
    const auto written =
        settings::writeValues(settingsPath, table, std::get<std::vector<settings::FieldValue>>(values));
    if (!written) return fail(io, written.error());
    io.out << "done" << '\n';
    return kDone;
}

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const QStringList&, Io&);
};

const Command kCommands[] = {
    {"verify", "检查源图片和 BACK", runVerify},
    {"build", "检查后生成皮肤文件 BACKIMG", runBuild},
    {"inspect", "列出皮肤文件的区域和设置", runInspect},
    {"unpack", "把皮肤文件还原成 BMP 文件", runUnpack},
    {"render", "把皮肤中的一个画面画成 PNG", runRender},
    {"settings", "显示或修改 32 字节的设置文件", runSettings},
};

}  // namespace

int runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err,
                   const Environment& environment) {
    Io io{out, err, environment};

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("VIREO 皮肤的命令行工具。"));
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("要执行的命令，见下表。"),
                                 QStringLiteral("COMMAND [ARGS...]"));
    parser.addHelpOption();
    // Everything after the command belongs to the command's own parser.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);

    QString help = parser.helpText() + QStringLiteral("\nCommands:\n");
    for (const Command& command : kCommands)
        help += QStringLiteral("  %1  %2\n").arg(QLatin1String(command.name), -9).arg(QString::fromUtf8(command.summary));
    help += QStringLiteral("\n每个命令都接受 --help。\n");
    {
        const int options = help.indexOf(QStringLiteral(" [options]"));
        if (help.startsWith(QStringLiteral("Usage: ")) && options > 0)
            help.replace(0, options, QStringLiteral("Usage: ") + QLatin1String(kProgram));
    }

    if (!parser.parse(arguments)) return usage(io, parser.errorText(), help);
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        out << help;
        return kDone;
    }
    const QStringList rest = parser.positionalArguments();
    if (rest.isEmpty()) return usage(io, QStringLiteral("缺少命令"), help);
    for (const Command& command : kCommands) {
        if (rest.first() == QLatin1String(command.name))
            return command.run(QStringList{arguments.value(0, QLatin1String(kProgram))} + rest.mid(1), io);
    }
    return usage(io, QStringLiteral("未知的命令：") + rest.first(), help);
}

}  // namespace vireo::ui
