#pragma once

// Reading the process list from a /proc tree; the root is a parameter so that it can be tested on a
// fake tree.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The most of a "cmdline" file that is read: argv[0] and a Wine loader's program argument stand at its
// start, and a program can make its command line as long as it likes.
constexpr std::size_t kMaxCmdlineBytes = 64 * 1024;

// Reads a file of a /proc tree, at most `maxBytes` of it, without ever blocking (a FIFO in a fake tree reads
// as empty). False when it cannot be opened or read: the process ended, or the file is not readable.
// `cut` tells whether the file held more than `maxBytes`.
bool ReadProcFile(const std::string& path, std::string& content, std::size_t maxBytes, bool* cut = nullptr);

// The executable names one process contributes: the kernel's process name ("comm", cut to 15 characters),
// argv[0] from "cmdline" (under Wine and Proton the Windows path of the program, "Z:\...\Game.exe"), and
// for a Wine loader as argv[0] ("wine64-preloader C:\...\Game.exe" while a program starts) the first
// argument ending in ".exe". Any other argument is not the program that runs: an editor or a script
// opened on "Game.exe" does not count. `cmdlineCut` drops the argument the cut went through.
std::vector<std::string> ProcessNames(std::string_view comm, std::string_view cmdline,
                                      bool cmdlineCut = false);

// The names of every process below `procRoot` (numeric folders only), read afresh. Entries that cannot be
// read (a process that just ended, one of another user) are skipped.
std::vector<std::string> ExecutableNamesFromProc(const std::string& procRoot);

// From the "stat" file of a process: its start time (field 22, in clock ticks since boot), whether it has
// ended but not yet been collected by its parent, and whether it is a thread of the kernel, which never
// runs a program. False when "stat" cannot be read or parsed.
struct ProcessStat {
    unsigned long long startTime = 0;
    bool ended = false;
    bool kernelThread = false;
};
bool ReadProcessStat(const std::string& processFolder, ProcessStat& stat);

} // namespace platform
