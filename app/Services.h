#pragma once

#include <QString>

// Small services several parts of the program use. They sit on the platform layer.

// True when a running process has the executable file name `name` (compared case-insensitively for the
// letters a to z, on the file-name part and on the whole executable name).
bool IsGameRunning(const QString& name);

// The program's own version, four numbers joined by ".", for this build "18.3.7.3".
QString GetProgramVersion();

// The logon name of the account the program runs as. Throws SkylatheError when the system call fails.
QString GetCurrentUserName();
