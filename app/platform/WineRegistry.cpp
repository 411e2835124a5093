#include "app/platform/WineRegistry.h"

#include "app/platform/AsciiText.h"

#include <cstdint>

namespace platform {
namespace {

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Reads an escaped string from `line` at `pos` up to the unescaped `end` character and leaves `pos`
// behind it. Escaped \x code units are UTF-16 and may form surrogate pairs. None when `end` is missing.
std::optional<std::string> Unescape(std::string_view line, std::size_t& pos, char end) {
    std::string out;
    std::uint32_t pendingHigh = 0;
    const auto flushHigh = [&] {
        if (pendingHigh != 0) {
            AppendUtf8(out, 0xFFFD);
            pendingHigh = 0;
        }
    };
    const auto appendUnit = [&](std::uint32_t unit) {
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            flushHigh();
            pendingHigh = unit;
            return;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            if (pendingHigh != 0) {
                AppendUtf8(out, 0x10000 + ((pendingHigh - 0xD800) << 10) + (unit - 0xDC00));
                pendingHigh = 0;
            } else {
                AppendUtf8(out, 0xFFFD);
            }
            return;
        }
        flushHigh();
        AppendUtf8(out, unit);
    };
    while (pos < line.size()) {
        const char c = line[pos++];
        if (c == end) {
            flushHigh();
            return out;
        }
        if (c != '\\') {
            flushHigh();
            out += c; // bytes as they stand; Wine itself writes ASCII only
            continue;
        }
        if (pos >= line.size()) {
            return std::nullopt;
        }
        const char e = line[pos++];
        switch (e) {
        case 'a':
            appendUnit('\a');
            break;
        case 'b':
            appendUnit('\b');
            break;
        case 'e':
            appendUnit(0x1B);
            break;
        case 'f':
            appendUnit('\f');
            break;
        case 'n':
            appendUnit('\n');
            break;
        case 'r':
            appendUnit('\r');
            break;
        case 't':
            appendUnit('\t');
            break;
        case 'v':
            appendUnit('\v');
            break;
        case 'x': {
            std::uint32_t unit = 0;
            int digits = 0;
            while (digits < 4 && pos < line.size() && HexDigit(line[pos]) >= 0) {
                unit = unit * 16 + static_cast<std::uint32_t>(HexDigit(line[pos++]));
                ++digits;
            }
            if (digits == 0) {
                appendUnit('x');
            } else {
                appendUnit(unit);
            }
            break;
        }
        default:
            if (e >= '0' && e <= '7') {
                std::uint32_t unit = static_cast<std::uint32_t>(e - '0');
                for (int digits = 1; digits < 3 && pos < line.size() && line[pos] >= '0' && line[pos] <= '7';
                     ++digits) {
                    unit = unit * 8 + static_cast<std::uint32_t>(line[pos++] - '0');
                }
                appendUnit(unit);
            } else {
                flushHigh();
                out += e;
            }
        }
    }
    return std::nullopt;
}

std::string_view NextLine(std::string_view content, std::size_t& pos) {
    const std::size_t start = pos;
    std::size_t end = content.find('\n', pos);
    if (end == std::string_view::npos) {
        end = content.size();
        pos = end;
    } else {
        pos = end + 1;
    }
    std::string_view line = content.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

} // namespace

bool IsWin32Registry(std::string_view content) {
    std::size_t pos = 0;
    // The architecture line stands in the head, before the first key.
    while (pos < content.size()) {
        const std::string_view line = NextLine(content, pos);
        if (!line.empty() && line.front() == '[') {
            return false;
        }
        if (line == "#arch=win32") {
            return true;
        }
    }
    return false;
}

std::optional<std::string> WineRegistryString(std::string_view content, std::string_view keyPath,
                                              std::string_view valueName) {
    std::size_t pos = 0;
    if (NextLine(content, pos) != kHeader) {
        return std::nullopt;
    }
    bool inKey = false;
    while (pos < content.size()) {
        const std::string_view line = NextLine(content, pos);
        if (line.empty()) {
            continue;
        }
        if (line.front() == '[') {
            std::size_t at = 1;
            const std::optional<std::string> name = Unescape(line, at, ']');
            inKey = name && EqualsIgnoringCase(*name, keyPath);
            continue;
        }
        if (!inKey) {
            continue;
        }
        std::size_t at = 0;
        std::optional<std::string> name;
        if (line.front() == '@') {
            name = std::string();
            at = 1;
        } else if (line.front() == '"') {
            at = 1;
            name = Unescape(line, at, '"');
        }
        if (!name || at >= line.size() || line[at] != '=' || !EqualsIgnoringCase(*name, valueName)) {
            continue;
        }
        std::string_view value = line.substr(at + 1);
        if (value.substr(0, 7) == "str(2):") {
            value.remove_prefix(7);
        }
        if (value.empty() || value.front() != '"') {
            return std::nullopt; // a number, binary data or a list: not a text
        }
        std::size_t valuePos = 1;
        return Unescape(value, valuePos, '"');
    }
    return std::nullopt;
}

} // namespace platform
