#pragma once

// The project: one skin folder being edited, shared by the main window, the
// workbench and the command line. It holds, in one place, the twelve sources
// as they are on disk, the settings record (as typed values), the author's
// originals in art/ and what each source was derived from (art/derived.json).
//
// Usage, in short:
//   artwork::QtPictureDecoder decoder;           // the cli passes its module decoder
//   project::Project project(decoder, "ASCII");  // the byte table every BACK write uses
//   project.addListener(&myListener);            // callbacks, see ProjectListener
//   project.openFolder(dir);     // or openSkin(skinPath, proposedFolderFor(skinPath))
//   project.setOriginal(Source::MovieIcon, "/tmp/round.png", artwork::Fit::Cover);
//   project.setPosition(RecordItem::MoviePosition, {6, 96});  // in memory, announced
//   project.derive(Source::MovieIcon);        // derived again at the edited position
//   project.writeRecord();                    // BACK through settings::writeValues
//   project.undo();                              // refuses if a file changed outside
//   project.generate(dir + "BACKIMG");
//
// The project is the one writer of the folder's BACK, sources, art/ and
// derived.json. Before every action it compares the files it depends on with
// the disk and re-reads what changed outside. Every action that writes files
// is one undo step and writes all its files through writeFilesAtomically
// (BACK through the settings core). Nothing the author edited by hand is
// derived over without HandEdits::Overwrite. Every change
// is announced to the listeners after it happened, from the calling thread.
// Errors are codes: an Error whose `path` names the file and, for the
// project's own refusals, whose `detail` is one of the k... codes below.

#include "core/artwork/convert.h"
#include "core/artwork/import.h"
#include "core/base/binary_file.h"
#include "core/base/result.h"
#include "core/images/source_set.h"
#include "core/images/verification.h"
#include "core/package/package.h"
#include "core/project/derived.h"
#include "core/project/skin_record.h"
#include "core/settings/write.h"
#include "core/skin/skin_file.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vireo::project {

// Codes in Error::detail for the project's own refusals.
constexpr char kChangedOutside[] = "changed-outside";  // undo/redo: path was changed since the step
constexpr char kNothingToUndo[] = "nothing-to-undo";
constexpr char kNothingToRedo[] = "nothing-to-redo";
constexpr char kFilesInTheWay[] =
    "files-in-the-way";                          // openSkin: path is the first; see filesInTheWay
constexpr char kNoFolder[] = "no-folder";        // an action that needs an open folder
constexpr char kNoOriginal[] = "no-original";    // derive of a source that is its own original
constexpr char kNotStorable[] = "not-storable";  // a position or colour outside 0..255
// A derive would write over a source edited by hand (path: the first such source).
constexpr char kHandEdited[] = "hand-edited";
// packageFiles: the folder does not pass verification (path: the folder).
constexpr char kNotVerified[] = "not-verified";
// packageFiles: a source is stale (path: the first such source).
constexpr char kStale[] = "stale";

// What a derive does with a source whose bytes differ from what derived.json
// recorded writing, that is a source the author edited by hand.
enum class HandEdits {
    Refuse,     // the whole action is refused with kHandEdited
    Keep,       // such sources are left as they are; the others are derived
    Overwrite,  // derived again all the same
};

// What a derive of stale sources did.
struct UpdateOutcome {
    std::vector<images::Source> written;     // sources whose bytes changed
    std::vector<images::Source> handEdited;  // stale, edited by hand and left (HandEdits::Keep)
};

// Told of every change, after it happened. Override what you need.
class ProjectListener {
public:
    virtual ~ProjectListener() = default;
    // A folder was opened (or opened again): everything may have changed.
    virtual void folderOpened(const std::string& /*folder*/) {}
    // These sources' files were written, removed or re-read.
    virtual void sourcesChanged(const std::vector<images::Source>& /*sources*/) {}
    // The record in memory changed (`written`: BACK was written too, or re-read).
    virtual void recordChanged(bool /*written*/) {}
    // These sources' originals in art/ were replaced, added or removed.
    virtual void originalsChanged(const std::vector<images::Source>& /*sources*/) {}
    // canUndo/canRedo may have changed.
    virtual void historyChanged() {}
};

// What opening a finished skin filled and what it could not.
struct SkinOpening {
    skin::Layout layout = skin::Layout::Skin;
    std::string folder;                    // the new folder, trailing separator kept
    std::vector<images::Source> missing;   // slots the skin does not carry (left absent)
    std::vector<RecordItem> fromDefaults;  // record items taken from the defaults
};

