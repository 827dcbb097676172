// Searching the note: case folding by a 256-entry table of the ANSI code page, whole-word
// matches, and the text of a Replace All built in one pass. Positions count from 0.
#pragma once
#include <cstddef>
#include <string>

namespace pw {

struct CharTables {
    unsigned char lower[256];   // case folding
    bool word[256];             // letters, digits and the underscore
};

// ASCII and the Latin-1 letters of Windows-1252, for when the system gives no table.
const CharTables& Latin1CharTables();

struct SearchRules {
    const CharTables* tables = nullptr;
    bool wholeWord = false;
    bool matchCase = false;
};

constexpr size_t kNotFound = static_cast<size_t>(-1);
// Stands for "the character just before `from` in the text itself".
constexpr int kBeforeFromText = -2;
// Stands for "no character" (the start of the text).
constexpr int kNoChar = -1;

// First match of `find` that starts at or after `from` and ends at or before `limit`.
// beforeFrom: the character that counts as lying just before `from` for the whole-word test
// (kBeforeFromText, kNoChar or a byte value). An empty `find` matches nothing.
size_t SearchText(const std::string& text, size_t from, const std::string& find,
                  const SearchRules& rules, int beforeFrom = kBeforeFromText,
                  size_t limit = kNotFound);

// The last of the non-overlapping matches that lie wholly before `end`, scanning from the
// start of the text (words are judged against the whole text).
size_t SearchLastBefore(const std::string& text, size_t end, const std::string& find,
                        const SearchRules& rules);

struct ReplaceAllResult {
    size_t start = 0, end = 0;   // the replaced range of the old text: first match to last match's end
    size_t count = 0;            // matches replaced
    std::string text;            // what the range becomes
};

// Replace All from the first match at or after `first`, exactly as replacing each match and
// searching again just after the inserted text would, in one pass. False when nothing matches.
bool ReplaceAllText(const std::string& text, size_t first, const std::string& find,
                    const std::string& replacement, const SearchRules& rules, ReplaceAllResult& r);

}  // namespace pw
