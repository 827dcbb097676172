// libFuzzer target for the spelling tokenizer and the checker's session over it: any bytes
// must give words inside the text, in order, each starting with a letter and made of letters,
// digits-free, with apostrophes only inside; changing every word must keep the rest intact.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "options/spelling/SpellChecker.h"
#include "options/spelling/SpellSession.h"
#include "options/spelling/SpellTokenizer.h"
#include "options/spelling/SpellWords.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    pw::WordSpan w;
    std::size_t pos = 0, count = 0;
    while (pw::NextWordToCheck(text, pos, w)) {
        if (w.start < pos || w.length == 0 || w.start + w.length > text.size()) std::abort();
        const unsigned char first = static_cast<unsigned char>(text[w.start]);
        const unsigned char last = static_cast<unsigned char>(text[w.start + w.length - 1]);
        if (!pw::IsWordLetter(first) || !pw::IsWordLetter(last)) std::abort();
        for (std::size_t i = w.start; i < w.start + w.length; ++i) {
            const unsigned char c = static_cast<unsigned char>(text[i]);
            if (c >= '0' && c <= '9') std::abort();
        }
        if (pw::NormalizeWord(text.substr(w.start, w.length)).size() != w.length) std::abort();
        pos = w.start + w.length;
        if (++count > size) std::abort();   // always moves on
    }
    // A session with an empty list asks about every word; changing words (one at a time, or
    // every later copy at once) and replaying the edits on the original gives the session's
    // text.
    pw::WordList list;
    pw::SpellChecker checker(list);
    pw::SpellSession session(checker, text);
    std::size_t asked = 0;
    while (session.Next()) {
        if (++asked > size) std::abort();
        if (asked % 3 == 0) session.IgnoreAll();
        else if (asked % 3 == 1) session.Change("x");
        else session.ChangeAll(asked % 2 ? "y" : "");
    }
    std::string replayed = text;
    for (const pw::TextEdit& e : session.TakeEdits()) {
        if (e.start + e.length > replayed.size()) std::abort();
        replayed.replace(e.start, e.length, e.text);
    }
    if (replayed != session.Text()) std::abort();
    if (!text.empty()) (void)checker.Suggest(text.substr(0, 40), 5);
    return 0;
}
