#include "app/Services.h"

#include "Version.h"
#include "app/platform/Platform.h"
#include "app/platform/ProcessMatch.h"
#include "app/platform/ProcessWatch.h"
#include "data/Error.h"

QString GameExecutableName() {
    return QStringLiteral("Velmora.exe");
}

bool IsGameRunning(const QString& name) {
    return platform::AnyExecutableMatches(platform::RunningExecutableNames(), name.toStdString());
}

bool IsGameRunningWatched(const QString& name) {
    static platform::ProcessWatch watch;
    return watch.IsRunning(name.toStdString());
}

QString GetProgramVersion() {
    if (const auto version = platform::OwnFileVersion()) {
        return QString::asprintf("%d.%d.%d.%d", (*version)[0], (*version)[1], (*version)[2], (*version)[3]);
    }
    return QString::asprintf("%d.%d.%d.%d", SKYLATHE_VERSION_MAJOR, SKYLATHE_VERSION_MINOR,
                             SKYLATHE_VERSION_PATCH, SKYLATHE_VERSION_TWEAK);
}

QString GetCurrentUserName() {
    try {
        return QString::fromStdString(platform::CurrentUserName());
    } catch (const platform::PlatformError& error) {
        throw SkylatheError(QString::fromStdString(error.what()));
    }
}
