// Check Spelling on fakes: Word's sequence through the clipboard, and the built-in checker's
// dialog when Word is missing.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "fakes/fake_spelling.h"
#include "fakes/main_window_fixture.h"
#include "options/spelling/SpellCommand.h"
#include "options/spelling/SpellSession.h"
#include "options/spelling/UserDictionary.h"
#include "options/spelling/frmSpelling.h"

namespace pw {
namespace {

using V = std::vector<std::string>;
const char* const kNeedsWord = "Sorry, the spellcheck feature requires Microsoft Word.";
const char* const kDic = "C:\\Programs\\Pagewick\\pagewick.dic";

class SpellCheckTest : public ::testing::Test {
protected:
    SpellCheckTest() {
        f.platform.automation = &automation;
        f.platform.resources = &resources;
        resources.data[kWordListResource] = fake::PackedWordList();
    }
    fake::Control& Note(const std::string& text) {
        note = std::make_unique<fake::Control>(ControlDef{1, ControlKind::TextBox, "", 0, 0, 0, 0, csMultiLine}, 0x99);
        note->text = text;
        return *note;
    }
    void Check() { SpellCheck(f.platform, *note, 0x42); }
    fake::Fakes f;
    fake::Automation automation{f.clipboard};
    fake::Resources resources;
    std::unique_ptr<fake::Control> note;
};

// ------------------------------------------------------------------ Word

TEST_F(SpellCheckTest, EmptyNoteDoesNothingAtAll) {
    Note("");
    f.clipboard.SetText("kept");
    Check();
    EXPECT_TRUE(automation.created.empty());
    EXPECT_TRUE(f.ui.boxes.empty());
    EXPECT_EQ(f.ui.modalRuns, 0);
    EXPECT_EQ(f.clipboard.text, "kept");
    EXPECT_EQ(note->setTextCount, 0);
}

TEST_F(SpellCheckTest, WordRunsTheWholeSequenceAndPutsTheClipboardBack) {
    Note("Teh note");
    f.clipboard.SetText("the user's clipboard");
    automation.word.checked = "The note";
    Check();
    EXPECT_EQ(automation.created, V{"Word.Application"});
    EXPECT_EQ(automation.word.log,
              (V{"Word.Visible=0", "Word.Documents", "Documents.Add", "Word.Selection", "Selection.Paste",
                 "Word.ActiveDocument", "ActiveDocument.CheckSpelling", "Word.Visible=0", "Word.ActiveDocument",
                 "ActiveDocument.Select", "Word.Selection", "Selection.Cut", "Word.ActiveDocument",
                 "ActiveDocument.Close(SaveChanges=0)", "Word.Quit"}));
    EXPECT_EQ(note->text, "The note");
    EXPECT_TRUE(note->canUndo);   // one Undo takes the check back
    EXPECT_EQ(f.clipboard.text, "the user's clipboard");
    EXPECT_EQ(*automation.live, 0);   // every object released
    EXPECT_TRUE(f.ui.boxes.empty());
    EXPECT_EQ(f.ui.modalRuns, 0);
}

// Whatever the user had copied comes back as it was, not only its text: a picture, files,
// formatted text, every format of it.
TEST_F(SpellCheckTest, WordPutsBackEveryFormatTheClipboardHeld) {
    Note("Teh note");
    automation.word.checked = "The note";
    const unsigned kDib = 8, kFiles = 15, kRichText = 0xC0F2;
    f.clipboard.SetText("copied words");
    f.clipboard.others = {{kDib, std::string("BM\0\x01picture", 11)}, {kFiles, "C:\\a.txt"},
                          {kRichText, "{\\rtf1 copied words}"}};
    const auto before = f.clipboard.others;
    Check();
    EXPECT_EQ(note->text, "The note");
    EXPECT_EQ(f.clipboard.saves, 1);
    EXPECT_EQ(f.clipboard.restores, 1);
    EXPECT_TRUE(f.clipboard.hasText);
    EXPECT_EQ(f.clipboard.text, "copied words");
    EXPECT_EQ(f.clipboard.others, before);
    EXPECT_TRUE(f.ui.boxes.empty());
}

// A clipboard without text is not left holding the checked note, nor emptied to hold "": a
// picture alone is a picture alone afterwards, and an empty clipboard is empty again.
TEST_F(SpellCheckTest, WordLeavesAClipboardWithoutTextAsItWas) {
    Note("Teh note");
    automation.word.checked = "The note";
    f.clipboard.others = {{8, "picture bytes"}};
    Check();
    EXPECT_EQ(note->text, "The note");
    EXPECT_FALSE(f.clipboard.hasText);
    EXPECT_EQ(f.clipboard.others, (std::map<unsigned, std::string>{{8, "picture bytes"}}));

    f.clipboard.Empty();
    Note("fine text");
    automation.word.checked = "fine text";
    Check();
    EXPECT_FALSE(f.clipboard.hasText);
    EXPECT_TRUE(f.clipboard.others.empty());
    EXPECT_EQ(note->text, "fine text");
    EXPECT_EQ(note->replaceCount, 0);   // nothing changed: nothing to undo
}

TEST_F(SpellCheckTest, AFailureAfterThePasteShowsTheMessageAndLeavesTheClipboard) {
    Note("Teh note");
    f.clipboard.SetText("old");
    automation.word.failAt = "ActiveDocument.CheckSpelling";
    Check();
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text, kNeedsWord);
    EXPECT_EQ(f.ui.boxes[0].style, 0);
    EXPECT_EQ(f.ui.boxes[0].title, "Pagewick");
    EXPECT_EQ(note->text, "Teh note");
    EXPECT_EQ(f.clipboard.text, "Teh note");   // the note, as Word was given it
    EXPECT_EQ(automation.word.log.back(), "ActiveDocument.CheckSpelling");   // no Close, no Quit
    EXPECT_EQ(f.ui.modalRuns, 0);               // no second checker after Word failed
}

TEST_F(SpellCheckTest, AFailureOfQuitStillLeavesTheCheckedNote) {
    Note("Teh");
    f.clipboard.SetText("old");
    automation.word.checked = "The";
    automation.word.failAt = "Word.Quit";
    Check();
    EXPECT_EQ(note->text, "The");
    EXPECT_EQ(f.clipboard.text, "The");
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text, kNeedsWord);
}

