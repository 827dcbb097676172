// Lines and words as the user counts them, Edit > Time/Date, Edit > Go To..., Ctrl+Backspace,
// and the table that runs the main window's commands.
#include <gtest/gtest.h>

#include <set>

#include "app/Menus.h"
#include "editor/NoteLines.h"
#include "editor/frmGoTo.h"
#include "fakes/main_window_fixture.h"

namespace pw {
namespace {

TEST(NoteLines, LinesEndAtLineBreaksAndColumnsCountCharacters) {
    const std::string text = "ab\r\nc\xC3\xA9" "d\nlast\rx";   // CR LF, a lone LF, a lone CR
    EXPECT_EQ(LineColumnAt(text, 0), (LineColumn{1, 1}));
    EXPECT_EQ(LineColumnAt(text, 2), (LineColumn{1, 3}));
    EXPECT_EQ(LineColumnAt(text, 4), (LineColumn{2, 1}));
    EXPECT_EQ(LineColumnAt(text, 7), (LineColumn{2, 3})) << "the two bytes of \xC3\xA9 are one column";
    EXPECT_EQ(LineColumnAt(text, 9), (LineColumn{3, 1}));
    EXPECT_EQ(LineColumnAt(text, 14), (LineColumn{4, 1}));
    EXPECT_EQ(LineColumnAt(text, 999), (LineColumn{4, 2})) << "past the end: the end";
    // The same in the box's own units, where a character beyond U+FFFF takes two.
    const std::u16string units = u"ab\r\nc\U0001F600d\nx";
    EXPECT_EQ(LineColumnAt(units, 8), (LineColumn{2, 4}));
    EXPECT_EQ(LineColumnAt(units, 9), (LineColumn{3, 1}));
    EXPECT_EQ(LineColumnAt(units, 1), (LineColumn{1, 2}));
    EXPECT_EQ(LineCount(text), 4);
    EXPECT_EQ(LineCount(""), 1);
    EXPECT_EQ(LineCount("a\r\n"), 2);

    EXPECT_EQ(LineStart(text, 1), 0u);
    EXPECT_EQ(LineStart(text, 2), 4u);
    EXPECT_EQ(LineStart(text, 3), 9u);
    EXPECT_EQ(LineStart(text, 4), 14u);
    for (long beyond : {0L, -1L, 5L, 1000000L}) EXPECT_EQ(LineStart(text, beyond), std::string::npos) << beyond;
    EXPECT_EQ(LineStart("a\r\n", 2), 3u) << "the empty last line";
}

TEST(NoteLines, CtrlBackspaceTakesTheBlanksAndOneRunOfLettersOrSigns) {
    const ICharRules& rules = BuiltInCharRules();
    struct Case { const char* text; size_t caret; size_t from; };
    const Case cases[] = {
        {"one two", 7, 4},
        {"one two  ", 9, 4},            // the blanks go with the word before them
        {"one two\t", 8, 4},
        {"end. ", 5, 3},                // signs are a run of their own
        {"a--b", 4, 3},
        {"a--", 3, 1},
        {"x\r\ny", 3, 1},               // a line break goes alone, CR LF as one
        {"x\r\n", 3, 1},
        {"x\n  ", 4, 2},                // blanks at a line's start: only they go
        {"   ", 3, 0},
        {"", 0, 0},
        {"one two", 3, 0},
        {"caf\xC3\xA9 na\xC3\xAFve", 12, 6},   // letters of any script, never half a character
        {"\xD0\x96\xD0\xB8\xD0\xBB", 6, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(WordStartBefore(c.text, c.caret, rules), c.from) << c.text << " @" << c.caret;
}

class EditExtras : public fake::MainWindowTest {
protected:
    void SetUp() override { ASSERT_TRUE(Start()); }
    fake::Control& note() { return static_cast<fake::Control&>(main->txtNote()); }
    fake::Form& form() { return static_cast<fake::Form&>(main->form()); }
};

TEST_F(EditExtras, TimeDatePutsShortTimeSpaceShortDateInPlaceOfTheSelectionInOneStep) {
    note().SetText("Met X.");
    note().SetSelStart(4);
    note().SetSelLength(1);
    main->Command(mnuEditTimeDate);
    EXPECT_EQ(note().text, "Met 10:35 AM 12/10/2026.");
    EXPECT_EQ(note().replaceCount, 1) << "one replacement: one Undo step";
    EXPECT_EQ(note().SelStart(), 23);
    f.app.shortTime = "22:35";
    f.app.shortDate = "10.12.2026";
    main->Command(mnuEditTimeDate);
    EXPECT_EQ(note().text, "Met 10:35 AM 12/10/202622:35 10.12.2026.");
}

TEST_F(EditExtras, GoToOpensOnTheCaretsLineAndPutsTheCaretAtTheStartOfTheLineTyped) {
    note().SetText("one\r\ntwo\r\nthree");
    note().wrapAt = 2;   // wrapping on screen does not count
    note().SetSelStart(6);
    std::string shown;
    f.ui.onModal = [&](fake::Form& dlg) {
        shown = dlg.Ctl(frmGoTo::txtLine)->text;
        EXPECT_EQ(dlg.Caption(), "Go To Line");
        EXPECT_EQ(dlg.Ctl(frmGoTo::txtLine)->SelLength(), 1) << "the number is ready to be typed over";
        EXPECT_TRUE(dlg.Ctl(frmGoTo::txtLine)->def.style & csNumber);
        dlg.Ctl(frmGoTo::txtLine)->text = "3";
        dlg.PressEnter();
    };
    main->Command(mnuEditGoTo);
    EXPECT_EQ(shown, "2");
    EXPECT_EQ(note().SelStart(), 10);
    EXPECT_EQ(note().SelLength(), 0);
    EXPECT_TRUE(f.ui.boxes.empty());
    ASSERT_EQ(f.ui.forms.size(), 2u) << "the main window and the closed dialog kept for next time";
    EXPECT_TRUE(f.ui.forms.back()->destroyed);
}

TEST_F(EditExtras, GoToALineBeyondTheLastSaysSoAndWaitsForAnotherNumber) {
    note().SetText("one\r\ntwo");
    note().SetSelStart(0);
    int tries = 0;
    f.ui.onModal = [&](fake::Form& dlg) {
        for (const char* typed : {"3", "0", "", "99999999999"}) {
            dlg.Ctl(frmGoTo::txtLine)->text = typed;
            dlg.events.Command(frmGoTo::cmdGoTo);
            ++tries;
            EXPECT_FALSE(dlg.destroyed) << typed;
        }
        dlg.events.Command(frmGoTo::cmdCancel);
        EXPECT_TRUE(dlg.destroyed);
    };
    main->Command(mnuEditGoTo);
    ASSERT_EQ(f.ui.boxes.size(), 4u);
    for (const auto& b : f.ui.boxes) {
        EXPECT_EQ(b.text, "The line number is beyond the total number of lines");
        EXPECT_EQ(b.title, "Pagewick - Go To Line");
    }
    EXPECT_EQ(note().SelStart(), 0);
}

TEST_F(EditExtras, CtrlBackspaceDeletesTheWordBeforeTheCaretOrTheSelection) {
    note().SetText("one two  three");
    note().SetSelStart(14);
    main->Command(keyDeleteWordBefore);
    EXPECT_EQ(note().text, "one two  ");
    EXPECT_EQ(note().replaceCount, 1) << "one step for Undo";
    main->Command(keyDeleteWordBefore);
    EXPECT_EQ(note().text, "one ");
    note().SetSelStart(1);
    note().SetSelLength(2);
    main->Command(keyDeleteWordBefore);
    EXPECT_EQ(note().text, "o ") << "a selection goes as a whole";
    note().SetSelStart(0);
    const int before = note().replaceCount;
    main->Command(keyDeleteWordBefore);
    EXPECT_EQ(note().replaceCount, before) << "nothing before the caret: nothing happens";
}

TEST(CommandTable, EveryEntryAndShortcutRunsAHandlerAndNoIdRunsTwo) {
    std::set<int> seen;
    const std::vector<MainCommand>& rows = MainCommands();
    for (size_t i = 0; i < rows.size(); ++i) {
        const MenuItem& e = rows[i].entry;
        const bool opensMenu = i + 1 < rows.size() && rows[i + 1].entry.level > e.level && e.level != kKeyOnly;
        const bool separator = std::string(e.caption) == "-";
        if (opensMenu || separator) {
            EXPECT_EQ(rows[i].click, nullptr) << e.caption;
            continue;
        }
        EXPECT_NE(rows[i].click, nullptr) << e.caption << " " << e.shortcut;
        if (e.level != kKeyOnly) EXPECT_TRUE(seen.insert(e.id).second) << "id " << e.id << " twice";
    }
    // Each shortcut alone runs the handler of an entry with the same id.
    for (const MainCommand& row : rows) {
        if (row.entry.level != kKeyOnly || row.entry.id == keyDeleteWordBefore) continue;
        bool matched = false;
        for (const MainCommand& entry : rows)
            matched |= entry.entry.level != kKeyOnly && entry.entry.id == row.entry.id && entry.click == row.click;
        EXPECT_TRUE(matched) << row.entry.shortcut;
    }
}

}  // namespace
}  // namespace pw
