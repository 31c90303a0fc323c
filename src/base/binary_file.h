#pragma once

#include "base/result.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vireo {

using Bytes = std::vector<std::uint8_t>;

// Length in bytes of a regular file (links followed); nullopt for anything else.
std::optional<std::uint64_t> fileLength(const std::string& path);

// Exactly `length` bytes from `offset`, the file opened for reading only.
// A file that ends before the block does is a ShortRead, never a partial block.
Result<Bytes> readBlock(const std::string& path, std::uint64_t offset, std::size_t length);

// Replaces `path` whole: the bytes go to a new temporary file in the same folder,
// which is renamed over `path` only after every byte was written and the file closed.
// On failure `path` is untouched and the temporary file is removed.
Result<void> writeFileAtomically(const std::string& path, const Bytes& data);

// One block to place at an absolute offset of an existing file.
struct Patch {
    std::uint64_t offset;
    Bytes bytes;
};

// Writes the patches into an existing file of exactly `expectedLength` bytes,
// in order. Never creates the file and never changes its length: a patch that
// would reach past the end is refused before anything is written.
Result<void> patchFile(const std::string& path, std::uint64_t expectedLength,
                       const std::vector<Patch>& patches);

// The folder of a path, with its trailing separator: "a/b/c.bmp" -> "a/b/".
// Empty when the path has no separator.
std::string folderOf(const std::string& path);

// The last component of a path: "a/b/c.bmp" -> "c.bmp".
std::string fileTitleOf(const std::string& path);

// `dir` joined to `name` with exactly one separator between them.
std::string joinPath(const std::string& dir, const std::string& name);

}  // namespace vireo