TEST_F(SpellCheckTest, ACutThatLeavesNoTextKeepsTheNote) {
    Note("Teh note");
    f.clipboard.SetText("old");
    automation.word.checked = "The note";
    automation.word.cutLosesClipboard = true;
    Check();
    EXPECT_EQ(note->text, "Teh note");
    EXPECT_EQ(note->setTextCount, 0);
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text, kNeedsWord);
    EXPECT_EQ(automation.word.log.back(), "Selection.Cut");
}

// A clipboard manager or a remote-desktop session may hold the clipboard open for a moment:
// whenever the clipboard cannot be written or read, the check fails with the note as it was.
TEST_F(SpellCheckTest, AClipboardHeldByAnotherProgramFailsTheCheckWithTheNoteAsItWas) {
    const auto Again = [&] {
        Note("Teh note");
        f.ui.boxes.clear();
        f.clipboard = fake::Clipboard();
        automation.word.log.clear();
        automation.word.heldAfterCut = false;
        automation.word.heldAfterAdd = false;
    };
    // Held when the note is to go on it: Word never gets the note.
    Note("Teh note");
    automation.word.checked = "The note";
    automation.word.heldAfterAdd = true;
    Check();
    EXPECT_EQ(note->text, "Teh note");
    EXPECT_EQ(note->setTextCount + note->replaceCount, 0);
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text, kNeedsWord);
    EXPECT_EQ(automation.word.log.back(), "Documents.Add");

    // Held right after Word's Cut: the checked text cannot be read; the note is not emptied.
    Again();
    automation.word.heldAfterCut = true;
    f.clipboard.SetText("old");
    Check();
    EXPECT_EQ(note->text, "Teh note");
    EXPECT_EQ(note->setTextCount + note->replaceCount, 0);
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text, kNeedsWord);
    EXPECT_EQ(automation.word.log.back(), "Selection.Cut");

    // Held at the start: what it holds could not be kept aside to be put back, so Word is not
    // given the note at all and the clipboard keeps the user's text.
    Again();
    f.clipboard.SetText("the user's clipboard");
    f.clipboard.busy = true;
    Check();
    EXPECT_EQ(note->text, "Teh note");
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text, kNeedsWord);
    EXPECT_EQ(f.clipboard.text, "the user's clipboard");
    EXPECT_EQ(automation.word.log, V{"Word.Quit"});
}

