#pragma once

// Reading a file that belongs to another program (Steam, Wine, Lutris) at start-up: only a regular file,
// never more than a fixed size, never blocking on a FIFO or a device.

#include <cstddef>
#include <optional>
#include <string>

namespace platform {

// The whole content of the regular file at `path` (symbolic links followed); none when it is missing,
// not a regular file, unreadable or larger than `limit` bytes.
std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t limit);

} // namespace platform
