#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// The one write path of the program. A file is written to a temporary beside its target; every write,
// the sync to the disk and the close are checked, and only then is the temporary renamed over the target.
// Any failure removes the temporary, leaves the previous file byte for byte as it was and throws
// SkylatheError with the system's reason in German.

// Writes the bytes to the path.
void WriteFileAtomically(const QString& path, const QByteArray& bytes);

// Copies a regular file over the target the same way, streaming it. A source that is not a regular file
// (a folder, a FIFO, a device, a socket, a symbolic link) is refused without being opened for reading in a
// way that could block.
void CopyFileAtomically(const QString& source, const QString& target);

// Renames a file or folder within one file system, never replacing a folder. 0 on success, else the
// system's reason as an errno value (for SystemErrorText).
int RenamePath(const QString& from, const QString& to);

// Creates the folder and every missing folder on the way. Throws SkylatheError naming the folder and the
// system's reason.
void CreateFolderPath(const QString& folder);

// Reads a whole regular file (never blocking on a FIFO or a device). Throws SkylatheError naming the file and
// the system's reason.
QByteArray ReadFileBytes(const QString& path);

// True for a regular file (not followed through a symbolic link).
bool IsRegularFile(const QString& path);

class StagedFile;

// Several files that replace their targets together: each is written completely as a temporary beside its
// target first; commit() renames them into place only when all are complete. Until then, and when the
// batch is dropped without commit, the targets are untouched; the temporaries and the folders the batch
// created are removed again.
class FileBatch {
public:
    FileBatch();
    ~FileBatch();
    FileBatch(const FileBatch&) = delete;
    FileBatch& operator=(const FileBatch&) = delete;

    void createFolder(const QString& folder);
    void write(const QString& path, const QByteArray& bytes);
    void copy(const QString& source, const QString& target);
    // Renames every temporary into place, in the order they were added.
    void commit();
    // Removes the temporaries and the folders created by the batch (as far as they are empty).
    void discard();

private:
    std::vector<std::unique_ptr<StagedFile>> m_files;
    QStringList m_createdFolders;
};
