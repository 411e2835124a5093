#include "app/platform/SmallFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t limit) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::size_t>(st.st_size) > limit) {
        return std::nullopt;
    }
    // O_NONBLOCK: a FIFO put in place between the check and the open must not hang the start.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return std::nullopt;
    }
    std::optional<std::string> content;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        std::string data;
        data.resize(static_cast<std::size_t>(st.st_size) + 1);
        std::size_t filled = 0;
        bool failed = false;
        while (filled < data.size()) {
            const ssize_t n = ::read(fd, data.data() + filled, data.size() - filled);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                failed = true;
                break;
            }
            if (n == 0) {
                break;
            }
            filled += static_cast<std::size_t>(n);
            // A file that grows while it is read is read no further than the limit.
            if (filled == data.size() && filled <= limit) {
                data.resize(std::min(limit + 1, data.size() * 2));
            }
        }
        if (!failed && filled <= limit) {
            data.resize(filled);
            content = std::move(data);
        }
    }
    ::close(fd);
    return content;
}

} // namespace platform
