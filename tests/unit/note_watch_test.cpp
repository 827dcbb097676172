// The note and other programs: a change made elsewhere while Pagewick runs (taken, or asked
// about), the look before every write, a note deleted or made read-only, bytes that were not
// text, the recovery question, Save As... onto the note, and the line of the box's edits.
#include <gtest/gtest.h>

#include "app/NoteWatch.h"
#include "app/frmPagewick.h"
#include "fakes/fake_platform.h"
#include "fakes/main_window_fixture.h"
#include "platform/TextEdits.h"
#include "storage/NoteEncoding.h"
#include "storage/NoteLimits.h"

namespace pw {
namespace {

const std::string kFolder = "C:\\Programs\\Pagewick";
const std::string kNote = kFolder + "\\pagewick.txt";
const std::string kRecover = kFolder + "\\pagewick.recover";
const std::string kKept = kFolder + "\\pagewick 2026-12-09 131500.txt";
const std::string kKept2 = kFolder + "\\pagewick 2026-12-09 131500 (2).txt";
constexpr auto npos = std::string::npos;

class NoteWatchTest : public fake::MainWindowTest {
protected:
    fake::Form* form() { return static_cast<fake::Form*>(&main->form()); }
    fake::Control& note() { return static_cast<fake::Control&>(main->txtNote()); }
    void Type(const std::string& text) {
        note().SetSelStart(static_cast<int>(note().text.size()));
        note().SetSelText(text);
        main->Changed(1);
    }
    // Another program writes the note, and the folder's watch hears of it.
    void OtherProgramWrites(const std::string& bytes) {
        f.fs.Put(kNote, bytes);
        f.folderWatch.Change(kFolder);
    }
    // The close box: the window goes to the tray.
    void ToTray() {
        bool cancel = false;
        main->Form_QueryUnload(cancel, vbFormControlMenu);
    }
    // The changes have rested: the watcher looks (false when it had nothing waiting).
    bool Settle() { return form()->FireTimer(NoteWatch::kWatchTimer); }
    std::string Box(size_t i) { return i < f.ui.boxes.size() ? f.ui.boxes[i].text : "<no box>"; }
    // Every file of the program folder that holds text, as the folder holds it.
    std::vector<std::string> Texts() {
        std::vector<std::string> t;
        for (const auto& kv : f.fs.files)
            if (kv.first.compare(0, kFolder.size(), kFolder) == 0) t.push_back(kv.second);
        return t;
    }
    bool InFolder(const std::string& text) {
        for (const std::string& t : Texts())
            if (t == text) return true;
        return false;
    }
};

TEST_F(NoteWatchTest, AnUntouchedBoxTakesAnotherProgramsVersionNearTheCaretAndUndoGoesBack) {
    f.fs.files[kNote] = "line one\r\nline two";
    ASSERT_TRUE(Start());
    EXPECT_EQ(f.folderWatch.Folders(), std::vector<std::string>{kFolder});
    note().SetSelStart(4);
    OtherProgramWrites("line one\r\nline two, edited elsewhere");
    ASSERT_TRUE(Settle());
    EXPECT_EQ(note().text, "line one\r\nline two, edited elsewhere");
    EXPECT_EQ(note().SelStart(), 4) << "the caret stays where it was";
    EXPECT_TRUE(f.ui.boxes.empty()) << "nothing is asked";
    EXPECT_FALSE(f.fs.FileExists(kRecover)) << "the box agrees with the file: no copy";
    main->Command(mnuEditUndo);
    EXPECT_EQ(note().text, "line one\r\nline two") << "one Undo takes the change back";
    main->Command(mnuEditUndo);
    main->Command(mnuExit);
    EXPECT_EQ(f.fs.files[kNote], "line one\r\nline two, edited elsewhere") << "the next save writes it";
    EXPECT_FALSE(f.fs.FileExists(kKept));
    EXPECT_TRUE(f.ui.boxes.empty());
}

TEST_F(NoteWatchTest, TypedAndChangedElsewhereYesSavesTheWindowAndKeepsTheOtherVersion) {
    f.fs.files[kNote] = "shared note";
    ASSERT_TRUE(Start());
    Type(" + mine");
    OtherProgramWrites("shared note + theirs");
    f.ui.answers = {vbYes};
    ASSERT_TRUE(Settle());
    ASSERT_EQ(f.ui.boxes.size(), 2u);
    EXPECT_NE(Box(0).find("changed by another program"), npos) << Box(0);
    EXPECT_EQ(f.ui.boxes[0].style, vbYesNo + vbQuestion);
    EXPECT_EQ(f.fs.files[kNote], "shared note + mine");
    EXPECT_EQ(f.fs.files[kKept], "shared note + theirs");
    EXPECT_NE(Box(1).find("another program saved has been kept as " + kKept), npos) << Box(1);
    EXPECT_EQ(note().text, "shared note + mine");
    // Settled: a later look finds the file as saved.
    f.folderWatch.Change(kFolder);
    Settle();
    EXPECT_EQ(f.ui.boxes.size(), 2u);
}

TEST_F(NoteWatchTest, TypedAndChangedElsewhereNoTakesTheOtherVersionAndKeepsYoursAside) {
    f.fs.files[kNote] = "shared note";
    ASSERT_TRUE(Start());
    Type(" + mine");
    OtherProgramWrites("shared note + theirs");
    f.ui.answers = {vbNo};
    ASSERT_TRUE(Settle());
    ASSERT_EQ(f.ui.boxes.size(), 2u);
    EXPECT_EQ(note().text, "shared note + theirs");
    EXPECT_EQ(f.fs.files[kKept], "shared note + mine");
    EXPECT_EQ(f.fs.files[kNote], "shared note + theirs") << "nothing written over it";
    EXPECT_NE(Box(1).find("Your text has been kept as " + kKept), npos) << Box(1);
    main->Command(mnuEditUndo);
    EXPECT_EQ(note().text, "shared note + mine") << "Undo brings your text back";
}

TEST_F(NoteWatchTest, HiddenInTheTrayTheQuestionWaitsUntilTheWindowIsShown) {
    f.fs.files[kNote] = "note";
    ASSERT_TRUE(Start());
    Type(" typed");
    ToTray();
    ASSERT_FALSE(form()->Visible());
    OtherProgramWrites("note changed");
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(Settle()) << "it keeps looking for the window";
    EXPECT_TRUE(f.ui.boxes.empty()) << "nothing asked while hidden";
    main->Command(mnuPopupRestore);
    f.ui.answers = {vbYes};
    ASSERT_TRUE(Settle());
    ASSERT_FALSE(f.ui.boxes.empty());
    EXPECT_NE(Box(0).find("changed by another program"), npos);
    EXPECT_EQ(f.fs.files[kNote], "note typed");
    EXPECT_EQ(f.fs.files[kKept], "note changed");
}

TEST_F(NoteWatchTest, ExitFromTheTrayKeepsTheOtherVersionAsideWithoutAsking) {
    f.fs.files[kNote] = "note";
    ASSERT_TRUE(Start());
    Type(" typed");
    ToTray();
    OtherProgramWrites("note changed");
    Settle();
    main->Command(mnuPopupExit);
    EXPECT_TRUE(form()->destroyed);
    EXPECT_EQ(f.fs.files[kNote], "note typed");
    EXPECT_EQ(f.fs.files[kKept], "note changed");
    ASSERT_EQ(f.ui.boxes.size(), 1u) << "told, not asked";
    EXPECT_EQ(f.ui.boxes[0].style, vbInformation);
    EXPECT_NE(Box(0).find(kKept), npos);
}

TEST_F(NoteWatchTest, ShutdownKeepsTheOtherVersionAsideAndShowsNoMessage) {
    f.fs.files[kNote] = "note";
    ASSERT_TRUE(Start());
    Type(" typed");
    f.fs.Put(kNote, "note changed");   // no notification came: the look before the write sees it
    bool cancel = false;
    main->Form_QueryUnload(cancel, vbAppWindows);
    EXPECT_TRUE(form()->destroyed);
    EXPECT_EQ(f.fs.files[kNote], "note typed");
    EXPECT_EQ(f.fs.files[kKept], "note changed");
    EXPECT_TRUE(f.ui.boxes.empty());
}

TEST_F(NoteWatchTest, SaveSettingsLooksBeforeWritingAndAsksAboutAChangeTheWatcherMissed) {
    f.fs.files[kNote] = "note";
    ASSERT_TRUE(Start());
    Type(" typed");
    f.fs.Put(kNote, "note changed");
    f.ui.answers = {vbNo};
    main->Command(mnuSavePrefs);
    EXPECT_NE(Box(0).find("changed by another program"), npos);
    EXPECT_EQ(note().text, "note changed");
    EXPECT_EQ(f.fs.files[kNote], "note changed");
    EXPECT_EQ(f.fs.files[kKept], "note typed");

    // The same file written again with the same bytes is no change at all.
    f.ui.boxes.clear();
    f.fs.Put(kNote, "note changed");
    f.folderWatch.Change(kFolder);
    Settle();
    main->Command(mnuSavePrefs);
    EXPECT_TRUE(f.ui.boxes.empty());
}

TEST_F(NoteWatchTest, ANoteDeletedElsewhereIsWrittenAgainAtTheNextSave) {
    f.fs.files[kNote] = "keep me";
    ASSERT_TRUE(Start());
    f.fs.files.erase(kNote);
    f.folderWatch.Change(kFolder);
    Settle();
    EXPECT_EQ(note().text, "keep me") << "the box keeps its text";
    main->Command(mnuExit);
    EXPECT_EQ(f.fs.files[kNote], "keep me");
    EXPECT_TRUE(f.ui.boxes.empty());
}

TEST_F(NoteWatchTest, ANoteMadeReadOnlyMeanwhileIsNotWrittenAndTheTextStays) {
    f.fs.files[kNote] = "as it was";
    ASSERT_TRUE(Start());
    Type(", and more");
    f.fs.attributes[kNote] = 1;
    main->Command(mnuExit);
    EXPECT_FALSE(form()->destroyed) << "Exit keeps the program when the note cannot be saved";
    ASSERT_FALSE(f.ui.boxes.empty());
    EXPECT_NE(Box(0).find("Access is denied."), npos) << Box(0);
    EXPECT_EQ(f.fs.files[kNote], "as it was");
    EXPECT_EQ(note().text, "as it was, and more");
}

TEST_F(NoteWatchTest, AModalWindowOverTheBoxMakesTheWatcherWait) {
    f.fs.files[kNote] = "before";
    ASSERT_TRUE(Start());
    form()->enabled = false;   // the spelling check, a dialog or a message box is open
    OtherProgramWrites("after");
    ASSERT_TRUE(Settle());
    EXPECT_EQ(note().text, "before");
    form()->enabled = true;
    ASSERT_TRUE(Settle()) << "it looks again";
    EXPECT_EQ(note().text, "after");
}

TEST_F(NoteWatchTest, ANoteThatIsALinkIsWatchedWhereItsTargetLies) {
    f.fs.files[kNote] = "linked";
    f.fs.links[kNote] = "D:\\Sync\\notes\\pagewick.txt";
    ASSERT_TRUE(Start());
    EXPECT_EQ(f.folderWatch.Folders(), (std::vector<std::string>{kFolder, "D:\\Sync\\notes"}));
    f.fs.Put(kNote, "synced from elsewhere");
    f.folderWatch.Change("D:\\Sync\\notes");
    ASSERT_TRUE(Settle());
    EXPECT_EQ(note().text, "synced from elsewhere");
}

// ---------------------------------------------------------------- bytes that were not text

TEST(NoteDamage, WhatDoesNotComeBackIsNamed) {
    const ICodePage& cp = Windows1252();
    const auto damage = [&](const std::string& bytes) {
        std::string text;
        const TextEncoding enc = DecodeNoteFile(bytes, cp, text);
        return DamageOf(bytes, enc, cp, text);
    };
    EXPECT_EQ(damage("plain caf\xE9\r\n"), "");
    EXPECT_EQ(damage("\xEF\xBB\xBF" "caf\xC3\xA9"), "");
    EXPECT_EQ(damage("\xEF\xBB\xBF"), "") << "a mark alone is an empty note";
    EXPECT_EQ(damage(std::string("\xFF\xFE" "a\0b\0", 6)), "");
    EXPECT_EQ(damage(std::string("a\0b\0\0", 5)), "3 NUL bytes, shown as spaces");
    EXPECT_EQ(damage("\xEF\xBB\xBF" "caf\xE9 and \xFF"),
              "2 bytes that are not UTF-8 after its UTF-8 mark, shown as the replacement character");
    EXPECT_NE(damage(std::string("\xFF\xFE" "a\0b", 5)).find("an odd number of bytes for UTF-16"), npos);
    EXPECT_NE(damage(std::string("\xFF\xFE" "a\0\0\0", 6)).find("1 NUL character, shown as spaces"), npos);
}

class DamagedNote : public NoteWatchTest {};

TEST_F(DamagedNote, TheUserIsToldAtStartAndTheBytesAreKeptBeforeTheFirstSave) {
    const std::string bytes = "\xEF\xBB\xBF" "caf\xE9 au lait";
    f.fs.files[kNote] = bytes;
    ASSERT_TRUE(Start());
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_NE(Box(0).find("holds bytes that are not text: 1 byte that is not UTF-8"), npos) << Box(0);
    EXPECT_EQ(f.ui.boxes[0].style, vbExclamation);
    EXPECT_EQ(note().text, "caf\xEF\xBF\xBD au lait");
    EXPECT_EQ(f.fs.files[kNote], bytes) << "untouched until a save";
    main->Command(mnuExit);   // nothing typed: the first save still keeps them
    EXPECT_EQ(f.fs.files[kKept], bytes);
    EXPECT_EQ(f.fs.files[kNote], "\xEF\xBB\xBF" "caf\xEF\xBF\xBD au lait");
    ASSERT_EQ(f.ui.boxes.size(), 2u);
    EXPECT_NE(Box(1).find("with the bytes that were not text, has been kept as " + kKept), npos) << Box(1);
}

TEST_F(DamagedNote, NulBytesOfAnAnsiNoteAreKeptToo) {
    const std::string bytes("one\0two", 7);
    f.fs.files[kNote] = bytes;
    ASSERT_TRUE(Start());
    EXPECT_NE(Box(0).find("1 NUL byte, shown as spaces"), npos) << Box(0);
    EXPECT_EQ(note().text, "one two");
    Type("!");
    main->Command(mnuSavePrefs);
    EXPECT_EQ(f.fs.files[kKept], bytes);
    EXPECT_EQ(f.fs.files[kNote], "one two!");
    main->Command(mnuSavePrefs);
    EXPECT_FALSE(f.fs.FileExists(kKept2)) << "kept once, before the first save only";
}

// ---------------------------------------------------------------- the recovery question

TEST_F(NoteWatchTest, RestoringKeepsTheNoteOnDiskAsideAndNoDiscardsOnlyTheCopyOffered) {
    f.fs.files[kNote] = "edited by hand after the crash";
    f.fs.files[kNote + ".new"] = "the newest text";
    f.fs.files[kRecover] = "an older copy";
    f.ui.answers = {vbNo, vbYes};
    ASSERT_TRUE(Start());
    ASSERT_EQ(f.ui.boxes.size(), 2u) << "each copy is offered on its own";
    EXPECT_FALSE(f.fs.FileExists(kNote + ".new")) << "the one declined is gone";
    EXPECT_EQ(note().text, "an older copy");
    EXPECT_EQ(f.fs.files[kNote], "edited by hand after the crash");
    main->Command(mnuExit);
    EXPECT_EQ(f.fs.files[kKept], "edited by hand after the crash");
    EXPECT_EQ(f.fs.files[kNote], "an older copy");
    EXPECT_NE(Box(2).find("when the text of the last run was restored has been kept as " + kKept), npos) << Box(2);
}

// ---------------------------------------------------------------- Save As... onto the note

TEST_F(NoteWatchTest, SaveAsOntoTheNoteFollowsTheNotesRules) {
    const std::string huge = "x\r\n" + std::string(kMaxLineChars + 1, 'y');
    f.fs.files[kNote] = huge;
    ASSERT_TRUE(Start());   // not loaded: the user is told
    f.ui.boxes.clear();
    Type("a new note");
    f.dialogs.saveAnswers = {{true, "c:\\programs\\PAGEWICK\\Pagewick.TXT"}};
    main->Command(mnuSaveAs);
    EXPECT_EQ(f.fs.files[kKept], huge) << "kept aside first";
    EXPECT_EQ(f.fs.files[kNote], "a new note") << "the box and the file agree: no line end added";
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_NE(Box(0).find(kKept), npos);
    EXPECT_TRUE(InFolder(huge) && InFolder("a new note"));
}

// ---------------------------------------------------------------- one edit of the box

TEST(TextEdits, TheDifferenceNeverSplitsACharacterOrALineBreak) {
    TextDifference d = DifferenceOf("abcdef", "abXYef");
    EXPECT_EQ(d.start, 2u);
    EXPECT_EQ(d.endBefore, 4u);
    EXPECT_EQ(d.endAfter, 4u);
    // "é" and "è" share their first byte: the whole character is replaced.
    d = DifferenceOf("caf\xC3\xA9!", "caf\xC3\xA8!");
    EXPECT_EQ(d.start, 3u);
    EXPECT_EQ(d.endBefore, 5u);
    // A line break put between CR and LF of another: the pair is replaced whole.
    d = DifferenceOf("a\r\nb", "a\rX\nb");
    EXPECT_EQ(d.start, 1u);
    d = DifferenceOf("a\r\nb", "a\r\n\r\nb");
    EXPECT_EQ(std::string("a\r\nb").substr(0, d.start) + std::string("a\r\n\r\nb").substr(d.start, d.endAfter - d.start) +
                  std::string("a\r\nb").substr(d.endBefore),
              "a\r\n\r\nb");
    d = DifferenceOf("same", "same");
    EXPECT_EQ(d.endBefore, d.start);
    EXPECT_EQ(d.endAfter, d.start);
    // The caret: before, inside and after the replaced range.
    d = DifferenceOf("0123456789", "01ABCDEFG89");
    EXPECT_EQ(CaretAfter(1, d), 1u);
    EXPECT_EQ(CaretAfter(9, d), 10u);
    EXPECT_EQ(CaretAfter(5, d), 5u);
}

}  // namespace
}  // namespace pw
