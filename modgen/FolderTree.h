#pragma once

#include "data/AtomicFile.h"

#include <QString>

// Deletes the folder with everything in it. Read-only bits are cleared first; an entry that still resists
// (a file held open by another program) stays where it is and the rest goes on. Symbolic links are removed
// as links, never followed. A missing folder is no error.
void RemoveFolderTree(const QString& folder);

// Copies the folder with all regular files and subfolders to `target` (created as needed). Symbolic links
// are never followed (neither out of the tree nor within it) and special files (FIFOs, sockets, devices)
// are skipped without being opened, so the copy never blocks on one. Every file is written atomically; a
// file or folder that cannot be copied throws SkylatheError with the system's reason.
void CopyFolderTree(const QString& source, const QString& target);
