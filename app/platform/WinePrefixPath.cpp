#include "app/platform/WinePrefixPath.h"

#include "app/platform/AsciiText.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace platform {
namespace {

namespace fs = std::filesystem;

// A folder with more entries than this is not searched for a name in other letter case.
constexpr int kMaxEntriesSearched = 4096;

std::vector<std::string> Components(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (const char c : path) {
        if (c == '\\' || c == '/') {
            if (!part.empty()) {
                parts.push_back(part);
            }
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) {
        parts.push_back(part);
    }
    return parts;
}

// The entry of `folder` named `name`, or one whose name differs only in letter case; `name` itself when
// there is neither (the folder may yet be created).
std::string EntryName(const std::string& folder, const std::string& name) {
    std::error_code error;
    if (fs::exists(fs::path(folder) / name, error)) {
        return name;
    }
    int seen = 0;
    for (fs::directory_iterator it(folder, error), end; !error && it != end && seen < kMaxEntriesSearched;
         it.increment(error), ++seen) {
        const std::string candidate = it->path().filename().string();
        if (EqualsIgnoringCase(candidate, name)) {
            return candidate;
        }
    }
    return name;
}

} // namespace

std::string MapPrefixPath(const std::string& prefix, const std::string& windowsPath) {
    std::string path = windowsPath;
    for (const char* device : {"\\\\?\\", "\\??\\", "//?/"}) {
        if (path.rfind(device, 0) == 0) {
            path.erase(0, 4);
            break;
        }
    }
    const bool hasDrive = path.size() >= 3 &&
                          ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z')) &&
                          path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    if (prefix.empty() || prefix.front() != '/' || !hasDrive) {
        return {};
    }
    const std::string drive = std::string(1, LowerAscii(path[0])) + ":";
    std::error_code error;
    fs::path root = fs::canonical(fs::path(prefix) / "dosdevices" / drive, error);
    if (error && drive == "c:") {
        // Without a drive link Wine still keeps C: in the prefix itself.
        root = fs::canonical(fs::path(prefix) / "drive_c", error);
    }
    if (error || !fs::is_directory(root, error)) {
        return {};
    }
    std::string folder = root.string();
    for (const std::string& part : Components(path.substr(3))) {
        if (part == ".") {
            continue;
        }
        if (part == "..") {
            return {}; // a key value never climbs; refuse rather than leave the drive
        }
        const std::string name = EntryName(folder, part);
        folder = folder == "/" ? "/" + name : folder + "/" + name;
    }
    return folder;
}

} // namespace platform
