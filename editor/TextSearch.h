// Searching the note's UTF-8 text: case folded by the system's lowercase (or the built-in
// rules), whole-word matches that know the letters of every script, and the text of a
// Replace All built in one pass. Positions are byte offsets from 0.
#pragma once
#include <cstddef>
#include <string>

#include "platform/TextCodec.h"

namespace pw {

struct SearchRules {
    const ICharRules* chars = nullptr;   // null: the built-in rules
    bool wholeWord = false;
    bool matchCase = false;
};

constexpr size_t kNotFound = static_cast<size_t>(-1);
// Stands for "the character just before `from` in the text itself".
constexpr long kBeforeFromText = -2;
// Stands for "no character" (the start of the text).
constexpr long kNoChar = -1;

// First match of `find` that starts at or after `from` and ends at or before `limit`.
// beforeFrom: the character that counts as lying just before `from` for the whole-word test
// (kBeforeFromText, kNoChar or a code point). An empty `find` matches nothing.
size_t SearchText(const std::string& text, size_t from, const std::string& find,
                  const SearchRules& rules, long beforeFrom = kBeforeFromText,
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
