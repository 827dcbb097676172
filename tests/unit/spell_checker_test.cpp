// The built-in checker: its word list, the words it looks at, its decisions and suggestions.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fakes/fake_spelling.h"
#include "options/spelling/SpellChecker.h"
#include "options/spelling/SpellTokenizer.h"
#include "options/spelling/SpellWords.h"

namespace pw {
namespace {

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> out;
    WordSpan w;
    std::size_t pos = 0;
    while (NextWordToCheck(text, pos, w)) {
        out.push_back(text.substr(w.start, w.length));
        pos = w.start + w.length;
    }
    return out;
}

using V = std::vector<std::string>;

TEST(SpellTokenizer, ApostrophesAndHyphens) {
    EXPECT_EQ(Words("don't 'quoted' cats' rock'n'roll"), (V{"don't", "quoted", "cats", "rock'n'roll"}));
    EXPECT_EQ(Words("well-known state-of-the-art -dash- x--y"), (V{"well", "known", "state", "of", "the", "art", "dash", "x", "y"}));
    // The typographic apostrophe of the ANSI code page joins a word like the plain one.
    EXPECT_EQ(Words("it\x92s \x91quoted\x92"), (V{"it\x92s", "quoted"}));
    EXPECT_EQ(NormalizeWord("it\x92s"), "it's");
}

TEST(SpellTokenizer, SkipsNumbersAbbreviationsAndAddresses) {
    EXPECT_EQ(Words("mp3 2nd 1,000 3.14 a1b NASA OK PDFs I a"), (V{"I", "a"}));
    EXPECT_EQ(Words("see http://exampel.com/pathh or www.exampel.org, mail jon@exampel.com now"),
              (V{"see", "or", "mail", "now"}));
    EXPECT_EQ(Words("(https://x.y/z) \"mailto:bob\" <bob@host.org>"), V{});
}

TEST(SpellTokenizer, LineEndsAnsiLettersAndPositions) {
    const std::string text = "caf\xe9\r\nna\xefve\r\n\r\nSch\xf6n \xc5ngstr\xf6m";
    EXPECT_EQ(Words(text), (V{"caf\xe9", "na\xefve", "Sch\xf6n", "\xc5ngstr\xf6m"}));
    WordSpan w;
    ASSERT_TRUE(NextWordToCheck(text, 5, w));
    EXPECT_EQ(w.start, 6u);
    EXPECT_EQ(w.length, 5u);
    // From the middle of a word the search goes on after it.
    ASSERT_TRUE(NextWordToCheck(text, 2, w));
    EXPECT_EQ(w.start, 6u);
    EXPECT_FALSE(NextWordToCheck(text, text.size(), w));
    EXPECT_FALSE(NextWordToCheck(text, text.size() + 5, w));
    EXPECT_FALSE(NextWordToCheck("", 0, w));
}

TEST(SpellWordList, LoadsThePackedListAndRejectsDamagedData) {
    WordList list;
    ASSERT_TRUE(list.Load(fake::PackedWordList()));
    EXPECT_GT(list.size(), 90000u);
    EXPECT_TRUE(list.Contains("walked"));
    EXPECT_TRUE(list.Contains("Monday"));
    EXPECT_TRUE(list.Contains("don't"));
    EXPECT_TRUE(list.Contains("caf\xe9"));   // converted from UTF-8 to the ANSI code page
    EXPECT_FALSE(list.Contains("monday"));
    EXPECT_FALSE(list.Contains(""));
    std::string bad = fake::PackedWordList();
    bad[40] ^= 0x55;
    EXPECT_FALSE(list.Load(bad));
    EXPECT_EQ(list.size(), 0u);
    EXPECT_FALSE(list.Load(fake::PackedWordList().substr(0, 1000)));
    EXPECT_FALSE(list.Load("PWL2"));
    EXPECT_FALSE(list.Load(""));
    list.Add("Pagewick");
    list.Add("Pagewick");
    EXPECT_TRUE(list.Contains("Pagewick"));
    EXPECT_EQ(list.size(), 1u);
}

class SpellCheckerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(list.Load(fake::PackedWordList())); }
    WordList list;
    SpellChecker checker{list};
};

