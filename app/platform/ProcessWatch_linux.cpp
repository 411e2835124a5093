#include "app/platform/ProcessWatch.h"

#include "app/platform/ProcFs.h"
#include "app/platform/ProcessMatch.h"

#include <cstdlib>
#include <dirent.h>
#include <unordered_map>
#include <vector>

namespace platform {
namespace {

using Clock = ProcessWatch::Clock;

bool IsNumber(const char* text) {
    if (*text == '\0') {
        return false;
    }
    for (; *text != '\0'; ++text) {
        if (*text < '0' || *text > '9') {
            return false;
        }
    }
    return true;
}

// What the watch remembers of one process id.
struct Known {
    // The folder's inode as the listing reports it: free to compare on every look, and new whenever the
    // kernel makes the folder anew, as for another process with a reused id.
    ino_t inode = 0;
    ProcessStat stat;
    bool haveStat = false;
    std::string comm;
    std::vector<std::string> names;
    bool matches = false;
    Clock::time_point nextRead;
    unsigned seenInLook = 0;
};

// Processes found together (all of them at the first look) are read again at different ticks, so that no
// single tick reads them all.
Clock::duration SpreadOver(Clock::duration interval, long pid) {
    const unsigned long long step = static_cast<unsigned long long>(pid) * 2654435761ULL % 1000ULL;
    return interval * static_cast<long long>(step) / 1000;
}

} // namespace

struct ProcessWatch::State {
    std::string root;
    std::unordered_map<long, Known> known;
    unsigned look = 0;
    std::size_t filesRead = 0;
    std::string wanted; // as given to the last look
    std::string commBuffer;
    std::string cmdlineBuffer;

    std::string folderOf(const char* pid) const { return root + "/" + pid; }

    std::string readComm(const std::string& folder) {
        ++filesRead;
        return ReadProcFile(folder + "/comm", commBuffer, 256) ? commBuffer : std::string();
    }

    void readNames(const std::string& folder, Known& process, std::string comm) {
        ++filesRead;
        bool cut = false;
        const bool haveCmdline = ReadProcFile(folder + "/cmdline", cmdlineBuffer, kMaxCmdlineBytes, &cut);
        process.names =
            ProcessNames(comm, haveCmdline ? std::string_view(cmdlineBuffer) : std::string_view(), cut);
        process.comm = std::move(comm);
        process.matches = AnyExecutableMatches(process.names, wanted);
    }

    void readNew(const std::string& folder, Known& process) {
        ++filesRead;
        process.haveStat = ReadProcessStat(folder, process.stat);
        readNames(folder, process, readComm(folder));
    }

    // exec() gives a process a new kernel name (the new program's file name, or under Wine the Windows
    // program's), so the name alone tells whether the command line needs reading again.
    void reread(const std::string& folder, Known& process) {
        std::string comm = readComm(folder);
        if (comm != process.comm) {
            readNames(folder, process, std::move(comm));
        }
    }
};

ProcessWatch::ProcessWatch() : ProcessWatch("/proc") {}

ProcessWatch::ProcessWatch(std::string procRoot) : m_state(std::make_unique<State>()) {
    m_state->root = std::move(procRoot);
}

ProcessWatch::~ProcessWatch() = default;

bool ProcessWatch::IsRunning(const std::string& wanted, Clock::time_point now) {
    State& s = *m_state;
    s.filesRead = 0;
    if (wanted != s.wanted) {
        s.wanted = wanted;
        for (auto& [pid, process] : s.known) {
            process.matches = AnyExecutableMatches(process.names, wanted);
        }
    }
    DIR* dir = ::opendir(s.root.c_str());
    if (dir == nullptr) {
        s.known.clear();
        return false;
    }
    const bool firstLook = s.look == 0;
    const unsigned look = ++s.look;
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsNumber(entry->d_name)) {
            continue;
        }
        const long pid = std::strtol(entry->d_name, nullptr, 10);
        auto [found, isNew] = s.known.try_emplace(pid);
        Known& process = found->second;
        process.seenInLook = look;
        if (isNew) {
            process.inode = entry->d_ino;
            s.readNew(s.folderOf(entry->d_name), process);
            process.nextRead = now + (firstLook ? SpreadOver(kRereadInterval, pid) : kYoungRereadDelay);
            continue;
        }
        if (process.inode != entry->d_ino) {
            const std::string folder = s.folderOf(entry->d_name);
            ProcessStat stat;
            ++s.filesRead;
            const bool haveStat = ReadProcessStat(folder, stat);
            process.inode = entry->d_ino;
            if (!haveStat || !process.haveStat || stat.startTime != process.stat.startTime) {
                process = Known{};
                process.inode = entry->d_ino;
                process.seenInLook = look;
                s.readNew(folder, process);
                process.nextRead = now + kYoungRereadDelay;
                continue;
            }
        }
        if (now >= process.nextRead && !process.stat.ended) {
            s.reread(s.folderOf(entry->d_name), process);
            process.nextRead = now + kRereadInterval;
        }
    }
    ::closedir(dir);

    bool running = false;
    for (auto it = s.known.begin(); it != s.known.end();) {
        if (it->second.seenInLook != look) {
            it = s.known.erase(it);
            continue;
        }
        Known& process = it->second;
        if (process.matches) {
            // A game that has ended but whose parent has not yet collected it still has its folder.
            ProcessStat stat;
            ++s.filesRead;
            if (ReadProcessStat(s.folderOf(std::to_string(it->first).c_str()), stat) && stat.ended) {
                process.stat.ended = true;
                process.matches = false;
            } else {
                running = true;
            }
        }
        ++it;
    }
    return running;
}

std::size_t ProcessWatch::FilesReadByLastLook() const {
    return m_state->filesRead;
}

std::size_t ProcessWatch::KnownProcesses() const {
    return m_state->known.size();
}

} // namespace platform
