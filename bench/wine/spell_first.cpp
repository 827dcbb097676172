// Time to the first suggestion list of the built-in spelling checker as pagewick.exe runs it
// (32-bit, the same compiler flags), under Wine or Windows: unpacking the word list, then the
// suggestions for one misspelling; best and median of 9. Baseline: a plain copy of the packed
// bytes, measured in the same run.
//   wine spell_first.exe PATH\wordlist.pwl
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "options/spelling/SpellChecker.h"

namespace {
double NowMs() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: spell_first.exe wordlist.pwl\n");
        return 2;
    }
    std::ifstream f(argv[1], std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    const std::string packed = s.str();
    std::vector<double> load, first, copy;
    std::string top;
    for (int r = 0; r < 9; ++r) {
        const double t0 = NowMs();
        std::string bytes = packed;   // what reading the resource costs at most
        const double t1 = NowMs();
        pw::WordList words;
        if (!words.Load(bytes)) {
            std::printf("not a word list: %s\n", argv[1]);
            return 1;
        }
        const double t2 = NowMs();
        pw::SpellChecker checker(words);
        top = checker.Suggest("recieve").front();
        const double t3 = NowMs();
        copy.push_back(t1 - t0);
        load.push_back(t2 - t1);
        first.push_back(t3 - t1);
    }
    for (auto* v : {&load, &first, &copy}) std::sort(v->begin(), v->end());
    std::printf("unpack the list          best %6.2f ms  median %6.2f ms\n", load[0], load[4]);
    std::printf("unpack + suggestions     best %6.2f ms  median %6.2f ms  (\"recieve\" -> \"%s\")\n", first[0],
                first[4], top.c_str());
    std::printf("baseline: copy %zu bytes  best %6.2f ms  (ratio %.0fx)\n", packed.size(), copy[0],
                first[0] / std::max(copy[0], 0.001));
    return 0;
}
