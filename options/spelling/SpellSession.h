// One run of the built-in checker over a note: which word is being asked about, and what
// Ignore, Ignore All, Change, Change All and Add to Dictionary do to the text. The dialog
// shows it; the edits it makes are handed out so the note can follow them.
//
// The note is UTF-8; the word list and the checker speak Windows-1252. The session works on a
// view of the note with one byte for each character: its Windows-1252 code, or kForeign for a
// character of a script the list does not cover, which is no letter, so such words are never
// flagged and English words beside them are checked as before. Words and Change texts are
// Windows-1252; Text(), Current(), Position() and the edits are the note's UTF-8.
#pragma once
#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "options/spelling/SpellChecker.h"
#include "options/spelling/SpellTokenizer.h"

namespace pw {

struct TextEdit {
    std::size_t start = 0;
    std::size_t length = 0;   // bytes of the note replaced
    std::string text;         // what replaced them (UTF-8)
};

class SpellSession {
public:
    SpellSession(SpellChecker& checker, std::string text);

    // Moves on to the next word to ask about, making the Change All replacements on the way.
    // False when the check is complete.
    bool Next();
    static constexpr char kForeign = '\x01';

    std::string Text() const;   // the note as it now is
    bool Changed() const { return text_ != original_; }
    WordSpan Current() const;   // in the note
    std::string Word() const { return text_.substr(current_.start, current_.length); }
    std::vector<std::string> Suggestions() const { return checker_.Suggest(Word()); }
    // Where the caret belongs after the check: behind the last word handled.
    std::size_t Position() const { return NoteOffset(pos_); }

    void Ignore();
    void IgnoreAll();
    void Change(const std::string& to);
    // The word here and every later copy of it, in one pass over the rest of the note and one
    // edit from the first copy to the last. The word it became is not asked about again.
    void ChangeAll(const std::string& to);
    // The checker learns the word for the rest of the run (the caller writes the user list).
    void AddToDictionary();

    // The edits made since the last call, in the order they were made.
    std::vector<TextEdit> TakeEdits();

private:
    void Replace(WordSpan span, const std::string& to);
    // The note's byte offset of view position pos.
    std::size_t NoteOffset(std::size_t pos) const;
    // The note's text for view[from, to), whose first character of another script is the
    // foreign-th.
    std::string NoteText(const std::string& view, std::size_t from, std::size_t to, std::size_t foreign) const;
    // A word of the view the checker is not to judge: part of a word of another script.
    bool NextToForeign(WordSpan span) const;

    SpellChecker& checker_;
    std::string text_, original_;
    WordSpan current_;
    std::size_t pos_ = 0;
    std::set<std::string> ignored_;
    std::map<std::string, std::string> changeAll_;
    std::vector<TextEdit> edits_;
    std::vector<std::string> foreign_;   // the characters kForeign stands for, in order
};

}  // namespace pw
