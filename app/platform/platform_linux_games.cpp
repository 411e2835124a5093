// The Linux side of the game's installation keys beyond their stand-in files: the registries of the
// player's Wine and Proton prefixes, and the Steam libraries.
#include "app/platform/Platform.h"
#include "app/platform/PlayerHome.h"
#include "app/platform/WinePrefixPath.h"

namespace platform {

std::vector<InstallDirValue> ReadInstallDirs(InstallKey key) {
    std::vector<InstallDirValue> values;
    if (std::string own = ReadInstallDir(key); !own.empty()) {
        values.push_back({std::move(own), std::string()});
    }
    for (InstallDirValue& value : InstallDirsInPrefixes(PlayerHome::FromEnvironment(), key)) {
        values.push_back(std::move(value));
    }
    return values;
}

std::string MapWinePath(const std::string& winePrefix, const std::string& windowsPath) {
    return MapPrefixPath(winePrefix, windowsPath);
}

std::vector<std::string> SteamLibraryFolders() {
    return SteamLibraries(PlayerHome::FromEnvironment());
}

} // namespace platform
