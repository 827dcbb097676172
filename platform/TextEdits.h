// Changing a text box's whole text as one edit: only the part that differs is replaced, so the
// box lays out little, the caret and the view stay where they were around it, and Undo takes
// the step back.
#pragma once
#include <cstddef>
#include <string>

#include "platform/ui.h"

namespace pw {

// Where two texts differ: before[start, endBefore) is after[start, endAfter), the rest is the
// same. A character (UTF-8) or a CR LF pair is never split. Equal texts give an empty range.
struct TextDifference {
    std::size_t start = 0, endBefore = 0, endAfter = 0;
};
TextDifference DifferenceOf(const std::string& before, const std::string& after);

// The box holds `now`; it is to hold `next` in one step that Undo takes back (nothing is done
// when they are equal). Returns the range replaced.
TextDifference ReplaceDifference(IControl& box, const std::string& now, const std::string& next);

// A caret position in the text before the edit, moved to where the same place is after it
// (inside the replaced range: held to what replaced it).
std::size_t CaretAfter(std::size_t caret, const TextDifference& d);

}  // namespace pw
