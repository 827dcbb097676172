// Speed of the editor's heavy paths, each against a baseline measured in the same run:
//   Replace All of 100,000 matches in a 1 MB note   vs the one-at-a-time replace loop
//   Find Next across a 50 MB note                   vs a plain memory search (std::string::find)
//   Open... of a 20 MB file                         vs a plain copy of its bytes; and, on 1 MB,
//                                                      vs putting the text in line by line
//   Replace All on 1 MB of Cyrillic (case folded)  vs the same on 1 MB of ASCII
// Prints times and ratios. "--quick" runs smaller sizes.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "app/frmPagewick.h"
#include "editor/FileCommands.h"
#include "editor/FindReplace.h"
#include "editor/TextSearch.h"
#include "fakes/fake_platform.h"

using namespace pw;

namespace {

double Seconds(const std::function<void()>& f, int repeat = 1) {
    double best = 1e30;
    for (int i = 0; i < repeat; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (s < best) best = s;
    }
    return best;
}

fake::Control MakeBox(const std::string& text) {
    ControlDef d;
    d.kind = ControlKind::TextBox;
    fake::Control box(d, 1);
    box.SetText(text);
    return box;
}

// The replace loop one match at a time, reading the whole text for every search.
void ReplaceAllStepByStep(IControl& box, const std::string& find, const std::string& repl, const SearchRules& r) {
    size_t p = SearchText(box.Text(), static_cast<size_t>(box.SelStart()), find, r);
    while (p != kNotFound) {
        box.SetSelStart(static_cast<int>(p));
        box.SetSelLength(static_cast<int>(find.size()));
        box.SetSelText(repl);
        p = SearchText(box.Text(), static_cast<size_t>(box.SelStart()), find, r);
    }
}

bool BenchReplaceAll(bool quick) {
    const size_t matches = quick ? 10000 : 100000;
    std::string text;
    text.reserve(matches * 10);
    for (size_t i = 0; i < matches; ++i) text += (i % 3 == 0) ? "Cat dog.\r\n" : "cat, rat  ";
    SearchRules rules;

    fake::Fakes f;
    FindReplace fr(f.platform);
    fake::Control ours = MakeBox(text);
    fr.SetTarget(ours);
    const double tOurs = Seconds([&] {
        ours.SetText(text);
        fr.ReplaceFound("cat", "lion", false, false, true);
    }, 5);

    fake::Control naive = MakeBox(text);
    const double tNaive = Seconds([&] { ReplaceAllStepByStep(naive, "cat", "lion", rules); });

    const bool same = ours.text == naive.text && ours.SelStart() == naive.SelStart();
    std::printf("Replace All, %zu matches in a %.1f MB note: %.4f s; step by step %.3f s; ratio %.0fx; result %s\n",
                matches, text.size() / 1048576.0, tOurs, tNaive, tNaive / tOurs, same ? "identical" : "DIFFERENT");
    return same;
}

bool BenchFindNext(bool quick) {
    const size_t size = (quick ? 5u : 50u) << 20;
    const char* words[] = {"note ", "and ", "then ", "in ", "the ", "Night ", "nine ", "ten\r\n"};
    std::string text;
    text.reserve(size + 16);
    for (size_t i = 0; text.size() < size; ++i) text += words[(i * 7 + i / 5) % 8];
    text += "needle";
    const std::string find = "needle";

    size_t plainAt = 0, oursAt = 0, exactAt = 0;
    const double tPlain = Seconds([&] { plainAt = text.find(find); }, 5);
    SearchRules rules;
    const double tOurs = Seconds([&] { oursAt = SearchText(text, 0, find, rules); }, 5);
    rules.matchCase = true;
    const double tExact = Seconds([&] { exactAt = SearchText(text, 0, find, rules); }, 5);

    // The whole Find Next: the box's text is read, searched and the match selected.
    fake::Fakes f;
    FindReplace fr(f.platform);
    fake::Control box = MakeBox(text);
    fr.SetTarget(box);
    const double tFindNext = Seconds([&] { box.SetSelStart(0); fr.FindDown(find, false, false); }, 5);
    std::string copy;
    const double tCopyPlain = Seconds([&] { copy = box.Text(); plainAt = copy.find(find); }, 5);

    const bool ok = plainAt == oursAt && oursAt == exactAt && box.SelStart() == static_cast<int>(plainAt);
    std::printf("Find Next across %.0f MB: case-insensitive search %.4f s, plain memory search %.4f s, ratio %.2f; "
                "match case %.4f s, ratio %.2f\n",
                size / 1048576.0, tOurs, tPlain, tOurs / tPlain, tExact, tExact / tPlain);
    std::printf("  with reading the text box: Find Next %.4f s, copy + plain search %.4f s, ratio %.2f; %s\n",
                tFindNext, tCopyPlain, tFindNext / tCopyPlain, ok ? "same match" : "DIFFERENT MATCH");
    return ok;
}

// Open... as it would go putting the text in once per line read.
void OpenLineByLine(IControl& box, const std::string& data) {
    size_t pos = 0;
    bool first = true;
    while (pos < data.size()) {
        size_t end = data.find_first_of('\r', pos);
        if (end == std::string::npos) end = data.size();
        const std::string line = data.substr(pos, end - pos);
        pos = end;
        if (pos < data.size()) pos += (pos + 1 < data.size() && data[pos + 1] == '\n') ? 2 : 1;
        box.SetText(first ? line : box.Text() + "\r\n" + line);
        first = false;
    }
}

bool BenchOpen(bool quick) {
    const size_t size = (quick ? 2u : 20u) << 20;
    std::string data;
    data.reserve(size + 64);
    for (size_t i = 0; data.size() < size; ++i) data += "A line of the imported file, number " + std::to_string(i) + "\r\n";

    fake::Fakes f;
    f.fs.files["C:\\big.txt"] = data;
    frmPagewick w(f.platform);
    if (!w.Load()) return false;
    const double tOpen = Seconds([&] {
        w.txtNote().SetText("");
        f.dialogs.openAnswers.push_back({true, "C:\\big.txt"});
        w.mnuOpen_Click();
    }, 3);
    const bool ok = w.txtNote().Text() == data.substr(0, data.size() - 2);
    std::string copy;
    const double tCopy = Seconds([&] { copy = f.fs.files["C:\\big.txt"]; w.txtNote().SetText(copy); }, 3);

    const std::string sample = data.substr(0, 1u << 20);
    fake::Control once = MakeBox(""), perLine = MakeBox("");
    const double tOnce = Seconds([&] { once.SetText(TextFromFile(sample)); }, 3);
    const double tPerLine = Seconds([&] { OpenLineByLine(perLine, sample); });
    const bool same = once.text == perLine.text;
    std::printf("Open... of a %.0f MB file: %.4f s; plain copy into the box %.4f s, ratio %.2f; %s\n",
                size / 1048576.0, tOpen, tCopy, tOpen / tCopy, ok ? "text as expected" : "WRONG TEXT");
    std::printf("  on 1 MB: built once %.4f s, line by line %.3f s, ratio %.0fx; result %s\n", tOnce, tPerLine,
                tPerLine / tOnce, same ? "identical" : "DIFFERENT");
    return ok && same;
}

}  // namespace

