// The built-in spelling checker against Hunspell (Debian's hunspell with hunspell-en-us) and GNU
// Aspell (aspell with aspell-en) on the same text and the same misspellings, in one run: checking
// speed, suggestion quality on made-up and on real misspellings, time to the first suggestions.
// Both run as their command-line programs; Hunspell's start-up (loading the dictionary) is
// measured on its own and taken off its checking time.
#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "options/spelling/SpellChecker.h"
#include "options/spelling/SpellTokenizer.h"
#include "options/spelling/SpellWords.h"

namespace {

using Clock = std::chrono::steady_clock;
double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

std::string ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void WriteAll(const std::string& path, const std::string& data) { std::ofstream(path, std::ios::binary) << data; }

// Runs a shell command, returns its standard output and how long it took.
std::string Run(const std::string& cmd, double* ms) {
    const auto t0 = Clock::now();
    std::string out;
    if (FILE* p = popen(cmd.c_str(), "r")) {
        char buf[65536];
        std::size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        pclose(p);
    }
    if (ms) *ms = Ms(t0, Clock::now());
    return out;
}

std::vector<std::string> Lines(const std::string& s) {
    std::vector<std::string> out;
    std::istringstream in(s);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

// About `bytes` of real English: the licence texts of the system, repeated, with one word in
// 150 misspelled (two neighbouring letters swapped).
std::string MakeText(std::size_t bytes) {
    std::string base;
    for (const char* f : {"GPL-3", "GPL-2", "LGPL-2.1", "Apache-2.0", "MPL-2.0", "GFDL-1.3", "Artistic"})
        base += ReadAll(std::string("/usr/share/common-licenses/") + f);
    std::string text;
    while (text.size() < bytes) text += base;
    text.resize(bytes);
    pw::WordSpan w;
    std::size_t pos = 0, n = 0;
    while (pw::NextWordToCheck(text, pos, w)) {
        pos = w.start + w.length;
        if (++n % 150 == 0 && w.length > 3) std::swap(text[w.start + 1], text[w.start + 2]);
    }
    return text;
}

std::string Misspell(const std::string& word, int edits, std::mt19937& rng) {
    std::string s = word;
    const std::string letters = "abcdefghijklmnopqrstuvwxyz";
    for (int e = 0; e < edits; ++e) {
        const int kind = static_cast<int>(rng() % 4);
        const std::size_t i = rng() % s.size();
        const char c = letters[rng() % 26];
        if (kind == 0) s.insert(s.begin() + static_cast<long>(i), c);
        else if (kind == 1 && s.size() > 2) s.erase(i, 1);
        else if (kind == 2) s[i] = c;
        else if (i + 1 < s.size()) std::swap(s[i], s[i + 1]);
        else s[i] = c;
    }
    return s;
}

std::set<std::string> HunspellWrong(const std::vector<std::string>& words, const std::string& tmp) {
    std::string in;
    for (const auto& w : words) in += w + "\n";
    WriteAll(tmp, in);
    const auto out = Lines(Run("hunspell -l -d en_US < " + tmp, nullptr));
    return std::set<std::string>(out.begin(), out.end());
}


// The suggestion lists of an ispell-style pipe (`hunspell -a`, `aspell -a`), one per input line
// of "^word": "& word n off: a, b, c" gives its list, any other answer an empty one.
std::vector<std::vector<std::string>> IspellLists(const std::string& output, std::size_t count) {
    std::vector<std::vector<std::string>> lists;
    const auto out = Lines(output);
    for (std::size_t i = 1; i < out.size() && lists.size() < count; ++i) {
        const std::string& l = out[i];
        if (l.empty()) continue;
        std::vector<std::string> s;
        if (l[0] == '&') {
            const std::string rest = l.substr(l.find(": ") + 2);
            std::size_t at = 0;
            while (at <= rest.size()) {
                std::size_t e = rest.find(", ", at);
                if (e == std::string::npos) e = rest.size();
                s.push_back(rest.substr(at, e - at));
                at = e + 2;
            }
        }
        lists.push_back(std::move(s));
    }
    lists.resize(count);
    return lists;
}

std::uint32_t Mix(std::string_view s) {
    std::uint32_t h = 2166136261u;
    for (unsigned char c : s) h = (h ^ c) * 16777619u;
    h ^= h >> 16;
    h *= 0x45d9f3bu;
    h ^= h >> 16;
    return h;
}

// A real misspelling: what was typed and the word meant.
struct Pair {
    std::string typed, intended;
};

// Real misspellings: codespell's list of typing errors found in real code and text
// ("typo->correction"), single corrections of letters only, typed in lower case. Kept where
// all three checkers know the intended word and flag the typed one. Each pair's half (tune or
// report) follows from a fixed hash of the typed word alone; per half the `cap` pairs with the
// lowest second hash are kept.
std::vector<Pair> RealMisspellings(const pw::SpellChecker& checker, const std::string& tmp, int half,
                                   std::size_t cap) {
    const std::string src = "/usr/lib/python3/dist-packages/codespell_lib/data/dictionary.txt";
    std::vector<Pair> all;
    std::istringstream in(ReadAll(src));
    auto letters = [](const std::string& w, bool capitals) {
        return !w.empty() && std::all_of(w.begin(), w.end(), [&](char c) {
                   return (c >= 'a' && c <= 'z') || c == '\'' || (capitals && c >= 'A' && c <= 'Z');
               });
    };
    for (std::string l; std::getline(in, l);) {
        const std::size_t arrow = l.find("->");
        if (arrow == std::string::npos) continue;
        Pair p{l.substr(0, arrow), l.substr(arrow + 2)};
        if (!letters(p.typed, false) || p.typed.find('\'') != std::string::npos || !letters(p.intended, true)) continue;
        if (static_cast<int>(Mix(p.typed) & 1) != half) continue;
        if (checker.IsCorrect(p.typed) || !checker.IsCorrect(p.intended)) continue;
        all.push_back(p);
    }
    std::vector<std::string> typed, intended;
    for (const auto& p : all) {
        typed.push_back(p.typed);
        intended.push_back(p.intended);
    }
    auto unknown = [&](const std::string& cmd, const std::vector<std::string>& words, const char* ext) {
        std::string text;
        for (const auto& w : words) text += w + "\n";
        WriteAll(tmp + ext, text);
        const auto out = Lines(Run(cmd + " < " + tmp + ext, nullptr));
        return std::set<std::string>(out.begin(), out.end());
    };
    const auto hunTyped = unknown("hunspell -l -d en_US", typed, ".rt");
    const auto hunIntended = unknown("hunspell -l -d en_US", intended, ".ri");
    const auto aspTyped = unknown("aspell list --lang=en_US", typed, ".rt");
    const auto aspIntended = unknown("aspell list --lang=en_US", intended, ".ri");
    std::vector<Pair> kept;
    for (const auto& p : all)
        if (hunTyped.count(p.typed) && aspTyped.count(p.typed) && !hunIntended.count(p.intended) &&
            !aspIntended.count(p.intended))
            kept.push_back(p);
    std::sort(kept.begin(), kept.end(), [](const Pair& a, const Pair& b) {
        const std::uint32_t x = Mix(a.typed + "#"), y = Mix(b.typed + "#");
        return x != y ? x < y : a.typed < b.typed;
    });
    if (kept.size() > cap) kept.resize(cap);
    return kept;
}

struct Score {
    std::size_t first = 0, top5 = 0, n = 0;
    void Add(const std::vector<std::string>& s, const std::string& want) {
        ++n;
        if (!s.empty() && s[0] == want) ++first;
        const auto end = s.begin() + static_cast<long>(std::min<std::size_t>(5, s.size()));
        if (std::find(s.begin(), end, want) != end) ++top5;
    }
    double First() const { return n ? 100.0 * first / n : 0; }
    double Top5() const { return n ? 100.0 * top5 / n : 0; }
};

// Our checker, Aspell and Hunspell on the same real misspellings; with `misses`, our misses
// (intended word not first) are written there, one "typed intended our-list" a line.
void RealSection(const pw::SpellChecker& checker, const std::string& tmp, std::size_t cap, bool others,
                 bool hunspell, const std::string& misses) {
    std::string missText;
    for (int half = 0; half < 2; ++half) {
        const auto pairs = RealMisspellings(checker, tmp, half, cap);
        Score ours, asp, hun;
        std::vector<double> times;
        const std::clock_t cpu0 = std::clock();
        for (const auto& p : pairs) {
            const auto t0 = Clock::now();
            const auto s = checker.Suggest(p.typed, 5);
            times.push_back(Ms(t0, Clock::now()));
            ours.Add(s, p.intended);
            if (!misses.empty() && half == 0 && (s.empty() || s[0] != p.intended)) {
                missText += p.typed + " " + p.intended + " ";
                for (const auto& w : s) missText += w + ",";
                missText += "\n";
            }
        }
        const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC;
        double aspMs = 0, hunMs = 0;
        if (others) {
            std::string in;
            for (const auto& p : pairs) in += "^" + p.typed + "\n";
            WriteAll(tmp + ".rs", in);
            const auto a = IspellLists(Run("aspell -a --lang=en_US < " + tmp + ".rs", &aspMs), pairs.size());
            const auto h = hunspell ? IspellLists(Run("hunspell -a -d en_US < " + tmp + ".rs", &hunMs), pairs.size())
                                    : std::vector<std::vector<std::string>>(pairs.size());
            for (std::size_t i = 0; i < pairs.size(); ++i) {
                asp.Add(a[i], pairs[i].intended);
                hun.Add(h[i], pairs[i].intended);
            }
        }
        std::sort(times.begin(), times.end());
        const double n = std::max<double>(1, static_cast<double>(pairs.size()));
        std::printf("real misspellings, %s half: %zu pairs\n", half == 0 ? "tune" : "report", pairs.size());
        std::printf("  pagewick  first %5.1f%%  top 5 %5.1f%%  median %.2f ms, 95th %.2f ms a word (CPU %.2f ms mean)\n",
                    ours.First(), ours.Top5(), times.empty() ? 0 : times[times.size() / 2],
                    times.empty() ? 0 : times[times.size() * 95 / 100], cpuMs / n);
        if (others) {
            std::printf("  aspell    first %5.1f%%  top 5 %5.1f%%  mean %.2f ms a word (start included)\n", asp.First(),
                        asp.Top5(), aspMs / n);
            if (hunspell) std::printf("  hunspell  first %5.1f%%  top 5 %5.1f%%  mean %.2f ms a word (start included)\n",
                        hun.First(), hun.Top5(), hunMs / n);
            std::printf("  pagewick - aspell: first %+.1f points, top 5 %+.1f points\n", ours.First() - asp.First(),
                        ours.Top5() - asp.Top5());
        }
        std::printf("\n");
    }
    if (!misses.empty()) WriteAll(misses, missText);
}

}  // namespace

int main(int argc, char** argv) {
    bool quick = false, realOnly = false, others = true, hunspell = true;
    std::string misses;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--quick") quick = true;
        else if (a == "--real") realOnly = true;                 // only the real misspellings
        else if (a == "--ours") others = false;                  // ... without Aspell's and Hunspell's lists
        else if (a == "--no-hunspell") hunspell = false;         // ... without Hunspell's (the slow one)
        else if (a == "--misses" && i + 1 < argc) misses = argv[++i];   // our misses on the tune half
        else {
            std::fprintf(stderr, "usage: spell_bench [--quick] [--real] [--ours | --no-hunspell] [--misses FILE]\n");
            return 2;
        }
    }
    const std::string tmp = "/tmp/pagewick-spell-bench-" + std::to_string(getpid());
    if (std::system("command -v hunspell >/dev/null && test -f /usr/share/hunspell/en_US.dic && "
                    "command -v aspell >/dev/null && test -f /usr/lib/python3/dist-packages/codespell_lib/data/dictionary.txt") != 0) {
        std::fprintf(stderr, "hunspell, aspell or codespell's list is missing (bench/spell_bench.sh installs them)\n");
        return 1;
    }
    const std::string packed = ReadAll(PAGEWICK_WORDLIST_FILE);
    pw::WordList list;
    double loadMs = 1e9;
    for (int i = 0; i < 5; ++i) {
        const auto t0 = Clock::now();
        if (!list.Load(packed)) return 1;
        loadMs = std::min(loadMs, Ms(t0, Clock::now()));
    }
    pw::SpellChecker checker(list);
    std::printf("word list: %zu words, %zu bytes packed; unpacked in %.1f ms\n\n", list.size(), packed.size(), loadMs);
    if (realOnly) {
        RealSection(checker, tmp, quick ? 300 : 1500, others, hunspell, misses);
        return 0;
    }

