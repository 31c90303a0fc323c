#include "core/artwork/new_project.h"

#include "core/artwork/convert.h"
#include "core/images/source_set.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include <sys/stat.h>

#ifndef VIREO_INSTALL_DATADIR
#error "VIREO_INSTALL_DATADIR names the data folder below the installation prefix"
#endif
#ifndef VIREO_SOURCE_DEMO_ART
#error "VIREO_SOURCE_DEMO_ART names the source tree's demo pictures"
#endif

namespace vireo::artwork {

namespace {

namespace fs = std::filesystem;

// The pictures of `artFolder` whose name (any letter case, any extension)
// stands for a source, by name, sorted so that the order never depends on
// the folder's listing.
Result<std::vector<std::string>> sourcePictures(const std::string& artFolder) {
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator listing(artFolder, error);
    if (error) return Error{Error::Kind::Open, artFolder, error.message()};
    for (; listing != fs::directory_iterator(); listing.increment(error)) {
        if (error) return Error{Error::Kind::Read, artFolder, error.message()};
        std::string stem = listing->path().stem().string();
        std::transform(stem.begin(), stem.end(), stem.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (sourceNamed(stem + ".bmp") &&
            fileTypeAt(listing->path().string()) == Error::FileType::Regular)
            names.push_back(listing->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

std::vector<std::string> demoArtCandidates(const std::string& programDir) {
    return {programDir + "/../" VIREO_INSTALL_DATADIR "/demo/art", VIREO_SOURCE_DEMO_ART};
}

std::optional<std::string> findDemoArt(const std::vector<std::string>& candidates) {
    for (const std::string& candidate : candidates)
        if (fileTypeAt(candidate) == Error::FileType::Folder) return candidate;
    return std::nullopt;
}

Result<std::vector<std::string>> newProjectNames(const std::string& artFolder,
                                                 const std::vector<std::string>& alsoInArt) {
    auto pictures = sourcePictures(artFolder);
    if (!pictures) return pictures.error();
    std::vector<std::string> names;
    for (const images::SourceImage& source : images::kSourceSet)
        names.emplace_back(source.fileName);
    names.emplace_back(images::kSettingsFileName);
    names.emplace_back(kArtFolderName);
    for (const std::string& picture : pictures.value())
        names.push_back(joinPath(kArtFolderName, picture));
    for (const std::string& name : alsoInArt) names.push_back(joinPath(kArtFolderName, name));
    return names;
}

Result<std::vector<OutputFile>> newProjectFiles(const std::string& artFolder,
                                                PictureDecoder& decoder) {
    auto made = importArtwork(artFolder, decoder, {});
    if (!made) return made.error();
    std::vector<OutputFile> files = std::move(made).value();
    auto pictures = sourcePictures(artFolder);
    if (!pictures) return pictures.error();
    for (const std::string& picture : pictures.value()) {
        auto bytes = readWholeFile(joinPath(artFolder, picture), images::kPictureReadLimit);
        if (!bytes) return bytes.error();
        files.push_back({joinPath(kArtFolderName, picture), std::move(bytes).value()});
    }
    return files;
}

std::vector<std::string> occupiedPaths(const std::string& dir,
                                       const std::vector<std::string>& names) {
    std::vector<std::string> occupied;
    for (const std::string& name : names) {
        const std::string path = joinPath(dir, name);
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) continue;
        // A folder the others go into is in the way only when it is no folder.
        const bool holdsOthers = std::any_of(names.begin(), names.end(), [&](const std::string& n) {
            return n.size() > name.size() && n.compare(0, name.size(), name) == 0 &&
                   n[name.size()] == '/';
        });
        if (!holdsOthers || fileTypeAt(path) != Error::FileType::Folder) occupied.push_back(path);
    }
    return occupied;
}

Result<void> writeProject(const std::string& dir, const std::vector<OutputFile>& files) {
    // Made top down, and on failure only the folders made here are removed:
    // whatever stood in the way (a link to nothing among them) stays.
    std::vector<vireo::OutputFile> outputs;
    for (const OutputFile& file : files) outputs.push_back({joinPath(dir, file.name), file.bytes});
    return writeFilesIntoFolder(joinPath(dir, kArtFolderName), outputs);
}

}  // namespace vireo::artwork
