#include "options/spelling/SpellLines.h"

#include <array>
#include <memory>

#include "options/spelling/SpellSession.h"
#include "platform/TextCodec.h"

namespace pw {

namespace {

// The Windows-1252 byte of each UTF-16 unit, or kForeign; worked out once.
const std::array<unsigned char, 0x10000>& ByteOfUnit() {
    static const auto table = [] {
        auto t = std::make_unique<std::array<unsigned char, 0x10000>>();
        t->fill(static_cast<unsigned char>(SpellSession::kForeign));
        for (int b = 0; b < 0x80; ++b) (*t)[static_cast<std::size_t>(b)] = static_cast<unsigned char>(b);
        (*t)[static_cast<unsigned char>(SpellSession::kForeign)] = static_cast<unsigned char>(SpellSession::kForeign);
        for (int b = 0x80; b < 0x100; ++b) {
            const std::u16string u = Utf8ToUtf16(Windows1252().ToUtf8(std::string(1, static_cast<char>(b))));
            if (u.size() == 1 && u[0] != 0xFFFD) (*t)[u[0]] = static_cast<unsigned char>(b);
        }
        return t;
    }();
    return *table;
}

}  // namespace

std::string LineView(const std::u16string& line) {
    const auto& table = ByteOfUnit();
    std::string view(line.size(), '\0');
    for (std::size_t i = 0; i < line.size(); ++i) view[i] = static_cast<char>(table[line[i]]);
    return view;
}

bool SpellLines::Wrong(const std::string& word) const {
    return !checker_.IsCorrect(word) && ignored_.count(NormalizeWord(word)) == 0;
}

const std::vector<WordSpan>& SpellLines::Check(const std::u16string& line) {
    auto found = cache_.find(line);
    if (found != cache_.end()) return found->second;
    if (cache_.size() >= kMaxLines) Forget();
    const std::string view = LineView(line);
    std::vector<WordSpan> wrong;
    WordSpan w;
    for (std::size_t pos = 0; NextWordToCheck(view, pos, w); pos = w.start + w.length) {
        const std::size_t end = w.start + w.length;
        // Part of a word of another script: not the list's to judge.
        if ((w.start > 0 && view[w.start - 1] == SpellSession::kForeign) ||
            (end < view.size() && view[end] == SpellSession::kForeign))
            continue;
        if (Wrong(view.substr(w.start, w.length))) wrong.push_back(w);
    }
    return cache_.emplace(line, std::move(wrong)).first->second;
}

void SpellLines::Ignore(const std::string& word) {
    ignored_.insert(NormalizeWord(word));
    Forget();
}

}  // namespace pw
