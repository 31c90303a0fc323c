#include "core/artwork/import.h"
#include "core/base/binary_file.h"
#include "core/cli/command.h"
#include "core/cli/convert_words.h"
#include "core/cli/output_folder.h"
#include "core/cli/picture_module.h"
#include "core/images/source_set.h"
#include "core/messages/error_text.h"
#include "core/project/project.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <ostream>

namespace vireo::cli {

namespace {

// What import writes, in the order it writes them.
std::vector<std::string> setFileNames() {
    std::vector<std::string> names;
    for (const images::SourceImage& source : images::kSourceSet)
        names.emplace_back(source.fileName);
    names.emplace_back(images::kSettingsFileName);
    return names;
}

// When ART is DIR/art, the project's record of what each source was derived
// from, so that `update` and the windows know the sources are fresh.
Result<std::optional<OutputFile>> derivedFile(
    const std::string& art, const std::string& dir, const std::vector<OutputFile>& files,
    artwork::Fit fit, const std::array<artwork::Frame, images::kSourceCount>& frames) {
    const std::string projectArt = project::artFolderOf(dir);
    if (!sameFile(art, projectArt)) return std::optional<OutputFile>{};
    std::array<Bytes, images::kSourceCount> sources;
    settings::Record record{};
    for (const OutputFile& file : files) {
        if (const auto source = artwork::sourceNamed(fileTitleOf(file.path)))
            sources[static_cast<std::size_t>(*source)] = file.bytes;
        else if (file.bytes.size() == record.size())
            std::copy(file.bytes.begin(), file.bytes.end(), record.begin());
    }
    auto bytes = project::derivedFileFor(projectArt, sources, record, fit, frames);
    if (!bytes) return bytes.error();
    OutputFile derived{projectArt + project::kDerivedFileName, bytes.value()};
    return std::optional<OutputFile>(std::move(derived));
}

}  // namespace

CommandParser importParser() {
    CommandParser command(
        "import",
        "把 ART 中以源图片命名的图片（main256.png、movie256.jpg、ft256.bmp 等）转换成整套源图片，\n"
        "连同 BACK（ART 中有则复制，否则用默认设置）写入 "
        "DIR。先转换背景，再把图标转换到各自背景的调色板上。");
    command.addArgument("ART", "图片所在的文件夹。");
    command.addOption("output", "写入文件夹 DIR（必需；不存在时新建）。", "DIR", 'o').mustBeGiven();
    addConvertOptions(command);
    command
        .addOption("frame",
                   std::string("SOURCE 的原图的取景，例如 main256.bmp=50,30,150；可多次给出。") +
                       kFrameHelp,
                   "SOURCE=X,Y,ZOOM")
        .mayRepeat();
    command.addOption("force", "替换 DIR 中已有的文件。");
    return command;
}

int runImport(const Arguments& arguments, Io& io) {
    CommandParser command = importParser();
    if (auto status = command.parse(arguments, io)) return *status;

    const std::string dir = command.value("output");
    if (dir.empty()) return usage(io, "缺少 -o DIR", command.help());
    artwork::ImportOptions options;
    if (auto status = readConvertOptions(command, io, options.convert)) return *status;
    options.keepRows = command.isSet("keep-rows");
    for (const std::string& given : command.values("frame")) {
        const std::size_t equals = given.find('=');
        const auto role = artwork::sourceNamed(given.substr(0, equals));
        if (equals == std::string::npos || !role)
            return usage(io, "--frame 应为 SOURCE=X,Y,ZOOM：" + given, command.help());
        const auto frame = frameFromText(given.substr(equals + 1));
        if (!frame) return usage(io, kFrameRefused + given.substr(equals + 1), command.help());
        options.frames[static_cast<std::size_t>(*role)] = *frame;
    }
    const std::string& art = command.argument(0);
    if (auto error = missingFolder(art)) return fail(io, *error);

    // Refused before any picture is converted: nothing in DIR is replaced unasked.
    std::vector<std::string> targets;
    for (const std::string& name : setFileNames()) targets.push_back(joinPath(dir, name));
    if (sameFile(art, project::artFolderOf(dir)))
        targets.push_back(project::artFolderOf(dir) + project::kDerivedFileName);
    if (auto status = refuseExisting(io, targets, command.isSet("force"))) return *status;

    ModulePictureDecoder decoder(io.environment.pngModuleDirs);
    // Without the module only the formats every Qt reads are taken; the
    // decoding itself then names the missing module.
    (void)decoder.registerFormats();
    std::vector<Error> problems;
    auto made = artwork::importArtwork(art, decoder, options, problems);
    if (!made) {
        // Every problem, each with its file; the status is the first one's.
        const int status = fail(io, made.error());
        for (std::size_t i = 1; i < problems.size(); ++i) report(io, problems[i]);
        return status;
    }
    std::vector<OutputFile> files;
    for (artwork::OutputFile& file : made.value())
        files.push_back({joinPath(dir, file.name), std::move(file.bytes)});

    // The artwork folder itself as DIR would let --force replace the author's pictures.
    std::vector<std::string> inputs;
    std::error_code listError;
    for (const auto& entry : std::filesystem::directory_iterator(art, listError))
        inputs.push_back(entry.path().string());
    for (const OutputFile& file : files)
        if (auto status = refuseOutputOverInput(io, file.path, inputs)) return *status;
    auto derived = derivedFile(art, dir, files, options.convert.fit, options.frames);
    if (!derived) return fail(io, derived.error());
    if (derived.value()) files.push_back(std::move(*derived.value()));
    // All files or none: a failure leaves DIR as it was, the folders made for it removed again.
    if (auto written = writeFilesIntoFolder(dir, files); !written) return fail(io, written.error());
    io.out << kDoneSentence << '\n';
    return kDone;
}

}  // namespace vireo::cli
