#include "options/spelling/SpellSession.h"

#include <utility>

namespace pw {

SpellSession::SpellSession(SpellChecker& checker, std::string text)
    : checker_(checker), text_(std::move(text)), original_(text_) {}

bool SpellSession::Next() {
    WordSpan span;
    while (NextWordToCheck(text_, pos_, span)) {
        const std::string word = text_.substr(span.start, span.length);
        pos_ = span.start + span.length;
        if (ignored_.count(word)) continue;
        auto change = changeAll_.find(word);
        if (change != changeAll_.end()) {
            Replace(span, change->second);
            pos_ = span.start + change->second.size();
            continue;
        }
        if (checker_.IsCorrect(word)) continue;
        current_ = span;
        pos_ = span.start;
        return true;
    }
    pos_ = text_.size();
    current_ = WordSpan{pos_, 0};
    return false;
}

void SpellSession::Ignore() { pos_ = current_.start + current_.length; }

void SpellSession::IgnoreAll() {
    ignored_.insert(Word());
    Ignore();
}

void SpellSession::Change(const std::string& to) {
    Replace(current_, to);
    pos_ = current_.start + to.size();
    current_.length = to.size();
}

void SpellSession::ChangeAll(const std::string& to) {
    changeAll_[Word()] = to;
    Change(to);
}

void SpellSession::AddToDictionary() {
    checker_.AddWord(Word());
    Ignore();
}

void SpellSession::Replace(WordSpan span, const std::string& to) {
    if (text_.compare(span.start, span.length, to) == 0) return;
    text_.replace(span.start, span.length, to);
    edits_.push_back({span.start, span.length, to});
}

std::vector<TextEdit> SpellSession::TakeEdits() {
    std::vector<TextEdit> out;
    out.swap(edits_);
    return out;
}

}  // namespace pw
