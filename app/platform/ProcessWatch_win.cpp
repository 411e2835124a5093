#include "app/platform/ProcessWatch.h"

#include "app/platform/Platform.h"
#include "app/platform/ProcessMatch.h"

// Windows hands out the whole process list in one snapshot; there is nothing to keep between looks.

namespace platform {

struct ProcessWatch::State {
    std::size_t processes = 0;
};

ProcessWatch::ProcessWatch() : m_state(std::make_unique<State>()) {}

ProcessWatch::ProcessWatch(std::string) : ProcessWatch() {}

ProcessWatch::~ProcessWatch() = default;

bool ProcessWatch::IsRunning(const std::string& wanted, Clock::time_point) {
    const std::vector<std::string> names = RunningExecutableNames();
    m_state->processes = names.size();
    return AnyExecutableMatches(names, wanted);
}

std::size_t ProcessWatch::FilesReadByLastLook() const {
    return 0;
}

bool ProcessWatch::ListedByLastLook() const {
    return true;
}

std::size_t ProcessWatch::KnownProcesses() const {
    return m_state->processes;
}

} // namespace platform
