#pragma once

// The state behind a Project, shared by its implementation files only.

#include "core/project/history.h"
#include "core/project/project.h"
#include "core/settings/record.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vireo::project {

// What a file looked like when the project last read or wrote it. Length,
// inode and times prove a file unchanged only when its last change is older
// than the time stamp's granularity at the moment it was stamped; otherwise
// ("racy", as git calls it) its content is compared.
struct FileStamp {
    bool present = false;
    std::uint64_t length = 0;
    std::uint64_t inode = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;
    std::int64_t stampedAtNs = 0;
    std::uint64_t hash = 0;
};

class ProjectCore {
public:
    ProjectCore(artwork::PictureDecoder& decoder, std::string tablePath)
        : decoder(decoder), tablePath(std::move(tablePath)) {}

    artwork::PictureDecoder& decoder;
    std::string tablePath;
    std::vector<ProjectListener*> listeners;
    artwork::ConvertOptions options{artwork::Fit::Cover, 1.0f, {}, std::nullopt, {}};

    bool open = false;
    std::string folder;
    images::SourcePaths paths;
    images::Verification verification;
    std::array<std::optional<Bytes>, images::kSourceCount> sources;
    std::array<std::optional<Error>, images::kSourceCount> sourceErrors;  // why not read
    // The defaults until a folder is read, as the panel's boxes start.
    SkinRecord stored = skinRecordOf(settings::defaultRecord());
    SkinRecord edited = stored;
    bool fromDefaults = false;
    std::array<std::optional<std::string>, images::kSourceCount> originals;  // names in art/
    DerivedRecord derived;
    // Why derived.json could not be read, when it could not; `derived` is then empty.
    std::optional<Error> derivedProblem;
    // Every file read or written, by path; re-stamped when a racy stamp proves clean.
    mutable std::map<std::string, FileStamp> stamps;
    History history;
    std::vector<std::string> recovered;  // leftovers of killed writes mended, not yet told

    std::string artFolder() const { return artFolderOf(folder); }
    std::string derivedPath() const { return artFolder() + kDerivedFileName; }

    // Reads the folder's files into the state and stamps them.
    Result<void> readAll();
    // The files changed on disk since they were read or written.
    std::vector<std::string> changedOnDisk() const;
    // Before every action: mends what a killed write left in the folder and
    // re-reads what changed outside, announcing it, so that the action works
    // on what the disk holds.
    Result<void> syncWithDisk();
    // Finishes or undoes what a killed write left in the folder and art/.
    Result<void> mendInterruptedWrites();
    // The source's file is a usable picture of its size.
    bool sourceUsable(std::size_t i) const;
    // The source's bytes differ from what derived.json recorded writing.
    bool handEdited(std::size_t i) const;
    // Re-stamps `path` from the disk (after the project wrote it).
    void stamp(const std::string& path);
    // Re-stamps each of `paths`, hashing several files at once.
    void stamp(const std::vector<std::string>& paths);
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
    std::vector<images::Source> written;  // whose bytes change
    std::vector<images::Source> kept;     // edited by hand and left, under HandEdits::Keep
    std::vector<OutputFile> files;        // the sources whose bytes change
    DerivedRecord derived;                // derived.json after
};

// One source's original as a derive uses it: its name in art/, where to read
// it from (art/, or the picture being adopted), its length, hash and fit.
struct OriginalInfo {
    std::string name;
    std::string readFrom;
    std::uint64_t size = 0;
    std::uint64_t hash = 0;
    artwork::Fit fit = artwork::Fit::Cover;
    artwork::Frame frame;
};
using OriginalInfos = std::array<std::optional<OriginalInfo>, images::kSourceCount>;

// derived.json's entries with source `i` recorded as derived, as it stands,
// from infos[i] (a hand edit kept as its own original).
DerivedRecord keptAsItStands(const ProjectCore& core, const OriginalInfos& infos, std::size_t i);
// What derived.json records of source `i` derived from `info`, with the
// sources as `after` holds them.
DerivedEntry derivedEntryFor(const OriginalInfo& info, std::size_t i, const SkinRecord& record,
                             const OriginalInfos& infos,
                             const std::array<Bytes, images::kSourceCount>& after);
// The originals in art/ as last read, each with its recorded fit (or `fit`
// where given, or the options' fit where none is recorded).
OriginalInfos currentOriginals(const ProjectCore& core,
                               std::optional<artwork::Fit> fit = std::nullopt);
// Derives `which` from `infos` at `record`'s positions, with what it drags
// along: the background whose palette serves a changed icon, and every icon
// drawn over a background being derived.
// A source edited by hand among them is refused, left or overwritten as
// `handEdits` says.
Result<Derivation> deriveSources(const ProjectCore& core, const OriginalInfos& infos,
                                 const std::vector<images::Source>& which, const SkinRecord& record,
                                 HandEdits handEdits);
// The sources whose inputs differ from what derived.json recorded; none when
// the folder has no derived.json.
std::vector<images::Source> staleFor(const ProjectCore& core, const OriginalInfos& infos,
                                     const SkinRecord& record);

}  // namespace vireo::project
