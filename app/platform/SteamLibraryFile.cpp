#include "app/platform/SteamLibraryFile.h"

#include "app/platform/AsciiText.h"

#include <optional>

namespace platform {
namespace {

// Deeper blocks than this are not Steam's; the reader stops there.
constexpr int kMaxDepth = 32;

struct Token {
    enum Kind { Text, Open, Close, End, Bad } kind = End;
    std::string text;
};

class Tokenizer {
public:
    explicit Tokenizer(std::string_view text) : m_text(text) {}

    Token next() {
        skipSpaceAndComments();
        if (m_pos >= m_text.size()) {
            return {Token::End, {}};
        }
        const char c = m_text[m_pos];
        if (c == '{') {
            ++m_pos;
            return {Token::Open, {}};
        }
        if (c == '}') {
            ++m_pos;
            return {Token::Close, {}};
        }
        if (c == '"') {
            ++m_pos;
            std::string out;
            while (m_pos < m_text.size()) {
                const char d = m_text[m_pos++];
                if (d == '"') {
                    return {Token::Text, out};
                }
                if (d == '\\' && m_pos < m_text.size()) {
                    const char e = m_text[m_pos++];
                    out += e == 'n' ? '\n' : e == 't' ? '\t' : e;
                    continue;
                }
                out += d;
            }
            return {Token::Bad, {}};
        }
        // An unquoted word runs to the next space, quote or brace.
        std::string out;
        while (m_pos < m_text.size()) {
            const char d = m_text[m_pos];
            if (d == ' ' || d == '\t' || d == '\r' || d == '\n' || d == '"' || d == '{' || d == '}') {
                break;
            }
            out += d;
            ++m_pos;
        }
        return {Token::Text, out};
    }

private:
    void skipSpaceAndComments() {
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                ++m_pos;
            } else if (c == '/' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '/') {
                const std::size_t end = m_text.find('\n', m_pos);
                m_pos = end == std::string_view::npos ? m_text.size() : end + 1;
            } else {
                return;
            }
        }
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

} // namespace

std::vector<std::string> SteamLibraryPaths(std::string_view vdf) {
    std::vector<std::string> paths;
    Tokenizer tokens(vdf);
    // The keys of the open blocks, outermost first.
    std::vector<std::string> blocks;
    std::optional<std::string> key;
    for (;;) {
        Token token = tokens.next();
        if (token.kind == Token::End || token.kind == Token::Bad) {
            return paths;
        }
        if (token.kind == Token::Close) {
            if (key || blocks.empty()) {
                return paths; // a key without value, or a brace too many
            }
            blocks.pop_back();
            continue;
        }
        if (!key) {
            if (token.kind != Token::Text) {
                return paths;
            }
            key = std::move(token.text);
            continue;
        }
        if (token.kind == Token::Open) {
            if (static_cast<int>(blocks.size()) >= kMaxDepth) {
                return paths;
            }
            blocks.push_back(std::move(*key));
            key.reset();
            continue;
        }
        // A key and its text value.
        const bool inList = !blocks.empty() && EqualsIgnoringCase(blocks.front(), "libraryfolders");
        if (inList && blocks.size() == 2 && IsNumber(blocks[1]) && EqualsIgnoringCase(*key, "path")) {
            paths.push_back(token.text);
        } else if (inList && blocks.size() == 1 && IsNumber(*key)) {
            paths.push_back(token.text);
        }
        key.reset();
    }
}

} // namespace platform
