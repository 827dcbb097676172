// Change All in the Spelling window against Replace All, natively on the fakes, on the same
// note: lines of short words with one typo ("teh") again and again (200,000 in about 2 MB by
// default). Change All runs the whole Check Spelling command (the word list unpacked, the
// dialog shown, Change All pressed on the first word, the check run to its end, the note made
// one Undo step); Replace All runs the Replace dialog's Replace All of the same word, whole
// words only. Both must leave the same text. Prints each time and the ratio.
//
// usage: change_all_bench [--typos N] [--runs N]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "editor/FindReplace.h"
#include "fakes/fake_platform.h"
#include "options/spelling/SpellCommand.h"
#include "options/spelling/frmSpelling.h"

using namespace pw;

namespace {

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Seven typos a line of about 70 bytes, CR LF between lines.
std::string TypoNote(std::size_t typos) {
    static const char* const kWords[] = {"cat", "dog", "hen", "fox", "owl", "elk", "ant"};
    std::string s;
    s.reserve(typos * 10 + 16);
    for (std::size_t i = 0; i < typos; ++i) {
        s += "teh ";
        s += kWords[i % 7];
        s += i % 7 == 6 ? " and more\r\n" : ", ";
    }
    return s;
}

class Resources : public IResources {
public:
    bool Data(const std::string&, std::string& bytes) override {
        bytes = packed;
        return !packed.empty();
    }
    std::string packed;
};

fake::Control Box(const std::string& text) {
    ControlDef d;
    d.kind = ControlKind::TextBox;
    d.style = csMultiLine | csUnicode;
    fake::Control box(d, 1);
    box.SetText(text);
    return box;
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t typos = 200000;
    int runs = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string k = argv[i];
        if (k == "--typos") typos = static_cast<std::size_t>(std::atol(argv[i + 1]));
        else if (k == "--runs") runs = std::atoi(argv[i + 1]);
    }
    std::ifstream list(PAGEWICK_WORDLIST_FILE, std::ios::binary);
    std::ostringstream packed;
    packed << list.rdbuf();
    Resources resources;
    resources.packed = packed.str();
    const std::string note = TypoNote(typos);
    std::string expected = note;
    for (std::size_t at = expected.find("teh"); at != std::string::npos; at = expected.find("teh", at + 3))
        expected.replace(at, 3, "the");

    double bestChange = 1e30, bestReplace = 1e30, bestClick = 1e30;
    bool same = true;
    for (int r = 0; r < runs; ++r) {
        fake::Fakes f;
        f.platform.resources = &resources;
        fake::Control box = Box(note);
        double clicked = 0;
        f.ui.onModal = [&clicked](fake::Form& form) {
            form.Ctl(frmSpelling::txtChangeTo)->text = "the";
            clicked = Now();
            form.events.Command(frmSpelling::cmdChangeAll);
        };
        double t0 = Now();
        SpellCheck(f.platform, box, 0x42);
        const double done = Now();
        const double change = done - t0, fromClick = done - clicked;
        if (fromClick < bestClick) bestClick = fromClick;
        same = same && box.text == expected && f.ui.modalRuns == 1;

        fake::Fakes g;
        FindReplace fr(g.platform);
        fake::Control other = Box(note);
        fr.SetTarget(other);
        t0 = Now();
        fr.ReplaceFound("teh", "the", true, false, true);
        const double replace = Now() - t0;
        same = same && other.text == expected;
        if (change < bestChange) bestChange = change;
        if (replace < bestReplace) bestReplace = replace;
        std::printf("run %d: Check Spelling with Change All %.3f s (from the click %.3f s), Replace All %.3f s\n",
                    r + 1, change, fromClick, replace);
        std::fflush(stdout);
    }
    std::printf("natively, %zu typos in a %.2f MB note, best of %d: Check Spelling with Change All %.3f s "
                "(from the click on Change All %.3f s), Replace All %.3f s; ratio %.2f (from the click %.2f); "
                "result %s\n",
                typos, note.size() / 1048576.0, runs, bestChange, bestClick, bestReplace, bestChange / bestReplace,
                bestClick / bestReplace, same ? "identical" : "DIFFERENT");
    return same ? 0 : 1;
}
