// Spell_Check: checks a text box with Microsoft Word when it is installed, with the
// built-in checker when it is not.
#pragma once
#include <string>

#include "platform/platform.h"

namespace pw {

// The data resource that holds the packed word list, and the one with its notice.
constexpr const char* kWordListResource = "PAGEWICK_WORDS";
constexpr const char* kWordListNoticeResource = "PAGEWICK_WORDS_NOTICE";

enum class WordResult {
    NotAvailable,   // Word could not be created: nothing was touched
    Done,           // checked; the box holds Word's text and the clipboard what it held before
    Failed,         // Word failed part-way: the user has been told
};

// The whole check of a box. owner: the window that owns the built-in checker's dialog.
void SpellCheck(Platform& p, IControl& box, Handle owner);

// Word's part: the box's text through Word's spelling dialog and back, by the clipboard.
// Whatever the clipboard held (text, a picture, files, formatted text, or nothing) is kept
// aside before and put back on success; when it cannot be kept aside the check fails before
// the clipboard is touched. A clipboard that cannot be written or read on the way fails the
// check with the note as it was.
WordResult CheckWithWord(Platform& p, IControl& box);

// The built-in checker's part: false when its word list cannot be loaded.
bool CheckBuiltIn(Platform& p, IControl& box, Handle owner);

// Makes the box hold after in one step its Undo takes back to before (only what differs is
// replaced; the box may hold another text now, as after edits one by one).
void ReplaceAllAsOneUndo(IControl& box, const std::string& before, const std::string& after);

}  // namespace pw