// What opening a skin package filled.
struct PackageOpening {
    std::string folder;                         // the new folder, trailing separator kept
    std::optional<package::Manifest> manifest;  // none for a zip made by hand
    std::vector<std::string> skipped;           // entries of no project file, not written
};

// `<skin's folder>/<skin's name>-源文件/` (a package's name without .vskin):
// where opening a skin or a package proposes to unpack it.
std::string proposedFolderFor(const std::string& skinPath);

// The files unpacking a skin into `folder` would create that already exist
// there (the twelve sources, BACK, art/derived.json); empty when none.
std::vector<std::string> filesInTheWay(const std::string& folder);

// A folder's art/ path: `folder` + "art/".
std::string artFolderOf(const std::string& folder);

// art/derived.json for a folder whose twelve `sources` were just derived from
// the originals in `artFolder` by `fit` (each covering one with its frame) at
// `record`'s positions, as `import ART -o DIR` does when ART is DIR/art.
Result<Bytes> derivedFileFor(const std::string& artFolder,
                             const std::array<Bytes, images::kSourceCount>& sources,
                             const settings::Record& record, artwork::Fit fit,
                             const std::array<artwork::Frame, images::kSourceCount>& frames = {});

// A whole new project from the pictures of `demoArt`: the twelve sources, BACK,
// the pictures as originals in art/ and art/derived.json, so that the first
// `update` finds every source fresh and a later change derives them again.
Result<std::vector<artwork::OutputFile>> newProjectFiles(const std::string& demoArt,
                                                         artwork::PictureDecoder& decoder);

class ProjectCore;  // the state behind the object

class Project {
public:
    // `byteTablePath` is the ASCII table every BACK write goes through.
    Project(artwork::PictureDecoder& decoder, std::string byteTablePath);
    ~Project();
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;
    // The byte table the record's writes go through from now on: the windows
    // look it up before each write (the current folder's ASCII, else the
    // installed one), as a table may come or go while they are open.
    void setByteTablePath(std::string path);

    void addListener(ProjectListener* listener);
    void removeListener(ProjectListener* listener);

    // ---- opening ----
    // Opens a folder: derives the twelve paths, verifies them, reads BACK (the
    // defaults when it is missing; generation then refuses), the sources that
    // can be read, the originals in art/ and derived.json (a folder without
    // it behaves as before: each source its own original). Fails only when
    // the folder cannot be listed or derived.json or BACK is there but unusable.
    // Clears the history. Announces folderOpened.
    Result<void> openFolder(const std::string& folder);
    // Unpacks a finished skin of either layout into `newFolder` (made if
    // missing) all or nothing, never over an existing file (kFilesInTheWay
    // naming the first; filesInTheWay lists all), then opens that folder.
    Result<SkinOpening> openSkin(const std::string& skinPath, const std::string& newFolder);

    // Unpacks a skin package into `newFolder` (made if missing) all or
    // nothing, never over an existing file (kFilesInTheWay naming the first),
    // byte for byte as packed, with its skin.json; then opens that folder.
    Result<PackageOpening> openPackage(const std::string& packagePath,
                                       const std::string& newFolder);
    // The open folder's files as a package carries them: BACKIMG built from
    // the sources and BACK on disk, the sources, BACK, the originals and
    // derived.json. Refused with kNotVerified, or kStale naming the first
    // stale source, so that a package never carries sources its originals
    // no longer make.
    Result<std::vector<package::Entry>> packageFiles();

    bool isOpen() const;
    const std::string& folder() const;  // trailing separator kept
    const images::SourcePaths& sourcePaths() const;
    std::string settingsPath() const;                  // folder + "BACK"
    const images::Verification& verification() const;  // as of the last open or reload

    // ---- the sources, as last read or written ----
    // The file's bytes, or nullptr when the source is absent or unreadable.
    const Bytes* sourceBytes(images::Source source) const;
    // Why the source's file could not be read whole (missing, a folder, a
    // FIFO, too long), or nullptr when it was.
    const Error* sourceProblem(images::Source source) const;
    // Writes these sources as given (icons remapped in the window onto their
    // background's palette), one undo step. derived.json is left: a source
    // with an original counts as edited by hand afterwards.
    Result<void> replaceSources(const std::vector<std::pair<images::Source, Bytes>>& sources);

