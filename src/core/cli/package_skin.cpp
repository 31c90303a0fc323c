#include "core/cli/package_skin.h"

#include "core/skin/generation.h"

namespace vireo::cli {

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
