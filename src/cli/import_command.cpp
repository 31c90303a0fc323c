#include "artwork/file_bytes.h"
#include "artwork/import.h"
#include "base/binary_file.h"
#include "cli/command.h"
#include "cli/picture_module.h"
#include "images/source_set.h"

#include <filesystem>
#include <ostream>

namespace vireo::cli {

namespace {

// What import writes, in the order it writes them.
std::vector<std::string> setFileNames() {
    std::vector<std::string> names;
    for (const images::SourceImage& source : images::kSourceSet) names.emplace_back(source.fileName);
    names.emplace_back(images::kSettingsFileName);
    return names;
}

}  // namespace

int runImport(const Arguments& arguments, Io& io) {
    CommandParser command("import",
                          "把 ART 中以源图片命名的图片（main256.png、movie256.jpg、ft256.bmp 等）转换成整套源图片，\n"
                          "连同 BACK（ART 中有则复制，否则用默认设置）写入 DIR。先转换背景，再把图标转换到各自背景的调色板上。");
    command.addArgument("ART", "图片所在的文件夹。");
    command.addOption("output", "写入文件夹 DIR（必需；不存在时新建）。", "DIR", 'o');
    addConvertOptions(command);
    command.addOption("force", "替换 DIR 中已有的文件。");
    if (auto status = command.parse(arguments, io)) return *status;

    const std::string dir = command.value("output");
    if (dir.empty()) return usage(io, "缺少 -o DIR", command.help());
    artwork::ImportOptions options;
    if (auto status = readConvertOptions(command, io, options.convert)) return *status;
    options.keepRows = command.isSet("keep-rows");
    const std::string& art = command.argument(0);
    if (auto error = missingFolder(art)) return fail(io, *error);

    // Refused before any picture is converted: nothing in DIR is replaced unasked.
    std::vector<std::string> existing;
    for (const std::string& name : setFileNames())
        if (artwork::nonFileKind(joinPath(dir, name)) != "不存在") existing.push_back(name);
    if (!existing.empty() && !command.isSet("force")) {
        io.err << kProgram << ": " << dir << " 中已有下列文件，加 --force 才会替换：\n";
        for (const std::string& name : existing) io.err << "  " << name << '\n';
        return kRefused;
    }

    ModulePictureDecoder decoder(io.environment.pngModuleDirs);
    auto made = artwork::importArtwork(art, decoder, options);
    if (!made) return fail(io, made.error());
    std::vector<OutputFile> files;
    for (artwork::OutputFile& file : made.value()) files.push_back({joinPath(dir, file.name), std::move(file.bytes)});

    // TODO(merge): refuse an output that is one of the inputs
    namespace fs = std::filesystem;
    std::error_code error;
    const bool created = !fs::exists(dir, error) && fs::create_directories(dir, error);
    if (error) return fail(io, Error{Error::Kind::Write, dir, error.message()});
    // All files or none: a failure leaves DIR as it was, a folder made here removed again.
    if (auto written = writeFilesAtomically(files); !written) {
        if (created) fs::remove(dir, error);
        return fail(io, written.error());
    }
    io.out << "完成！" << '\n';
    return kDone;
}

}  // namespace vireo::cli
