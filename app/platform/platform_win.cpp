#include "app/platform/Platform.h"

// <windows.h> first: <tlhelp32.h> relies on its types.
#include <windows.h>

#include <tlhelp32.h>

#include <memory>

// The Windows side: the registry, a named mutex, the Toolhelp process snapshot and the version resource.

namespace platform {
namespace {

constexpr const wchar_t* kProgramKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Skylathe";
constexpr const wchar_t* kPublisherKey = L"SOFTWARE\\WOW6432Node\\Kestrow\\Velmora";
constexpr const wchar_t* kLauncherKey = L"SOFTWARE\\WOW6432Node\\Kestrow\\Launcher\\Installs\\4553";

std::wstring Wide(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

std::string SystemText(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n > 0 && buffer != nullptr ? std::wstring(buffer, n) : std::wstring();
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    return Utf8(text);
}

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using Key = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

Key OpenKey(HKEY root, const wchar_t* path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path, 0, access, &key) != ERROR_SUCCESS) {
        return Key();
    }
    return Key(key);
}

std::string ReadString(HKEY key, const std::wstring& name) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return {};
    }
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    value.resize(wcsnlen(value.c_str(), value.size()));
    return Utf8(value);
}

} // namespace

std::vector<std::string> RunningExecutableNames() {
    std::vector<std::string> names;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return names;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        names.push_back(Utf8(entry.szExeFile));
    }
    CloseHandle(snapshot);
    return names;
}

std::string CurrentUserName() {
    wchar_t buffer[257];
    DWORD size = 257;
    if (!GetUserNameW(buffer, &size)) {
        throw PlatformError("Der Name des angemeldeten Benutzers kann nicht ermittelt werden: " +
                            SystemText(GetLastError()));
    }
    return Utf8(std::wstring(buffer, size > 0 ? size - 1 : 0));
}

std::optional<std::array<int, 4>> OwnFileVersion() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length == MAX_PATH) {
        return std::nullopt;
    }
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &handle);
    if (size == 0) {
        return std::nullopt;
    }
    std::string data(size, '\0');
    if (!GetFileVersionInfoW(path, 0, size, data.data())) {
        return std::nullopt;
    }
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) || info == nullptr) {
        return std::nullopt;
    }
    return std::array<int, 4>{
        static_cast<int>(HIWORD(info->dwFileVersionMS)), static_cast<int>(LOWORD(info->dwFileVersionMS)),
        static_cast<int>(HIWORD(info->dwFileVersionLS)), static_cast<int>(LOWORD(info->dwFileVersionLS))};
}

bool ProgramKeyExists() {
    return static_cast<bool>(OpenKey(HKEY_CURRENT_USER, kProgramKey, KEY_READ));
}

std::string ReadProgramValue(const std::string& name) {
    Key key = OpenKey(HKEY_CURRENT_USER, kProgramKey, KEY_READ);
    return key ? ReadString(key.get(), Wide(name)) : std::string();
}

NamedValues ReadProgramValues() {
    NamedValues values;
    Key key = OpenKey(HKEY_CURRENT_USER, kProgramKey, KEY_READ);
    if (!key) {
        return values;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD nameLength = 16384;
        if (RegEnumValueW(key.get(), index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        const std::wstring valueName(name, nameLength);
        values.emplace_back(Utf8(valueName), ReadString(key.get(), valueName));
    }
    return values;
}

void DeleteProgramKey() {
    const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, kProgramKey);
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
        throw PlatformError("Der Registrierungsschlüssel \"HKEY_CURRENT_USER\\" + Utf8(kProgramKey) +
                            "\" kann nicht gelöscht werden: " + SystemText(static_cast<DWORD>(status)));
    }
}

void WriteProgramValues(const NamedValues& values) {
    HKEY raw = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, kProgramKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_WRITE, nullptr, &raw, nullptr);
    if (status == ERROR_SUCCESS) {
        Key key(raw);
        for (const auto& [name, value] : values) {
            const std::wstring wideValue = Wide(value);
            status = RegSetValueExW(key.get(), Wide(name).c_str(), 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(wideValue.c_str()),
                                    static_cast<DWORD>((wideValue.size() + 1) * sizeof(wchar_t)));
            if (status != ERROR_SUCCESS) {
                break;
            }
        }
    }
    if (status != ERROR_SUCCESS) {
        throw PlatformError("Der Registrierungsschlüssel \"HKEY_CURRENT_USER\\" + Utf8(kProgramKey) +
                            "\" kann nicht geschrieben werden: " + SystemText(static_cast<DWORD>(status)));
    }
}

std::string ReadInstallDir(InstallKey which) {
    // The paths name WOW6432Node themselves, so the 32-bit view is asked for explicitly.
    Key key = OpenKey(HKEY_LOCAL_MACHINE, which == InstallKey::Publisher ? kPublisherKey : kLauncherKey,
                      KEY_READ | KEY_WOW64_32KEY);
    return key ? ReadString(key.get(), L"InstallDir") : std::string();
}

std::vector<InstallDirValue> ReadInstallDirs(InstallKey which) {
    std::string value = ReadInstallDir(which);
    if (value.empty()) {
        return {};
    }
    return {InstallDirValue{std::move(value), std::string()}};
}

std::string MapWinePath(const std::string&, const std::string&) {
    return {};
}

std::vector<std::string> SteamLibraryFolders() {
    return {};
}

GuardResult AcquireSingleInstanceGuard() {
    // Never closed: the system releases the mutex when the process ends.
    HANDLE mutex = CreateMutexW(nullptr, TRUE, L"Skylathe");
    if (mutex == nullptr) {
        throw PlatformError("Die Programmsperre \"Skylathe\" kann nicht angelegt werden: " +
                            SystemText(GetLastError()));
    }
    return GetLastError() == ERROR_ALREADY_EXISTS ? GuardResult::AlreadyRunning : GuardResult::Acquired;
}

} // namespace platform
