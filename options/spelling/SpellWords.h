// The built-in checker's word list: the packed list carried by the program (see
// tools/make_wordlist.py), unpacked into one block of text with a hash index over it and how
// common each word is, plus the user's own words. Texts are Windows-1252 bytes, as in the note.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

// Letters and case of the Windows-1252 code page (ASCII letters plus the accented ones).
bool IsWordLetter(unsigned char c);
bool IsUpperLetter(unsigned char c);
bool IsLowerLetter(unsigned char c);
unsigned char LowerChar(unsigned char c);
unsigned char UpperChar(unsigned char c);
std::string LowerWord(std::string_view w);

class WordList {
public:
    // Unpacks a packed list; false (and an empty list) when the data is not a sound list.
    bool Load(const std::string& packed);
    void Add(std::string_view word);   // no-op for a word already present or an empty one
    bool Contains(std::string_view word) const;
    std::size_t size() const { return starts_.empty() ? 0 : starts_.size() - 1; }
    std::string_view Word(std::uint32_t index) const {
        return std::string_view(chars_).substr(starts_[index], starts_[index + 1] - starts_[index] - 1);
    }
    // Where word `index` starts in Chars(), the words' bytes (each ended by '\n').
    std::uint32_t Start(std::uint32_t index) const { return starts_[index]; }
    const char* Chars() const { return chars_.data(); }
    // How common the word is: 0 for the commonest words, 3 for the rarest.
    std::uint8_t Rank(std::uint32_t index) const { return ranks_[index]; }
    static constexpr std::uint8_t kUserWordRank = 1;   // the user's own words count as common
    // The set of letters in the word, case folded, one bit each (a-z, then buckets for the rest).
    std::uint32_t Letters(std::uint32_t index) const { return letters_[index]; }
    static std::uint32_t LetterSet(std::string_view word);
    // Indices of the words with exactly n bytes.
    const std::vector<std::uint32_t>& OfLength(std::size_t n) const;

private:
    void Index(std::uint32_t word);
    void Rehash(std::size_t slots);
    std::string chars_;                    // every word followed by '\n'
    std::vector<std::uint32_t> starts_;    // word i spans starts_[i] .. starts_[i+1]-1
    std::vector<std::uint32_t> letters_;
    std::vector<std::uint8_t> ranks_;
    std::vector<std::uint32_t> slots_;     // word index + 1; 0 = empty
    std::vector<std::vector<std::uint32_t>> byLength_;
};

}  // namespace pw