// Replace All on 1 MB of UTF-8 Cyrillic without Match case (the text is folded by the built-in
// lowercase first), against the same number of matches in 1 MB of ASCII.
bool BenchReplaceAllUnicode(bool quick) {
    const size_t lines = quick ? 5000 : 30000;
    const std::string cat = "\xD0\x9A\xD0\xBE\xD1\x82", dog = "\xD0\xBF\xD1\x91\xD1\x81";   // Кот, пёс
    std::string cyr, ascii;
    for (size_t i = 0; i < lines; ++i) {
        cyr += cat + " \xD0\xB8 \xD0\xBC\xD1\x8B\xD1\x88\xD1\x8C, \xD0\xBA\xD0\xBE\xD1\x82.\r\n";
        ascii += "Cat and mouse, cat. ok ok ok ok\r\n";
    }
    fake::Fakes f;
    FindReplace fr(f.platform);
    fake::Control u = MakeBox(cyr), a = MakeBox(ascii);
    fr.SetTarget(u);
    const double tU = Seconds([&] {
        u.SetText(cyr);
        u.SetSelStart(0);
        fr.ReplaceFound("\xD0\xBA\xD0\xBE\xD1\x82", dog, false, false, true);
    }, 5);
    const bool okU = u.text.find(cat) == std::string::npos && u.text.find(dog) == 0;
    fr.SetTarget(a);
    const double tA = Seconds([&] {
        a.SetText(ascii);
        a.SetSelStart(0);
        fr.ReplaceFound("cat", "dog", false, false, true);
    }, 5);
    std::printf("Replace All, %zu matches: %.1f MB Cyrillic %.4f s; %.1f MB ASCII %.4f s; ratio %.2fx; result %s\n",
                2 * lines, cyr.size() / 1048576.0, tU, ascii.size() / 1048576.0, tA, tU / tA, okU ? "right" : "WRONG");
    return okU;
}

int main(int argc, char** argv) {
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    bool ok = BenchReplaceAll(quick);
    ok = BenchFindNext(quick) && ok;
    ok = BenchOpen(quick) && ok;
    ok = BenchReplaceAllUnicode(quick) && ok;
    return ok ? 0 : 1;
}