TEST_F(SpellCheckerTest, CaseFollowsTheList) {
    EXPECT_TRUE(checker.IsCorrect("the"));
    EXPECT_TRUE(checker.IsCorrect("The"));      // a sentence start
    EXPECT_TRUE(checker.IsCorrect("THE"));
    EXPECT_TRUE(checker.IsCorrect("Monday"));
    EXPECT_TRUE(checker.IsCorrect("MONDAY"));
    EXPECT_FALSE(checker.IsCorrect("monday"));
    EXPECT_FALSE(checker.IsCorrect("tHe"));
    EXPECT_FALSE(checker.IsCorrect("ThE"));
    EXPECT_TRUE(checker.IsCorrect("don\x92t"));
    EXPECT_FALSE(checker.IsCorrect("recieve"));
    checker.AddWord("Pagewick");
    EXPECT_TRUE(checker.IsCorrect("Pagewick"));
    EXPECT_FALSE(checker.IsCorrect("pagewick"));
}

TEST_F(SpellCheckerTest, SuggestionsBestFirstInTheTypedCase) {
    EXPECT_EQ(checker.Suggest("teh").front(), "the");             // two letters swapped
    EXPECT_EQ(checker.Suggest("Teh").front(), "The");
    EXPECT_EQ(checker.Suggest("TEH").front(), "THE");
    EXPECT_EQ(checker.Suggest("recieve").front(), "receive");
    EXPECT_EQ(checker.Suggest("accomodate").front(), "accommodate");  // a letter of a double missing
    EXPECT_EQ(checker.Suggest("definately").front(), "definitely");   // a vowel for a vowel
    EXPECT_EQ(checker.Suggest("monday").front(), "Monday");
    EXPECT_EQ(checker.Suggest("hwllo").front(), "hello");             // a neighbouring key
    const auto five = checker.Suggest("speling", 5);
    EXPECT_EQ(five.size(), 5u);
    EXPECT_EQ(five.front(), "spelling");
    EXPECT_TRUE(checker.Suggest("xqzjvkw").empty());
    EXPECT_TRUE(checker.Suggest(std::string(200, 'a')).empty());
    EXPECT_TRUE(checker.Suggest("").empty());
}

TEST_F(SpellCheckerTest, CommonerWordsSoundAlikesAndNamesLast) {
    // The list knows how common each word is (SCOWL's size levels); the user's words count as common.
    auto rank = [this](const std::string& w) {
        for (std::uint32_t i = 0; i < list.size(); ++i)
            if (list.Word(i) == w) return static_cast<int>(list.Rank(i));
        return -1;
    };
    EXPECT_EQ(rank("the"), 0);
    EXPECT_EQ(rank("zucchini's"), rank("zucchini"));   // a possessive as common as its word
    EXPECT_EQ(rank("zucchini"), 2);
    EXPECT_EQ(rank("abalone"), 3);
    checker.AddWord("Pagewick");
    EXPECT_EQ(rank("Pagewick"), WordList::kUserWordRank);
    // Of words equally near, the commoner first ("lints", "trued" are as near).
    EXPECT_EQ(checker.Suggest("limts").front(), "limits");
    EXPECT_EQ(checker.Suggest("tryed").front(), "tried");
    // A word typed in lower case gets the word before the name; a capitalised one keeps its case.
    EXPECT_EQ(checker.Suggest("caterpiller").front(), "caterpillar");
    EXPECT_EQ(checker.Suggest("Caterpiller").front(), "Caterpillar");
    // Three edits off, but sounding the same.
    EXPECT_EQ(checker.Suggest("excesvly").front(), "excessively");
    EXPECT_EQ(checker.Suggest("dynamcly").front(), "dynamically");
    const auto five = checker.Suggest("seperatly", 5);
    EXPECT_NE(std::find(five.begin(), five.end(), "separately"), five.end());
    // Far off and sounding different: when little else is near, such a word still fills a place
    // among the first five.
    const auto far = checker.Suggest("approproximate", 5);
    ASSERT_FALSE(far.empty());
    EXPECT_EQ(far.front(), "approximate");
    const auto farther = checker.Suggest("algohmic", 5);
    EXPECT_NE(std::find(farther.begin(), farther.end(), "algorithmic"), farther.end());
}

TEST(SpellDistance, WeightsAndLimit) {
    EXPECT_EQ(WeightedDistance("cat", "cat", 200), 0);
    EXPECT_EQ(WeightedDistance("act", "cat", 200), 70);
    EXPECT_EQ(WeightedDistance("cst", "cat", 200), 75);    // s is beside a
    EXPECT_EQ(WeightedDistance("cet", "cat", 200), 80);    // a vowel slip
    EXPECT_EQ(WeightedDistance("cmt", "cat", 200), 100);
    EXPECT_EQ(WeightedDistance("catt", "cat", 200), 60);   // a letter typed twice
    EXPECT_EQ(WeightedDistance("CAT", "cat", 200), 0);
    EXPECT_GT(WeightedDistance("dog", "cat", 200), 200);
}

}  // namespace
}  // namespace pw