    // ---- checking speed over 1 MB
    const std::string text = MakeText(quick ? 200000 : 1000000);
    WriteAll(tmp + ".txt", text);
    std::size_t words = 0, wrong = 0;
    double ourMs = 1e9;
    for (int r = 0; r < 3; ++r) {
        const auto t0 = Clock::now();
        words = wrong = 0;
        pw::WordSpan w;
        std::size_t pos = 0;
        while (pw::NextWordToCheck(text, pos, w)) {
            ++words;
            if (!checker.IsCorrect(std::string_view(text).substr(w.start, w.length))) ++wrong;
            pos = w.start + w.length;
        }
        ourMs = std::min(ourMs, Ms(t0, Clock::now()));
    }
    double hunStart = 1e9, hunAll = 1e9;
    std::size_t hunWrong = 0;
    for (int r = 0; r < 3; ++r) {
        double a, b;
        Run("hunspell -l -d en_US < /dev/null", &a);
        hunWrong = Lines(Run("hunspell -l -d en_US < " + tmp + ".txt", &b)).size();
        hunStart = std::min(hunStart, a);
        hunAll = std::min(hunAll, b);
    }
    const double hunMs = std::max(1.0, hunAll - hunStart);
    std::printf("checking %zu bytes, %zu words (best of 3):\n", text.size(), words);
    std::printf("  pagewick  %10.0f words/s  (%.1f ms, %zu flagged)\n", words / ourMs * 1000, ourMs, wrong);
    std::printf("  hunspell  %10.0f words/s  (%.1f ms after its %.1f ms start, %zu flagged)\n", words / hunMs * 1000,
                hunMs, hunStart, hunWrong);
    std::printf("  ratio pagewick/hunspell: %.1fx faster\n\n", hunMs / ourMs);