TEST_F(SpellCheckTest, NoWordAndNoWordListShowsTheMessageAndTouchesNothing) {
    Note("Teh note");
    f.clipboard.SetText("old");
    automation.installed = false;
    resources.data.clear();
    Check();
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text, kNeedsWord);
    EXPECT_EQ(f.ui.boxes[0].style, 0);
    EXPECT_EQ(note->text, "Teh note");
    EXPECT_EQ(note->setTextCount, 0);
    EXPECT_EQ(f.clipboard.text, "old");
    // A damaged list is no better than none.
    resources.data[kWordListResource] = "PWL2 broken";
    Check();
    EXPECT_EQ(f.ui.boxes.size(), 2u);
}

// ------------------------------------------------------------------ the built-in checker

class BuiltInTest : public SpellCheckTest {
protected:
    BuiltInTest() { automation.installed = false; }
    // Plays the user: each step sees the dialog on a word and clicks something.
    void Play(std::vector<std::function<void(fake::Form&)>> steps) {
        f.ui.onModal = [this, steps](fake::Form& form) {
            for (const auto& step : steps) {
                if (form.destroyed) break;
                asked.push_back(form.Ctl(frmSpelling::txtNotInDict)->text);
                selected.push_back(note->SelText());
                step(form);
            }
        };
    }
    static std::function<void(fake::Form&)> Click(int id) {
        return [id](fake::Form& form) { form.events.Command(id); };
    }
    static std::function<void(fake::Form&)> ChangeTo(const std::string& to, int id = frmSpelling::cmdChange) {
        return [to, id](fake::Form& form) {
            form.Ctl(frmSpelling::txtChangeTo)->text = to;
            form.events.Command(id);
        };
    }
    V asked, selected;
};

TEST_F(BuiltInTest, ChangeIgnoreAllAndAddWorkThroughTheNoteAsOneUndoStep) {
    Note("Teh qwzx and Zorblat.\r\nAgain qwzx, Zorblat.");
    f.clipboard.SetText("clip");
    fake::Form* dialog = nullptr;
    f.ui.onModal = [&](fake::Form& form) {
        dialog = &form;
        EXPECT_EQ(form.def.caption, "Spelling");
        EXPECT_EQ(form.owner, 0x42u);
        EXPECT_EQ(form.Ctl(frmSpelling::lblNotInDict)->text, "Not in dictionary:");
        EXPECT_EQ(form.Ctl(frmSpelling::lblChangeTo)->text, "Change to:");
        EXPECT_EQ(form.Ctl(frmSpelling::lblSuggestions)->text, "Suggestions:");
        EXPECT_EQ(form.Ctl(frmSpelling::txtNotInDict)->text, "Teh");
        EXPECT_EQ(note->SelText(), "Teh");   // the word is selected in the note
        EXPECT_EQ(form.Ctl(frmSpelling::txtChangeTo)->text, "The");
        EXPECT_EQ(form.Ctl(frmSpelling::lstSuggestions)->items.front(), "The");
        form.events.Command(frmSpelling::cmdChange);
        EXPECT_EQ(note->text.substr(0, 4), "The ");   // the note follows at once
        EXPECT_EQ(form.Ctl(frmSpelling::txtNotInDict)->text, "qwzx");
        EXPECT_EQ(note->SelText(), "qwzx");
        form.events.Command(frmSpelling::cmdIgnoreAll);
        EXPECT_EQ(form.Ctl(frmSpelling::txtNotInDict)->text, "Zorblat");
        form.events.Command(frmSpelling::cmdAdd);   // the second Zorblat is known now
    };
    Check();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->destroyed);
    EXPECT_EQ(note->text, "The qwzx and Zorblat.\r\nAgain qwzx, Zorblat.");
    EXPECT_TRUE(note->canUndo);
    EXPECT_EQ(note->setTextCount, 0);   // never set whole: one replacement, which Undo reverts
    note->Undo();
    EXPECT_EQ(note->text, "Teh qwzx and Zorblat.\r\nAgain qwzx, Zorblat.");
    note->Undo();
    EXPECT_EQ(note->text, "The qwzx and Zorblat.\r\nAgain qwzx, Zorblat.");
    EXPECT_EQ(f.fs.files[kDic], "Zorblat\r\n");
    EXPECT_EQ(f.clipboard.text, "clip");
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text, "The spelling check is complete.");
    EXPECT_EQ(f.ui.boxes[0].style, 64);
}

