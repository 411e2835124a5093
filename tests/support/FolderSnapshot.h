#pragma once

#include "data/AtomicFile.h"

#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QStringList>

// Relative path → content ("<dir>" for folders) of everything below the folder, hidden entries included;
// entries named in `leftOut` (relative paths) are not listed.
inline QMap<QString, QByteArray> snapshot(const QString& folder, const QStringList& leftOut = {}) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = QDir(folder).relativeFilePath(path);
        if (!leftOut.contains(name)) {
            files.insert(name, it.fileInfo().isDir() ? QByteArray("<dir>") : ReadFileBytes(path));
        }
    }
    return files;
}
