#include "options/spelling/UserDictionary.h"

#include <algorithm>

#include "storage/ReadWithin.h"

namespace pw {

std::string UserDictionaryPath(const std::string& folder) {
    if (!folder.empty() && folder.back() == '\\') return folder + "pagewick.dic";
    return folder + "\\pagewick.dic";
}

std::vector<std::string> ParseUserWords(const std::string& text) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::size_t b = at, e = end;
        while (b < e && (text[b] == ' ' || text[b] == '\t' || text[b] == '\r')) ++b;
        while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t' || text[e - 1] == '\r')) --e;
        if (e > b) words.push_back(text.substr(b, e - b));
        at = end + 1;
    }
    return words;
}

UserDictionary::UserDictionary(Platform& p) : p_(p), path_(UserDictionaryPath(p.app.Path())) {}

const std::vector<std::string>& UserDictionary::Read() {
    words_.clear();
    std::string text;
    if (ReadWithin(p_.fs, path_, kMaxUserWordsBytes, text, unreadable_) == ReadOutcome::Read)
        words_ = ParseUserWords(text);
    return words_;
}

bool UserDictionary::Add(const std::string& word) {
    // Words added by another copy of the program since the check began are kept too.
    Read();
    if (!unreadable_.empty()) {
        const char* end = unreadable_.back() == '.' ? "" : ".";
        p_.ui.MsgBox("The word could not be added to the user dictionary " + path_ + ": the file is there, but " +
                         unreadable_ + end +
                         "\r\n\r\nThe file is left as it is. The word is accepted until the end of this check.",
                     vbExclamation, p_.app.Title());
        return false;
    }
    if (std::find(words_.begin(), words_.end(), word) != words_.end()) return true;
    std::string text;
    for (const std::string& w : words_) text += w + "\r\n";
    text += word + "\r\n";
    const FileError e = p_.fs.WriteReplace(path_, text);
    if (e.failed) {
        p_.ui.MsgBox("The word could not be added to the user dictionary " + path_ + ".\r\n" + e.reason +
                         "\r\nIt is accepted until the end of this check.",
                     vbExclamation, p_.app.Title());
        return false;
    }
    words_.push_back(word);
    return true;
}

}  // namespace pw
