// The note's text inside the program is UTF-8 in a std::string; the note box holds UTF-16.
// These conversions join the two, with the mapping between a position in the box (UTF-16
// units) and one in the text (bytes). A lone surrogate, which the box can hold, travels as its
// own three-byte sequence, so text taken from the box and put back is unchanged. The ANSI code
// page sits behind ICodePage: the system's on Windows, Windows-1252 in tests.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace pw {

// Decodes one character at s[i] (i < n): its code point (a lone surrogate as itself) and the
// bytes it takes. A byte that starts no valid sequence gives U+FFFD and 1.
std::size_t DecodeUtf8At(const char* s, std::size_t n, std::size_t i, std::uint32_t& cp);
void AppendUtf8(std::string& out, std::uint32_t cp);

std::string Utf16ToUtf8(const char16_t* s, std::size_t n);
inline std::string Utf16ToUtf8(const std::u16string& s) { return Utf16ToUtf8(s.data(), s.size()); }
std::u16string Utf8ToUtf16(const std::string& s);

// True when s is well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF).
bool IsValidUtf8(const std::string& s);
bool IsAscii(const std::string& s);
// s with every lone surrogate written as U+FFFD: what a UTF-8 file may hold.
std::string StrictUtf8(const std::string& s);

// Characters of the box (UTF-16 units) that text takes.
std::size_t Utf16Length(const std::string& text);
// The box's position `units` as a byte offset into its text (s holds the box's n units): the
// UTF-8 length of the first `units` units. A position inside a surrogate pair counts from the
// pair's start.
std::size_t Utf8OffsetOfUnits(const char16_t* s, std::size_t n, std::size_t units);
// The other way: the units of the longest whole-character prefix no longer than `bytes`.
std::size_t UnitsOfUtf8Offset(const char16_t* s, std::size_t n, std::size_t bytes);

// The system's single-byte (ANSI) code page.
class ICodePage {
public:
    virtual ~ICodePage() = default;
    virtual std::string ToUtf8(const std::string& ansi) const = 0;
    // False when some character has no code of its own in the code page (it is then written
    // as "?" in ansi); true when ansi holds every character.
    virtual bool ToAnsi(const std::string& utf8, std::string& ansi) const = 0;
};

// Windows-1252, whose 256 byte values all come back as they went.
const ICodePage& Windows1252();

}  // namespace pw

namespace pw {

// The case and word rules of searching. Lower lowercases UTF-16 text in place, one unit for
// one unit; IsWordChar says whether a character is a letter or digit of any script (or a mark
// that belongs to one). The built-in rules cover ASCII, Latin-1, Latin Extended-A, Greek and
// Cyrillic cases, and count every character as a letter that is not punctuation, a symbol,
// a space or an emoji; the system's own rules replace them on Windows.
class ICharRules {
public:
    virtual ~ICharRules() = default;
    virtual void Lower(char16_t* s, std::size_t n) const;
    virtual bool IsWordChar(std::uint32_t cp) const;
};
const ICharRules& BuiltInCharRules();

// text with each character replaced by its lowercase form wherever that takes as many UTF-8
// bytes, so every position in the folded text is the same position in text.
std::string FoldCase(const std::string& text, const ICharRules& rules);

}  // namespace pw
