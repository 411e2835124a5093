#include "app/platform/ProcessMatch.h"

namespace platform {

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

std::string FileNamePart(const std::string& path) {
    const auto cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool AnyExecutableMatches(const std::vector<std::string>& executableNames, const std::string& wanted) {
    const std::string upperWanted = UpperAscii(wanted);
    bool found = false;
    for (const std::string& executable : executableNames) {
        if (UpperAscii(FileNamePart(executable)) == upperWanted || UpperAscii(executable) == upperWanted) {
            found = true;
        }
    }
    return found;
}

} // namespace platform
