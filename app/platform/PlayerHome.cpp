#include "app/platform/PlayerHome.h"

#include "app/platform/LutrisGameFile.h"
#include "app/platform/SmallFile.h"
#include "app/platform/SteamLibraryFile.h"
#include "app/platform/WineRegistry.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace platform {
namespace {

namespace fs = std::filesystem;

// Bounds that keep a strange home from holding up the start.
constexpr std::size_t kMaxLibraryFileBytes = 1 << 20;
constexpr std::size_t kMaxRegistryFileBytes = 64 << 20;
constexpr std::size_t kMaxLutrisFileBytes = 1 << 20;
constexpr std::size_t kMaxFolderEntries = 4096;
constexpr std::size_t kMaxLibraries = 64;
constexpr std::size_t kMaxPrefixes = 512;

constexpr const char* kPublisherKey = "Software\\Wow6432Node\\Kestrow\\Velmora";
constexpr const char* kLauncherKey = "Software\\Wow6432Node\\Kestrow\\Launcher\\Installs\\4553";
constexpr const char* kPublisherKey32 = "Software\\Kestrow\\Velmora";
constexpr const char* kLauncherKey32 = "Software\\Kestrow\\Launcher\\Installs\\4553";

std::string AbsoluteEnv(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

// The folder itself with symbolic links resolved; empty when it is no folder (missing, a loop, a file).
std::string ExistingFolder(const std::string& path) {
    if (path.empty() || path.front() != '/') {
        return {};
    }
    std::error_code error;
    const fs::path resolved = fs::canonical(path, error);
    if (error || !fs::is_directory(resolved, error) || error) {
        return {};
    }
    return resolved.string();
}

void AddOnce(std::vector<std::string>& list, const std::string& folder, std::size_t limit) {
    if (!folder.empty() && list.size() < limit && std::find(list.begin(), list.end(), folder) == list.end()) {
        list.push_back(folder);
    }
}

// The names in `folder`, sorted, at most kMaxFolderEntries of them.
std::vector<std::string> EntryNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end;
         !error && it != end && names.size() < kMaxFolderEntries; it.increment(error)) {
        names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> SteamFolders(const PlayerHome& home) {
    std::vector<std::string> roots;
    if (!home.dataHome.empty()) {
        roots.push_back(home.dataHome + "/Steam");
    }
    if (!home.home.empty()) {
        roots.push_back(home.home + "/.local/share/Steam");
        roots.push_back(home.home + "/.steam/steam");
        roots.push_back(home.home + "/.steam/root");
        roots.push_back(home.home + "/.var/app/com.valvesoftware.Steam/.local/share/Steam");
        roots.push_back(home.home + "/snap/steam/common/.local/share/Steam");
    }
    return roots;
}

void AddRegistryPrefix(std::vector<std::string>& prefixes, const std::string& folder) {
    const std::string prefix = ExistingFolder(folder);
    std::error_code error;
    if (!prefix.empty() && fs::is_regular_file(prefix + "/system.reg", error)) {
        AddOnce(prefixes, prefix, kMaxPrefixes);
    }
}

} // namespace

PlayerHome PlayerHome::FromEnvironment() {
    PlayerHome result;
    result.home = AbsoluteEnv("HOME");
    if (result.home.empty()) {
        if (const passwd* pw = getpwuid(geteuid());
            pw != nullptr && pw->pw_dir != nullptr && pw->pw_dir[0] == '/') {
            result.home = pw->pw_dir;
        }
    }
    result.configHome = AbsoluteEnv("XDG_CONFIG_HOME");
    if (result.configHome.empty() && !result.home.empty()) {
        result.configHome = result.home + "/.config";
    }
    result.dataHome = AbsoluteEnv("XDG_DATA_HOME");
    if (result.dataHome.empty() && !result.home.empty()) {
        result.dataHome = result.home + "/.local/share";
    }
    result.winePrefix = AbsoluteEnv("WINEPREFIX");
    return result;
}

std::vector<std::string> SteamLibraries(const PlayerHome& home) {
    std::vector<std::string> libraries;
    for (const std::string& root : SteamFolders(home)) {
        const std::string steam = ExistingFolder(root);
        if (steam.empty()) {
            continue;
        }
        AddOnce(libraries, steam, kMaxLibraries);
        if (const auto vdf = ReadSmallFile(steam + "/steamapps/libraryfolders.vdf", kMaxLibraryFileBytes)) {
            for (const std::string& path : SteamLibraryPaths(*vdf)) {
                AddOnce(libraries, ExistingFolder(path), kMaxLibraries);
            }
        }
    }
    return libraries;
}

std::vector<std::string> WinePrefixes(const PlayerHome& home) {
    std::vector<std::string> prefixes;
    AddRegistryPrefix(prefixes, home.winePrefix);
    if (!home.home.empty()) {
        AddRegistryPrefix(prefixes, home.home + "/.wine");
    }
    for (const std::string& library : SteamLibraries(home)) {
        const std::string compatdata = library + "/steamapps/compatdata";
        for (const std::string& game : EntryNames(compatdata)) {
            AddRegistryPrefix(prefixes, compatdata + "/" + game + "/pfx");
        }
    }
    // Lutris keeps its games below the configuration folder, newer versions below the data folder.
    for (const std::string& lutris : {home.configHome, home.dataHome}) {
        if (lutris.empty()) {
            continue;
        }
        const std::string games = lutris + "/lutris/games";
        for (const std::string& name : EntryNames(games)) {
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".yml") == 0) {
                if (const auto yml = ReadSmallFile(games + "/" + name, kMaxLutrisFileBytes)) {
                    AddRegistryPrefix(prefixes, LutrisWinePrefix(*yml, home.home));
                }
            }
        }
    }
    return prefixes;
}

std::vector<InstallDirValue> InstallDirsInPrefixes(const PlayerHome& home, InstallKey key) {
    std::vector<InstallDirValue> values;
    for (const std::string& prefix : WinePrefixes(home)) {
        const auto registry = ReadSmallFile(prefix + "/system.reg", kMaxRegistryFileBytes);
        if (!registry) {
            continue;
        }
        // A 32-bit prefix has no 32-bit view of its own: the program's keys lie directly below Software.
        const bool win32 = IsWin32Registry(*registry);
        const char* path = key == InstallKey::Publisher ? (win32 ? kPublisherKey32 : kPublisherKey)
                                                        : (win32 ? kLauncherKey32 : kLauncherKey);
        if (auto value = WineRegistryString(*registry, path, "InstallDir"); value && !value->empty()) {
            values.push_back({std::move(*value), prefix});
        }
    }
    return values;
}

} // namespace platform
