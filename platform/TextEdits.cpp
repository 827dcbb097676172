#include "platform/TextEdits.h"

#include <algorithm>

namespace pw {

namespace {

bool Continues(const std::string& s, std::size_t i) {
    return i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80;
}

}  // namespace

TextDifference DifferenceOf(const std::string& before, const std::string& after) {
    const std::size_t shorter = std::min(before.size(), after.size());
    std::size_t p = 0;
    while (p < shorter && before[p] == after[p]) ++p;
    // Back to the start of a character, and before the CR of a CR LF pair.
    while (p > 0 && (Continues(before, p) || Continues(after, p))) --p;
    if (p > 0 && before[p - 1] == '\r' && ((p < before.size() && before[p] == '\n') || (p < after.size() && after[p] == '\n')))
        --p;
    std::size_t s = 0;
    while (s < shorter - p && before[before.size() - 1 - s] == after[after.size() - 1 - s]) ++s;
    // The common end starts at a character, and not on the LF of a CR LF pair.
    while (s > 0 && Continues(before, before.size() - s)) --s;
    if (s > 0 && before[before.size() - s] == '\n') {
        const std::size_t eb = before.size() - s, ea = after.size() - s;
        if ((eb > p && before[eb - 1] == '\r') || (ea > p && after[ea - 1] == '\r')) --s;
    }
    return TextDifference{p, before.size() - s, after.size() - s};
}

TextDifference ReplaceDifference(IControl& box, const std::string& now, const std::string& next) {
    const TextDifference d = DifferenceOf(now, next);
    if (d.endBefore == d.start && d.endAfter == d.start) return d;
    box.SetSelStart(static_cast<int>(d.start));
    box.SetSelLength(static_cast<int>(d.endBefore - d.start));
    box.SetSelText(next.substr(d.start, d.endAfter - d.start));
    return d;
}

std::size_t CaretAfter(std::size_t caret, const TextDifference& d) {
    if (caret <= d.start) return caret;
    if (caret >= d.endBefore) return caret - d.endBefore + d.endAfter;
    return d.start + std::min(caret - d.start, d.endAfter - d.start);
}

}  // namespace pw