TEST_F(BuiltInTest, ChangeAllReplacesLaterCopiesAndUserWordsAreKnown) {
    f.fs.files[kDic] = "Zorblat\r\n  \r\nqwzx";
    Note("grean qwzx Zorblat grean, grean.");
    Play({ChangeTo("green", frmSpelling::cmdChangeAll)});
    Check();
    EXPECT_EQ(asked, V{"grean"});
    EXPECT_EQ(note->text, "green qwzx Zorblat green, green.");
    EXPECT_EQ(f.ui.boxes.back().text, "The spelling check is complete.");
}

TEST_F(BuiltInTest, WordsOfOtherScriptsAreNotFlaggedAndEnglishBesideThemIsChecked) {
    // Привет Łódź Ελλάδα 東京 😀 grean café grean
    const std::string others = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xC5\x81\xC3\xB3" "d\xC5\xBA "
                               "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1 \xE6\x9D\xB1\xE4\xBA\xAC "
                               "\xF0\x9F\x98\x80 ";
    Note(others + "grean caf\xC3\xA9 grean");
    f.ui.onModal = [&](fake::Form& form) {
        EXPECT_EQ(form.Ctl(frmSpelling::txtNotInDict)->text, "grean");
        EXPECT_EQ(note->SelText(), "grean") << "selected where it stands in the note";
        form.Ctl(frmSpelling::txtChangeTo)->text = "green";
        form.events.Command(frmSpelling::cmdChangeAll);
    };
    Check();
    EXPECT_EQ(note->text, others + "green caf\xC3\xA9 green") << "every other character kept";
    EXPECT_EQ(f.ui.boxes.back().text, "The spelling check is complete.");
}

TEST_F(BuiltInTest, CancelKeepsTheChangesMadeSoFar) {
    Note("Teh mispeled wurds.");
    Play({Click(frmSpelling::cmdChange), Click(frmSpelling::cmdCancel)});
    Check();
    EXPECT_EQ(asked, (V{"Teh", "mispeled"}));
    EXPECT_EQ(selected, (V{"Teh", "mispeled"}));
    EXPECT_EQ(note->text, "The mispeled wurds.");
    EXPECT_TRUE(note->canUndo);
    EXPECT_TRUE(f.ui.boxes.empty());   // no "complete" after a cancel
    // The close box cancels the same way.
    Note("Teh mispeled wurds.");
    Play({Click(frmSpelling::cmdChange), [](fake::Form& form) { RunClose(form.events, form, vbFormControlMenu); }});
    Check();
    EXPECT_EQ(note->text, "The mispeled wurds.");
    EXPECT_TRUE(f.ui.boxes.empty());
}

TEST_F(BuiltInTest, ChoosingASuggestionFillsChangeToAndIgnoreMovesOn) {
    Note("Thier car and thier dog.");
    Play({[](fake::Form& form) {
              auto* list = form.Ctl(frmSpelling::lstSuggestions);
              ASSERT_GE(list->items.size(), 2u);
              list->value = 1;
              form.events.Changed(frmSpelling::lstSuggestions);
              EXPECT_EQ(form.Ctl(frmSpelling::txtChangeTo)->text, list->items[1]);
              form.events.Command(frmSpelling::cmdIgnore);
          },
          Click(frmSpelling::lstSuggestions)});   // a double click changes to the chosen one
    Check();
    EXPECT_EQ(asked, (V{"Thier", "thier"}));
    EXPECT_EQ(note->text, "Thier car and their dog.");
}

TEST_F(BuiltInTest, ANoteWithoutMistakesOnlySaysItIsComplete) {
    Note("Nothing wrong here, see http://exampel.com and NASA's mp3s.");
    Check();
    EXPECT_EQ(f.ui.modalRuns, 0);
    EXPECT_EQ(note->replaceCount, 0);
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text, "The spelling check is complete.");
}

