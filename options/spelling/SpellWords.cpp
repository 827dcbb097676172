#include "options/spelling/SpellWords.h"

#include <cstring>

#include "options/spelling/Inflate.h"

namespace pw {

namespace {

std::uint32_t Hash(std::string_view w) {
    std::uint32_t h = 2166136261u;
    for (unsigned char c : w) h = (h ^ c) * 16777619u;
    return h;
}

std::uint32_t ReadLe32(const std::string& s, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 3])) << 24;
}

constexpr std::uint32_t kMaxBody = 64u << 20;   // far above any list we ship

}  // namespace

bool IsUpperLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || c == 0x8A || c == 0x8C ||
           c == 0x8E || c == 0x9F;
}

bool IsLowerLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 0xDF && c != 0xF7) || c == 0x9A || c == 0x9C || c == 0x9E ||
           c == 0x83;
}

bool IsWordLetter(unsigned char c) { return IsUpperLetter(c) || IsLowerLetter(c); }

unsigned char LowerChar(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<unsigned char>(c + 32);
    if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<unsigned char>(c + 16);
    if (c == 0x9F) return 0xFF;
    return c;
}

unsigned char UpperChar(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<unsigned char>(c - 32);
    if (c == 0x9A || c == 0x9C || c == 0x9E) return static_cast<unsigned char>(c - 16);
    if (c == 0xFF) return 0x9F;
    return c;
}

std::string LowerWord(std::string_view w) {
    std::string s(w);
    for (char& c : s) c = static_cast<char>(LowerChar(static_cast<unsigned char>(c)));
    return s;
}

bool WordList::Load(const std::string& packed) {
    *this = WordList();
    if (packed.size() < 12 || packed.compare(0, 4, "PWL2") != 0) return false;
    const std::uint32_t count = ReadLe32(packed, 4), bodySize = ReadLe32(packed, 8);
    if (bodySize > kMaxBody || count > bodySize / 2) return false;
    std::string body(bodySize, '\0');
    if (!InflateZlib(reinterpret_cast<const unsigned char*>(packed.data()) + 12, packed.size() - 12, body)) return false;
    // Undo the front coding: each entry is a byte with the shared-prefix length (low six bits)
    // and how common the word is (high two), the rest of the word, and '\n'.
    chars_.reserve(bodySize * 2);
    starts_.reserve(count + 1);
    ranks_.reserve(count);
    starts_.push_back(0);
    std::string word;
    std::size_t at = 0;
    while (at < body.size()) {
        const unsigned char lead = static_cast<unsigned char>(body[at++]);
        const std::size_t shared = lead & 63u;
        const std::size_t end = body.find('\n', at);
        if (shared > word.size() || end == std::string::npos) {
            *this = WordList();
            return false;
        }
        word.resize(shared);
        word.append(body, at, end - at);
        if (!word.empty()) {
            chars_.append(word);
            chars_.push_back('\n');
            starts_.push_back(static_cast<std::uint32_t>(chars_.size()));
            ranks_.push_back(static_cast<std::uint8_t>(lead >> 6));
        }
        at = end + 1;
    }
    if (size() != count) {
        *this = WordList();
        return false;
    }
    Rehash(std::size_t(1) << 18);
    return true;
}

void WordList::Rehash(std::size_t slots) {
    while (slots < size() * 2 + 16) slots *= 2;
    slots_.assign(slots, 0);
    byLength_.clear();
    letters_.clear();
    for (std::uint32_t i = 0; i < size(); ++i) Index(i);
}

void WordList::Index(std::uint32_t word) {
    const std::string_view w = Word(word);
    const std::size_t mask = slots_.size() - 1;
    std::size_t s = Hash(w) & mask;
    while (slots_[s] != 0) s = (s + 1) & mask;
    slots_[s] = word + 1;
    letters_.push_back(LetterSet(w));
    if (byLength_.size() <= w.size()) byLength_.resize(w.size() + 1);
    byLength_[w.size()].push_back(word);
}

void WordList::Add(std::string_view word) {
    if (word.empty() || word.find('\n') != std::string_view::npos || Contains(word)) return;
    if (starts_.empty()) starts_.push_back(0);
    chars_.append(word);
    chars_.push_back('\n');
    starts_.push_back(static_cast<std::uint32_t>(chars_.size()));
    ranks_.push_back(kUserWordRank);
    if (slots_.size() < size() * 2 + 16) Rehash(slots_.empty() ? 64 : slots_.size() * 2);
    else Index(static_cast<std::uint32_t>(size() - 1));
}

std::uint32_t WordList::LetterSet(std::string_view word) {
    std::uint32_t set = 0;
    for (unsigned char c : word) {
        c = LowerChar(c);
        set |= 1u << (c >= 'a' && c <= 'z' ? c - 'a' : 26 + c % 6);
    }
    return set;
}

bool WordList::Contains(std::string_view word) const {
    if (slots_.empty()) return false;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t s = Hash(word) & mask; slots_[s] != 0; s = (s + 1) & mask)
        if (Word(slots_[s] - 1) == word) return true;
    return false;
}

const std::vector<std::uint32_t>& WordList::OfLength(std::size_t n) const {
    static const std::vector<std::uint32_t> none;
    return n < byLength_.size() ? byLength_[n] : none;
}

}  // namespace pw
