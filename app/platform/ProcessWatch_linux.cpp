#include "app/platform/ProcessWatch.h"

#include "app/platform/AsciiText.h"

#include "app/platform/ProcFs.h"
#include "app/platform/ProcessMatch.h"

#include <cstdlib>
#include <dirent.h>
#include <iterator>
#include <sys/stat.h>
#include <unordered_map>
#include <vector>

namespace platform {
namespace {

using Clock = ProcessWatch::Clock;

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

// What tells, without listing the process folders, that no process has come or gone: the number of
// processes (the link count of /proc) and the last process id handed out (the end of /proc/loadavg),
// which moves with every new process.
struct TableMark {
    bool valid = false;
    nlink_t processes = 0;
    std::string lastProcessId;
    bool operator!=(const TableMark& other) const {
        return !valid || !other.valid || processes != other.processes || lastProcessId != other.lastProcessId;
    }
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
    bool listed = false;
    TableMark mark;
    Clock::time_point nextListing;
    std::string wanted; // as given to the last look
    std::string commBuffer;
    std::string cmdlineBuffer;

    std::string folderOf(const char* pid) const { return root + "/" + pid; }
    std::string folderOf(long pid) const { return root + "/" + std::to_string(pid); }

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
        if (!process.stat.kernelThread) {
            readNames(folder, process, readComm(folder));
        }
    }

    // Whether a known process is to be read again now: a thread of the kernel never runs a program, and an
    // ended one runs none any more.
    static bool due(const Known& process, Clock::time_point now) {
        return now >= process.nextRead && !process.stat.ended && !process.stat.kernelThread;
    }

    TableMark readMark() {
        TableMark current;
        struct stat folder {};
        if (::stat(root.c_str(), &folder) != 0) {
            return current;
        }
        ++filesRead;
        std::string loadavg;
        if (!ReadProcFile(root + "/loadavg", loadavg, 256)) {
            return current;
        }
        const auto cut = loadavg.find_last_of(' ');
        current.lastProcessId = cut == std::string::npos ? loadavg : loadavg.substr(cut + 1);
        current.processes = folder.st_nlink;
        current.valid = true;
        return current;
    }

    // Lists the process folders: reads the new ones, again the known ones that are due, and forgets those
    // that have gone. False when the folder cannot be listed.
    bool list(Clock::time_point now) {
        DIR* dir = ::opendir(root.c_str());
        if (dir == nullptr) {
            known.clear();
            return false;
        }
        listed = true;
        const bool firstLook = look == 0;
        const unsigned thisLook = ++look;
        while (const dirent* entry = ::readdir(dir)) {
            if (!IsNumber(entry->d_name)) {
                continue;
            }
            const long pid = std::strtol(entry->d_name, nullptr, 10);
            auto [found, isNew] = known.try_emplace(pid);
            Known& process = found->second;
            process.seenInLook = thisLook;
            if (isNew) {
                process.inode = entry->d_ino;
                readNew(folderOf(entry->d_name), process);
                process.nextRead = now + (firstLook ? SpreadOver(kRereadInterval, pid) : kYoungRereadDelay);
                continue;
            }
            if (process.inode != entry->d_ino) {
                const std::string folder = folderOf(entry->d_name);
                ProcessStat stat;
                ++filesRead;
                const bool haveStat = ReadProcessStat(folder, stat);
                process.inode = entry->d_ino;
                if (!haveStat || !process.haveStat || stat.startTime != process.stat.startTime) {
                    process = Known{};
                    process.inode = entry->d_ino;
                    process.seenInLook = thisLook;
                    readNew(folder, process);
                    process.nextRead = now + kYoungRereadDelay;
                    continue;
                }
            }
            if (due(process, now)) {
                reread(folderOf(entry->d_name), process);
                process.nextRead = now + kRereadInterval;
            }
        }
        ::closedir(dir);
        for (auto it = known.begin(); it != known.end();) {
            it = it->second.seenInLook == thisLook ? std::next(it) : known.erase(it);
        }
        return true;
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
    s.listed = false;
    if (wanted != s.wanted) {
        s.wanted = wanted;
        for (auto& [pid, process] : s.known) {
            process.matches = AnyExecutableMatches(process.names, wanted);
        }
    }
    // Taken before the listing, so that a change during it shows at the next look.
    const TableMark mark = s.readMark();
    // An invalid mark differs from every mark, the unset one of the first look included.
    if (mark != s.mark || now >= s.nextListing) {
        if (!s.list(now)) {
            return false;
        }
        s.mark = mark;
        s.nextListing = now + kRereadInterval;
    } else {
        // No process has come or gone: only the known ones that are due are read again.
        for (auto& [pid, process] : s.known) {
            if (State::due(process, now)) {
                s.reread(s.folderOf(pid), process);
                process.nextRead = now + kRereadInterval;
            }
        }
    }

    bool running = false;
    for (auto& [pid, process] : s.known) {
        if (process.matches) {
            // A game that has ended but whose parent has not yet collected it still has its folder.
            ProcessStat stat;
            ++s.filesRead;
            if (ReadProcessStat(s.folderOf(pid), stat) && stat.ended) {
                process.stat.ended = true;
                process.matches = false;
            } else {
                running = true;
            }
        }
    }
    return running;
}

std::size_t ProcessWatch::FilesReadByLastLook() const {
    return m_state->filesRead;
}

bool ProcessWatch::ListedByLastLook() const {
    return m_state->listed;
}

std::size_t ProcessWatch::KnownProcesses() const {
    return m_state->known.size();
}

} // namespace platform
