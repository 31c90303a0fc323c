#pragma once

// A skin package (*.vskin): one zip file that carries a project whole, so that
// a skin can be shared and remixed. It holds the built BACKIMG, the twelve
// sources, BACK, the originals in art/ with art/derived.json, a preview
// picture and a manifest, skin.json, with the author's name, the licence and
// the SHA-256 of every other entry.
//
// The writer gives the same bytes for the same files: entries in a fixed
// order, one fixed time stamp, fixed attributes, no extra fields. The reader
// takes packages from anyone: every refusal is Kind::Invalid naming the
// package, with `detail` made by refusalDetail (the reason code and the
// entry), and nothing of a refused package is handed on.

#include "core/base/binary_file.h"
#include "core/base/result.h"
#include "core/images/picture.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vireo::package {

constexpr char kPackageExtension[] = ".vskin";
constexpr char kManifestName[] = "skin.json";
constexpr char kPreviewName[] = "preview.png";
constexpr char kDerivedName[] = "art/derived.json";
constexpr char kArtPrefix[] = "art/";

// A project holds 29 files (BACKIMG, the twelve sources, BACK, twelve
// originals, derived.json, the preview and the manifest), and a hand-made
// zip adds a folder entry for its top folder and one for art/.
constexpr std::size_t kMaxEntries = 31;
// The package file, and all its entries inflated together, at most.
constexpr std::size_t kPackageLimit = 256u * 1024u * 1024u;
// One original at most: what any picture is read up to.
constexpr std::size_t kOriginalLimit = images::kPictureReadLimit;
constexpr std::size_t kPreviewLimit = 16u * 1024u * 1024u;
constexpr std::size_t kManifestLimit = 64u * 1024u;
constexpr std::size_t kDerivedLimit = 64u * 1024u;

// The reasons a package is refused, each for one entry (or the whole file).
constexpr char kNotZip[] = "not-zip";          // no zip at all
constexpr char kCutOff[] = "cut-off";          // a zip whose end is missing
constexpr char kDamaged[] = "damaged";         // headers that contradict each other
constexpr char kUnsafePath[] = "unsafe-path";  // "..", an absolute path, a backslash
constexpr char kLink[] = "link";               // a symbolic link
constexpr char kDevice[] = "device";           // a device, FIFO or socket
constexpr char kDuplicate[] = "duplicate";     // a second entry of the same name
constexpr char kControlCharacter[] = "control-character";
constexpr char kTooManyEntries[] = "too-many-entries";
constexpr char kTooLarge[] = "too-large";        // larger than its kind allows
constexpr char kWrongLength[] = "wrong-length";  // a source, BACK or BACKIMG of another length
constexpr char kPackageTooLarge[] = "package-too-large";  // the whole over kPackageLimit
constexpr char kEncrypted[] = "encrypted";
constexpr char kCrc[] = "crc";          // the inflated bytes fail their CRC
constexpr char kMissing[] = "missing";  // a source or BACK the package lacks
constexpr char kDigest[] = "digest";    // not the bytes the manifest's SHA-256 names
constexpr char kBadManifest[] = "bad-manifest";
constexpr char kNoLibrary[] = "no-zip-library";  // libzip could not be opened

// "vskin:CODE:ENTRY", the detail of every refusal; ENTRY may be empty.
constexpr char kRefusalPrefix[] = "vskin:";
std::string refusalDetail(const std::string& code, const std::string& entry);

// What the manifest says about the skin.
struct Manifest {
    std::string name;
    std::string author;
    std::string licence;  // an SPDX identifier, e.g. "CC-BY-SA-4.0"
    std::string description;
    std::string toolVersion;
};

// One file of a package, by its name inside it ("main256.bmp", "art/x.png").
struct Entry {
    std::string name;
    Bytes bytes;
};

// True when `bytes` start as a zip file does; a skin never does.
bool looksLikeZip(const Bytes& bytes);

// The package's bytes for `files` (BACKIMG, the sources, BACK, art/ and the
// preview; any order) and the manifest, which gets the SHA-256 of each.
Result<Bytes> writePackage(const std::vector<Entry>& files, const Manifest& manifest,
                           const std::string& path);

// What a package carries once every check passed.
struct Package {
    std::optional<Manifest> manifest;  // none in a zip made by hand
    std::optional<Bytes> manifestBytes;
    std::optional<Bytes> preview;
    // The project's files by their names in a folder: the sources and BACK
    // always, BACKIMG, art/derived.json and originals when carried.
    std::vector<Entry> files;
    // Entries of no project file, left out (a hand-made zip's README).
    std::vector<std::string> skipped;
};

// Reads a package held in memory; `path` names it in every error.
Result<Package> readPackage(const Bytes& bytes, const std::string& path);
// Reads the file whole (at most kPackageLimit) and then the package.
Result<Package> readPackageFile(const std::string& path);

// The manifest of a skin.json's bytes (only the fields; the digests are the
// reader's). Invalid with kBadManifest when it is no manifest.
Result<Manifest> parseManifest(const Bytes& bytes, const std::string& path);

}  // namespace vireo::package
