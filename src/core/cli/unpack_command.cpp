#include "core/cli/command.h"
#include "core/cli/output_folder.h"
#include "core/cli/package_skin.h"
#include "core/cli/picture_module.h"
#include "core/messages/error_text.h"
#include "core/project/project.h"
#include "core/settings/byte_table.h"
#include "core/skin/skin_file.h"
#include "core/skin/unpacking.h"
#include "core/unpack/header_templates.h"

#include <filesystem>
#include <ostream>

namespace vireo::cli {

namespace {

// A skin package opens into a new folder as a project, byte for byte as packed.
// `wrongLength` is the refusal as a skin, told when the file is no zip either.
int unpackPackage(const CommandParser& command, Io& io, const Error& wrongLength) {
    const std::string& path = command.argument(0);
    if (command.isSet("templates") || command.isSet("force")) {
        const auto read = package::readPackageFile(path);
        if (!read && isNotZip(read.error())) return refuseSkin(io, path, wrongLength);
        return usage(io, "皮肤包不能与 --templates 或 --force 同用：它从不替换已有的文件",
                     command.help());
    }
    const std::string folder =
        command.isSet("output") ? command.value("output") : project::proposedFolderFor(path);
    ModulePictureDecoder decoder(io.environment.pngModuleDirs);
    project::Project project(decoder, settings::kTableFileName);
    auto opened = project.openPackage(path, folder);
    if (!opened) {
        if (isNotZip(opened.error())) return refuseSkin(io, path, wrongLength);
        return fail(io, opened.error());
    }
    if (const auto& manifest = opened.value().manifest)
        for (const std::string& line : manifestLines(*manifest)) io.out << line << '\n';
    for (const std::string& skipped : opened.value().skipped)
        io.out << "不属于皮肤项目，未写入：" << escapeForTerminal(skipped) << '\n';
    io.out << "已打开到：" << escapeForTerminal(opened.value().folder) << '\n';
    return kDone;
}

}  // namespace

CommandParser unpackParser() {
    CommandParser command("unpack",
                          "把皮肤文件还原成 BMP 文件：182,816 字节的皮肤还原成十二个源图片和 BACK，"
                          "178,720 字节的皮肤还原成十一个 BMP 文件。\n"
                          "皮肤包（.vskin）原样解开到一个新文件夹（默认为 包名-源文件/），"
                          "从不替换已有的文件。");
    command.addArgument("FILE", "皮肤文件。");
    command.addOption("output", "写入文件夹 DIR（默认为皮肤文件所在的文件夹）。", "DIR", 'o');
    command.addOption("templates",
                      "从 DIR 读取 BMPHEAD16、BMPHEAD64、BMPHEAD256 作为 BMP 文件头"
                      "（默认由本工具生成文件头）。",
                      "DIR");
    command.addOption("force", "替换已经存在的文件（默认不替换任何文件）。");
    return command;
}

int runUnpack(const Arguments& arguments, Io& io) {
    CommandParser command = unpackParser();
    if (auto status = command.parse(arguments, io)) return *status;

    const std::string& path = command.argument(0);
    const auto skinFile = skin::readSkinFile(path);
    if (!skinFile) {
        if (skinFile.error().kind != Error::Kind::WrongLength)
            return refuseSkin(io, path, skinFile.error());
        return unpackPackage(command, io, skinFile.error());
    }

    std::optional<unpack::HeaderTemplates> templates;
    if (command.isSet("templates")) {
        auto read = unpack::readHeaderTemplates(command.value("templates"));
        if (!read) {
            if (read.error().kind != Error::Kind::Invalid) return fail(io, read.error());
            io.err << kProgram << ": "
                   << "BMP 文件头模板与它所配的图片大小或位数不符："
                   << escapeForTerminal(read.error().path) << '\n';
            return kRefused;
        }
        templates = std::move(read).value();
    }
    std::string folder = command.value("output");
    if (folder.empty()) folder = std::filesystem::absolute(path).parent_path().string();

    auto files = skin::unpackedFiles(skinFile.value(), templates);
    if (!files) return fail(io, files.error());
    std::vector<std::string> inputs{path};
    if (templates)
        for (const char* name : unpack::kTemplateNames)
            inputs.push_back(joinPath(command.value("templates"), name));
    const std::vector<std::string> outputs = pathsIn(folder, files.value());
    for (const std::string& output : outputs)
        if (auto status = refuseOutputOverInput(io, output, inputs)) return *status;
    // The default folder is the skin's own, where the author's pictures and
    // BACK usually are: nothing is replaced unless asked.
    if (auto status = refuseExisting(io, outputs, command.isSet("force"))) return *status;
    const auto written = writeFilesInto(folder, files.value());
    if (!written) return fail(io, written.error());
    io.out << "done!" << '\n';
    return kDone;
}

}  // namespace vireo::cli
