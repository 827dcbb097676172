// Find and Replace: the search rules, Replace All, and the dialogs' opening and message chain.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "app/frmPagewick.h"
#include "editor/TextSearch.h"
#include "fakes/fake_platform.h"
#include "fakes/main_window_fixture.h"

namespace pw {
namespace {

using FD = fake::FindDialogs;

SearchRules Rules(bool wholeWord = false, bool matchCase = false) {
    SearchRules r;
    r.wholeWord = wholeWord;
    r.matchCase = matchCase;
    return r;
}

TEST(TextSearch, CaseIsFoldedUnlessMatchCase) {
    EXPECT_EQ(SearchText("Note note", 0, "note", Rules()), 0u);
    EXPECT_EQ(SearchText("Note note", 0, "note", Rules(false, true)), 5u);
    EXPECT_EQ(SearchText("Note note", 1, "NOTE", Rules()), 5u);
    EXPECT_EQ(SearchText("Note note", 0, "NOTE", Rules(false, true)), kNotFound);
    // Latin-1 letters fold too, and S caron (0x8A/0x9A in Windows-1252).
    EXPECT_EQ(SearchText("x \xC3\x84" "BC", 0, "\xC3\xA4" "bc", Rules()), 2u);
    EXPECT_EQ(SearchText("\xC5\xA0" "a", 0, "\xC5\xA1" "A", Rules()), 0u);
    EXPECT_EQ(SearchText("\xC5\xA0" "a", 0, "\xC5\xA1" "A", Rules(false, true)), kNotFound);
    EXPECT_EQ(SearchText("abc", 0, "", Rules()), kNotFound);
    EXPECT_EQ(SearchText("abc", 4, "a", Rules()), kNotFound);
    EXPECT_EQ(SearchText("abc", 3, "c", Rules()), kNotFound);
}

TEST(TextSearch, WholeWordNeedsNoLetterDigitOrUnderscoreAround) {
    const std::string t = "concat cat_x 2cat cat. (cat)";
    EXPECT_EQ(SearchText(t, 0, "cat", Rules()), 3u);
    EXPECT_EQ(SearchText(t, 0, "cat", Rules(true)), 18u);
    EXPECT_EQ(SearchText(t, 19, "cat", Rules(true)), 24u);
    EXPECT_EQ(SearchText(t, 25, "cat", Rules(true)), kNotFound);
    EXPECT_EQ(SearchText("\xC3\xA9" "cat", 0, "cat", Rules(true)), kNotFound) << "e-acute is a letter";
    EXPECT_EQ(SearchText("cat", 0, "cat", Rules(true)), 0u);
    // What counts as the character before the start can be given (the edited text's).
    EXPECT_EQ(SearchText("xcat", 1, "cat", Rules(true), ' '), 1u);
    EXPECT_EQ(SearchText(" cat", 1, "cat", Rules(true), 'x'), kNotFound);
}

TEST(TextSearch, WordsAndCaseOfEveryScript) {
    const std::string privet = "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";   // привет
    const std::string PRIVET = "\xD0\x9F\xD0\xA0\xD0\x98\xD0\x92\xD0\x95\xD0\xA2";   // ПРИВЕТ
    const std::string t = privet + "\xD1\x81\xD1\x82\xD0\xB2\xD1\x83\xD1\x8E, " + PRIVET + "!";   // приветствую, ПРИВЕТ!
    const size_t second = privet.size() + 10 + 2;
    EXPECT_EQ(SearchText(t, 0, privet, Rules()), 0u);
    EXPECT_EQ(SearchText(t, 0, privet, Rules(true)), second) << "Cyrillic letters continue a word";
    EXPECT_EQ(SearchText(t, 0, privet, Rules(true, true)), kNotFound);
    EXPECT_EQ(SearchLastBefore(t, t.size(), privet, Rules()), second);
    // Greek with its accented capital; CJK and emoji around words.
    EXPECT_EQ(SearchText("\xCE\x95\xCE\x9B\xCE\x9B\xCE\x86\xCE\x94\xCE\x91", 0,
                         "\xCE\xB5\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1", Rules(true)), 0u);
    const std::string tokyo = "\xE6\x9D\xB1\xE4\xBA\xAC";
    EXPECT_EQ(SearchText(tokyo + "\xE3\x82\xBF " + tokyo, 0, tokyo, Rules(true)), 10u);
    EXPECT_EQ(SearchText("\xF0\x9F\x98\x80" "cat\xF0\x9F\x98\x80", 0, "CAT", Rules(true)), 4u);
    // A character whose lowercase takes other bytes (the Kelvin sign) is left as it is.
    EXPECT_EQ(SearchText("\xE2\x84\xAA" "k", 0, "k", Rules()), 3u);
}

TEST(TextSearch, AnAsciiFindTextMatchesWhereTheFoldedTextWould) {
    const char* pieces[] = {"Cat", "cAT", "\xE2\x84\xAA", "k", "K", "\xD0\x9A", " ", "at", "\xC3\x89", "_"};
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (int i = 0; i < 12; ++i) text += pieces[rng() % 10];
        for (const char* find : {"cat", "kat", "AT", "k"}) {
            for (bool word : {false, true}) {
                const size_t folded = SearchText(FoldCase(text, BuiltInCharRules()), 0, FoldCase(find, BuiltInCharRules()), Rules(word, true));
                EXPECT_EQ(SearchText(text, 0, find, Rules(word)), folded) << text << " / " << find;
            }
        }
    }
}

TEST(TextSearch, ReplaceAllOfCyrillicFoldsCaseAndKnowsWords) {
    const std::string cat = "\xD0\xBA\xD0\xBE\xD1\x82", CAT = "\xD0\x9A\xD0\x9E\xD0\xA2";   // кот КОТ
    const std::string dog = "\xD0\xBF\xD1\x91\xD1\x81";                                          // пёс
    ReplaceAllResult r;
    ASSERT_TRUE(ReplaceAllText(cat + " " + CAT + " " + cat + "\xD1\x8F", 0, cat, dog, Rules(true), r));
    EXPECT_EQ(r.count, 2u);
    EXPECT_EQ(r.text, dog + " " + dog);
}

TEST(TextSearch, LastBeforeScansForwardWithoutOverlapAndWithinTheLimit) {
    EXPECT_EQ(SearchLastBefore("abcabcabc", 9, "abc", Rules()), 6u);
    EXPECT_EQ(SearchLastBefore("abcabcabc", 8, "abc", Rules()), 3u) << "only matches wholly before the end";
    EXPECT_EQ(SearchLastBefore("aaa", 3, "aa", Rules()), 0u);
    EXPECT_EQ(SearchLastBefore("aaaa", 4, "aa", Rules()), 2u);
    EXPECT_EQ(SearchLastBefore("abc", 2, "c", Rules()), kNotFound);
    // Words are judged against the whole text, not the part before the caret.
    EXPECT_EQ(SearchLastBefore("cat catfish", 7, "cat", Rules(true)), 0u);
}

// The one-at-a-time loop Replace All stands for, run on the text itself.
std::string ReplaceStepByStep(std::string text, size_t from, const std::string& find,
                              const std::string& repl, const SearchRules& rules) {
    size_t p;
    while ((p = SearchText(text, from, find, rules)) != kNotFound) {
        text.replace(p, find.size(), repl);
        from = p + repl.size();
    }
    return text;
}

TEST(TextSearch, ReplaceAllGivesExactlyTheStepByStepResult) {
    std::mt19937 rng(7);
    const char alphabet[] = "aAb _.";
    const std::vector<std::string> finds = {"a", "aa", "ab", "a a", "A_", "b"};
    const std::vector<std::string> repls = {"", "a", "aa", "x", "b a", "_"};
    int checked = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int n = static_cast<int>(rng() % 24);
        for (int i = 0; i < n; ++i) text += alphabet[rng() % 6];
        const std::string& find = finds[rng() % finds.size()];
        const std::string& repl = repls[rng() % repls.size()];
        const SearchRules rules = Rules(rng() % 2, rng() % 2);
        const size_t from = text.empty() ? 0 : rng() % (text.size() + 1);
        const std::string expected = ReplaceStepByStep(text, from, find, repl, rules);
        ReplaceAllResult r;
        const bool any = ReplaceAllText(text, from, find, repl, rules, r);
        std::string got = text;
        if (any) got.replace(r.start, r.end - r.start, r.text);
        ASSERT_EQ(got, expected) << "text '" << text << "' from " << from << " find '" << find << "' by '"
                                 << repl << "' ww " << rules.wholeWord << " mc " << rules.matchCase;
        ASSERT_EQ(any, SearchText(text, from, find, rules) != kNotFound);
        ++checked;
    }
    EXPECT_EQ(checked, 3000);
}

