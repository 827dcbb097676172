// Finds the words of a note that the checker looks at. A word is a run of letters, with
// apostrophes inside it ("don't", "rock'n'roll"); hyphens, dots and other marks end it, so
// each half of "well-know" is checked on its own. Runs that hold a digit ("mp3", "2nd"),
// all-capital abbreviations ("NASA", "PDFs"), web and e-mail addresses are
// skipped. Positions count bytes (characters of the ANSI note) from 0.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace pw {

struct WordSpan {
    std::size_t start = 0;
    std::size_t length = 0;
};

// The first word to check that starts at or after pos; false when there is none.
bool NextWordToCheck(std::string_view text, std::size_t pos, WordSpan& out);

// The word as the checker sees it: typographic apostrophes (0x92, 0x91) become "'".
std::string NormalizeWord(std::string_view word);

}  // namespace pw
