#pragma once

// Reading the process list from a /proc tree; the root is a parameter so that it can be tested on a
// fake tree.

#include <string>
#include <vector>

namespace platform {

// For every numeric folder below `procRoot`: the name in "comm" (the kernel cuts it to 15 characters),
// argv[0] from "cmdline", and every further argument ending in ".exe" (any letter case), because a
// Windows program run by Wine shows up as "wine64-preloader C:\...\Game.exe". Unreadable entries (a
// process that just ended, one of another user) are skipped.
std::vector<std::string> ExecutableNamesFromProc(const std::string& procRoot);

} // namespace platform
