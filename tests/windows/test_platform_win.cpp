// The Windows side of the platform seam, checked on a running system (Windows or Wine): process
// snapshot, user name, version resource, the program key in HKEY_CURRENT_USER, the game's installation
// keys in the 32-bit view of HKEY_LOCAL_MACHINE, and the named mutex against a second copy.
// Plain C++ without Qt; scripts/test-windows cross-builds it with mingw-w64 and runs it under Wine.
#include "app/platform/Platform.h"
#include "app/platform/ProcessMatch.h"
#include "app/platform/ProcessWatch.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

int failures = 0;

void Check(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    if (!ok) {
        ++failures;
    }
}

std::string OwnPath() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, n);
}

// Writes "InstallDir" under HKLM the way the game's 32-bit installer leaves it: below WOW6432Node.
bool WriteInstallKey(const wchar_t* path, const wchar_t* value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE | KEY_WOW64_32KEY, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LSTATUS status = RegSetValueExW(key, L"InstallDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                          static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

std::string ReadRawProgramValue(const wchar_t* name) {
    wchar_t buffer[512];
    DWORD size = sizeof(buffer);
    if (RegGetValueW(HKEY_CURRENT_USER, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Skylathe", name,
                     RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) {
        return "(missing)";
    }
    char utf8[1024];
    const int n = WideCharToMultiByte(CP_UTF8, 0, buffer, -1, utf8, sizeof(utf8), nullptr, nullptr);
    return n > 0 ? std::string(utf8, static_cast<size_t>(n - 1)) : std::string();
}

// Starts this program again as a second copy; its exit code tells what the guard said there.
DWORD RunSecondCopy() {
    std::string command = "\"" + OwnPath() + "\" --second-copy";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return 99;
    }
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 98;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--second-copy") {
        return platform::AcquireSingleInstanceGuard() == platform::GuardResult::AlreadyRunning ? 0 : 1;
    }

    // Process snapshot: this very program is among the running executables.
    const std::string own = platform::UpperAscii(platform::FileNamePart(OwnPath()));
    const std::vector<std::string> names = platform::RunningExecutableNames();
    Check(std::any_of(names.begin(), names.end(),
                      [&](const std::string& name) {
                          return platform::UpperAscii(platform::FileNamePart(name)) == own;
                      }),
          "the process snapshot holds " + own + " (" + std::to_string(names.size()) + " processes)");

    platform::ProcessWatch watch;
    Check(watch.IsRunning("TEST_PLATFORM_WIN.EXE") && !watch.IsRunning("Velmora.exe"),
          "the game watch finds this program by name, in any letter case, and not the game");

    try {
        const std::string user = platform::CurrentUserName();
        Check(!user.empty(), "user name \"" + user + "\"");
    } catch (const platform::PlatformError& error) {
        Check(false, std::string("user name: ") + error.what());
    }

    const auto version = platform::OwnFileVersion();
    Check(version && (*version == std::array<int, 4>{18, 3, 7, 3}),
          "file version 18.3.7.3 from the version resource");

    // The program key round-trips at its registry path.
    const platform::NamedValues values = {
        {"GameLocation", "C:\\Games\\Velmora"},
        {"ModLocation", "C:\\Games\\Velmora\\mods\\"},
        {"ModLoader", "0.9.4"},
        {"PrgPath", "C:\\Programme\\Skylathe\\"},
        {"Help", "0"},
        {"DPVer", "18.3.7.3"},
        {"Company", "Skylathe-Projekt"},
        {"TimeStamp", "11.12.2026"},
        {"DeleteYard", "0"},
    };
    try {
        platform::DeleteProgramKey();
        Check(!platform::ProgramKeyExists(), "no program key before the first write");
        Check(platform::ReadProgramValues().empty() && platform::ReadProgramValue("GameLocation").empty(),
              "a missing key reads as empty");
        platform::WriteProgramValues({{"Stale", "1"}});
        platform::DeleteProgramKey();
        platform::WriteProgramValues(values);
        Check(platform::ProgramKeyExists(), "the program key exists after writing");
        // Windows lists values in creation order, Wine by name: the set is compared.
        platform::NamedValues read = platform::ReadProgramValues();
        platform::NamedValues expected = values;
        std::sort(read.begin(), read.end());
        std::sort(expected.begin(), expected.end());
        Check(read == expected, "the nine values read back (" + std::to_string(read.size()) + ")");
        Check(platform::ReadProgramValue("ModLocation") == "C:\\Games\\Velmora\\mods\\",
              "ModLocation by name");
        Check(ReadRawProgramValue(L"GameLocation") == "C:\\Games\\Velmora",
              "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Skylathe holds GameLocation");
        platform::WriteProgramValues({{"GameLocation", "D:\\Spiele\\Velmora \xc3\xa4\xc3\xb6\xc3\xbc"}});
        Check(platform::ReadProgramValue("GameLocation") == "D:\\Spiele\\Velmora \xc3\xa4\xc3\xb6\xc3\xbc",
              "non-ASCII text round-trips as UTF-8");
        platform::DeleteProgramKey();
        Check(!platform::ProgramKeyExists() && ReadRawProgramValue(L"GameLocation") == "(missing)",
              "the program key is gone after deleting");
        platform::DeleteProgramKey();
        Check(true, "deleting a missing key is fine");
    } catch (const platform::PlatformError& error) {
        Check(false, std::string("program key: ") + error.what());
    }

    // The installation keys, read from the 32-bit view of HKLM.
    Check(platform::ReadInstallDir(platform::InstallKey::Publisher).empty(), "no publisher key yet");
    Check(WriteInstallKey(L"SOFTWARE\\Kestrow\\Velmora", L"C:\\Games\\Velmora") &&
              WriteInstallKey(L"SOFTWARE\\Kestrow\\Launcher\\Installs\\4553", L"D:\\Launcher\\Velmora\\"),
          "installation keys written by a 32-bit installer");
    Check(platform::ReadInstallDir(platform::InstallKey::Publisher) == "C:\\Games\\Velmora",
          "publisher key from HKLM\\SOFTWARE\\WOW6432Node\\Kestrow\\Velmora");
    Check(platform::ReadInstallDir(platform::InstallKey::Launcher) == "D:\\Launcher\\Velmora\\",
          "launcher key from HKLM\\SOFTWARE\\WOW6432Node\\Kestrow\\Launcher\\Installs\\4553");
    const auto dirs = platform::ReadInstallDirs(platform::InstallKey::Publisher);
    Check(dirs.size() == 1 && dirs[0].value == "C:\\Games\\Velmora" && dirs[0].winePrefix.empty(),
          "the publisher key is the only place it is kept");
    Check(platform::SteamLibraryFolders().empty() && platform::MapWinePath("C:\\x", "C:\\y").empty(),
          "no Linux sources on Windows");

    // The single-instance guard.
    Check(platform::AcquireSingleInstanceGuard() == platform::GuardResult::Acquired,
          "the first copy takes the mutex");
    Check(RunSecondCopy() == 0, "a second copy is refused");

    std::printf("%s: %d failure(s)\n", failures == 0 ? "PASSED" : "FAILED", failures);
    return failures == 0 ? 0 : 1;
}
