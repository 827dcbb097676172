#include "editor/TextSearch.h"

#include <cstring>

namespace pw {

const CharTables& Latin1CharTables() {
    static const CharTables tables = [] {
        CharTables t{};
        for (int b = 0; b < 256; ++b) {
            t.lower[b] = static_cast<unsigned char>(b);
            const bool asciiAlnum = (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
            const bool latinLetter = b >= 0xC0 && b != 0xD7 && b != 0xF7;
            t.word[b] = asciiAlnum || latinLetter || b == '_' || b == 0xAA || b == 0xB5 || b == 0xBA;
        }
        for (int b = 'A'; b <= 'Z'; ++b) t.lower[b] = static_cast<unsigned char>(b + 32);
        for (int b = 0xC0; b <= 0xDE; ++b)
            if (b != 0xD7) t.lower[b] = static_cast<unsigned char>(b + 32);
        // Windows-1252 letters in the 0x80-0x9F range.
        const int pairs[][2] = {{0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}};
        for (const auto& p : pairs) {
            t.lower[p[0]] = static_cast<unsigned char>(p[1]);
            t.word[p[0]] = t.word[p[1]] = true;
        }
        return t;
    }();
    return tables;
}

namespace {

// One search of one text for one find text. Candidates are found with memchr on the bytes
// that can stand for the first character (one or two of them for nearly every letter), so a
// search costs about what a plain memory search does. `from` must not decrease between calls.
class Searcher {
public:
    Searcher(const std::string& text, const std::string& find, const SearchRules& rules)
        : t_(text.data()), n_(text.size()), find_(find), rules_(rules),
          tables_(rules.tables ? rules.tables : &Latin1CharTables()) {
        if (find.empty()) return;
        const unsigned char first = static_cast<unsigned char>(find[0]);
        if (rules.matchCase) {
            firsts_[0] = first;
            nFirsts_ = 1;
        } else {
            folded_.resize(find.size());
            for (size_t i = 0; i < find.size(); ++i)
                folded_[i] = static_cast<char>(tables_->lower[static_cast<unsigned char>(find[i])]);
            for (int b = 0; b < 256; ++b) {
                if (tables_->lower[b] != tables_->lower[first]) continue;
                isFirst_[b] = true;
                if (nFirsts_ < 2) firsts_[nFirsts_] = static_cast<unsigned char>(b);
                ++nFirsts_;
            }
        }
        next_[0] = next_[1] = kNotFound;
    }

    size_t Find(size_t from, int beforeFrom, size_t limit) {
        const size_t m = find_.size();
        if (m == 0) return kNotFound;
        if (limit > n_) limit = n_;
        size_t pos = from;
        while (pos + m <= limit) {
            const size_t c = NextCandidate(pos);
            if (c == kNotFound || c + m > limit) return kNotFound;
            if (RestMatches(c) && WordOk(c, from, beforeFrom)) return c;
            pos = c + 1;
        }
        return kNotFound;
    }

private:
    size_t Chr(unsigned char b, size_t from) const {
        if (from >= n_) return kNotFound;
        const void* p = std::memchr(t_ + from, b, n_ - from);
        return p ? static_cast<size_t>(static_cast<const char*>(p) - t_) : kNotFound;
    }

    size_t NextCandidate(size_t from) {
        if (nFirsts_ > 2) {
            for (size_t i = from; i < n_; ++i)
                if (isFirst_[static_cast<unsigned char>(t_[i])]) return i;
            return kNotFound;
        }
        if (from < lastFrom_) next_[0] = next_[1] = kNotFound, primed_ = false;
        lastFrom_ = from;
        size_t best = kNotFound;
        for (int k = 0; k < nFirsts_; ++k) {
            if (!primed_ || (next_[k] != kNotFound && next_[k] < from)) next_[k] = Chr(firsts_[k], from);
            if (next_[k] < best) best = next_[k];
        }
        primed_ = true;
        return best;
    }

    bool RestMatches(size_t c) const {
        const size_t m = find_.size();
        if (rules_.matchCase) {
            for (size_t i = 1; i < m; ++i)
                if (t_[c + i] != find_[i]) return false;
            return true;
        }
        const unsigned char* lower = tables_->lower;
        for (size_t i = 1; i < m; ++i)
            if (lower[static_cast<unsigned char>(t_[c + i])] != static_cast<unsigned char>(folded_[i])) return false;
        return true;
    }

    bool IsWord(int ch) const { return ch >= 0 && (tables_->word[ch] || ch == '_'); }

    bool WordOk(size_t c, size_t from, int beforeFrom) const {
        if (!rules_.wholeWord) return true;
        int before = kNoChar;
        if (c == from && beforeFrom != kBeforeFromText) before = beforeFrom;
        else if (c > 0) before = static_cast<unsigned char>(t_[c - 1]);
        const size_t end = c + find_.size();
        const int after = end < n_ ? static_cast<unsigned char>(t_[end]) : kNoChar;
        return !IsWord(before) && !IsWord(after);
    }

    const char* t_;
    size_t n_;
    const std::string& find_;
    const SearchRules& rules_;
    const CharTables* tables_;
    std::string folded_;
    bool isFirst_[256] = {};
    unsigned char firsts_[2] = {0, 0};
    int nFirsts_ = 0;
    size_t next_[2] = {kNotFound, kNotFound};
    size_t lastFrom_ = 0;
    bool primed_ = false;
};

}  // namespace

size_t SearchText(const std::string& text, size_t from, const std::string& find,
                  const SearchRules& rules, int beforeFrom, size_t limit) {
    if (from > text.size()) return kNotFound;
    Searcher s(text, find, rules);
    return s.Find(from, beforeFrom, limit);
}

size_t SearchLastBefore(const std::string& text, size_t end, const std::string& find,
                        const SearchRules& rules) {
    Searcher s(text, find, rules);
    size_t last = kNotFound;
    size_t pos = 0;
    for (;;) {
        const size_t p = s.Find(pos, kBeforeFromText, end);
        if (p == kNotFound) return last;
        last = p;
        pos = p + find.size();
    }
}

bool ReplaceAllText(const std::string& text, size_t first, const std::string& find,
                    const std::string& replacement, const SearchRules& rules, ReplaceAllResult& r) {
    r = ReplaceAllResult{};
    std::string& out = r.text;
    if (first > text.size()) return false;
    Searcher s(text, find, rules);
    size_t match = s.Find(first, kBeforeFromText, kNotFound);
    if (match == kNotFound) return false;
    const size_t start = match;
    size_t pos = match;
    while (match != kNotFound) {
        out.append(text, pos, match - pos);
        out += replacement;
        ++r.count;
        pos = match + find.size();
        // The character before the next search is the one the edited text has there: the end
        // of what was just inserted, or before it when nothing was inserted.
        int before;
        if (!out.empty()) before = static_cast<unsigned char>(out.back());
        else before = start > 0 ? static_cast<unsigned char>(text[start - 1]) : kNoChar;
        match = s.Find(pos, before, kNotFound);
    }
    r.start = start;
    r.end = pos;
    return true;
}

}  // namespace pw
