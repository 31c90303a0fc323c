#include "core/project/project.h"

#include "core/project/project_core.h"
#include "core/skin/generation.h"

namespace vireo::project {

Result<std::vector<package::Entry>> Project::packageFiles() {
    ProjectCore& core = *core_;
    if (!core.open) return Error{Error::Kind::Invalid, {}, kNoFolder};
    if (auto synced = core.syncWithDisk(); !synced) return synced.error();
    if (!core.verification.passed()) return Error{Error::Kind::Invalid, core.folder, kNotVerified};
    const auto stale = staleSources();
    if (!stale.empty())
        return Error{Error::Kind::Invalid, core.paths[static_cast<std::size_t>(stale.front())],
                     kStale};

    std::vector<package::Entry> files;
    skin::SkinSourceBytes bytes;
    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        // Read again rather than trusting what was read before: the package
        // must carry what the disk holds now.
        auto read = readWholeFile(core.paths[i], images::kPictureReadLimit);
        if (!read) return read.error();
        bytes.pictures[i] = read.value();
        files.push_back({images::kSourceSet[i].fileName, std::move(read).value()});
    }
    auto back = readWholeFile(settingsPath(), images::kSettingsLength + 1);
    if (!back) return back.error();
    bytes.settings = back.value();
    files.push_back({images::kSettingsFileName, std::move(back).value()});
    auto skin = skin::assembleSkin(bytes);
    if (!skin) return skin.error();
    files.push_back({images::kSkinFileName, std::move(skin).value()});

    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        if (!core.originals[i]) continue;
        auto read = readWholeFile(core.artFolder() + *core.originals[i], package::kOriginalLimit);
        if (!read) return read.error();
        files.push_back({package::kArtPrefix + *core.originals[i], std::move(read).value()});
    }
    if (fileTypeAt(core.derivedPath()) != Error::FileType::Missing) {
        auto read = readWholeFile(core.derivedPath(), kDerivedFileLimit);
        if (!read) return read.error();
        files.push_back({package::kDerivedName, std::move(read).value()});
    }
    return files;
}

Result<PackageOpening> Project::openPackage(const std::string& packagePath,
                                            const std::string& newFolder) {
    auto package = package::readPackageFile(packagePath);
    if (!package) return package.error();
    PackageOpening opening;
    opening.folder = newFolder.empty() || newFolder.back() == '/' ? newFolder : newFolder + "/";
    opening.manifest = package.value().manifest;
    opening.skipped = package.value().skipped;

    std::vector<OutputFile> files;
    bool art = false;
    for (package::Entry& entry : package.value().files) {
        art = art || entry.name.rfind(package::kArtPrefix, 0) == 0;
        files.push_back({opening.folder + entry.name, std::move(entry.bytes)});
    }
    if (package.value().manifestBytes)
        files.push_back(
            {opening.folder + package::kManifestName, std::move(*package.value().manifestBytes)});
    for (const OutputFile& file : files)
        if (!nothingAt(file.path)) return Error{Error::Kind::Invalid, file.path, kFilesInTheWay};
    // Making art/ makes the folder above it too.
    const std::string made = art ? artFolderOf(opening.folder) : opening.folder;
    if (auto written = writeFilesIntoFolder(made, files); !written) return written.error();
    if (auto opened = openFolder(opening.folder); !opened) return opened.error();
    return opening;
}

}  // namespace vireo::project
