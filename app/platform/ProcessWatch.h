#pragma once

// The game watch's view of the running processes, asked again and again (every 50 ms). It does not redo
// what cannot have changed. On Linux a look first asks whether any process has come or gone (the number
// of processes and the last process id handed out, two small reads); only then, or once a second anyway,
// it lists /proc, reads the files of the new processes and forgets the ended ones. A known process — the
// same id with the same start time — is read again once a second, to notice one that exec()s into another
// program; a game that has ended but is not yet collected by its parent counts as ended. Plain C++, like
// the rest of the seam.

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

namespace platform {

class ProcessWatch {
public:
    using Clock = std::chrono::steady_clock;

    // How long a known process goes without being read again.
    static constexpr std::chrono::milliseconds kRereadInterval{1000};
    // A process seen for the first time is read once more after this long: a fork caught before its exec.
    static constexpr std::chrono::milliseconds kYoungRereadDelay{50};

    // The system's process list.
    ProcessWatch();
    // On Linux: the /proc tree below `procRoot` (tests use a fake one).
    explicit ProcessWatch(std::string procRoot);
    ~ProcessWatch();
    ProcessWatch(const ProcessWatch&) = delete;
    ProcessWatch& operator=(const ProcessWatch&) = delete;

    // Looks at the process list as of `now` and tells whether a process has the executable name `wanted`
    // (the rule of AnyExecutableMatches over the names of ProcessNames).
    bool IsRunning(const std::string& wanted, Clock::time_point now = Clock::now());

    // The files the last look opened and read (the listing of the process folder not counted).
    std::size_t FilesReadByLastLook() const;
    // Whether the last look listed the process folder.
    bool ListedByLastLook() const;
    // The processes the watch knows after the last look.
    std::size_t KnownProcesses() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace platform
