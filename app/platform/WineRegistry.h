#pragma once

// The registry files of a Wine prefix ("system.reg", "user.reg"): text, "WINE REGISTRY Version 2" on the
// first line, then sections "[Key\\Path] <time>" followed by lines "\"Name\"=\"Text\"" (or
// "str(2):\"Text\"" for an expandable text). Names and texts escape "\\", "\"", control characters and
// non-ASCII characters (\n, \x00e4, octal \012).

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The text value `valueName` of the key `keyPath` (single backslashes, compared without regard to the
// case of a to z, like the registry does); none when the file is no Wine registry file, the key or the
// value is missing, or the value is not a text. The result is UTF-8.
std::optional<std::string> WineRegistryString(std::string_view content, std::string_view keyPath,
                                              std::string_view valueName);

// True when the file says it belongs to a 32-bit prefix ("#arch=win32"), where 32-bit programs write
// below "Software" instead of "Software\\Wow6432Node".
bool IsWin32Registry(std::string_view content);

} // namespace platform
