#pragma once

#include <QString>

// Small services several parts of the program use. They sit on the platform layer.

// The file name of the game's executable, as the game watch and the generation run look for it.
QString GameExecutableName();

// True when a running process has the executable file name `name` (compared case-insensitively for the
// letters a to z, on the file-name part and on the whole executable name).
bool IsGameRunning(const QString& name);

// The same answer for a caller that asks again and again, as the 50 ms game watch does: the process list
// is followed between calls instead of being read whole each time, so a call costs next to nothing while
// nothing changes. A new process or one that ends shows at the next call; one that exec()s into the game
// within a second.
bool IsGameRunningWatched(const QString& name);

// The program's own version, four numbers joined by ".", for this build "18.3.7.3".
QString GetProgramVersion();

// The logon name of the account the program runs as. Throws SkylatheError when the system call fails.
QString GetCurrentUserName();
