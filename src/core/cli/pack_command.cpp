#include "core/cli/command.h"
#include "core/cli/picture_module.h"
#include "core/cli/sheet_png.h"
#include "core/messages/error_text.h"
#include "core/messages/verification_text.h"
#include "core/package/package.h"
#include "core/project/project.h"
#include "core/settings/byte_table.h"
#include "core/skin/sheet.h"

#include <filesystem>
#include <ostream>

namespace vireo::cli {

namespace {

// An SPDX licence expression's characters: identifiers, "+", and the words
// and brackets that join them ("MIT OR Apache-2.0").
bool looksLikeSpdx(const std::string& text) {
    if (text.empty()) return false;
    for (const char c : text) {
        const bool allowed = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                             (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' ||
                             c == ' ' || c == '(' || c == ')' || c == ':';
        if (!allowed) return false;
    }
    return true;
}

// The folder's own skin.json, which a package unpacked there left, or none.
std::optional<package::Manifest> folderManifest(const std::string& dir, Io& io) {
    const std::string path = joinPath(dir, package::kManifestName);
    if (fileTypeAt(path) == Error::FileType::Missing) return std::nullopt;
    auto bytes = readWholeFile(path, package::kManifestLimit);
    auto manifest = bytes ? package::parseManifest(bytes.value(), path)
                          : Result<package::Manifest>(bytes.error());
    if (!manifest) {
        // Told, not fatal: the options and the defaults still make a manifest.
        report(io, manifest.error());
        return std::nullopt;
    }
    return manifest.value();
}

}  // namespace

CommandParser packParser() {
    CommandParser command(
        "pack",
        "把 DIR 打包成一个皮肤包（zip）：生成的 BACKIMG、十二个源图片、BACK、"
        "art/ 中的原图和 derived.json、预览图和 skin.json 说明。\n"
        "DIR 没有通过检查或有过时的源图片时不打包。同一个文件夹总是得到同样的字节。");
    command.addArgument("DIR", "源图片所在的文件夹。");
    command.addOption("output", "写入皮肤包 FILE（必需，通常以 .vskin 结尾）。", "FILE", 'o')
        .mustBeGiven();
    command.addOption("name", "皮肤的名称（默认取 DIR/skin.json 中的，否则为文件夹名）。", "NAME");
    command.addOption("author", "作者（默认取 DIR/skin.json 中的）。", "AUTHOR");
    command.addOption("licence",
                      "许可证的 SPDX 标识，如 CC-BY-SA-4.0（默认取 DIR/skin.json 中的，"
                      "否则为 NOASSERTION）。",
                      "SPDX");
    command.addOption("description", "一段说明（默认取 DIR/skin.json 中的）。", "TEXT");
    return command;
}

int runPack(const Arguments& arguments, Io& io) {
    CommandParser command = packParser();
    if (auto status = command.parse(arguments, io)) return *status;

    const std::string output = command.value("output");
    if (output.empty()) return usage(io, "缺少 -o FILE", command.help());
    const std::string& dir = command.argument(0);
    if (auto error = missingFolder(dir)) return fail(io, *error);

    package::Manifest manifest = folderManifest(dir, io).value_or(package::Manifest{});
    if (manifest.name.empty()) {
        auto folder = std::filesystem::absolute(dir).lexically_normal();
        if (folder.filename().empty()) folder = folder.parent_path();
        manifest.name = folder.filename().string();
    }
    if (command.isSet("name")) manifest.name = command.value("name");
    if (command.isSet("author")) manifest.author = command.value("author");
    if (command.isSet("licence")) manifest.licence = command.value("licence");
    if (command.isSet("description")) manifest.description = command.value("description");
    if (manifest.licence.empty()) manifest.licence = "NOASSERTION";
    if (!looksLikeSpdx(manifest.licence))
        return usage(io, "许可证应为 SPDX 标识（如 CC-BY-SA-4.0）：" + manifest.licence,
                     command.help());
    manifest.toolVersion = std::string(kProgram) + " " + VIREO_VERSION;

    ModulePictureDecoder decoder(io.environment.pngModuleDirs);
    project::Project project(decoder, settings::kTableFileName);
    if (auto opened = project.openFolder(dir); !opened) return fail(io, opened.error());
    if (!project.verification().passed()) {
        io.err << kProgram << ": " << escapeForTerminal(dir) << "："
               << verificationReport(project.verification()) << "，未打包" << '\n';
        return kRefused;
    }
    auto files = project.packageFiles();
    if (!files) return fail(io, files.error());

    std::vector<std::string> inputs;
    for (const package::Entry& entry : files.value())
        if (entry.name != images::kSkinFileName) inputs.push_back(joinPath(dir, entry.name));
    if (auto status = refuseOutputOverInput(io, output, inputs)) return *status;

    const Bytes* skinBytes = nullptr;
    for (const package::Entry& entry : files.value())
        if (entry.name == images::kSkinFileName) skinBytes = &entry.bytes;
    auto skinFile = skin::skinFileOf(*skinBytes, output);
    if (!skinFile) return fail(io, skinFile.error());
    auto preview =
        encodeSheetPng(skin::composeSheet(skinFile.value()), output, io.environment.pngModuleDirs);
    if (!preview) return fail(io, preview.error());
    files.value().push_back({package::kPreviewName, std::move(preview).value()});

    auto packed = package::writePackage(files.value(), manifest, output);
    if (!packed) return fail(io, packed.error());
    if (auto written = writeFileAtomically(output, packed.value()); !written)
        return fail(io, written.error());
    io.out << kDoneSentence << '\n';
    return kDone;
}

}  // namespace vireo::cli
