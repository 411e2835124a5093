#pragma once

// Windows paths of a Wine prefix and the folders they stand for: each drive letter is a symbolic link in
// the prefix's "dosdevices" folder ("c:" → "../drive_c", "z:" → "/").

#include <string>

namespace platform {

// The folder of this system that `windowsPath` ("C:\Games\Velmora", "z:/home/me/Velmora",
// "\\?\C:\Games") names inside the prefix; empty when it names none: no drive letter, a drive the prefix
// does not map, a network path. A name whose letter case differs from the folder on disk is matched
// the way Wine matches it. The result has no trailing "/" (the root excepted).
std::string MapPrefixPath(const std::string& prefix, const std::string& windowsPath);

} // namespace platform