    // ---- the record ----
    const SkinRecord& record() const;  // as edited, maybe not yet written
    bool recordUnwritten() const;
    // Change one item in memory; false (nothing announced) when it already
    // held the value. A position or colour outside 0..255 is kNotStorable.
    Result<bool> setPosition(RecordItem item, Position position);
    Result<bool> setColour(RecordItem item, images::Colour colour);
    bool setHintOn(bool on);
    // Saves the record to BACK, re-reads it and announces recordChanged(true).
    // A save is not an undo step: the windows undo edits, not saves. Every
    // changed item, through settings::writeValues with the byte table (the
    // workbench's "写入BACK"):
    Result<void> writeRecord();
    // One group of the settings panel's texts, or its hint flag, through
    // settings::writeGroup / writeHintFlag (the panel's "写入修改"); a text
    // that is no storable value is refused with its field's index.
    Result<void> writeGroupTexts(settings::Group group, const std::vector<std::string>& texts);
    Result<void> writeHintFlag(bool on);

    // ---- originals and deriving ----
    // The original's path in art/, or nullopt when the source is its own original.
    std::optional<std::string> originalPath(images::Source source) const;
    // The original fitted to the source's size by its fit (not composited),
    // for a drag frame; nullopt when there is none or it cannot be decoded.
    std::optional<images::RgbaImage> fittedOriginal(images::Source source) const;
    // What derived.json holds (entries for the sources derived so far).
    const DerivedRecord& derivedRecord() const;
    // Why the folder's derived.json could not be read, or nullptr. The folder
    // opens all the same, with nothing recorded: every source with an
    // original is stale, and deriveStale(true) makes derived.json anew.
    const Error* derivedProblem() const;
    // The sources whose bytes differ from what derived.json recorded writing.
    std::vector<images::Source> handEditedSources() const;
    // Keeps a hand-edited source: its bytes become its original in art/
    // (`NAME.bmp`, replacing the earlier original, which the undo step keeps),
    // so that it is fresh and later derives start from it. One undo step.
    Result<void> keepHandEdit(images::Source source);
    // The paths that the mending of killed writes put back or removed since
    // the last call (at opening and before every action).
    std::vector<std::string> takeRecoveredWrites();
    // Copies `picturePath` into art/ as the source's original (the earlier
    // original kept by the undo step), records `fit` and `frame`, derives the
    // source and, for a background, every icon drawn over it. One undo step.
    Result<void> setOriginal(images::Source source, const std::string& picturePath,
                             artwork::Fit fit, HandEdits handEdits = HandEdits::Refuse,
                             const artwork::Frame& frame = {});
    // The sources whose original, fit, background or position (record() as
    // edited) differ from what derived.json says they were derived from, and
    // those missing or damaged whose original is there.
    std::vector<images::Source> staleSources() const;
    // Derives `source` again from its original (and, for a background, every
    // icon drawn over it), at the record's edited positions. One undo step.
    Result<std::vector<images::Source>> derive(images::Source source,
                                               HandEdits handEdits = HandEdits::Refuse);
    // Derives the stale sources (every source with an original when `force`)
    // in one all-or-nothing write. `fit`, when given, becomes every
    // original's fit (a changed fit makes its source stale).
    Result<UpdateOutcome> deriveStale(bool force, std::optional<artwork::Fit> fit = std::nullopt,
                                      HandEdits handEdits = HandEdits::Keep);
    // The options every derive uses (dither, matte); the fit comes per original.
    void setConvertOptions(const artwork::ConvertOptions& options);

    // ---- undo ----
    bool canUndo() const;
    bool canRedo() const;
    // Puts back every file of the last step, only while each still holds the
    // bytes the step wrote; otherwise kChangedOutside naming the file, and the
    // step is kept. The record, sources and originals are re-read and announced.
    Result<void> undo();
    Result<void> redo();

    // ---- the disk ----
    // The files (sources, BACK, art/ entries, derived.json) whose content
    // changed since the project last read or wrote them. Cheap: a stat each,
    // and a hash only where the stat cannot prove a file unchanged.
    std::vector<std::string> changedOnDisk() const;
    // Re-reads what changed on disk (keeping the history and unwritten record
    // items) and announces it. Every action does this first by itself.
    Result<void> reload();

    // ---- generation ----
    // Re-reads what changed on disk (announcing it), then builds the skin
    // from the sources and BACK as they now are and writes it to `outputPath`
    // whole.
    Result<void> generate(const std::string& outputPath);

private:
    std::unique_ptr<ProjectCore> core_;
};

}  // namespace vireo::project
