#include "modgen/FolderTree.h"

#include "data/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

// Streams the file, so that large textures of the yard mod need not fit into memory at once.
bool copyFile(const QString& source, const QString& target, QString* error) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = in.errorString();
        return false;
    }
    QSaveFile out(target);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly)) {
        *error = out.errorString();
        return false;
    }
    char buffer[1 << 16];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0) {
            *error = in.errorString();
            return false;
        }
        if (n == 0) {
            break;
        }
        if (out.write(buffer, n) != n) {
            *error = out.errorString();
            return false;
        }
    }
    if (!out.commit()) {
        *error = out.errorString();
        return false;
    }
    return true;
}

void copyEntries(const QString& source, const QString& target) {
    if (!QDir().mkpath(target)) {
        return;
    }
    const QFileInfoList entries = QDir(source).entryInfoList(kEverything);
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink()) {
            continue;
        }
        const QString to = target + QLatin1Char('/') + entry.fileName();
        if (entry.isDir()) {
            copyEntries(entry.absoluteFilePath(), to);
        } else {
            QString ignored;
            copyFile(entry.absoluteFilePath(), to, &ignored);
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

void CopyFolderTreeSkippingFailures(const QString& source, const QString& target) {
    if (!QFileInfo(source).isDir()) {
        return;
    }
    copyEntries(source, target);
}

void CreateFolderPath(const QString& folder) {
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
        throw SkylatheError(QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden.")
                                .arg(QDir::toNativeSeparators(folder)));
    }
}

void CopyFileAtomically(const QString& source, const QString& target) {
    QString error;
    if (!copyFile(source, target, &error)) {
        throw SkylatheError(
            QStringLiteral("Die Datei „%1“ kann nicht nach „%2“ kopiert werden: %3")
                .arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(target), error));
    }
}
