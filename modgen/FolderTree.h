#pragma once

#include <QString>

// Deletes the folder with everything in it. Read-only bits are cleared first; an entry that still resists
// (a file held open by another program) stays where it is and the rest goes on. Symbolic links are removed
// as links, never followed. A missing folder is no error.
void RemoveFolderTree(const QString& folder);

// Copies the folder with all files and subfolders to `target` (created as needed). Every file is written
// atomically; a file or folder that fails to copy is skipped and the copy goes on. Symbolic links are not
// copied.
void CopyFolderTreeSkippingFailures(const QString& source, const QString& target);

// Creates the folder and every missing folder on the way. Throws SkylatheError naming the folder.
void CreateFolderPath(const QString& folder);

// Copies one file atomically over the target. Throws SkylatheError with the system's text.
void CopyFileAtomically(const QString& source, const QString& target);
