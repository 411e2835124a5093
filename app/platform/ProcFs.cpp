#include "app/platform/ProcFs.h"

#include "app/platform/AsciiText.h"
#include "app/platform/Platform.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

bool EndsWithExe(std::string_view text) {
    if (text.size() < 4) {
        return false;
    }
    std::string_view tail = text.substr(text.size() - 4);
    return tail[0] == '.' && (tail[1] | 0x20) == 'e' && (tail[2] | 0x20) == 'x' && (tail[3] | 0x20) == 'e';
}

std::string_view FileNameOf(std::string_view path) {
    const auto cut = path.find_last_of("/\\");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

// The programs that start a Windows program under Wine; while they run, the program's path is an argument.
bool IsWineLoader(std::string_view argv0) {
    const std::string_view name = FileNameOf(argv0);
    return name == "wine" || name == "wine64" || name == "wine-preloader" || name == "wine64-preloader";
}

} // namespace

bool ReadProcFile(const std::string& path, std::string& content, std::size_t maxBytes, bool* cut) {
    content.clear();
    if (cut != nullptr) {
        *cut = false;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW);
    if (fd < 0) {
        return false;
    }
    std::array<char, 4096> chunk{};
    bool ok = true;
    while (true) {
        const ssize_t n = ::read(fd, chunk.data(), chunk.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            // EAGAIN: a FIFO without a writer is empty, not a reason to wait.
            ok = errno == EAGAIN;
            break;
        }
        if (n == 0) {
            break;
        }
        const std::size_t room = maxBytes - content.size();
        if (static_cast<std::size_t>(n) > room) {
            content.append(chunk.data(), room);
            if (cut != nullptr) {
                *cut = true;
            }
            break;
        }
        content.append(chunk.data(), static_cast<std::size_t>(n));
        // /proc hands out a file whole as far as the buffer goes; a short read is its end, which saves the
        // read that would only say so.
        if (static_cast<std::size_t>(n) < chunk.size()) {
            break;
        }
    }
    ::close(fd);
    return ok;
}

std::vector<std::string> ProcessNames(std::string_view comm, std::string_view cmdline, bool cmdlineCut) {
    std::vector<std::string> names;
    while (!comm.empty() && (comm.back() == '\n' || comm.back() == '\0')) {
        comm.remove_suffix(1);
    }
    if (!comm.empty()) {
        names.emplace_back(comm);
    }
    // Arguments end with a NUL each; after a cut the last one is incomplete and does not count.
    std::size_t pos = 0;
    const auto nextArgument = [&](std::string_view& arg) {
        if (pos >= cmdline.size()) {
            return false;
        }
        const std::size_t end = cmdline.find('\0', pos);
        if (end == std::string_view::npos && cmdlineCut) {
            return false;
        }
        const std::size_t stop = end == std::string_view::npos ? cmdline.size() : end;
        arg = cmdline.substr(pos, stop - pos);
        pos = stop + 1;
        return true;
    };
    std::string_view argv0;
    if (!nextArgument(argv0)) {
        return names;
    }
    if (!argv0.empty()) {
        names.emplace_back(argv0);
    }
    if (IsWineLoader(argv0)) {
        std::string_view arg;
        while (nextArgument(arg)) {
            if (EndsWithExe(arg)) {
                names.emplace_back(arg);
                break;
            }
        }
    }
    return names;
}

std::vector<std::string> ExecutableNamesFromProc(const std::string& procRoot) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(procRoot.c_str());
    if (dir == nullptr) {
        return names;
    }
    std::string comm;
    std::string cmdline;
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsNumber(entry->d_name)) {
            continue;
        }
        const std::string base = procRoot + "/" + entry->d_name;
        bool cut = false;
        const bool haveComm = ReadProcFile(base + "/comm", comm, 256);
        const bool haveCmdline = ReadProcFile(base + "/cmdline", cmdline, kMaxCmdlineBytes, &cut);
        if (!haveComm && !haveCmdline) {
            continue;
        }
        for (std::string& name :
             ProcessNames(haveComm ? comm : std::string(), haveCmdline ? cmdline : std::string(), cut)) {
            names.push_back(std::move(name));
        }
    }
    ::closedir(dir);
    return names;
}

std::vector<std::string> RunningExecutableNames() {
    return ExecutableNamesFromProc("/proc");
}

bool ReadProcessStat(const std::string& processFolder, ProcessStat& stat) {
    std::string text;
    if (!ReadProcFile(processFolder + "/stat", text, 4096)) {
        return false;
    }
    // "pid (comm) state ppid ...": the name may hold blanks and parentheses, so fields count from the last
    // ")".
    const auto close = text.rfind(')');
    if (close == std::string::npos) {
        return false;
    }
    const auto number = [](std::string_view field, unsigned long long& value) {
        const std::string digits(field);
        char* stop = nullptr;
        errno = 0;
        value = std::strtoull(digits.c_str(), &stop, 10);
        return errno == 0 && stop != digits.c_str() && *stop == '\0';
    };
    constexpr unsigned long long kKernelThreadFlag = 0x00200000; // PF_KTHREAD
    std::string_view fields(text);
    std::size_t pos = close + 1;
    int field = 2;
    char state = 0;
    unsigned long long flags = 0;
    while (pos < fields.size()) {
        while (pos < fields.size() && (fields[pos] == ' ' || fields[pos] == '\n')) {
            ++pos;
        }
        const std::size_t end = std::min(fields.find_first_of(" \n", pos), fields.size());
        if (end == pos) {
            break;
        }
        ++field;
        const std::string_view value = fields.substr(pos, end - pos);
        if (field == 3) {
            state = value.front();
        } else if (field == 9) {
            if (!number(value, flags)) {
                return false;
            }
        } else if (field == 22) {
            if (!number(value, stat.startTime)) {
                return false;
            }
            stat.ended = state == 'Z' || state == 'X' || state == 'x';
            stat.kernelThread = (flags & kKernelThreadFlag) != 0;
            return true;
        }
        pos = end;
    }
    return false;
}

} // namespace platform