TEST(TextSearch, ReplaceAllCountsAndNeverRescansInsertedText) {
    ReplaceAllResult r;
    ASSERT_TRUE(ReplaceAllText("aaa", 0, "a", "aa", Rules(), r));
    EXPECT_EQ(r.count, 3u);
    EXPECT_EQ(r.start, 0u);
    EXPECT_EQ(r.end, 3u);
    EXPECT_EQ(r.text, "aaaaaa");
    // Deleting "b" joins "a" and "c": the whole-word test sees the joined text.
    ASSERT_TRUE(ReplaceAllText("x b bc", 0, "b", "", Rules(true), r));
    EXPECT_EQ(r.count, 1u);
    EXPECT_FALSE(ReplaceAllText("abc", 1, "a", "x", Rules(), r));
}

class FindReplaceTest : public fake::MainWindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(Start());
    }
    fake::Control& note() { return static_cast<fake::Control&>(main->txtNote()); }
    FD& dlg() { return f.findDialogs; }
    void Note(const std::string& text, int selStart, int selLength = 0) {
        note().SetText(text);
        note().SetSelStart(selStart);
        note().SetSelLength(selLength);
    }
    void Find() { main->mnuEditFind_Click(); }
    void Replace() { main->mnuEditReplace_Click(); }
    std::string Buffer(const char16_t* b) { return Utf16ToUtf8(std::u16string(b)); }
    std::pair<int, int> Sel() { return {note().SelStart(), note().SelLength()}; }
};