TEST_F(BuiltInTest, AFailedWriteOfTheUserListIsReportedAndLosesNothing) {
    f.fs.files[kDic] = "Zorblat\r\n";
    f.fs.unwritable.insert(kDic);
    Note("Quuxly Zorblat Quuxly.");
    Play({Click(frmSpelling::cmdAdd)});
    Check();
    EXPECT_EQ(asked, V{"Quuxly"});   // still accepted for the rest of this check
    EXPECT_EQ(f.fs.files[kDic], "Zorblat\r\n");
    ASSERT_EQ(f.ui.boxes.size(), 2u);
    EXPECT_NE(f.ui.boxes[0].text.find("pagewick.dic"), std::string::npos);
    EXPECT_NE(f.ui.boxes[0].text.find("Access is denied."), std::string::npos);
    EXPECT_EQ(f.ui.boxes[0].style, vbExclamation);
    EXPECT_EQ(f.ui.boxes[1].text, "The spelling check is complete.");
}

// A word list that exists but cannot be read (locked by another program, or far too large to
// be one) is never rewritten with the one new word: the user is told, the file stays whole.
TEST_F(BuiltInTest, AUserListThatCannotBeReadIsNeverWrittenAndTheUserIsTold) {
    f.fs.files[kDic] = "Zorblat\r\nQuuxly\r\n";
    f.fs.unreadable.insert(kDic);
    Note("Quuxly Zorblat.");
    Play({Click(frmSpelling::cmdAdd), Click(frmSpelling::cmdAdd)});
    Check();
    f.fs.unreadable.clear();
    f.fs.sizes[kDic] = 1100ll << 20;   // 1.1 GB
    Note("Frobnitz");
    Play({Click(frmSpelling::cmdAdd)});
    Check();
    EXPECT_EQ(asked, (V{"Quuxly", "Zorblat", "Frobnitz"}));   // the words of the list are unknown now
    EXPECT_EQ(f.fs.files[kDic], "Zorblat\r\nQuuxly\r\n");
    EXPECT_TRUE(f.fs.writes.empty());
    V texts;
    for (const auto& b : f.ui.boxes) texts.push_back(b.text);
    ASSERT_EQ(texts.size(), 5u);
    const std::string lead =
        "The word could not be added to the user dictionary " + std::string(kDic) + ": the file is there, but ";
    const std::string tail = "\r\n\r\nThe file is left as it is. The word is accepted until the end of this check.";
    EXPECT_EQ(texts[0], lead + "it could not be read: The process cannot access the file because it is being "
                               "used by another process." + tail);
    EXPECT_EQ(texts[1], texts[0]);
    EXPECT_EQ(texts[2], "The spelling check is complete.");
    EXPECT_EQ(texts[3], lead + "it is 1,100 MB, more than the 4 MB such a file may be." + tail);
    EXPECT_EQ(f.ui.boxes[3].style, vbExclamation);
}

class CheckSpellingMenu : public fake::MainWindowTest {};

TEST_F(CheckSpellingMenu, ChecksTheNoteInADialogOwnedByTheMainWindow) {
    fake::Resources resources;
    resources.data[kWordListResource] = fake::PackedWordList();
    f.platform.resources = &resources;   // and no automation at all: the built-in checker
    ASSERT_TRUE(Start());
    main->txtNote().SetText("Teh end");
    Handle owner = 0;
    f.ui.onModal = [&](fake::Form& form) {
        owner = form.owner;
        form.events.Command(frmSpelling::cmdChange);
    };
    main->Command(mnuSpellcheck);
    EXPECT_EQ(owner, main->form().hWnd());
    EXPECT_EQ(main->txtNote().Text(), "The end");
    ASSERT_FALSE(f.ui.boxes.empty());
    EXPECT_EQ(f.ui.boxes.back().text, "The spelling check is complete.");
}

TEST(UserDictionaryTest, ParsesAnyLineEndsAndNamesTheFileBesideTheProgram) {
    EXPECT_EQ(ParseUserWords("one\r\ntwo\n\n  three \r\n\r\n"), (V{"one", "two", "three"}));
    EXPECT_EQ(ParseUserWords(""), V{});
    EXPECT_EQ(UserDictionaryPath("C:\\"), "C:\\pagewick.dic");
    EXPECT_EQ(UserDictionaryPath("C:\\P"), "C:\\P\\pagewick.dic");
}

}  // namespace
}  // namespace pw
