#pragma once

#include <string>

#include <signal.h>

namespace vireo {

// Temporary files that must not outlive an interrupted program. The command
// line calls installTemporaryFileCleanup() once at start; from then on SIGINT,
// SIGTERM, SIGHUP, SIGQUIT and SIGPIPE remove every registered file and end
// the program with the signal's default action. Without it the registry only
// records.

void installTemporaryFileCleanup();

// Records `path` (absolute or relative to the current folder, which must not
// change meanwhile) and returns its slot, or -1 when the registry is full or
// the path too long; the file is then simply not cleaned up.
int registerTemporaryFile(const std::string& path);

// Forgets the slot returned by registerTemporaryFile; -1 is ignored.
void unregisterTemporaryFile(int slot);

// While one lives, those signals are held in this thread and, should another
// thread take one, only recorded: a step that must not be cut in two (a
// temporary file made and recorded, a set of renames and their undoing) runs
// to its end, and the signal takes effect when the last one goes.
class CleanupSignalsHeld {
public:
    CleanupSignalsHeld();
    ~CleanupSignalsHeld();
    CleanupSignalsHeld(const CleanupSignalsHeld&) = delete;
    CleanupSignalsHeld& operator=(const CleanupSignalsHeld&) = delete;

private:
    sigset_t previous_;
};

}  // namespace vireo
