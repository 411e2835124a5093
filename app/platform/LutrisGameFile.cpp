#include "app/platform/LutrisGameFile.h"

namespace platform {
namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

// A plain, 'single' or "double" quoted YAML scalar on one line.
std::string Scalar(std::string_view text) {
    text = Trimmed(text);
    if (text.size() >= 2 && text.front() == '\'' && text.back() == '\'') {
        std::string out;
        text = text.substr(1, text.size() - 2);
        for (std::size_t i = 0; i < text.size(); ++i) {
            out += text[i];
            if (text[i] == '\'' && i + 1 < text.size() && text[i + 1] == '\'') {
                ++i;
            }
        }
        return out;
    }
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        std::string out;
        text = text.substr(1, text.size() - 2);
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\\' && i + 1 < text.size()) {
                ++i;
            }
            out += text[i];
        }
        return out;
    }
    // A comment starts at " #" in a plain scalar.
    const std::size_t comment = text.find(" #");
    return std::string(Trimmed(text.substr(0, comment)));
}

} // namespace

std::string LutrisWinePrefix(std::string_view yml, const std::string& home) {
    bool inSection = false;
    std::size_t pos = 0;
    while (pos < yml.size()) {
        std::size_t end = yml.find('\n', pos);
        if (end == std::string_view::npos) {
            end = yml.size();
        }
        const std::string_view line = yml.substr(pos, end - pos);
        pos = end + 1;
        if (Trimmed(line).empty() || Trimmed(line).front() == '#') {
            continue;
        }
        if (line.front() != ' ' && line.front() != '\t') {
            const std::string_view head = Trimmed(line);
            inSection = head == "game:" || head == "wine:";
            continue;
        }
        if (!inSection) {
            continue;
        }
        const std::string_view entry = Trimmed(line);
        if (entry.substr(0, 7) != "prefix:") {
            continue;
        }
        std::string value = Scalar(entry.substr(7));
        if (value == "~" || value.rfind("~/", 0) == 0) {
            value = home + value.substr(1);
        }
        if (!value.empty()) {
            return value;
        }
    }
    return {};
}

} // namespace platform
