#include "app/ProgramFolder.h"

#include "data/Folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

bool IsInstalled(const QString& executableFolder) {
#ifdef Q_OS_LINUX
    // Below /usr lie packages; even an administrator's start keeps its data out of there.
    if (QDir::cleanPath(executableFolder).startsWith(QStringLiteral("/usr/")))
        return true;
#endif
    return !QFileInfo(executableFolder).isWritable();
}

QString UserDataLocation() {
#ifdef Q_OS_LINUX
    // A relative XDG_DATA_HOME is to be ignored, never taken relative to the working directory.
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return dataHome;
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#endif
}

} // namespace

QString ProgramFolderFor(const QString& executableFolder) {
    if (!IsInstalled(executableFolder))
        return WithTrailingSlash(executableFolder);
    const QString folder = UserDataLocation() + QStringLiteral("/Skylathe/");
    // A folder that cannot be made shows up in the first start's unpacking messages.
    QDir().mkpath(folder);
    return folder;
}
