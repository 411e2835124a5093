#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

// A scratch folder for the whole process, in memory where the system offers one (the checks write files).
inline QString FuzzScratchFolder() {
    static QTemporaryDir dir(
        (QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath()) +
        QStringLiteral("/skylathe-fuzz-XXXXXX"));
    return dir.path();
}
