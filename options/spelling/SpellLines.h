// The lines the spelling marks look at, checked once per text: a line shown on screen is
// looked up by its text, so scrolling back, a repaint or typing elsewhere never checks it
// again. A line is a line of the box as shown (a wrapped line is one); positions are its
// UTF-16 units.
#pragma once
#include <cstddef>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "options/spelling/SpellChecker.h"
#include "options/spelling/SpellTokenizer.h"

namespace pw {

// The line with one byte a unit, as the checker reads it: its Windows-1252 code, or
// SpellSession::kForeign for a character of a script the list does not cover (so the words
// of such scripts are never marked).
std::string LineView(const std::u16string& line);

class SpellLines {
public:
    explicit SpellLines(const SpellChecker& checker) : checker_(checker) {}

    // The unknown words of the line, in order.
    const std::vector<WordSpan>& Check(const std::u16string& line);
    // The word is right for the rest of the run (Ignore All); every line is checked again.
    void Ignore(const std::string& word);
    // The checker's words changed (Add to Dictionary): every line is checked again.
    void Forget() { cache_.clear(); }
    bool Wrong(const std::string& word) const;

    std::size_t CachedLines() const { return cache_.size(); }
    // Past this many lines the cache starts afresh (a few screens of long lines).
    static constexpr std::size_t kMaxLines = 4096;

private:
    const SpellChecker& checker_;
    std::set<std::string> ignored_;
    std::unordered_map<std::u16string, std::vector<WordSpan>> cache_;
};

}  // namespace pw
