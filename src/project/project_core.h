#pragma once

// The state behind a Project, shared by its implementation files only.

#include "project/history.h"
#include "project/project.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vireo::project {

// What a file looked like when the project last read or wrote it.
struct FileStamp {
    bool present = false;
    std::uint64_t length = 0;
    std::int64_t modifiedNs = 0;
    std::uint64_t hash = 0;
};

class ProjectCore {
public:
    ProjectCore(artwork::PictureDecoder& decoder, std::string tablePath)
        : decoder(decoder), tablePath(std::move(tablePath)) {}

    artwork::PictureDecoder& decoder;
    std::string tablePath;
    std::vector<ProjectListener*> listeners;
    artwork::ConvertOptions options{artwork::Fit::Cover, 1.0f, {}};

    bool open = false;
    std::string folder;
    images::SourcePaths paths;
    images::Verification verification;
    std::array<std::optional<Bytes>, images::kSourceCount> sources;
    SkinRecord stored;
    SkinRecord edited;
    bool fromDefaults = false;
    std::array<std::optional<std::string>, images::kSourceCount> originals;  // names in art/
    DerivedRecord derived;
    std::map<std::string, FileStamp> stamps;  // every file read or written, by path
    History history;

    std::string artFolder() const { return artFolderOf(folder); }
    std::string derivedPath() const { return artFolder() + kDerivedFileName; }

    // Reads the folder's files into the state and stamps them.
    Result<void> readAll();
    // Re-stamps `path` from the disk (after the project wrote it).
    void stamp(const std::string& path);
    // Writes a step's files, pushes the step and re-reads; announces.
    Result<void> commit(Step step);
    // Re-reads the folder and announces what the step's files are.
    Result<void> rereadAfter(const Step& step);

    void announceSources(const std::vector<images::Source>& which);
    void announceRecord(bool written);
    void announceOriginals(const std::vector<images::Source>& which);
    void announceHistory();
    void announceOpened();
};

// The derived bytes for a set of sources, ready to write with derived.json.
struct Derivation {
    std::vector<images::Source> written;
    std::vector<OutputFile> files;  // the sources, then derived.json
    DerivedRecord derived;
};

// One source's original as a derive uses it: its name in art/, where to read
// it from (art/, or the picture being adopted), its length, hash and fit.
struct OriginalInfo {
    std::string name;
    std::string readFrom;
    std::uint64_t size = 0;
    std::uint64_t hash = 0;
    artwork::Fit fit = artwork::Fit::Cover;
};
using OriginalInfos = std::array<std::optional<OriginalInfo>, images::kSourceCount>;

// The originals in art/ as last read.
OriginalInfos currentOriginals(const ProjectCore& core);
// Derives `which` from `infos` at `record`'s positions, with what it drags
// along: the background whose palette serves a changed icon, and every icon
// drawn over a background being derived.
Result<Derivation> deriveSources(const ProjectCore& core, const OriginalInfos& infos,
                                 const std::vector<images::Source>& which, const SkinRecord& record);
// The sources whose inputs differ from what derived.json recorded; none when
// the folder has no derived.json.
std::vector<images::Source> staleFor(const ProjectCore& core, const OriginalInfos& infos,
                                     const SkinRecord& record);

}  // namespace vireo::project
