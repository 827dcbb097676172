// One run of the built-in checker over a note: which word is being asked about, and what
// Ignore, Ignore All, Change, Change All and Add to Dictionary do to the text. The dialog
// shows it; the edits it makes are handed out so the note can follow them.
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
    std::size_t length = 0;   // bytes replaced
    std::string text;         // what replaced them
};

class SpellSession {
public:
    SpellSession(SpellChecker& checker, std::string text);

    // Moves on to the next word to ask about, making the Change All replacements on the way.
    // False when the check is complete.
    bool Next();
    const std::string& Text() const { return text_; }
    bool Changed() const { return text_ != original_; }
    WordSpan Current() const { return current_; }
    std::string Word() const { return text_.substr(current_.start, current_.length); }
    std::vector<std::string> Suggestions() const { return checker_.Suggest(Word()); }
    // Where the caret belongs after the check: behind the last word handled.
    std::size_t Position() const { return pos_; }

    void Ignore();
    void IgnoreAll();
    void Change(const std::string& to);
    void ChangeAll(const std::string& to);
    // The checker learns the word for the rest of the run (the caller writes the user list).
    void AddToDictionary();

    // The edits made since the last call, in the order they were made.
    std::vector<TextEdit> TakeEdits();

private:
    void Replace(WordSpan span, const std::string& to);

    SpellChecker& checker_;
    std::string text_, original_;
    WordSpan current_;
    std::size_t pos_ = 0;
    std::set<std::string> ignored_;
    std::map<std::string, std::string> changeAll_;
    std::vector<TextEdit> edits_;
};

}  // namespace pw