TEST_F(FindReplaceTest, FindOpensDownWithTheSelectionInA1024ByteFieldAndRoutesKeysToIt) {
    Note("one abc two", 4, 3);
    Find();
    const FindRecord& r = dlg().record;
    EXPECT_EQ(r.owner, main->form().hWnd());
    EXPECT_EQ(r.flags, frDown);
    EXPECT_EQ(r.findWhatLen, 1024);
    EXPECT_EQ(r.replaceWith, nullptr);
    EXPECT_EQ(r.replaceWithLen, 0);
    ASSERT_EQ(main->parts().editor.FindReplace_.FindBuffer().size(), 1025u);
    EXPECT_EQ(Buffer(r.findWhat), "abc");
    EXPECT_EQ(f.ui.modeless.count(dlg().open), 1u);
    EXPECT_TRUE(f.ui.boxes.empty());

    Note("one abc two", 4, 0);
    Find();
    EXPECT_EQ(Buffer(dlg().record.findWhat), "") << "nothing selected: empty field";
}

TEST_F(FindReplaceTest, ReplaceOpensWithTheSelectionInBothFields) {
    Note("one abc two", 4, 3);
    Replace();
    const FindRecord& r = dlg().record;
    EXPECT_EQ(r.replaceWithLen, 1024);
    EXPECT_EQ(Buffer(r.findWhat), "abc");
    EXPECT_EQ(Buffer(r.replaceWith), "abc");
    EXPECT_EQ(dlg().log.back(), "show:replace");
}

TEST_F(FindReplaceTest, SelectionLongerThanTheBufferOpensWithItsFirst1023Characters) {
    std::string big;
    for (int i = 0; i < 3000; ++i) big += static_cast<char>('a' + i % 26);
    Note(big, 0, 3000);
    Replace();
    const auto& fb = main->parts().editor.FindReplace_.FindBuffer();
    const auto& rb = main->parts().editor.FindReplace_.ReplaceBuffer();
    ASSERT_EQ(fb.size(), 1025u);
    EXPECT_EQ(Utf16ToUtf8(fb.data(), 1023), big.substr(0, 1023));
    EXPECT_EQ(fb[1023], u'\0');
    EXPECT_EQ(fb[1024], u'\0');
    EXPECT_EQ(Buffer(rb.data()), big.substr(0, 1023));
    // Pressing Find Next with the field as it came up finds the selection's start.
    note().SetSelStart(0);
    dlg().Press(frDown | frFindNext, Buffer(dlg().record.findWhat));
    EXPECT_EQ(Sel(), std::make_pair(0, 1023));
}

TEST_F(FindReplaceTest, TheFieldTakes1023CharactersOfAnyScriptAndFindsThemAgain) {
    std::string big;
    for (int i = 0; i < 1500; ++i) big += "\xD0\x96";   // Ж
    Note(big + "\xF0\x9F\x98\x80", 0, static_cast<int>(big.size()) + 4);
    Find();
    const auto& fb = main->parts().editor.FindReplace_.FindBuffer();
    EXPECT_EQ(Buffer(fb.data()), big.substr(0, 2 * 1023)) << "characters, not bytes";
    note().SetSelStart(0);
    dlg().Press(frDown | frFindNext, Buffer(fb.data()));
    EXPECT_EQ(Sel(), std::make_pair(0, 2 * 1023));
}

