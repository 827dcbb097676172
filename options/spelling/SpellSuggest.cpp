// Suggestions: every listed word within two edits of the typed one, and further ones that sound
// alike, ranked by a weighted edit distance (neighbouring keys, doubled letters and vowel slips
// cost less), then by sound, how common the word is, case, first letter and length.
#include <algorithm>
#include <cstdint>

#include "options/spelling/SpellChecker.h"
#include "options/spelling/SpellTokenizer.h"

namespace pw {

namespace {

constexpr int kMaxWord = 48;
// Ranking, in tenths of a hundredth of an edit (a whole edit is 1000):
constexpr int kRankCost = 250;    // each step from the commonest words to the rarest
constexpr int kNameCost = 300;    // a capitalised word offered for a word typed in lower case
constexpr int kSameSound = 200;   // off the score of a word that sounds the same
// For a typed word of at least kFarFrom letters, words that sound alike (sounds differing by
// at most one) may lie up to kFarLimit off, in hundredths of an edit: always among the words
// of the first pass, and among those of up to kFarReach letters more or fewer when nothing
// lies within kFarUnless or fewer than five words lie within two edits.
constexpr int kFarLimit = 400;
constexpr std::size_t kFarReach = 4;   // letters more or fewer
constexpr int kFarLetters = 3;         // letters brought in, and taken away, at most
constexpr std::size_t kFarFrom = 4;
constexpr int kFarUnless = 100;
// When fewer words than asked for are found, words up to kLastLimit off that start alike and
// hold most of the typed letters fill the rest, behind all the others ("approproximate" ->
// "approximate").
constexpr int kLastLimit = 450;
constexpr int kLastLetters = 3;

bool IsVowel(unsigned char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u' || c == 'y'; }

// What putting one letter for another costs: 75 for a neighbouring key, 80 for a vowel for a
// vowel, 100 otherwise (letters outside a-z: 100 unless equal).
struct SubstituteTable {
    unsigned char cost[26][26];
    SubstituteTable() {
        bool near[26][26] = {};
        const char* rows[3] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
        auto link = [&near](char a, char b) {
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
        for (int x = 0; x < 26; ++x)
            for (int y = 0; y < 26; ++y)
                cost[x][y] = x == y ? 0 : near[x][y] ? 75 : IsVowel('a' + x) && IsVowel('a' + y) ? 80 : 100;
    }
};

const SubstituteTable& Substitutes() {
    static const SubstituteTable table;
    return table;
}

// How a word sounds, roughly, as a string of consonant sounds: "physicist" and "fysisist" both
// give "FST", "portion" and "porshan" "PRXN". Vowels count only at the start (as 'A'); silent
// letters (the k of "knee", the gh of "night") are dropped; c, g, s, t before i/e/h take the
// sound they have there; doubled sounds count once. At most kMaxKey sounds.
constexpr std::size_t kMaxKey = 24;
struct SoundKey {
    char text[kMaxKey];
    std::size_t size = 0;
    bool operator==(const SoundKey& o) const {
        return size == o.size && std::equal(text, text + size, o.text);
    }
};

bool IsPlainVowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }

SoundKey SoundOf(std::string_view w) {
    SoundKey key;
    auto emit = [&key](char c) {
        if (key.size < kMaxKey && (key.size == 0 || key.text[key.size - 1] != c)) key.text[key.size++] = c;
    };
    const std::size_t n = w.size();
    auto at = [&](std::size_t i) { return i < n ? w[i] : '\0'; };
    std::size_t i = 0;
    if (n > 1 && ((w[0] == 'k' || w[0] == 'g' || w[0] == 'p') && w[1] == 'n')) i = 1;   // knee, gnaw, pneumatic
    if (n > 1 && ((w[0] == 'w' && w[1] == 'r') || (w[0] == 'p' && w[1] == 's'))) i = 1; // write, psalm
    if (IsPlainVowel(at(i))) emit('A');
    for (; i < n; ++i) {
        const char c = w[i], next = at(i + 1), after = at(i + 2);
        const char prev = i > 0 ? w[i - 1] : '\0';
        const bool soft = next == 'e' || next == 'i' || next == 'y';
        switch (c) {
        case 'b': if (!(prev == 'm' && i + 1 == n)) emit('B'); break;
        case 'c':
            if (next == 'h' || (next == 'i' && after == 'a')) emit(prev == 's' && next == 'h' ? 'K' : 'X');
            else if (soft) emit('S');
            else emit('K');
            break;
        case 'd': emit(next == 'g' && (after == 'e' || after == 'i' || after == 'y') ? 'J' : 'T'); break;
        case 'g':
            if (next == 'h' && !IsPlainVowel(after)) break;   // night, though
            if (next == 'n' && (i + 2 == n || (after == 'e' && at(i + 3) == 'd' && i + 4 == n))) break;   // sign, signed
            emit(soft ? 'J' : 'K');
            break;
        case 'h':
            if (IsPlainVowel(next) && prev != 'c' && prev != 'g' && prev != 'p' && prev != 's' && prev != 't') emit('H');
            break;
        case 'k': if (prev != 'c') emit('K'); break;
        case 'p': emit(next == 'h' ? 'F' : 'P'); break;
        case 'q': emit('K'); break;
        case 's': emit(next == 'h' || (next == 'i' && (after == 'o' || after == 'a')) ? 'X' : 'S'); break;
        case 't':
            if (next == 'i' && (after == 'o' || after == 'a')) emit('X');
            else if (next == 'h') emit('0');
            else if (!(next == 'c' && after == 'h')) emit('T');
            break;
        case 'v': emit('F'); break;
        case 'w': if (IsPlainVowel(next)) emit('W'); break;
        case 'y': if (IsPlainVowel(next)) emit('Y'); break;
        case 'x': emit('K'); emit('S'); break;
        case 'z': emit('S'); break;
        case 'f': case 'j': case 'l': case 'm': case 'n': case 'r': emit(static_cast<char>(c - 32)); break;
        default: break;   // vowels inside the word, apostrophes, accented letters
        }
        if ((c == 'c' || c == 'p' || c == 's' || c == 't') && next == 'h') ++i;   // the h is part of the sound
    }
    return key;
}

// The first letters a word may have to start with the same sound as one starting with c, one
// bit each (a-z): the same letter, any vowel for a vowel, and the letters that stand for one
// sound at a word's start (c/k/q/s, f/ph, g/j, n/kn/gn/pn, r/wr, s/z/x).
std::uint32_t SameStart(unsigned char c) {
    if (c < 'a' || c > 'z') return 0;
    std::uint32_t mask = 1u << (c - 'a');
    static const char* const groups[] = {"aeiouy", "ckqs", "fp", "gj", "nkgp", "rw", "szxc"};
    for (const char* g : groups) {
        const std::string_view set(g);
        if (set.find(static_cast<char>(c)) == std::string_view::npos) continue;
        for (char o : set) mask |= 1u << (o - 'a');
    }
    return mask;
}

// How many sounds differ between two keys: insert, delete, substitute, swap, each 1; 2 at most.
int SoundDistance(const SoundKey& a, const SoundKey& b) {
    const std::size_t n = a.size, m = b.size;
    if ((n > m ? n - m : m - n) > 2) return 3;
    int d[kMaxKey + 1][kMaxKey + 1];
    for (std::size_t i = 0; i <= n; ++i) d[i][0] = static_cast<int>(i);
    for (std::size_t j = 0; j <= m; ++j) d[0][j] = static_cast<int>(j);
    for (std::size_t i = 1; i <= n; ++i) {
        for (std::size_t j = 1; j <= m; ++j) {
            int v = std::min(d[i - 1][j] + 1, d[i][j - 1] + 1);
            v = std::min(v, d[i - 1][j - 1] + (a.text[i - 1] == b.text[j - 1] ? 0 : 1));
            if (i > 1 && j > 1 && a.text[i - 1] == b.text[j - 2] && a.text[i - 2] == b.text[j - 1])
                v = std::min(v, d[i - 2][j - 2] + 1);
            d[i][j] = v;
        }
    }
    return std::min(d[n][m], 3);
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

namespace {

// The weighted distance between two lower-case words (see WeightedDistance).
int LowerDistance(std::string_view a, std::string_view b, int limit) {
    const int n = static_cast<int>(a.size()), m = static_cast<int>(b.size());
    if (n > kMaxWord || m > kMaxWord) return limit + 1;
    const auto& sub = Substitutes().cost;
    // A letter typed twice, or one of a double missing, costs 60.
    int insertCost[kMaxWord], deleteCost[kMaxWord];
    for (int j = 0; j < m; ++j) insertCost[j] = j > 0 && b[j] == b[j - 1] ? 60 : 100;
    for (int i = 0; i < n; ++i) deleteCost[i] = i > 0 && a[i] == a[i - 1] ? 60 : 100;
    int rows[3][kMaxWord + 1];
    int* prev2 = rows[0];
    int* prev = rows[1];
    int* cur = rows[2];
    prev[0] = 0;
    for (int j = 1; j <= m; ++j) prev[j] = prev[j - 1] + insertCost[j - 1];
    for (int i = 1; i <= n; ++i) {
        const unsigned char ca = static_cast<unsigned char>(a[i - 1]);
        const bool plain = ca >= 'a' && ca <= 'z';
        const int del = deleteCost[i - 1];
        cur[0] = prev[0] + del;
        int best = cur[0];
        for (int j = 1; j <= m; ++j) {
            const unsigned char cb = static_cast<unsigned char>(b[j - 1]);
            const int s = plain && cb >= 'a' && cb <= 'z' ? sub[ca - 'a'][cb - 'a'] : ca == cb ? 0 : 100;
            int v = prev[j - 1] + s;
            v = std::min(v, prev[j] + del);
            v = std::min(v, cur[j - 1] + insertCost[j - 1]);
            if (i > 1 && j > 1 && ca == static_cast<unsigned char>(b[j - 2]) &&
                static_cast<unsigned char>(a[i - 2]) == cb && ca != cb)
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

}  // namespace

int WeightedDistance(std::string_view a, std::string_view b, int limit) {
    return LowerDistance(LowerWord(a), LowerWord(b), limit);
}

std::vector<std::string> SpellChecker::Suggest(std::string_view typed, std::size_t max) const {
    std::vector<std::string> out;
    const std::string word = NormalizeWord(typed);
    const std::size_t n = word.size();
    if (n == 0 || n > kMaxWord || max == 0) return out;
    const std::string lower = LowerWord(word);
    const int limit = n <= 2 ? 100 : 200;
    const SoundKey sound = SoundOf(lower);
    const bool apostrophe = lower.find('\'') != std::string::npos;
    const std::uint32_t letters = WordList::LetterSet(lower);
    const int edits = limit / 100;
    const bool typedCapital = lower != word;
    const std::uint32_t starts = SameStart(static_cast<unsigned char>(lower[0]));
    const char* const chars = words_.Chars();
    std::vector<Candidate> found;
    std::string candLower;
    int nearest = limit + 1;
    const bool farAllowed = n >= kFarFrom;
    auto lowerOf = [&](std::string_view cand) {
        candLower.assign(cand);
        for (char& ch : candLower) ch = static_cast<char>(LowerChar(static_cast<unsigned char>(ch)));
    };
    auto startsAlike = [&](std::uint32_t idx) {
        const unsigned char c = LowerChar(static_cast<unsigned char>(chars[words_.Start(idx)]));
        return c >= 'a' && c <= 'z' && (starts >> (c - 'a') & 1);
    };
    auto byScore = [this](const Candidate& x, const Candidate& y) {
        if (x.score != y.score) return x.score < y.score;
        return words_.Word(x.word) < words_.Word(y.word);
    };
    // Scores a word at weighted distance d (or further than limit: then it must sound alike and
    // lie within kFarLimit).
    auto consider = [&](std::uint32_t idx, bool near) {
        const std::string_view cand = words_.Word(idx);
        lowerOf(cand);
        int d = near ? LowerDistance(lower, candLower, farAllowed ? kFarLimit : limit) : limit + 1;
        int soundDiff;
        if (d > limit) {
            if (!farAllowed || (near && d > kFarLimit)) return;
            soundDiff = SoundDistance(sound, SoundOf(candLower));
            if (soundDiff > 1) return;
            if (!near) d = LowerDistance(lower, candLower, kFarLimit);
            if (d > kFarLimit) return;
        } else {
            soundDiff = SoundDistance(sound, SoundOf(candLower));
            nearest = std::min(nearest, d);
        }
        int score = d * 10;
        if (candLower == lower) score -= 500;   // only the case differs
        if (candLower[0] != lower[0]) score += 150;
        if (!apostrophe && candLower.find('\'') != std::string::npos) score += 300;
        if (soundDiff == 0) score -= kSameSound;
        score += kRankCost * words_.Rank(idx);
        if (candLower != cand && !typedCapital) score += kNameCost;   // "Caterpillar" for "caterpiller"
        const std::size_t len = cand.size();
        score += 20 * static_cast<int>(len > n ? len - n : n - len);
        found.push_back({score, idx});
    };
    // Within two edits; each edit brings in at most one letter and takes away at most one.
    for (std::size_t len = n > std::size_t(edits) ? n - edits : 1; len <= n + edits; ++len)
        for (std::uint32_t idx : words_.OfLength(len)) {
            const std::uint32_t set = words_.Letters(idx);
            if (Count(set & ~letters) <= edits && Count(letters & ~set) <= edits) consider(idx, true);
        }
    // When nothing lies within one edit, or few words within two, the words further off that
    // sound alike and start alike ("fysisist" -> "physicist").
    const bool lookFurther = farAllowed && (nearest > kFarUnless || found.size() < 5);
    for (std::size_t len = n > kFarReach ? n - kFarReach : 1; lookFurther && len <= n + kFarReach; ++len) {
        const bool nearLength = len + edits >= n && len <= n + edits;
        for (std::uint32_t idx : words_.OfLength(len)) {
            const std::uint32_t set = words_.Letters(idx);
            const int added = Count(set & ~letters), dropped = Count(letters & ~set);
            if (added > kFarLetters || dropped > kFarLetters || (nearLength && added <= edits && dropped <= edits)) continue;
            if (startsAlike(idx)) consider(idx, false);
        }
    }
    std::sort(found.begin(), found.end(), byScore);
    // Fewer words than asked for: further ones that start alike fill up, nearest first.
    if (farAllowed && found.size() < max) {
        std::vector<Candidate> more;
        for (std::size_t len = n > kFarReach ? n - kFarReach : 1; len <= n + kFarReach; ++len)
            for (std::uint32_t idx : words_.OfLength(len)) {
                const std::uint32_t set = words_.Letters(idx);
                if (Count(set & ~letters) > kLastLetters || Count(letters & ~set) > kLastLetters) continue;
                if (Count(set & letters) * 2 < Count(letters) || !startsAlike(idx)) continue;  // most typed letters
                if (std::any_of(found.begin(), found.end(), [idx](const Candidate& f) { return f.word == idx; }))
                    continue;
                lowerOf(words_.Word(idx));
                const int d = LowerDistance(lower, candLower, kLastLimit);
                if (d > kLastLimit) continue;
                more.push_back({d * 10 + kRankCost * words_.Rank(idx), idx});
            }
        std::sort(more.begin(), more.end(), byScore);
        found.insert(found.end(), more.begin(), more.end());
    }
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
