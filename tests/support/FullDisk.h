#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

// A real full disk for tests: a tiny tmpfs mounted in a private mount namespace, so nothing outside the
// test process sees it. enterPrivateMountNamespace() must run first in main(), before Qt starts a thread.
namespace fulldisk {

inline QString& namespaceProblem() {
    static QString problem = QStringLiteral("kein privater Mount-Namensraum angefordert");
    return problem;
}

inline void enterPrivateMountNamespace() {
    if (::unshare(CLONE_NEWNS) != 0) {
        namespaceProblem() =
            QStringLiteral("unshare(CLONE_NEWNS): %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        namespaceProblem() =
            QStringLiteral("mount --make-rprivate /: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    namespaceProblem().clear();
}

// Mounts a tmpfs of the given size on the (existing) folder. Empty on success, otherwise the reason.
inline QString mountTinyDisk(const QString& folder, qint64 bytes) {
    if (!namespaceProblem().isEmpty()) {
        return namespaceProblem();
    }
    const QByteArray options = "size=" + QByteArray::number(bytes);
    if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                options.constData()) != 0) {
        return QStringLiteral("mount tmpfs: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
    }
    return QString();
}

inline void unmount(const QString& folder) {
    ::umount2(QFile::encodeName(folder).constData(), MNT_DETACH);
}

inline QString fillerPath(const QString& folder) {
    return folder + QStringLiteral("/.filler");
}

// Writes a filler file until not one more byte fits.
inline void fill(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(fillerPath(folder)).constData(), O_CREAT | O_WRONLY | O_APPEND, 0644);
    if (fd < 0) {
        return;
    }
    char block[4096] = {};
    while (::write(fd, block, sizeof block) > 0) {
    }
    while (::write(fd, block, 1) > 0) {
    }
    ::close(fd);
}

inline void makeRoom(const QString& folder) {
    QFile::remove(fillerPath(folder));
}

} // namespace fulldisk
