#pragma once

// The seam between the program and the operating system. Plain C++ without Qt, so that the Windows side
// builds on its own. Texts are UTF-8.

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace platform {

// A failing system call; the message is German and names the file or key concerned.
class PlatformError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The executable names of all running processes, one snapshot. A process may contribute several names
// (on Linux: the kernel's process name, argv[0] and arguments naming a Windows program run by Wine).
// Names are reported as the system gives them, possibly with a folder part.
std::vector<std::string> RunningExecutableNames();

// The logon name of the current account. Throws PlatformError when the system cannot tell it.
std::string CurrentUserName();

// The file version of the own executable (major, minor, release, build) where the system keeps one in
// the executable; none on Linux, where the build's version is used.
std::optional<std::array<int, 4>> OwnFileVersion();

// ---- the program's own settings key (the registry key under the current user on Windows) -------------
using NamedValues = std::vector<std::pair<std::string, std::string>>;

bool ProgramKeyExists();
// The value `name` of the program key; empty when the key or the value is missing.
std::string ReadProgramValue(const std::string& name);
// The values of the program key in stored order; empty when the key is missing.
NamedValues ReadProgramValues();
// Removes the key with all its values; a missing key is fine. Throws PlatformError on failure.
void DeleteProgramKey();
// Creates the key when missing and writes the values in the given order, replacing what it held.
// Throws PlatformError on failure.
void WriteProgramValues(const NamedValues& values);

// ---- the game's installation keys (read only) --------------------------------------------------------
enum class InstallKey {
    Publisher, // the publisher's key of the game
    Launcher,  // the game's entry in the publisher's launcher
};
// The "InstallDir" value of the key, unchanged; empty when the key or the value is missing.
std::string ReadInstallDir(InstallKey key);

// One stored "InstallDir" value and the Wine prefix whose registry holds it (empty for the system's own
// key, whose value names a folder of this system).
struct InstallDirValue {
    std::string value;
    std::string winePrefix;
};
// Every place the key is kept, in the order they are consulted: the system's own key first (on Linux its
// stand-in file), then, on Linux, the registry of every Wine and Proton prefix of the player. Empty
// values are left out.
std::vector<InstallDirValue> ReadInstallDirs(InstallKey key);

// The folder of this system that a Windows path of the prefix names, through the prefix's drive links;
// empty when it names none (no drive letter, an unmapped drive). Linux only; empty on Windows.
std::string MapWinePath(const std::string& winePrefix, const std::string& windowsPath);

// The player's Steam library folders (Linux: native, Flatpak and Snap Steam); empty where there are none.
std::vector<std::string> SteamLibraryFolders();

// ---- single-instance guard ---------------------------------------------------------------------------
enum class GuardResult { Acquired, AlreadyRunning };
// Takes the system-wide token "Skylathe" for this process and keeps it until the process ends.
// Throws PlatformError when the token cannot be created at all.
GuardResult AcquireSingleInstanceGuard();

} // namespace platform
