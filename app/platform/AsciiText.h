#pragma once

// ASCII-only text checks for the files and folder names the platform layer reads: Wine registry keys,
// drive names, Steam's keys and /proc entries are ASCII, and no locale may change how they compare.

#include <cstddef>
#include <string_view>

namespace platform {

inline char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// True for a non-empty run of the digits 0-9.
inline bool IsNumber(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

} // namespace platform
