#pragma once

#include <string>

namespace vireo {

// Temporary files that must not outlive an interrupted program. The command
// line calls installTemporaryFileCleanup() once at start; from then on SIGINT
// and SIGTERM remove every registered file and end the program with the
// signal's default action. Without it the registry only records.

void installTemporaryFileCleanup();

// Records `path` (absolute or relative to the current folder, which must not
// change meanwhile) and returns its slot, or -1 when the registry is full or
// the path too long; the file is then simply not cleaned up.
int registerTemporaryFile(const std::string& path);

// Forgets the slot returned by registerTemporaryFile; -1 is ignored.
void unregisterTemporaryFile(int slot);

}  // namespace vireo
