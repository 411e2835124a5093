#pragma once

#include <QString>

// The folders the program works with. Folder values end with "/", GameFolder excepted.
struct Folders {
    QString ProgramFolder;  // folder of the running executable
    QString DataFolder;     // ProgramFolder + "XMLD/": the data folder, the program's only store
    QString OriginalFolder; // ProgramFolder + "ORG/": sources of the data preparation command
    QString GameFolder;     // the game's installation folder, without trailing delimiter
    QString ModFolder;      // the game's mods folder, normally GameFolder + "/mods/"

    // DataFolder and OriginalFolder derived from the program folder (a trailing "/" is added).
    static Folders ForProgramFolder(const QString& programFolder);
};

// The running program's folders, set by the start-up sequence.
Folders& AppFolders();

// Ensures a trailing "/".
QString WithTrailingSlash(const QString& folder);
