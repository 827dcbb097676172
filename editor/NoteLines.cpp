#include "editor/NoteLines.h"

#include <algorithm>
#include <cstdint>

namespace pw {

namespace {

bool IsBreak(std::uint32_t c) { return c == '\n' || c == '\r'; }
bool IsBlank(std::uint32_t c) { return c == ' ' || c == '\t'; }
bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The character that ends right before `end`: its start, and its code point in cp.
std::size_t CharBefore(const std::string& text, std::size_t end, std::uint32_t& cp) {
    std::size_t at = end - 1;
    while (at > 0 && end - at < 4 && IsContinuation(text[at])) --at;
    const std::size_t length = DecodeUtf8At(text.data(), text.size(), at, cp);
    if (at + length != end) {   // not a whole character: the byte alone
        at = end - 1;
        cp = 0xFFFD;
    }
    return at;
}

// The rest of a character: a UTF-8 continuation byte, or the low half of a surrogate pair.
bool IsTrail(char c) { return IsContinuation(c); }
bool IsTrail(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

template <class Text>
LineColumn LineColumnIn(const Text& text, std::size_t offset) {
    offset = std::min(offset, text.size());
    LineColumn at;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < offset; ++i) {
        const auto c = text[i];
        if (c == '\n' || (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
            ++at.line;
            lineStart = i + 1;
        }
    }
    for (std::size_t i = lineStart; i < offset; ++i)
        if (!IsTrail(text[i]) && text[i] != '\r') ++at.column;
    return at;
}

}  // namespace

LineColumn LineColumnAt(const std::string& text, std::size_t offset) { return LineColumnIn(text, offset); }
LineColumn LineColumnAt(const std::u16string& text, std::size_t units) { return LineColumnIn(text, units); }

long LineCount(const std::string& text) { return LineColumnAt(text, text.size()).line; }

std::size_t LineStart(const std::string& text, long line) {
    if (line < 1) return std::string::npos;
    long at = 1;
    for (std::size_t i = 0; i < text.size() && at < line; ++i) {
        const char c = text[i];
        if (c == '\n' || (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
            if (++at == line) return i + 1;
        }
    }
    return at == line ? 0 : std::string::npos;
}

std::size_t WordStartBefore(const std::string& text, std::size_t caret, const ICharRules& rules) {
    std::size_t at = std::min(caret, text.size());
    if (at == 0) return 0;
    std::uint32_t cp = 0;
    std::size_t before = CharBefore(text, at, cp);
    if (IsBreak(cp)) {
        if (cp == '\n' && before > 0 && text[before - 1] == '\r') --before;
        return before;
    }
    while (at > 0) {
        before = CharBefore(text, at, cp);
        if (!IsBlank(cp)) break;
        at = before;
    }
    if (at == 0 || IsBreak(cp)) return at;   // blanks alone at the start of a line
    const bool word = rules.IsWordChar(cp);
    while (at > 0) {
        before = CharBefore(text, at, cp);
        if (IsBlank(cp) || IsBreak(cp) || rules.IsWordChar(cp) != word) break;
        at = before;
    }
    return at;
}

}  // namespace pw
