#include "options/spelling/SpellTokenizer.h"

#include "options/spelling/SpellWords.h"

namespace pw {

namespace {

bool IsApostrophe(unsigned char c) { return c == '\'' || c == 0x92 || c == 0x91; }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsSpace(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v' || c == 0xA0; }
unsigned char At(std::string_view t, std::size_t i) { return static_cast<unsigned char>(t[i]); }

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (LowerChar(static_cast<unsigned char>(s[i])) != static_cast<unsigned char>(prefix[i])) return false;
    return true;
}

// A run of non-blank characters that is an address: "http://...", "www.", "mailto:", "a@b.c".
bool IsAddress(std::string_view chunk) {
    // Opening quotes and brackets do not hide an address.
    while (!chunk.empty() && !IsWordLetter(At(chunk, 0)) && !IsDigit(At(chunk, 0))) chunk.remove_prefix(1);
    if (chunk.find("://") != std::string_view::npos) return true;
    if (StartsWithNoCase(chunk, "www.") || StartsWithNoCase(chunk, "mailto:")) return true;
    const std::size_t at = chunk.find('@');
    return at != std::string_view::npos && at > 0 && chunk.find('.', at) != std::string_view::npos;
}

}  // namespace

bool NextWordToCheck(std::string_view text, std::size_t pos, WordSpan& out) {
    const std::size_t n = text.size();
    if (pos > n) return false;
    // The blank-delimited run around pos: an address is skipped as a whole.
    std::size_t chunkStart = pos;
    while (chunkStart > 0 && !IsSpace(At(text, chunkStart - 1))) --chunkStart;
    std::size_t i = pos;
    // Inside a word (pos in the middle of one): go to its end first.
    if (i > 0 && i < n && (IsWordLetter(At(text, i - 1)) || IsDigit(At(text, i - 1))))
        while (i < n && (IsWordLetter(At(text, i)) || IsDigit(At(text, i)))) ++i;
    while (i < n) {
        const unsigned char c = At(text, i);
        if (IsSpace(c)) {
            ++i;
            chunkStart = i;
            continue;
        }
        if (i == chunkStart) {
            std::size_t end = i;
            while (end < n && !IsSpace(At(text, end))) ++end;
            if (IsAddress(text.substr(i, end - i))) {
                i = end;
                continue;
            }
        }
        if (!IsWordLetter(c) && !IsDigit(c)) {
            ++i;
            continue;
        }
        // A run of letters and digits, with single apostrophes between letters.
        const std::size_t start = i;
        bool digit = false, lower = false;
        while (i < n) {
            const unsigned char d = At(text, i);
            if (IsWordLetter(d)) {
                lower = lower || IsLowerLetter(d);
            } else if (IsDigit(d)) {
                digit = true;
            } else if (IsApostrophe(d) && i + 1 < n && IsWordLetter(At(text, i + 1)) && IsWordLetter(At(text, i - 1))) {
                // inside the word
            } else {
                break;
            }
            ++i;
        }
        const std::size_t length = i - start;
        if (digit) continue;
        if (!lower && length > 1) continue;   // an abbreviation: "NASA", "OK"
        if (length > 2 && At(text, i - 1) == 's') {   // and its plural: "PDFs"
            bool upper = true;
            for (std::size_t k = start; k + 1 < i && upper; ++k) upper = IsUpperLetter(At(text, k));
            if (upper) continue;
        }
        out.start = start;
        out.length = length;
        return true;
    }
    return false;
}

std::string NormalizeWord(std::string_view word) {
    std::string s(word);
    for (char& c : s)
        if (IsApostrophe(static_cast<unsigned char>(c))) c = '\'';
    return s;
}

}  // namespace pw
