#pragma once

// Where a Linux player's Steam, Proton, Wine and Lutris keep the game: the sources the discovery reads
// besides the program's own settings. Every folder comes from a home that is passed in, so that the
// search can run on a made-up home.

#include "app/platform/Platform.h"

#include <string>
#include <vector>

namespace platform {

struct PlayerHome {
    std::string home;       // $HOME
    std::string configHome; // $XDG_CONFIG_HOME, default home + "/.config"
    std::string dataHome;   // $XDG_DATA_HOME, default home + "/.local/share"
    std::string winePrefix; // $WINEPREFIX, may be empty

    // The home of the running account, from the environment (relative values are ignored).
    static PlayerHome FromEnvironment();
};

// The Steam libraries of the native, the Flatpak and the Snap Steam: each Steam folder itself and every
// folder its "steamapps/libraryfolders.vdf" names, in that order, each once (symbolic links resolved),
// existing folders only.
std::vector<std::string> SteamLibraries(const PlayerHome& home);

// The Wine prefixes: $WINEPREFIX, "~/.wine", every Proton prefix ("steamapps/compatdata/*/pfx" of every
// Steam library) and the prefixes of the Lutris games ("lutris/games/*.yml" below the configuration and
// the data folder), in that order, each once; only folders holding a "system.reg".
std::vector<std::string> WinePrefixes(const PlayerHome& home);

// The "InstallDir" values of the installation key in the registry of each prefix, in prefix order.
std::vector<InstallDirValue> InstallDirsInPrefixes(const PlayerHome& home, InstallKey key);

} // namespace platform
