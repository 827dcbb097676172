#include "options/spelling/SpellChecker.h"

#include <algorithm>

#include "options/spelling/SpellTokenizer.h"

namespace pw {

std::string SpellChecker::NormalizeApostrophes(std::string_view word) { return NormalizeWord(word); }

bool SpellChecker::IsCorrect(std::string_view typed) const {
    const std::string word = NormalizeWord(typed);
    if (word.empty() || words_.Contains(word)) return true;
    std::size_t uppers = 0;
    for (unsigned char c : word) uppers += IsUpperLetter(c) ? 1 : 0;
    const bool capitalised = IsUpperLetter(static_cast<unsigned char>(word[0])) && uppers == 1;
    const bool capitals = uppers == static_cast<std::size_t>(
                                        std::count_if(word.begin(), word.end(), [](char c) {
                                            return IsWordLetter(static_cast<unsigned char>(c));
                                        }));
    if (!capitalised && !capitals) return false;
    // "The" for "the"; "NEW YORK" for "New York" style entries.
    const std::string lower = LowerWord(word);
    if (words_.Contains(lower)) return true;
    if (capitals) {
        std::string title = lower;
        title[0] = static_cast<char>(UpperChar(static_cast<unsigned char>(title[0])));
        return words_.Contains(title);
    }
    return false;
}

}  // namespace pw
