#pragma once

#include "core/base/result.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace vireo {

using Bytes = std::vector<std::uint8_t>;

// Makes room for `size` bytes (capacity, not length). A block of megabytes asks
// for large pages too: the first touch of each 4 KiB page costs more than the
// copy into it, and originals and packages run to tens of megabytes.
void reserveBlock(Bytes& bytes, std::size_t size);

// Nothing here ever waits on or reads from a FIFO, device or socket: readers
// open without waiting (O_NONBLOCK) and refuse anything but a regular file
// (fstat) before the first read; fileLength and the writers ask first (stat)
// and never open one.

// The error for a failed system call: the system's own words in `detail` and
// the cause read from `savedErrno` (errno as the call left it; 0 for none).
Error systemError(Error::Kind kind, const std::string& path, int savedErrno);

// Length in bytes of a regular file (links followed); nullopt for anything else.
std::optional<std::uint64_t> fileLength(const std::string& path);

// The same, with the reason when the path is not a regular file: NotFound with
// cause Missing, NotRegular (and its fileType), NoPermission or LinkLoop.
Result<std::uint64_t> regularFileLength(const std::string& path);

// What is at `path`, links followed: Regular, Folder, Fifo, ...; Missing when
// nothing is there or the path cannot be asked. Opens nothing.
Error::FileType fileTypeAt(const std::string& path);

// At most `limit` bytes from the start of a regular file, and its full length,
// both from the one opened file.
struct FileStart {
    Bytes bytes;
    std::uint64_t length = 0;
};
Result<FileStart> readFileStart(const std::string& path, std::size_t limit);

// The whole of a regular file; one longer than `limit` bytes is refused
// (Invalid) without being read.
Result<Bytes> readWholeFile(const std::string& path, std::size_t limit);

// Succeeds when `path` is a regular file that this process can open for reading.
Result<void> checkReadable(const std::string& path);

// Exactly `length` bytes from `offset`, the file opened for reading only.
// A file that ends before the block does is a ShortRead, never a partial block.
Result<Bytes> readBlock(const std::string& path, std::uint64_t offset, std::size_t length);

// True when nothing at all stands at `path`, not even a link to nothing.
bool nothingAt(const std::string& path);

// True when both paths name the same existing file (device and inode, links
// followed); false when either cannot be asked.
bool sameFile(const std::string& a, const std::string& b);

// One whole file to write.
struct OutputFile {
    std::string path;
    Bytes bytes;
};

// Replaces or creates every file as one step. Each target that exists must be
// a regular file or a link to one (a link stays and its target is replaced;
// the replaced file keeps its mode). Every file goes to a temporary file beside
// its target and is flushed to the disk (fsync); only when all are written are
// they renamed into place, and the folders flushed before success is returned.
// Each replaced file is kept under a second name until the last rename has
// succeeded: a failure at any point leaves every file as it was, with no
// temporary file left. The cleanup signals (temporary_files.h) wait until the
// renames, or their undoing, are done.
Result<void> writeFilesAtomically(const std::vector<OutputFile>& files);

// writeFilesAtomically into `folder`, which is made first, with any missing
// folder above it, when it is not there. When the write fails, the folders
// made here are removed again.
Result<void> writeFilesIntoFolder(const std::string& folder, const std::vector<OutputFile>& files);

// Holds an exclusive lock on a folder (flock) for its lifetime: every atomic
// write holds the lock of each folder it writes into, and the recovery below
// takes it too, so it never mistakes a live write for a dead one. A folder
// that cannot be opened is not locked.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_ = -1;
};

// Finishes what a killed writeFilesAtomically left in `folder` by undoing it:
// each replaced file kept under its hidden ".TITLE.old-" name is put back in
// its place, and hidden ".TITLE.tmp-" files go. Returns the paths put back
// or removed; empty when nothing was left. Only this program's own pattern
// of names is touched.
Result<std::vector<std::string>> recoverInterruptedWrites(const std::string& folder);

// writeFilesAtomically for one file.
Result<void> writeFileAtomically(const std::string& path, const Bytes& data);

// One block to place at an absolute offset of an existing file.
struct Patch {
    std::uint64_t offset;
    Bytes bytes;
};

// Writes the patches into an existing regular file of exactly `expectedLength`
// bytes. Never creates the file and never changes its length: a patch that
// would reach past the end is refused before anything is written. The span
// from the first to the last patched byte is read, overlaid with the patches in
// order and written back with one write call, then flushed to the disk, so a
// kill leaves either the old or the new span.
Result<void> patchFile(const std::string& path, std::uint64_t expectedLength,
                       const std::vector<Patch>& patches);

// Writes `data` into the regular file at `path` itself, keeping its inode,
// for a caller that holds the file open and reads it back (a thumbnail
// service); a missing file is made as writeFileAtomically makes it. Not
// atomic over an existing file: a failure may leave it cut short.
Result<void> writeIntoFile(const std::string& path, const Bytes& data);

// The folder of a path, with its trailing separator: "a/b/c.bmp" -> "a/b/".
// Empty when the path has no separator.
std::string folderOf(const std::string& path);

// The last component of a path: "a/b/c.bmp" -> "c.bmp".
std::string fileTitleOf(const std::string& path);

// `dir` joined to `name` with exactly one separator between them.
std::string joinPath(const std::string& dir, const std::string& name);

namespace detail {
// The system calls that tests replace to count calls or to make one fail:
// the positional write of every writer, the flush of every written file and
// folder, and every rename of the atomic writer.
extern ssize_t (*positionalWrite)(int fd, const void* buffer, std::size_t count, off_t offset);
extern int (*flushFile)(int fd);
extern int (*renameFile)(const char* from, const char* to);
}  // namespace detail

}  // namespace vireo
