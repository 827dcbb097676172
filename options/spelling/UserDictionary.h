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

// A word list is a few hundred KB at most; past this it is not read.
constexpr long long kMaxUserWordsBytes = 4ll << 20;

class UserDictionary {
public:
    explicit UserDictionary(Platform& p);
    // Reads the file; a missing file gives no words. So does a file that exists but cannot be
    // read (locked by another program, damaged, larger than kMaxUserWordsBytes): such a file
    // is never written, since its words would be lost.
    const std::vector<std::string>& Read();
    // Adds the word and writes the file. On failure, and when the file exists but cannot be
    // read, the user is told and the file on disk is left as it was; returns false.
    bool Add(const std::string& word);

private:
    Platform& p_;
    std::string path_;
    std::vector<std::string> words_;
    std::string unreadable_;   // why the existing file could not be read; empty when it was
};

}  // namespace pw
