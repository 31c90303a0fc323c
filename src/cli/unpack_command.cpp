#include "cli/command.h"
#include "cli/output_folder.h"
#include "messages/error_text.h"
#include "skin/skin_file.h"
#include "skin/unpacking.h"
#include "unpack/header_templates.h"

#include <filesystem>
#include <ostream>

namespace vireo::cli {

int runUnpack(const Arguments& arguments, Io& io) {
    CommandParser command("unpack",
                          "把皮肤文件还原成 BMP 文件：182,816 字节的皮肤还原成十二个源图片和 BACK，"
                          "178,720 字节的皮肤还原成十一个 BMP 文件。");
    command.addArgument("FILE", "皮肤文件。");
    command.addOption("output", "写入文件夹 DIR（默认为皮肤文件所在的文件夹）。", "DIR", 'o');
    command.addOption("templates",
                      "从 DIR 读取 BMPHEAD16、BMPHEAD64、BMPHEAD256 作为 BMP 文件头"
                      "（默认由本工具生成文件头）。",
                      "DIR");
    command.addOption("force", "替换已经存在的文件（默认不替换任何文件）。");
    if (auto status = command.parse(arguments, io)) return *status;

    const std::string& path = command.argument(0);
    const auto skinFile = skin::readSkinFile(path);
    if (!skinFile) return refuseSkin(io, path, skinFile.error());

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
