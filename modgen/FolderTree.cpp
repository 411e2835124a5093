#include "modgen/FolderTree.h"

#include "data/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QDir::Filters kEverything = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;

void makeWritable(const QString& path) {
    QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner | QFile::WriteUser);
}

void removeEntries(const QString& folder) {
    makeWritable(folder);
    const QFileInfoList entries = QDir(folder).entryInfoList(kEverything);
    for (const QFileInfo& entry : entries) {
        const QString path = entry.absoluteFilePath();
        if (entry.isDir() && !entry.isSymLink()) {
            removeEntries(path);
            QDir().rmdir(path);
        } else {
            if (!entry.isSymLink()) {
                makeWritable(path);
            }
            QFile::remove(path);
        }
    }
}

void copyEntries(const QString& source, const QString& target) {
    CreateFolderPath(target);
    const QFileInfoList entries = QDir(source).entryInfoList(kEverything);
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink()) {
            continue;
        }
        const QString to = target + QLatin1Char('/') + entry.fileName();
        if (entry.isDir()) {
            copyEntries(entry.absoluteFilePath(), to);
        } else if (IsRegularFile(entry.absoluteFilePath())) {
            CopyFileAtomically(entry.absoluteFilePath(), to);
        }
    }
}

} // namespace

void RemoveFolderTree(const QString& folder) {
    const QFileInfo info(folder);
    if (info.isSymLink()) {
        QFile::remove(folder);
        return;
    }
    if (!info.isDir()) {
        return;
    }
    removeEntries(folder);
    QDir().rmdir(folder);
}

void CopyFolderTree(const QString& source, const QString& target) {
    const QFileInfo info(source);
    if (info.isSymLink() || !info.isDir()) {
        return;
    }
    copyEntries(source, target);
}
