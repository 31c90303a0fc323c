#pragma once

#include "core/artwork/convert.h"
#include "core/base/binary_file.h"
#include "core/base/result.h"
#include "core/images/source_set.h"
#include "core/project/skin_record.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace vireo::project {

// What the folder's art/derived.json records about one source: what it was
// derived from, so that a later run can tell a stale source without guessing
// from times. Hashes are 64-bit FNV-1a of whole file contents (contentHash).
struct DerivedEntry {
    std::string original;            // the original's file name inside art/
    std::uint64_t originalSize = 0;  // its length in bytes
    std::uint64_t originalHash = 0;
    artwork::Fit fit = artwork::Fit::Cover;  // how it was brought to the source's size
    artwork::Frame frame;                    // the part a covering fit showed
    // The icon's position in BACK when it was derived (64×64 icons only).
    std::optional<Position> position;
    // What it was drawn over (icons only): the hash of its background source,
    // combined with the bytes and places of the main-screen icons drawn before
    // it that reach into its square, where there are any.
    std::optional<std::uint64_t> backgroundHash;
    // A background's: the hash of the icons' originals (and fits) drawn with
    // it, whose colours its palette keeps room for.
    std::optional<std::uint64_t> iconsHash;
    // The hash of the source written, to tell a source changed by hand.
    std::uint64_t sourceHash = 0;
};

// One entry per source; a source with no entry is its own original.
using DerivedRecord = std::array<std::optional<DerivedEntry>, images::kSourceCount>;

constexpr char kArtFolderName[] = "art";
constexpr char kDerivedFileName[] = "derived.json";
// Longer files are refused unread: twelve entries fit in a few kilobytes.
constexpr std::size_t kDerivedFileLimit = 64 * 1024;

std::uint64_t contentHash(const Bytes& bytes);

// Reads derived.json from its bytes. Checks everything: the format version,
// every key's type and range, source names among the twelve, original names
// without separators; unknown keys are refused. Never throws; returns
// Kind::Invalid with a short reason in `detail` naming the key at fault, and
// `path` as given.
Result<DerivedRecord> parseDerived(const Bytes& bytes, const std::string& path);

// The file's bytes for `record`: stable key order, so that the same record
// always gives the same bytes.
Bytes serializeDerived(const DerivedRecord& record);

}  // namespace vireo::project
