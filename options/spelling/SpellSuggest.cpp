// Suggestions: every listed word within two edits of the typed one, ranked by a weighted
// edit distance (neighbouring keys, doubled letters and vowel slips cost less), then by
// sound, first letter and length.
#include <algorithm>
#include <array>
#include <cstdint>

#include "options/spelling/SpellChecker.h"
#include "options/spelling/SpellTokenizer.h"

namespace pw {

namespace {

constexpr int kMaxWord = 48;

struct KeyTable {
    std::array<std::array<bool, 26>, 26> near{};
    KeyTable() {
        const char* rows[3] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
        auto link = [this](char a, char b) {
            near[a - 'a'][b - 'a'] = true;
            near[b - 'a'][a - 'a'] = true;
        };
        for (int r = 0; r < 3; ++r) {
            const std::string_view row = rows[r];
            for (std::size_t i = 0; i + 1 < row.size(); ++i) link(row[i], row[i + 1]);
            if (r < 2) {   // the keys below: same column and the one to the left
                const std::string_view below = rows[r + 1];
                for (std::size_t i = 0; i < row.size(); ++i) {
                    if (i < below.size()) link(row[i], below[i]);
                    if (i > 0 && i - 1 < below.size()) link(row[i], below[i - 1]);
                }
            }
        }
    }
};

const KeyTable& Keys() {
    static const KeyTable table;
    return table;
}

bool IsVowel(unsigned char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u' || c == 'y'; }

int SubstituteCost(unsigned char a, unsigned char b) {
    if (a == b) return 0;
    if (a >= 'a' && a <= 'z' && b >= 'a' && b <= 'z') {
        if (Keys().near[a - 'a'][b - 'a']) return 75;
        if (IsVowel(a) && IsVowel(b)) return 80;
    }
    return 100;
}

// A rough sound key: consonants only, alike-sounding ones merged, doubles collapsed.
std::string SoundKey(std::string_view lower) {
    std::string key;
    for (std::size_t i = 0; i < lower.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(lower[i]);
        if (c == 'p' && i + 1 < lower.size() && lower[i + 1] == 'h') {
            c = 'f';
            ++i;
        } else if (c == 'c' || c == 'q') {
            c = 'k';
        } else if (c == 'z') {
            c = 's';
        } else if (IsVowel(c) || c == 'h' || c == 'w' || c == '\'') {
            continue;
        }
        if (key.empty() || static_cast<unsigned char>(key.back()) != c) key.push_back(static_cast<char>(c));
    }
    return key;
}

int Count(std::uint32_t bits) {
    int n = 0;
    for (; bits; bits &= bits - 1) ++n;
    return n;
}

struct Candidate {
    int score;
    std::uint32_t word;
};

}  // namespace

int WeightedDistance(std::string_view a, std::string_view b, int limit) {
    const int n = static_cast<int>(a.size()), m = static_cast<int>(b.size());
    if (n > kMaxWord || m > kMaxWord) return limit + 1;
    int rows[3][kMaxWord + 1];
    int* prev2 = rows[0];
    int* prev = rows[1];
    int* cur = rows[2];
    auto lo = [&](std::string_view s, int i) { return LowerChar(static_cast<unsigned char>(s[i])); };
    auto insertCost = [&](int j) { return j > 0 && lo(b, j) == lo(b, j - 1) ? 60 : 100; };   // b[j] missing from a
    auto deleteCost = [&](int i) { return i > 0 && lo(a, i) == lo(a, i - 1) ? 60 : 100; };   // a[i] extra
    prev[0] = 0;
    for (int j = 1; j <= m; ++j) prev[j] = prev[j - 1] + insertCost(j - 1);
    for (int i = 1; i <= n; ++i) {
        cur[0] = prev[0] + deleteCost(i - 1);
        int best = cur[0];
        const unsigned char ca = lo(a, i - 1);
        for (int j = 1; j <= m; ++j) {
            const unsigned char cb = lo(b, j - 1);
            int v = prev[j - 1] + SubstituteCost(ca, cb);
            v = std::min(v, prev[j] + deleteCost(i - 1));
            v = std::min(v, cur[j - 1] + insertCost(j - 1));
            if (i > 1 && j > 1 && ca == lo(b, j - 2) && lo(a, i - 2) == cb && ca != cb)
                v = std::min(v, prev2[j - 2] + 70);
            cur[j] = v;
            best = std::min(best, v);
        }
        if (best > limit) return limit + 1;
        int* t = prev2;
        prev2 = prev;
        prev = cur;
        cur = t;
    }
    return prev[m];
}

std::vector<std::string> SpellChecker::Suggest(std::string_view typed, std::size_t max) const {
    std::vector<std::string> out;
    const std::string word = NormalizeWord(typed);
    const std::size_t n = word.size();
    if (n == 0 || n > kMaxWord || max == 0) return out;
    const std::string lower = LowerWord(word);
    const int limit = n <= 2 ? 100 : 200;
    const std::string sound = SoundKey(lower);
    const bool apostrophe = lower.find('\'') != std::string::npos;
    const std::uint32_t letters = WordList::LetterSet(lower);
    const int edits = limit / 100;
    std::vector<Candidate> found;
    for (std::size_t len = n > 2 ? n - 2 : 1; len <= n + 2; ++len) {
        for (std::uint32_t idx : words_.OfLength(len)) {
            // Each edit brings in at most one letter and takes away at most one.
            const std::uint32_t set = words_.Letters(idx);
            if (Count(set & ~letters) > edits || Count(letters & ~set) > edits) continue;
            const std::string_view cand = words_.Word(idx);
            const int d = WeightedDistance(lower, cand, limit);
            if (d > limit) continue;
            int score = d * 10;
            const std::string candLower = LowerWord(cand);
            if (candLower == lower) score -= 500;   // only the case differs
            if (candLower[0] != lower[0]) score += 150;
            if (!apostrophe && candLower.find('\'') != std::string::npos) score += 300;
            if (SoundKey(candLower) == sound) score -= 200;
            score += 20 * static_cast<int>(len > n ? len - n : n - len);
            found.push_back({score, idx});
        }
    }
    std::sort(found.begin(), found.end(), [this](const Candidate& x, const Candidate& y) {
        if (x.score != y.score) return x.score < y.score;
        return words_.Word(x.word) < words_.Word(y.word);
    });
    // The case the word was typed in: "Teh" -> "The", "TEH" -> "THE".
    const bool capitalised = IsUpperLetter(static_cast<unsigned char>(word[0]));
    bool capitals = n > 1;
    for (unsigned char c : word)
        if (IsLowerLetter(c)) capitals = false;
    for (const Candidate& c : found) {
        std::string s(words_.Word(c.word));
        if (capitals) {
            for (char& ch : s) ch = static_cast<char>(UpperChar(static_cast<unsigned char>(ch)));
        } else if (capitalised) {
            s[0] = static_cast<char>(UpperChar(static_cast<unsigned char>(s[0])));
        }
        if (std::find(out.begin(), out.end(), s) == out.end()) out.push_back(s);
        if (out.size() == max) break;
    }
    return out;
}

}  // namespace pw