TEST_F(FindReplaceTest, ProcedureIsInstalledOnceAndEveryOtherMessageGoesOnToTheWindowsOwn) {
    Note("abc", 0);
    Find();
    EXPECT_EQ(dlg().log, (std::vector<std::string>{"install", "show:find"}));
    EXPECT_EQ(main->parts().editor.FindReplace_.PreviousProc(), FD::kWindowsOwnProc);
    // Closing the dialog leaves the procedure in place.
    dlg().Press(frDialogTerm, "abc");
    EXPECT_TRUE(f.ui.modeless.empty());
    EXPECT_EQ(dlg().proc, FD::kInstalledProc);
    EXPECT_EQ(dlg().Deliver(0x0111), 77) << "the previous procedure's answer comes back";
    EXPECT_EQ(dlg().passedTo.back(), FD::kWindowsOwnProc);
    // Opening again first puts the window's own procedure back, so ours never sits twice.
    Replace();
    EXPECT_EQ(dlg().log, (std::vector<std::string>{"install", "show:find", "restore", "install", "show:replace"}));
    EXPECT_EQ(main->parts().editor.FindReplace_.PreviousProc(), FD::kWindowsOwnProc);
    EXPECT_EQ(dlg().registerCalls, 1) << "the message number is registered once";
    // The registered message is not passed on.
    const size_t passed = dlg().passedOn.size();
    EXPECT_EQ(dlg().Press(frDown | frFindNext, "b"), 0);
    EXPECT_EQ(dlg().passedOn.size(), passed);
    EXPECT_EQ(Sel(), std::make_pair(1, 1));
}

TEST_F(FindReplaceTest, OpeningWhileADialogIsOpenClosesItSoOneDialogWorks) {
    Note("abc", 0, 1);
    Find();
    const Handle first = dlg().open;
    Replace();
    EXPECT_EQ(dlg().closed, std::vector<Handle>{first});
    EXPECT_EQ(f.ui.modeless, std::set<Handle>{dlg().open});
    EXPECT_NE(dlg().open, first);
}

TEST_F(FindReplaceTest, RegistrationFailureShowsTheMessageAndNoDialog) {
    dlg().failRegister = true;
    Note("abc", 0);
    Find();
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text, "Cannot Find/Replace - Call to register message failed");
    EXPECT_EQ(f.ui.boxes[0].style, 0);
    EXPECT_EQ(f.ui.boxes[0].title, "Pagewick");
    EXPECT_TRUE(dlg().log.empty());
}

TEST_F(FindReplaceTest, DialogThatCannotBeCreatedIsSilent) {
    dlg().failShow = true;
    Note("abc", 0);
    Find();
    EXPECT_TRUE(f.ui.boxes.empty());
    EXPECT_TRUE(f.ui.modeless.empty());
    EXPECT_EQ(dlg().extendedErrorCalls, 2);
}

TEST_F(FindReplaceTest, EveryOpeningStartsDownWithOptionsCleared) {
    Note("Abc abc", 7);
    Find();
    dlg().Press(frFindNext | frMatchCase | frWholeWord, "abc");
    EXPECT_EQ(Sel(), std::make_pair(4, 3));
    Find();
    EXPECT_EQ(dlg().record.flags, frDown);
    EXPECT_EQ(Buffer(dlg().record.findWhat), "abc");
}

TEST_F(FindReplaceTest, FindDownFindsTheSelectionAgainAndBeepsWithoutWrapping) {
    Note("abc x abc", 0, 3);
    Find();
    dlg().Press(frDown | frFindNext, "abc");
    EXPECT_EQ(Sel(), std::make_pair(0, 3));
    dlg().Press(frDown | frFindNext, "abc");
    EXPECT_EQ(Sel(), std::make_pair(0, 3)) << "the selected occurrence stays selected";
    EXPECT_EQ(f.ui.beeps, 0);
    note().SetSelStart(7);
    dlg().Press(frDown | frFindNext, "abc");
    EXPECT_EQ(f.ui.beeps, 1) << "no wrap-around";
    EXPECT_EQ(Sel(), std::make_pair(7, 0));
    note().SetSelStart(1);
    dlg().Press(frDown | frFindNext, "ABC");
    EXPECT_EQ(Sel(), std::make_pair(6, 3));
}

TEST_F(FindReplaceTest, NoteNoteMatchCase) {
    Note("Note note", 0);
    Find();
    dlg().Press(frDown | frFindNext, "note");
    EXPECT_EQ(Sel(), std::make_pair(0, 4));
    note().SetSelStart(0);
    dlg().Press(frDown | frFindNext | frMatchCase, "note");
    EXPECT_EQ(Sel(), std::make_pair(5, 4));
}

