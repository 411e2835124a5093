#pragma once

// The comparison of the game check: only the letters a to z are folded to upper case; a name matches
// when its file-name part (after the last "/" or "\") or the whole name equals the wanted name.

#include <string>
#include <vector>

namespace platform {

std::string UpperAscii(std::string text);
std::string FileNamePart(const std::string& path);
bool AnyExecutableMatches(const std::vector<std::string>& executableNames, const std::string& wanted);

} // namespace platform
