// The built-in checker's decisions: which words are right, and what to offer for a wrong one.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "options/spelling/SpellWords.h"

namespace pw {

class SpellChecker {
public:
    explicit SpellChecker(WordList& words) : words_(words) {}

    // Case follows the list: a listed word is right as listed, capitalised ("The" at a
    // sentence start) or in capitals; "monday" is wrong when the list has only "Monday".
    bool IsCorrect(std::string_view word) const;
    // The user's own words join the list for the rest of the run.
    void AddWord(std::string_view word) { words_.Add(NormalizeApostrophes(word)); }
    // Up to max suggestions, the best first, in the case the word was typed in.
    std::vector<std::string> Suggest(std::string_view word, std::size_t max = 10) const;

    static std::string NormalizeApostrophes(std::string_view word);

private:
    WordList& words_;
};

// The weighted distance between a typed word and a candidate (both lower case), in
// hundredths of an edit, or a value above limit when it is further: insert, delete and
// substitute cost 100, swapping two neighbours 70, a letter typed twice or missing from a
// double 60, a neighbouring key 75, a vowel for a vowel 80.
int WeightedDistance(std::string_view typed, std::string_view candidate, int limit);

}  // namespace pw
