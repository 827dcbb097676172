// The user's own words, pagewick.dic beside the program: one word a line, ANSI, CR LF.
// Read at each check; a word added is written at once, by replacing the file.
#pragma once
#include <string>
#include <vector>

#include "platform/platform.h"

namespace pw {

std::string UserDictionaryPath(const std::string& folder);
// The words of the file's text (any line ends; blank lines and surrounding blanks dropped).
std::vector<std::string> ParseUserWords(const std::string& text);

class UserDictionary {
public:
    explicit UserDictionary(Platform& p);
    // Reads the file; a missing or unreadable file gives no words.
    const std::vector<std::string>& Read();
    // Adds the word and writes the file. On failure the user is told and the file on disk
    // is left as it was; returns false.
    bool Add(const std::string& word);

private:
    Platform& p_;
    std::string path_;
    std::vector<std::string> words_;
};

}  // namespace pw
