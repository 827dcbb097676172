#include "editor/TextSearch.h"

#include <cstring>

namespace pw {

namespace {

// The code point that ends at s[end] (exclusive), or kNoChar at the start.
long CodePointBefore(const std::string& s, size_t end) {
    if (end == 0 || end > s.size()) return kNoChar;
    size_t start = end - 1;
    while (start > 0 && end - start < 4 && (static_cast<unsigned char>(s[start]) & 0xC0) == 0x80) --start;
    std::uint32_t cp;
    const size_t len = DecodeUtf8At(s.data(), s.size(), start, cp);
    if (start + len != end) return static_cast<unsigned char>(s[end - 1]);   // a stray byte
    return static_cast<long>(cp);
}

long CodePointAt(const std::string& s, size_t at) {
    if (at >= s.size()) return kNoChar;
    std::uint32_t cp;
    DecodeUtf8At(s.data(), s.size(), at, cp);
    return static_cast<long>(cp);
}

// One search of one text for one find text. Without Match case both are folded first (the same
// length, position for position), so the search itself is an exact one: candidates are found
// with memchr on the first byte, about what a plain memory search costs. Matches start and
// end on whole characters, since UTF-8 sequences never begin inside one another.
class Searcher {
public:
    Searcher(const std::string& text, const std::string& find, const SearchRules& rules)
        : rules_(rules), chars_(rules.chars ? rules.chars : &BuiltInCharRules()) {
        if (rules.matchCase) {
            t_ = &text;
            find_ = find;
        } else if (IsAscii(find)) {
            // An ASCII find text can only match ASCII, and no other character's lowercase
            // is ASCII in the folded text: compare ASCII case-blind on the text itself.
            t_ = &text;
            find_ = FoldCase(find, *chars_);
            asciiFold_ = true;
        } else {
            folded_ = FoldCase(text, *chars_);
            t_ = &folded_;
            find_ = FoldCase(find, *chars_);
        }
    }

    size_t Find(size_t from, long beforeFrom, size_t limit) const {
        const size_t m = find_.size();
        const size_t n = t_->size();
        if (m == 0) return kNotFound;
        if (limit > n) limit = n;
        const char* t = t_->data();
        const unsigned char first = static_cast<unsigned char>(find_[0]);
        if (asciiFold_ && first >= 'a' && first <= 'z') {
            // Two first bytes: the nearer of the two memchr candidates each time. What each
            // search found is kept for the next Find of this searcher (Replace All asks from
            // match to match): a letter the rest of the text lacks is looked for once.
            const unsigned char upper = static_cast<unsigned char>(first - 32);
            if (limit != candidatesLimit_) {
                lower_ = upper_ = Candidate();
                candidatesLimit_ = limit;
            }
            const size_t span = limit - m + 1;
            size_t pos = from;
            while (pos + m <= limit) {
                const size_t nextLower = lower_.Next(t, first, pos, span);
                const size_t nextUpper = upper_.Next(t, upper, pos, span);
                const size_t c = nextLower < nextUpper ? nextLower : nextUpper;
                if (c == kNotFound) return kNotFound;
                if (RestMatches(t, c) && WordOk(c, from, beforeFrom)) return c;
                pos = c + 1;
            }
            return kNotFound;
        }
        size_t pos = from;
        while (pos + m <= limit) {
            const void* p = std::memchr(t + pos, first, limit - m + 1 - pos);
            if (!p) return kNotFound;
            const size_t c = static_cast<size_t>(static_cast<const char*>(p) - t);
            if (RestMatches(t, c) && WordOk(c, from, beforeFrom)) return c;
            pos = c + 1;
        }
        return kNotFound;
    }
    size_t findSize() const { return find_.size(); }

private:
    static size_t Chr(const char* t, unsigned char b, size_t from, size_t end) {
        if (from >= end) return kNotFound;
        const void* p = std::memchr(t + from, b, end - from);
        return p ? static_cast<size_t>(static_cast<const char*>(p) - t) : kNotFound;
    }
    // The first place of one byte at or after a search's start, valid for any later start
    // up to that place.
    struct Candidate {
        size_t began = kNotFound, at = kNotFound;
        size_t Next(const char* t, unsigned char b, size_t pos, size_t end) {
            if (began == kNotFound || began > pos || (at != kNotFound && at < pos)) {
                began = pos;
                at = Chr(t, b, pos, end);
            }
            return at;
        }
    };
    mutable Candidate lower_, upper_;
    mutable size_t candidatesLimit_ = kNotFound;

    bool RestMatches(const char* t, size_t c) const {
        const size_t m = find_.size();
        if (!asciiFold_) return std::memcmp(t + c + 1, find_.data() + 1, m - 1) == 0;
        for (size_t i = 1; i < m; ++i) {
            unsigned char b = static_cast<unsigned char>(t[c + i]);
            if (b >= 'A' && b <= 'Z') b = static_cast<unsigned char>(b + 32);
            if (b != static_cast<unsigned char>(find_[i])) return false;
        }
        return true;
    }

    bool IsWord(long cp) const { return cp >= 0 && (cp == '_' || chars_->IsWordChar(static_cast<std::uint32_t>(cp))); }

    bool WordOk(size_t c, size_t from, long beforeFrom) const {
        if (!rules_.wholeWord) return true;
        long before;
        if (c == from && beforeFrom != kBeforeFromText) before = beforeFrom;
        else before = CodePointBefore(*t_, c);
        return !IsWord(before) && !IsWord(CodePointAt(*t_, c + find_.size()));
    }

    const SearchRules& rules_;
    const ICharRules* chars_;
    const std::string* t_ = nullptr;
    std::string folded_, find_;
    bool asciiFold_ = false;
};

}  // namespace

size_t SearchText(const std::string& text, size_t from, const std::string& find,
                  const SearchRules& rules, long beforeFrom, size_t limit) {
    if (from > text.size() || find.empty()) return kNotFound;
    Searcher s(text, find, rules);
    return s.Find(from, beforeFrom, limit);
}

size_t SearchLastBefore(const std::string& text, size_t end, const std::string& find,
                        const SearchRules& rules) {
    if (find.empty()) return kNotFound;
    Searcher s(text, find, rules);
    size_t last = kNotFound;
    size_t pos = 0;
    for (;;) {
        const size_t p = s.Find(pos, kBeforeFromText, end);
        if (p == kNotFound) return last;
        last = p;
        pos = p + s.findSize();
    }
}

bool ReplaceAllText(const std::string& text, size_t first, const std::string& find,
                    const std::string& replacement, const SearchRules& rules, ReplaceAllResult& r) {
    r = ReplaceAllResult{};
    std::string& out = r.text;
    if (first > text.size() || find.empty()) return false;
    Searcher s(text, find, rules);
    const size_t m = s.findSize();
    size_t match = s.Find(first, kBeforeFromText, kNotFound);
    if (match == kNotFound) return false;
    const size_t start = match;
    size_t pos = match;
    while (match != kNotFound) {
        out.append(text, pos, match - pos);
        out += replacement;
        ++r.count;
        pos = match + m;
        // The character before the next search is the one the edited text has there: the end
        // of what was just inserted, or before it when nothing was inserted.
        long before;
        if (!out.empty()) before = CodePointBefore(out, out.size());
        else before = CodePointBefore(text, start);
        match = s.Find(pos, before, kNotFound);
    }
    r.start = start;
    r.end = pos;
    return true;
}

}  // namespace pw
