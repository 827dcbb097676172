// Lines and words of the note as its user counts them: a line ends at a line break (CR LF, or
// a lone LF or CR), never where the box wraps it; a column counts characters, not bytes.
// Positions are byte offsets into the UTF-8 text, as the note box's selection gives them.
#pragma once
#include <cstddef>
#include <string>

#include "platform/TextCodec.h"

namespace pw {

// Where the caret stands: line and column, both from 1.
struct LineColumn {
    long line = 1;
    long column = 1;
    bool operator==(const LineColumn& o) const { return line == o.line && column == o.column; }
};

LineColumn LineColumnAt(const std::string& text, std::size_t offset);
// The same in text as the box holds it (UTF-16), at a position in its units.
LineColumn LineColumnAt(const std::u16string& text, std::size_t units);
// How many lines the text has (an empty text has one).
long LineCount(const std::string& text);
// The offset where line `line` (from 1) begins; npos when the text has no such line.
std::size_t LineStart(const std::string& text, long line);

// Where Ctrl+Backspace deletes back to from `caret`: a line break right before the caret goes
// alone (CR LF as one); otherwise the spaces and tabs before the caret and the word before
// them, where a word is a run of letters and digits or a run of other signs.
std::size_t WordStartBefore(const std::string& text, std::size_t caret, const ICharRules& rules);

}  // namespace pw
