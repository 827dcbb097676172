#include "options/spelling/SpellSession.h"

#include <utility>

#include "platform/TextCodec.h"

namespace pw {

namespace {

// The UTF-8 length of each Windows-1252 byte, worked out once.
std::size_t Utf8LengthOf1252(unsigned char c) {
    static const auto lengths = [] {
        struct Table { unsigned char n[256]; } t{};
        for (int b = 0; b < 256; ++b)
            t.n[b] = static_cast<unsigned char>(b < 0x80 ? 1 : Windows1252().ToUtf8(std::string(1, static_cast<char>(b))).size());
        return t;
    }();
    return lengths.n[c];
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

std::string SpellSession::Text() const { return NoteText(text_, 0, text_.size(), 0); }

std::string SpellSession::NoteText(const std::string& view, std::size_t from, std::size_t to,
                                   std::size_t foreign) const {
    std::string out;
    out.reserve((to - from) + (to - from) / 4);
    std::size_t k = foreign;
    const ICodePage& cp = Windows1252();
    std::size_t run = from;   // start of the current run of Windows-1252 bytes
    for (std::size_t i = from; i <= to; ++i) {
        if (i < to && view[i] != kForeign) continue;
        out += cp.ToUtf8(view.substr(run, i - run));
        if (i < to) out += k < foreign_.size() ? foreign_[k++] : std::string("\xEF\xBF\xBD");
        run = i + 1;
    }
    return out;
}

bool SpellSession::NextToForeign(WordSpan span) const {
    const std::size_t end = span.start + span.length;
    return (span.start > 0 && text_[span.start - 1] == kForeign) || (end < text_.size() && text_[end] == kForeign);
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
        if (NextToForeign(span)) continue;
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

void SpellSession::ChangeAll(const std::string& given) {
    std::string to = given;   // no stand-in for a foreign character may come in this way
    for (char& c : to)
        if (c == kForeign) c = '?';
    const std::string word = Word();
    changeAll_[word] = to;
    ignored_.insert(to);
    // The rest of the note is built once, every copy of a word to change replaced on the
    // way (as Next would, one at a time); the box gets one edit over the changed stretch.
    const std::size_t from = current_.start;
    std::string out;
    out.reserve(text_.size() + text_.size() / 8);
    out.append(text_, 0, from);
    std::size_t copied = from, first = std::string::npos, last = from, firstOut = 0, lastOut = 0;
    WordSpan span;
    for (std::size_t pos = from; NextWordToCheck(text_, pos, span);) {
        pos = span.start + span.length;
        if (NextToForeign(span)) continue;
        const std::string copy = text_.substr(span.start, span.length);
        if (ignored_.count(copy)) continue;
        const auto change = changeAll_.find(copy);
        if (change == changeAll_.end() || copy == change->second) continue;
        out.append(text_, copied, span.start - copied);
        if (first == std::string::npos) {
            first = span.start;
            firstOut = out.size();
        }
        out += change->second;
        copied = last = pos;
        lastOut = out.size();
    }
    pos_ = current_.start + to.size();
    current_.length = to.size();
    if (first == std::string::npos) return;   // the word already reads so
    out.append(text_, copied, std::string::npos);
    std::size_t foreign = 0;
    for (std::size_t i = 0; i < first; ++i)
        if (text_[i] == kForeign) ++foreign;
    const std::size_t start = NoteOffset(first);
    const std::size_t length = NoteOffset(last) - start;
    edits_.push_back({start, length, NoteText(out, firstOut, lastOut, foreign)});
    text_.swap(out);
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