    // ---- suggestion quality
    const std::size_t want = quick ? 300 : 2000;
    std::mt19937 rng(1);
    std::vector<std::string> intended, typed;
    std::vector<std::string> pool;
    for (std::uint32_t i = 0; i < list.size(); ++i) {
        const std::string_view w = list.Word(i);
        if (w.size() >= 4 && w.size() <= 12 && std::all_of(w.begin(), w.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
            pool.emplace_back(w);
    }
    while (intended.size() < want * 2) {
        const std::string w = pool[rng() % pool.size()];
        const std::string m = Misspell(w, 1 + static_cast<int>(rng() % 2), rng);
        if (m == w || checker.IsCorrect(m)) continue;
        intended.push_back(w);
        typed.push_back(m);
    }
    // Only pairs both checkers agree on: the word known to both, the misspelling to neither.
    const auto hunUnknown = HunspellWrong(intended, tmp + ".int");
    const auto hunWrongTyped = HunspellWrong(typed, tmp + ".typ");
    std::vector<std::pair<std::string, std::string>> cases;
    for (std::size_t i = 0; i < intended.size() && cases.size() < want; ++i)
        if (!hunUnknown.count(intended[i]) && hunWrongTyped.count(typed[i])) cases.push_back({intended[i], typed[i]});

    std::size_t ourFirst = 0, ourTop5 = 0, hunFirst = 0, hunTop5 = 0;
    std::vector<double> times;
    for (const auto& c : cases) {
        const auto t0 = Clock::now();
        const auto s = checker.Suggest(c.second, 5);
        times.push_back(Ms(t0, Clock::now()));
        if (!s.empty() && s[0] == c.first) ++ourFirst;
        if (std::find(s.begin(), s.end(), c.first) != s.end()) ++ourTop5;
    }
    std::string in;
    for (const auto& c : cases) in += "^" + c.second + "\n";
    WriteAll(tmp + ".sug", in);
    double hunSugMs;
    const auto out = Lines(Run("hunspell -a -d en_US < " + tmp + ".sug", &hunSugMs));
    std::size_t k = 0;
    for (std::size_t i = 1; i < out.size() && k < cases.size(); ++i) {
        const std::string& l = out[i];
        if (l.empty()) continue;
        std::vector<std::string> s;
        if (l[0] == '&') {
            std::string rest = l.substr(l.find(": ") + 2);
            std::size_t at = 0;
            while (at <= rest.size()) {
                std::size_t e = rest.find(", ", at);
                if (e == std::string::npos) e = rest.size();
                s.push_back(rest.substr(at, e - at));
                at = e + 2;
            }
        }
        const std::string& want_ = cases[k++].first;
        if (!s.empty() && s[0] == want_) ++hunFirst;
        if (std::find(s.begin(), s.begin() + std::min<std::size_t>(5, s.size()), want_) != s.begin() + std::min<std::size_t>(5, s.size())) ++hunTop5;
    }
    std::sort(times.begin(), times.end());
    const double n = static_cast<double>(cases.size());
    std::printf("suggestions for %zu misspellings (1 or 2 random edits of list words, seed 1):\n", cases.size());
    std::printf("  pagewick  first %5.1f%%  top 5 %5.1f%%  median %.2f ms, 95th %.2f ms a word\n", 100 * ourFirst / n,
                100 * ourTop5 / n, times[times.size() / 2], times[times.size() * 95 / 100]);
    std::printf("  hunspell  first %5.1f%%  top 5 %5.1f%%  mean %.2f ms a word (start included)\n", 100 * hunFirst / n,
                100 * hunTop5 / n, hunSugMs / n);
    std::printf("  ratio first %.2f, top 5 %.2f\n\n", static_cast<double>(ourFirst) / std::max<std::size_t>(1, hunFirst),
                static_cast<double>(ourTop5) / std::max<std::size_t>(1, hunTop5));

    // ---- real misspellings
    RealSection(checker, tmp, quick ? 300 : 1500, others, hunspell, misses);

    // ---- time to the first suggestion list, from nothing loaded
    double coldOurs = 1e9, coldHun = 1e9;
    for (int r = 0; r < 5; ++r) {
        const auto t0 = Clock::now();
        pw::WordList fresh;
        fresh.Load(packed);
        pw::SpellChecker c(fresh);
        (void)c.Suggest("recieve");
        coldOurs = std::min(coldOurs, Ms(t0, Clock::now()));
        double h;
        Run("echo ^recieve | hunspell -a -d en_US", &h);
        coldHun = std::min(coldHun, h);
    }
    std::printf("first suggestions for \"recieve\", nothing loaded (best of 5):\n");
    std::printf("  pagewick  %.1f ms (list unpacked + suggestions)\n  hunspell  %.1f ms (process + dictionary + suggestions)\n",
                coldOurs, coldHun);
    std::printf("  ratio %.2f\n", coldOurs / coldHun);
    return 0;
}
