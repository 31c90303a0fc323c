#include "core/cli/package_skin.h"

#include "core/messages/error_text.h"
#include "core/skin/generation.h"

namespace vireo::cli {

std::vector<std::string> manifestLines(const package::Manifest& manifest) {
    std::vector<std::string> lines = {"名称：" + escapeForTerminal(manifest.name),
                                      "作者：" + escapeForTerminal(manifest.author),
                                      "许可：" + escapeForTerminal(manifest.licence)};
    if (!manifest.description.empty())
        lines.push_back("说明：" + escapeForTerminal(manifest.description));
    if (!manifest.toolVersion.empty())
        lines.push_back("制作工具：" + escapeForTerminal(manifest.toolVersion));
    return lines;
}

bool isNotZip(const Error& error) {
    return error.kind == Error::Kind::Invalid &&
           error.detail == package::refusalDetail(package::kNotZip, {});
}

Result<skin::SkinFile> readSkinOrPackage(const std::string& path,
                                         std::optional<package::Package>* package) {
    auto skinFile = skin::readSkinFile(path);
    if (skinFile || skinFile.error().kind != Error::Kind::WrongLength) return skinFile;
    auto read = package::readPackageFile(path);
    if (!read) return isNotZip(read.error()) ? skinFile.error() : read.error();
    const package::Package& carried = read.value();
    const auto named = [&](const std::string& name) -> const Bytes* {
        for (const package::Entry& entry : carried.files)
            if (entry.name == name) return &entry.bytes;
        return nullptr;
    };
    Bytes bytes;
    if (const Bytes* skin = named(images::kSkinFileName)) {
        bytes = *skin;
    } else {
        skin::SkinSourceBytes sources;
        for (std::size_t i = 0; i < images::kSourceCount; ++i)
            sources.pictures[i] = *named(images::kSourceSet[i].fileName);
        sources.settings = *named(images::kSettingsFileName);
        auto assembled = skin::assembleSkin(sources);
        if (!assembled) return assembled.error();
        bytes = std::move(assembled).value();
    }
    auto result = skin::skinFileOf(std::move(bytes), path);
    if (result && package) *package = std::move(read).value();
    return result;
}

}  // namespace vireo::cli
