#include "platform/MenuAccess.h"

#include <cctype>

namespace pw {

namespace {

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

}  // namespace

char AccessKeyOf(const std::string& caption) {
    // A caption that marks its own access key with an ampersand (the system menu's do) keeps it.
    for (size_t i = 0; i + 1 < caption.size() && caption[i] != '\t'; ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        if (caption[i + 1] != '\t') return Upper(caption[i + 1]);
    }
    for (char c : caption) {
        if (c == '\t') break;
        if (std::isalnum(static_cast<unsigned char>(c))) return Upper(c);
    }
    return 0;
}

MenuKeyAnswer MenuKeyFor(const std::vector<MenuKeyEntry>& entries, char key, int current) {
    MenuKeyAnswer answer;
    const char want = Upper(key);
    if (want == 0) return answer;
    std::vector<int> matches;
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        const MenuKeyEntry& e = entries[static_cast<size_t>(i)];
        if (!e.separator && e.enabled && AccessKeyOf(e.caption) == want) matches.push_back(i);
    }
    if (matches.empty()) return answer;
    if (matches.size() == 1) {
        answer.kind = MenuKeyAnswer::Execute;
        answer.index = matches.front();
        return answer;
    }
    // Several entries share the letter: each press highlights the next one after the
    // current highlight, wrapping around; none is chosen until Enter.
    answer.kind = MenuKeyAnswer::Select;
    answer.index = matches.front();
    for (int m : matches) {
        if (m > current) {
            answer.index = m;
            break;
        }
    }
    return answer;
}

int DownStepsTo(const std::vector<MenuKeyEntry>& entries, int current, int target) {
    const int n = static_cast<int>(entries.size());
    if (target < 0 || target >= n || entries[static_cast<size_t>(target)].separator) return 0;
    if (current == target) return 0;
    int steps = 0;
    int pos = current;
    for (int guard = 0; guard < 2 * n + 2; ++guard) {
        // One press: the next entry that is not a separator, from the top when none is
        // highlighted or the end is reached.
        int next = (pos < 0 || pos >= n) ? 0 : pos + 1;
        for (int k = 0; k < n; ++k, ++next) {
            if (next >= n) next = 0;
            if (!entries[static_cast<size_t>(next)].separator) break;
        }
        pos = next;
        ++steps;
        if (pos == target) return steps;
    }
    return 0;
}

}  // namespace pw
