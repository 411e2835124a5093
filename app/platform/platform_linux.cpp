#include "app/platform/Platform.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <pwd.h>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// The registry stand-ins are small "Name=Value" files, UTF-8, one value per line, in the XDG folders:
//   program key:        $XDG_CONFIG_HOME/Skylathe/ProgramKey.ini        (default ~/.config)
//   publisher key:      <each of $XDG_CONFIG_DIRS>/Kestrow/Velmora.ini   (default /etc/xdg)
//   launcher key:       <each of $XDG_CONFIG_DIRS>/Kestrow/Launcher/Installs/4553.ini
//   single instance:    $XDG_RUNTIME_DIR/Skylathe.lock (flock; default /tmp)

namespace platform {
namespace {

std::string SystemText(int error) {
    return std::strerror(error);
}

std::string EnvOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::string(value) : fallback;
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return home;
    }
    if (const passwd* pw = getpwuid(geteuid()); pw != nullptr && pw->pw_dir != nullptr) {
        return pw->pw_dir;
    }
    return "/tmp";
}

std::string ConfigHome() {
    return EnvOr("XDG_CONFIG_HOME", HomeFolder() + "/.config");
}

std::string ProgramKeyFile() {
    return ConfigHome() + "/Skylathe/ProgramKey.ini";
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool ReadWholeFile(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    content = buffer.str();
    return true;
}

// Lines "Name=Value"; blank lines, comments (";", "#") and section heads ("[") are skipped. The value is
// everything after the first "=", a CR of a CR LF file excepted.
NamedValues ParseValues(const std::string& content) {
    NamedValues values;
    std::istringstream in(content);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const auto start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == ';' || line[start] == '#' || line[start] == '[') {
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string::npos) {
            continue;
        }
        std::string name = line.substr(start, eq - start);
        while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) {
            name.pop_back();
        }
        values.emplace_back(name, line.substr(eq + 1));
    }
    return values;
}

std::string ValueOf(const NamedValues& values, const std::string& name) {
    for (const auto& [key, value] : values) {
        if (key == name) {
            return value;
        }
    }
    return {};
}

void MakeFolders(const std::string& folder) {
    std::string path;
    std::istringstream parts(folder);
    std::string part;
    if (!folder.empty() && folder.front() == '/') {
        path = "/";
    }
    while (std::getline(parts, part, '/')) {
        if (part.empty()) {
            continue;
        }
        path += part;
        if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
            throw PlatformError("Der Ordner \"" + path +
                                "\" kann nicht angelegt werden: " + SystemText(errno));
        }
        path += '/';
    }
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

void WriteAtomically(const std::string& path, const std::string& content) {
    MakeFolders(FolderOf(path));
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        throw PlatformError("Die Datei \"" + path + "\" kann nicht geschrieben werden: " + SystemText(errno));
    }
    const char* data = content.data();
    size_t left = content.size();
    int error = 0;
    while (left > 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            error = errno;
            break;
        }
        data += n;
        left -= static_cast<size_t>(n);
    }
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temp.c_str());
        throw PlatformError("Die Datei \"" + path + "\" kann nicht geschrieben werden: " + SystemText(error));
    }
}

} // namespace

std::string CurrentUserName() {
    if (const passwd* pw = getpwuid(geteuid()); pw != nullptr && pw->pw_name != nullptr && *pw->pw_name) {
        return pw->pw_name;
    }
    const char* user = std::getenv("USER");
    if (user != nullptr && *user != '\0') {
        return user;
    }
    throw PlatformError("Der Name des angemeldeten Benutzers kann nicht ermittelt werden.");
}

std::optional<std::array<int, 4>> OwnFileVersion() {
    return std::nullopt;
}

bool ProgramKeyExists() {
    return FileExists(ProgramKeyFile());
}

NamedValues ReadProgramValues() {
    std::string content;
    if (!ReadWholeFile(ProgramKeyFile(), content)) {
        return {};
    }
    return ParseValues(content);
}

std::string ReadProgramValue(const std::string& name) {
    return ValueOf(ReadProgramValues(), name);
}

void DeleteProgramKey() {
    const std::string path = ProgramKeyFile();
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        throw PlatformError("Die Datei \"" + path + "\" kann nicht gelöscht werden: " + SystemText(errno));
    }
}

void WriteProgramValues(const NamedValues& values) {
    std::string content = "[Skylathe]\n";
    for (const auto& [name, value] : values) {
        // One line per value: a line break inside a value would split it on reading.
        if (name.find_first_of("=\r\n") != std::string::npos ||
            value.find_first_of("\r\n") != std::string::npos) {
            throw PlatformError("Der Wert \"" + name + "\" kann nicht in \"" + ProgramKeyFile() +
                                "\" gespeichert werden, er enthält einen Zeilenumbruch.");
        }
        content += name + "=" + value + "\n";
    }
    WriteAtomically(ProgramKeyFile(), content);
}

std::string ReadInstallDir(InstallKey key) {
    const std::string relative =
        key == InstallKey::Publisher ? "/Kestrow/Velmora.ini" : "/Kestrow/Launcher/Installs/4553.ini";
    std::istringstream dirs(EnvOr("XDG_CONFIG_DIRS", "/etc/xdg"));
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        if (dir.empty()) {
            continue;
        }
        std::string content;
        if (FileExists(dir + relative) && ReadWholeFile(dir + relative, content)) {
            return ValueOf(ParseValues(content), "InstallDir");
        }
    }
    return {};
}

GuardResult AcquireSingleInstanceGuard() {
    static int heldLock = -1;
    if (heldLock >= 0) {
        return GuardResult::Acquired;
    }
    const std::string path = EnvOr("XDG_RUNTIME_DIR", "/tmp") + "/Skylathe.lock";
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        // A lock file of another account in a shared folder can still be locked for reading.
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    }
    if (fd < 0) {
        throw PlatformError("Die Sperrdatei \"" + path +
                            "\" kann nicht angelegt werden: " + SystemText(errno));
    }
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) {
            continue;
        }
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) {
            return GuardResult::AlreadyRunning;
        }
        throw PlatformError("Die Sperrdatei \"" + path +
                            "\" kann nicht gesperrt werden: " + SystemText(error));
    }
    // Held until the process ends; the system releases the lock with the descriptor.
    heldLock = fd;
    return GuardResult::Acquired;
}

} // namespace platform
