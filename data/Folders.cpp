#include "data/Folders.h"

QString WithTrailingSlash(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))) {
        return folder;
    }
    return folder + QLatin1Char('/');
}

Folders Folders::ForProgramFolder(const QString& programFolder) {
    Folders f;
    f.ProgramFolder = WithTrailingSlash(programFolder);
    f.DataFolder = f.ProgramFolder + QStringLiteral("XMLD/");
    f.OriginalFolder = f.ProgramFolder + QStringLiteral("ORG/");
    return f;
}

Folders& AppFolders() {
    static Folders folders;
    return folders;
}