TEST_F(FindReplaceTest, FindUpWalksBackWithoutOverlapThenBeeps) {
    Note("abcabcabc", 9);
    Find();
    dlg().Press(frFindNext, "abc");
    EXPECT_EQ(Sel(), std::make_pair(6, 3));
    dlg().Press(frFindNext, "abc");
    EXPECT_EQ(Sel(), std::make_pair(3, 3));
    dlg().Press(frFindNext, "abc");
    EXPECT_EQ(Sel(), std::make_pair(0, 3));
    EXPECT_EQ(f.ui.beeps, 0);
    dlg().Press(frFindNext, "abc");
    EXPECT_EQ(f.ui.beeps, 1) << "caret at 0";
    EXPECT_EQ(Sel(), std::make_pair(0, 3));

    Note("aaa", 3);
    dlg().Press(frFindNext, "aa");
    EXPECT_EQ(Sel(), std::make_pair(0, 2));
    Note("xyz", 3);
    dlg().Press(frFindNext, "q");
    EXPECT_EQ(f.ui.beeps, 2);
    EXPECT_EQ(Sel(), std::make_pair(3, 0));
}

TEST_F(FindReplaceTest, ReplaceReplacesTheNextOccurrenceOnlyAndLeavesTheCaretAfterIt) {
    Note("abc abc", 0, 3);
    Replace();
    dlg().Press(frDown | frReplace, "abc", "XY");
    EXPECT_EQ(note().text, "XY abc");
    EXPECT_EQ(Sel(), std::make_pair(2, 0)) << "the next one is not selected";
    dlg().Press(frDown | frReplace, "abc", "");
    EXPECT_EQ(note().text, "XY ");
    dlg().Press(frDown | frReplace, "abc", "");
    EXPECT_EQ(f.ui.beeps, 1);
    EXPECT_EQ(note().text, "XY ");
}

TEST_F(FindReplaceTest, ReplaceAllFromTheCaretOnInOneUndoStep) {
    Note("a.a.a.a", 2);
    Replace();
    const int before = note().replaceCount;
    dlg().Press(frDown | frReplaceAll, "a", "bb");
    EXPECT_EQ(note().text, "a.bb.bb.bb") << "occurrences before the caret stay";
    EXPECT_EQ(note().replaceCount - before, 1) << "one replacement of the text, one undo step";
    EXPECT_EQ(Sel(), std::make_pair(10, 0));
    EXPECT_EQ(f.ui.beeps, 0);

    Note("aaa", 0);
    dlg().Press(frDown | frReplaceAll, "a", "aa");
    EXPECT_EQ(note().text, "aaaaaa");
    Note("x-y-z", 0);
    dlg().Press(frDown | frReplaceAll, "-", "");
    EXPECT_EQ(note().text, "xyz");
    dlg().Press(frDown | frReplaceAll, "-", "");
    EXPECT_EQ(f.ui.beeps, 1) << "nothing to replace";
}

TEST_F(FindReplaceTest, WholeWordReachesEverySearch) {
    Note("cat concat cat", 0);
    Replace();
    dlg().Press(frDown | frReplaceAll | frWholeWord, "cat", "dog");
    EXPECT_EQ(note().text, "dog concat dog");
    note().SetSelStart(14);
    dlg().Press(frFindNext | frWholeWord, "cat");
    EXPECT_EQ(f.ui.beeps, 1);
}

TEST_F(FindReplaceTest, FindDialogKeepsTheReplaceTextAndForeignBuffersReadEmpty) {
    Note("aXa", 0);
    Replace();
    dlg().Press(frDown | frReplace, "X", "y");
    Find();
    EXPECT_EQ(main->parts().editor.FindReplace_.ReplaceText(), std::string(1024, '\0')) << "each opening resets it";
    char16_t foreign[8] = u"abc";
    EXPECT_EQ(main->parts().editor.FindReplace_.BufferToString(foreign, 8), "");
    EXPECT_EQ(main->parts().editor.FindReplace_.BufferToString(nullptr, 8), "");
    EXPECT_EQ(main->parts().editor.FindReplace_.BufferToString(dlg().record.findWhat, 0), "");
}

TEST_F(FindReplaceTest, MessageReachingTheWindowItselfStillWorks) {
    Note("xyz", 0);
    Find();
    // As if our procedure were not in front: the form's own message handler takes it.
    dlg().record.flags = frDown | frFindNext;
    dlg().record.findWhat[0] = u'z';
    dlg().record.findWhat[1] = u'\0';
    long result = -1;
    EXPECT_TRUE(main->Message(dlg().message, 0, FD::kRecordAddress, result));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Sel(), std::make_pair(2, 1));
    EXPECT_FALSE(main->Message(dlg().message + 1, 0, 0, result));
}

}  // namespace
}  // namespace pw
