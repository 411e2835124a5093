#include "app/Services.h"

#include "Version.h"
#include "app/platform/Platform.h"
#include "data/Error.h"

#include <string>

namespace {

// Only the letters a to z are folded, as the game's name is compared the way the system shows it.
std::string UpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

std::string FileNamePart(const std::string& path) {
    const auto cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

} // namespace

bool IsGameRunning(const QString& name) {
    const std::string wanted = UpperAscii(name.toStdString());
    bool running = false;
    for (const std::string& executable : platform::RunningExecutableNames()) {
        const std::string upper = UpperAscii(executable);
        if (UpperAscii(FileNamePart(executable)) == wanted || upper == wanted) {
            running = true;
        }
    }
    return running;
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
