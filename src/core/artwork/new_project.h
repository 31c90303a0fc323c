#pragma once

#include "core/artwork/import.h"

#include <optional>
#include <string>
#include <vector>

namespace vireo::artwork {

// The folder of a project that keeps the author's pictures.
constexpr char kArtFolderName[] = "art";

// Where the built-in demo pictures may be, in the order to try: the data
// folder installed beside the program in `programDir`, then the source tree's
// copy for a program run from its build tree.
std::vector<std::string> demoArtCandidates(const std::string& programDir);

// The first candidate that is a folder; nullopt when none is.
std::optional<std::string> findDemoArt(const std::vector<std::string>& candidates);

// The names (relative to the project folder) a new project from `artFolder`
// writes: the twelve sources, BACK, then art/, each picture of `artFolder`
// that names a source, and the files of `alsoInArt` (the project's own) in art/.
Result<std::vector<std::string>> newProjectNames(const std::string& artFolder,
                                                 const std::vector<std::string>& alsoInArt);

// The files of a new project made from the pictures in `artFolder`: the
// sources and BACK made by importArtwork, so that they are exactly what a
// later import of the project's art/ gives, and the pictures themselves
// under art/, unchanged.
Result<std::vector<OutputFile>> newProjectFiles(const std::string& artFolder,
                                                PictureDecoder& decoder);

// Those of `names` under `dir` that something already stands at (a file, a
// folder, a link, even a broken one): a new project is never written over them.
// A name that others lie in (art/) is in the way only when it is no folder.
std::vector<std::string> occupiedPaths(const std::string& dir,
                                       const std::vector<std::string>& names);

// Writes `files` into `dir`, making `dir` and its art/ when missing, all or
// nothing: on failure no file is left and folders made here are removed.
Result<void> writeProject(const std::string& dir, const std::vector<OutputFile>& files);

}  // namespace vireo::artwork
