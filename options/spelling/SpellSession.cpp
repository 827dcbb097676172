#include "options/spelling/SpellSession.h"

#include <utility>

#include "platform/TextCodec.h"

namespace pw {

namespace {

std::size_t Utf8LengthOf1252(unsigned char c) {
    if (c < 0x80) return 1;
    std::string one(1, static_cast<char>(c));
    return Windows1252().ToUtf8(one).size();
}

}  // namespace

SpellSession::SpellSession(SpellChecker& checker, std::string text) : checker_(checker) {
    const ICodePage& cp = Windows1252();
    text_.reserve(text.size());
    const std::size_t n = text.size();
    std::string one;
    for (std::size_t i = 0; i < n;) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (b < 0x80 && b != static_cast<unsigned char>(kForeign)) {
            text_ += static_cast<char>(b);
            ++i;
            continue;
        }
        std::uint32_t c;
        const std::size_t len = DecodeUtf8At(text.data(), n, i, c);
        const std::string ch = text.substr(i, len);
        if (b != static_cast<unsigned char>(kForeign) && cp.ToAnsi(ch, one) && one.size() == 1) {
            text_ += one;
        } else {
            text_ += kForeign;
            foreign_.push_back(ch);
        }
        i += len;
    }
    original_ = text_;
}

std::string SpellSession::Text() const {
    std::string out;
    out.reserve(text_.size() + text_.size() / 4);
    std::size_t k = 0;
    const ICodePage& cp = Windows1252();
    std::size_t run = 0;   // start of the current run of Windows-1252 bytes
    for (std::size_t i = 0; i <= text_.size(); ++i) {
        if (i < text_.size() && text_[i] != kForeign) continue;
        out += cp.ToUtf8(text_.substr(run, i - run));
        if (i < text_.size()) out += k < foreign_.size() ? foreign_[k++] : std::string("\xEF\xBF\xBD");
        run = i + 1;
    }
    return out;
}

std::size_t SpellSession::NoteOffset(std::size_t pos) const {
    std::size_t at = 0, k = 0;
    for (std::size_t i = 0; i < pos && i < text_.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text_[i]);
        if (c == static_cast<unsigned char>(kForeign)) at += k < foreign_.size() ? foreign_[k++].size() : 3;
        else at += Utf8LengthOf1252(c);
    }
    return at;
}

WordSpan SpellSession::Current() const {
    const std::size_t start = NoteOffset(current_.start);
    return WordSpan{start, NoteOffset(current_.start + current_.length) - start};
}

bool SpellSession::Next() {
    WordSpan span;
    while (NextWordToCheck(text_, pos_, span)) {
        const std::string word = text_.substr(span.start, span.length);
        pos_ = span.start + span.length;
        // Part of a word of another script ("Łódź"): not the list's to judge.
        if ((span.start > 0 && text_[span.start - 1] == kForeign) ||
            (pos_ < text_.size() && text_[pos_] == kForeign))
            continue;
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

void SpellSession::Replace(WordSpan span, const std::string& given) {
    std::string to = given;   // no stand-in for a foreign character may come in this way
    for (char& c : to)
        if (c == kForeign) c = '?';
    if (text_.compare(span.start, span.length, to) == 0) return;
    const std::size_t start = NoteOffset(span.start);
    const std::size_t length = NoteOffset(span.start + span.length) - start;
    text_.replace(span.start, span.length, to);
    edits_.push_back({start, length, Windows1252().ToUtf8(to)});
}

std::vector<TextEdit> SpellSession::TakeEdits() {
    std::vector<TextEdit> out;
    out.swap(edits_);
    return out;
}

}  // namespace pw
