// Keeping the note safe: the limits of the text box, a note that start-up did not load, the
// recovery copy, Exit when only the settings fail, the window's saved bounds, one copy per
// program folder.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/SingleInstance.h"
#include "app/WindowGeometry.h"
#include "app/frmPagewick.h"
#include "fakes/fake_platform.h"
#include "fakes/main_window_fixture.h"
#include "storage/NoteLimits.h"

namespace pw {
namespace {

const std::string kFolder = "C:\\Programs\\Pagewick";
const std::string kNote = kFolder + "\\pagewick.txt";
const std::string kIni = kFolder + "\\pagewick.ini";
const std::string kRecover = kFolder + "\\pagewick.recover";
const std::string kKept = kFolder + "\\pagewick 2026-12-09 131500.txt";

std::string Line(size_t n) { return std::string(n, 'x'); }

// ---------------------------------------------------------------- limits

TEST(NoteLimits, SizeAndLongestLineCountedBetweenCrLfPairsOnly) {
    NoteFit f = CheckNoteFits("ab\r\ncdef\r\ng");
    EXPECT_TRUE(f.fits());
    EXPECT_EQ(f.size, 11u);
    EXPECT_EQ(f.longestLine, 4u);
    EXPECT_EQ(f.lineNumber, 2u);
    // The box breaks lines only at CR LF: a lone LF or CR stays inside its line.
    f = CheckNoteFits("ab\ncd\ref");
    EXPECT_EQ(f.longestLine, 8u);
    EXPECT_EQ(CheckNoteFits("").longestLine, 0u);

    EXPECT_TRUE(CheckNoteFits(Line(kMaxLineChars)).fits());
    f = CheckNoteFits("a\r\n" + Line(kMaxLineChars + 1) + "\r\nb");
    EXPECT_EQ(f.kind, NoteFit::LineTooLong);
    EXPECT_EQ(f.lineNumber, 2u);
    EXPECT_EQ(WhyItDoesNotFit(f),
              "its line 2 is 20,001 characters long, more than the 20,000 one line of the note can hold");
}

TEST(NoteLimits, WholeSizeAndLongLinesThatWouldTakeTooLongToLayOut) {
    // The largest note of short lines fits; one byte more does not.
    std::string big;
    big.reserve(kMaxNoteBytes + 1);
    while (big.size() < kMaxNoteBytes) big += Line(68) + "\r\n";
    big.resize(kMaxNoteBytes);
    EXPECT_TRUE(CheckNoteFits(big).fits()) << CheckNoteFits(big).layoutMs;
    big += "x";
    NoteFit f = CheckNoteFits(big);
    EXPECT_EQ(f.kind, NoteFit::TooLarge);
    EXPECT_EQ(WhyItDoesNotFit(f), "it is 11 MB, more than the 10 MB the note can hold");

    // 4 MB of 4,000-character lines: each line fits, together they would take the box about
    // a minute (measured: 1 MB of them 12.5 s).
    std::string longLines;
    while (longLines.size() < (4u << 20)) longLines += Line(4000) + "\r\n";
    f = CheckNoteFits(longLines);
    EXPECT_EQ(f.kind, NoteFit::TooSlow);
    EXPECT_GT(f.layoutMs, 40000);
    EXPECT_NE(WhyItDoesNotFit(f).find("seconds to lay out"), std::string::npos);
    // The estimate follows the measured figures.
    EXPECT_NEAR(LineLayoutMs(4000) * ((1u << 20) / 4002), 12500, 1000);
    EXPECT_GT(LineLayoutMs(20000) * ((1u << 20) / 20002), 40000);
    EXPECT_NEAR(LineLayoutMs(70) * ((1u << 20) / 72), 620, 80);
}

TEST(NoteLimits, SplicedTextIsJudgedAsTheWholeItWouldBe) {
    const std::string text = Line(15000) + "\r\nend";
    // Inserting in the middle of the long line joins both halves with the insert.
    NoteFit f = CheckSplicedFits(text, 7000, 7000, Line(5001));
    EXPECT_EQ(f.kind, NoteFit::LineTooLong);
    EXPECT_EQ(f.longestLine, 20001u);
    // Replacing a selection that holds the CR LF also joins lines.
    f = CheckSplicedFits(text, 14999, 15002, "yy");
    EXPECT_EQ(f.longestLine, 15004u);
    EXPECT_TRUE(f.fits());
    // A CR at the end of one piece and an LF at the start of the next make one line break.
    f = CheckSplicedFits("ab\r", 3, 3, "\ncd");
    EXPECT_EQ(f.longestLine, 2u);
    // Out-of-range positions are held to the text.
    EXPECT_EQ(CheckSplicedFits("abc", 10, 2, "d").size, 4u);
}

// ---------------------------------------------------------------- not loaded, not overwritten

class NoteSafety : public fake::MainWindowTest {
protected:
    fake::Form* form() { return f.ui.forms.empty() ? nullptr : f.ui.forms.front(); }
    fake::Control& note() { return static_cast<fake::Control&>(main->txtNote()); }
    void Type(const std::string& text) {
        note().SetSelStart(static_cast<int>(note().text.size()));
        note().SetSelText(text);
        main->Changed(1);
    }
    std::string Box(size_t i) { return i < f.ui.boxes.size() ? f.ui.boxes[i].text : "<no box>"; }
};

TEST_F(NoteSafety, NoteOverTheLimitIsNotLoadedThenKeptUnderANewNameBeforeANewNoteIsSaved) {
    const std::string huge = "x\r\n" + Line(kMaxLineChars + 1);
    f.fs.files[kNote] = huge;
    ASSERT_TRUE(Start());
    EXPECT_EQ(note().text, "") << "the window starts empty";
    EXPECT_EQ(note().setTextCount, 0) << "no text went into the box";
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_NE(Box(0).find(kNote), std::string::npos) << Box(0);
    EXPECT_NE(Box(0).find("its line 2 is 20,001 characters long"), std::string::npos) << Box(0);
    EXPECT_TRUE(form()->Visible());

    // Save Settings and a hidden window with the box empty: the file stays as it was.
    main->Command(mnuSavePrefs);
    EXPECT_EQ(f.fs.files[kNote], huge);
    EXPECT_EQ(f.fs.files.count(kRecover), 0u);

    // Text typed, then Exit: the old file is kept beside the new one, and the user is told.
    Type("new text");
    f.ui.boxes.clear();
    main->Command(mnuExit);
    EXPECT_TRUE(form()->destroyed);
    EXPECT_EQ(f.fs.files[kKept], huge);
    EXPECT_EQ(f.fs.files[kNote], "new text");
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_NE(Box(0).find(kKept), std::string::npos) << Box(0);
}

TEST_F(NoteSafety, HugeNoteIsJudgedByItsSizeWithoutBeingReadAndKeptNamesDoNotCollide) {
    f.fs.files[kNote] = "stand-in";
    f.fs.sizes[kNote] = 150ll << 20;
    f.fs.unreadable.insert(kNote);   // reading it would fail the test's other expectations
    f.fs.files[kKept] = "an older kept note";
    ASSERT_TRUE(Start());
    EXPECT_NE(Box(0).find("it is 150 MB, more than the 10 MB"), std::string::npos) << Box(0);
    f.fs.unreadable.clear();
    Type("fresh");
    main->Command(mnuExit);
    EXPECT_EQ(f.fs.files[kFolder + "\\pagewick 2026-12-09 131500 (2).txt"], "stand-in");
    EXPECT_EQ(f.fs.files[kKept], "an older kept note");
    EXPECT_EQ(f.fs.files[kNote], "fresh");
}

TEST_F(NoteSafety, UnreadableNoteFollowsTheSameRuleAndAFailedRenameWritesNothing) {
    f.fs.files[kNote] = "locked note";
    f.fs.unreadable.insert(kNote);
    ASSERT_TRUE(Start());
    EXPECT_NE(Box(0).find("could not be read"), std::string::npos) << Box(0);
    EXPECT_FALSE(main->parts().safety.noteKeeper().loaded());

    main->Command(mnuExit);   // empty box: nothing written, the program ends
    EXPECT_TRUE(form()->destroyed);
    EXPECT_EQ(f.fs.files[kNote], "locked note");

    // Next run: text typed, but the old file cannot be moved aside: nothing is overwritten and
    // Exit keeps the window with the text.
    Start();
    f.fs.unwritable.insert(kNote);
    Type("typed");
    f.ui.boxes.clear();
    main->Command(mnuExit);
    EXPECT_FALSE(f.ui.forms.back()->destroyed);
    EXPECT_EQ(f.fs.files[kNote], "locked note");
    EXPECT_NE(Box(0).find("Nothing was overwritten"), std::string::npos) << Box(0);
    EXPECT_EQ(note().text, "typed");
}

TEST_F(NoteSafety, OpenPasteAndReplaceAllThatWouldPassTheLimitsAreRefusedWithTheNoteIntact) {
    ASSERT_TRUE(Start());
    note().SetText("typed text");
    // Open... of a 5 MB one-line file.
    f.fs.files["C:\\one line.txt"] = Line(5u << 20);
    f.ui.answers = {vbNo};
    f.dialogs.openAnswers.push_back({true, "C:\\one line.txt"});
    main->Command(mnuOpen);
    EXPECT_EQ(note().text, "typed text");
    ASSERT_EQ(f.ui.boxes.size(), 2u);   // the save prompt, then the refusal
    EXPECT_NE(Box(1).find("C:\\one line.txt was not opened: its line 1 is 5,242,880 characters long"),
              std::string::npos) << Box(1);
    // A file whose lone CRs become CR LF is judged by the text it gives.
    f.fs.files["C:\\crs.txt"] = std::string(6u << 20, '\r') + std::string(1u << 20, 'y');
    f.ui.answers = {vbNo};
    f.dialogs.openAnswers.push_back({true, "C:\\crs.txt"});
    main->Command(mnuOpen);
    EXPECT_EQ(note().text, "typed text");
    EXPECT_NE(Box(3).find("more than the 10 MB"), std::string::npos) << Box(3);

    // Paste of a long line into the middle of the text.
    f.clipboard.SetText(Line(kMaxLineChars));
    note().SetSelStart(5);
    f.ui.boxes.clear();
    main->Command(mnuEditPaste);
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(Box(0).rfind("Paste was refused", 0), 0u) << Box(0);
    for (const auto& s : note().sent) EXPECT_NE(s.msg, 0x0302u) << "no WM_PASTE";
    // A paste that fits goes through.
    f.clipboard.SetText("ok ");
    main->Command(mnuEditPaste);
    EXPECT_EQ(note().sent.back().msg, 0x0302u);

    // Replace All that would blow a line up.
    note().SetText(std::string(2000, 'a'));
    f.ui.boxes.clear();
    main->parts().editor.FindReplace_.SetTarget(note());
    main->parts().editor.FindReplace_.ReplaceFound("a", Line(11), false, false, true);
    EXPECT_EQ(note().text, std::string(2000, 'a'));
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(Box(0).rfind("Replace All was refused", 0), 0u) << Box(0);
    main->parts().editor.FindReplace_.ReplaceFound("a", "b", false, false, true);
    EXPECT_EQ(note().text, std::string(2000, 'b'));
}

TEST_F(NoteSafety, TheBoxItselfStopsTypingAtTheLimit) {
    ASSERT_TRUE(Start());
    bool limited = false;
    for (const auto& s : note().sent) limited |= s.msg == 0x00C5u && s.wParam == kMaxNoteBytes;
    EXPECT_TRUE(limited) << "EM_SETLIMITTEXT with the size limit";
}

// ---------------------------------------------------------------- settings fail, note saved

TEST_F(NoteSafety, ExitAndShutdownEndOnceTheNoteIsSavedEvenWhenTheSettingsFail) {
    f.fs.files[kIni] = "Window Position\r\n";
    f.fs.unwritable.insert(kIni);
    ASSERT_TRUE(Start());
    Type("keep me");
    bool cancel = false;
    main->Form_QueryUnload(cancel, vbAppWindows);
    EXPECT_TRUE(form()->destroyed) << "a shutdown is never held off for the settings alone";
    EXPECT_EQ(f.fs.files[kNote], "keep me");
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_NE(Box(0).find("The note was saved."), std::string::npos) << Box(0);

    // When the note itself fails too, Exit keeps the window; Save Settings never ends.
    Start();
    f.fs.unwritable.insert(kNote);
    f.ui.boxes.clear();
    main->Command(mnuExit);
    EXPECT_FALSE(f.ui.forms.back()->destroyed);
    EXPECT_EQ(f.ui.boxes.size(), 2u);
    EXPECT_EQ(Box(1).find("The note was saved."), std::string::npos) << Box(1);
    f.fs.unwritable.erase(kNote);
    main->Command(mnuSavePrefs);
    EXPECT_FALSE(f.ui.forms.back()->destroyed);
}

// ---------------------------------------------------------------- recovery copy

TEST_F(NoteSafety, CopyWrittenWhenTypingPausesOrTheWindowHidesOnlyWhenChangedAndGoneAfterASave) {
    f.fs.files[kNote] = "note";
    ASSERT_TRUE(Start());
    EXPECT_TRUE(form()->timers.empty());
    // Nothing changed: hiding writes nothing.
    bool cancel = false;
    main->Form_QueryUnload(cancel, vbFormControlMenu);
    EXPECT_TRUE(f.fs.writes.empty());
    main->mnuPopupRestore_Click();

    Type(" one");
    ASSERT_EQ(form()->timers.count(pw::NoteSafety::kRecoveryTimer), 1u);
    EXPECT_EQ(form()->timers[pw::NoteSafety::kRecoveryTimer], pw::NoteSafety::kRecoveryPauseMs);
    EXPECT_EQ(f.fs.files.count(kRecover), 0u) << "nothing while typing goes on";
    ASSERT_TRUE(form()->FireTimer(pw::NoteSafety::kRecoveryTimer));
    EXPECT_EQ(form()->timers.count(pw::NoteSafety::kRecoveryTimer), 0u) << "one copy per pause";
    EXPECT_EQ(f.fs.files[kRecover], "note one");
    EXPECT_EQ(f.fs.files[kNote], "note");
    // The same text again (a change and its undo): no second write.
    main->Changed(1);
    form()->FireTimer(pw::NoteSafety::kRecoveryTimer);
    EXPECT_EQ(main->parts().safety.recovery().writes(), 1);

    Type(" two");
    main->Form_QueryUnload(cancel, vbFormControlMenu);   // hidden before the pause ended
    EXPECT_EQ(f.fs.files[kRecover], "note one two");

    main->Command(mnuSavePrefs);
    EXPECT_EQ(f.fs.files[kNote], "note one two");
    EXPECT_EQ(f.fs.files.count(kRecover), 0u) << "deleted after the save";
    main->Form_QueryUnload(cancel, vbFormControlMenu);
    EXPECT_EQ(f.fs.files.count(kRecover), 0u) << "the saved text needs no copy";
}

TEST_F(NoteSafety, CopyThatDiffersIsOfferedYesRestoresItNoRemovesIt) {
    const std::string question = "Pagewick did not end normally last time. Restore the text it held then?";
    f.fs.files[kNote] = "saved";
    f.fs.files[kRecover] = "saved and typed";
    f.ui.answers = {vbYes};
    ASSERT_TRUE(Start());
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text, question);
    EXPECT_EQ(f.ui.boxes[0].style, vbYesNo + vbQuestion);
    EXPECT_EQ(note().text, "saved and typed");
    EXPECT_EQ(f.fs.files[kNote], "saved") << "the note file is written at the next save";
    EXPECT_EQ(f.fs.files[kRecover], "saved and typed") << "kept until then";
    main->Command(mnuExit);
    EXPECT_EQ(f.fs.files[kNote], "saved and typed");
    EXPECT_EQ(f.fs.files.count(kRecover), 0u);

    f.fs.files[kRecover] = "other";
    f.ui.boxes.clear();
    f.ui.answers = {vbNo};
    Start();
    EXPECT_EQ(Box(0), question);
    EXPECT_EQ(note().text, "saved and typed");
    EXPECT_EQ(f.fs.files.count(kRecover), 0u);

    // A copy equal to the note is not offered, only removed.
    f.fs.files[kRecover] = "saved and typed";
    f.ui.boxes.clear();
    Start();
    EXPECT_TRUE(f.ui.boxes.empty());
    EXPECT_EQ(f.fs.files.count(kRecover), 0u);
}

TEST_F(NoteSafety, BackgroundStartHidesBeforeTheNoteIsInTheBoxAndWritesNoCopy) {
    f.fs.files[kNote] = "note";
    f.app.command = "/background";
    ASSERT_TRUE(Start());
    EXPECT_FALSE(form()->Visible());
    EXPECT_EQ(f.fs.files.count(kRecover), 0u);
    EXPECT_TRUE(f.ui.boxes.empty());
}

TEST_F(NoteSafety, CompleteNewFileOfACutOffSaveCountsAsACopy) {
    f.fs.files[kNote] = "before";
    f.fs.files[kNote + ".new"] = "written at the last Exit";
    f.fs.files[kRecover] = "older copy";
    f.ui.answers = {vbYes};
    ASSERT_TRUE(Start());
    EXPECT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(note().text, "written at the last Exit");
    EXPECT_EQ(f.fs.files.count(kNote + ".new"), 0u);
    EXPECT_EQ(f.fs.files[kRecover], "written at the last Exit") << "the copy now holds what the box holds";
}

// A copy a previous run left that cannot be offered (it does not fit the note's limits, or is
// too large to be read at all) is kept under a new name and the user told, so this run's
// copies never overwrite it; whatever else was left is looked at next.
TEST_F(NoteSafety, CopyThatCannotBeOfferedIsKeptUnderANewNameAndTheUserIsTold) {
    const std::string unfit = "x\r\n" + Line(kMaxLineChars + 1);
    f.fs.files[kNote] = "saved";
    f.fs.files[kRecover] = unfit;
    ASSERT_TRUE(Start());
    EXPECT_EQ(Box(0), "Pagewick did not end normally last time, but the text it held then could not be restored: "
                      "its line 2 is 20,001 characters long, more than the 20,000 one line of the note can hold."
                      "\r\n\r\nIt has been kept as " + kKept + ".");
    EXPECT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.fs.files[kKept], unfit);
    EXPECT_EQ(f.fs.files.count(kRecover), 0u);
    EXPECT_EQ(note().text, "saved");
    Type(" and typed");
    form()->FireTimer(pw::NoteSafety::kRecoveryTimer);
    EXPECT_EQ(f.fs.files[kRecover], "saved and typed");
    EXPECT_EQ(f.fs.files[kKept], unfit);

    // A copy cut off between its renames that is far too large is judged by its size alone;
    // the older copy beside it is still offered.
    main.reset();
    f.ui.boxes.clear();
    f.fs.files[kRecover + ".new"] = "stand-in";
    f.fs.sizes[kRecover + ".new"] = 150ll << 20;
    f.fs.unreadable.insert(kRecover + ".new");
    f.fs.files[kRecover] = "saved and typed";
    f.ui.answers = {vbOK, vbYes};
    ASSERT_TRUE(Start());
    const std::string kept2 = kFolder + "\\pagewick 2026-12-09 131500 (2).txt";
    EXPECT_NE(Box(0).find("it is 150 MB, more than the 10 MB"), std::string::npos) << Box(0);
    EXPECT_NE(Box(0).find("kept as " + kept2), std::string::npos) << Box(0);
    EXPECT_EQ(f.fs.files[kept2], "stand-in");
    EXPECT_EQ(Box(1), "Pagewick did not end normally last time. Restore the text it held then?");
    EXPECT_EQ(note().text, "saved and typed");
}

TEST_F(NoteSafety, CopyThatCannotBeMovedAsideStaysWholeAndThisRunWritesNoCopy) {
    const std::string unfit = Line(kMaxLineChars + 1);
    f.fs.files[kNote] = "saved";
    f.fs.files[kRecover] = unfit;
    f.fs.unwritable.insert(kRecover);   // the rename fails
    ASSERT_TRUE(Start());
    EXPECT_NE(Box(0).find("It could not be kept under a new name either (Access is denied.), so it stays as " +
                          kRecover),
              std::string::npos)
        << Box(0);
    f.fs.unwritable.clear();
    Type(" and typed");
    form()->FireTimer(pw::NoteSafety::kRecoveryTimer);
    main->Command(mnuExit);
    EXPECT_EQ(f.fs.files[kNote], "saved and typed");
    EXPECT_EQ(f.fs.files[kRecover], unfit) << "neither overwritten by a copy nor removed by the save";
}

// A copy cut off between its two renames (pagewick.recover.new, complete) counts at start,
// before the older copy; a restored copy is written before the files it came from go.
TEST_F(NoteSafety, CopyCutOffBetweenItsRenamesIsOfferedAndARestoreWritesBeforeItRemoves) {
    f.fs.files[kNote] = "saved";
    f.fs.files[kRecover + ".new"] = "saved, typed later";
    f.fs.files[kRecover] = "saved, typed";
    f.ui.answers = {vbYes};
    ASSERT_TRUE(Start());
    EXPECT_EQ(note().text, "saved, typed later");
    EXPECT_EQ(f.fs.files[kRecover], "saved, typed later");
    EXPECT_EQ(f.fs.files.count(kRecover + ".new"), 0u);

    // The copy cannot be written: the file the text came from stays for the next start.
    main.reset();
    f.fs.files.erase(kRecover);
    f.fs.files[kNote + ".new"] = "from a save cut off";
    f.fs.unwritable.insert(kRecover);
    f.ui.answers = {vbYes};
    ASSERT_TRUE(Start());
    EXPECT_EQ(note().text, "from a save cut off");
    EXPECT_EQ(f.fs.files[kNote + ".new"], "from a save cut off");
}

// ---------------------------------------------------------------- window bounds

TEST(WindowGeometry, UnusableValuesFallBackToTheDefaultOneByOne) {
    const WindowBounds def{1000, 2000, 8445, 7245};
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    WindowBounds b = SanitizeBounds({nan, -inf, 0, -5}, def, 15, 15);
    EXPECT_EQ(b.left, 1000);
    EXPECT_EQ(b.top, 2000);
    EXPECT_EQ(b.width, 8445);
    EXPECT_EQ(b.height, 7245);
    b = SanitizeBounds({3e38f, -1e9f, 1e12f, 600}, def, 15, 15);
    EXPECT_EQ(b.left, 1000);
    EXPECT_EQ(b.top, 2000);
    EXPECT_EQ(b.width, 8445);
    EXPECT_EQ(b.height, 600);
    // Far off the screen but within any coordinate a window can have: kept here.
    b = SanitizeBounds({-40000, 400000, 30000, 45}, def, 15, 15);
    EXPECT_EQ(b.left, -40000);
    EXPECT_EQ(b.top, 400000);
    EXPECT_EQ(b.width, 30000);
}

TEST(WindowGeometry, WhollyOffEveryMonitorComesBackOnTheNearestPartlyOnIsKept) {
    const std::vector<IUi::Area> one = {{0, 0, 15360, 11040}};
    WindowBounds b = BringOnScreen({-40000, 400000, 8445, 7245}, one);
    EXPECT_EQ(b.left, 0);
    EXPECT_EQ(b.top, 11040 - 7245);
    EXPECT_EQ(b.width, 8445);
    b = BringOnScreen({-8000, 10000, 8445, 7245}, one);   // 445 twips still on the screen
    EXPECT_EQ(b.left, -8000);
    EXPECT_EQ(b.top, 10000);
    // Larger than the monitor: its top-left corner goes to the monitor's.
    b = BringOnScreen({50000, 50000, 30000, 20000}, one);
    EXPECT_EQ(b.left, 0);
    EXPECT_EQ(b.top, 0);
    // Two monitors side by side: the one to the right is nearer.
    const std::vector<IUi::Area> two = {{0, 0, 15360, 11040}, {15360, 0, 15360, 11040}};
    b = BringOnScreen({40000, 2000, 3000, 3000}, two);
    EXPECT_EQ(b.left, 30720 - 3000);
    EXPECT_EQ(b.top, 2000);
}

TEST_F(NoteSafety, SavedBoundsAreMadeUsableAtStartAndNeverWrittenBackWithAnotherSign) {
    f.fs.files[kIni] = "Window Position\r\n1E+30\r\n-3E+38\r\n-100\r\n0\r\n";
    ASSERT_TRUE(Start());
    EXPECT_EQ(form()->Width(), 8445);
    EXPECT_EQ(form()->Height(), 7245);
    EXPECT_EQ(form()->Left(), 15360 / 2 - 8370.0f / 2 - 60);
    EXPECT_GE(form()->Top(), 0);
    main->Command(mnuExit);
    const std::string ini = f.fs.files[kIni];
    EXPECT_EQ(ini.find("E+"), std::string::npos) << ini;

    // Off every monitor: shown on the nearest one.
    f.fs.files[kIni] = "Window Position\r\n90000\r\n-90000\r\n7245\r\n8445\r\n";
    Start();
    EXPECT_EQ(form()->Left(), 0);
    EXPECT_EQ(form()->Top(), 11520 - 7245);
    EXPECT_TRUE(form()->Visible());
}

// ---------------------------------------------------------------- one copy per folder

TEST(SingleInstance, TheFolderIsKnownByWhatItIsNotByHowItIsSpelt) {
    FolderIdentity a;
    a.hasFileId = true;
    a.volumeSerial = 0x1234abcd;
    a.fileIndex = 0x100000042ull;
    a.path = "C:\\Programs\\Pagewick";
    FolderIdentity b = a;
    b.path = "D:\\link\\to\\it";   // a link, a subst drive, a short name ...
    b.finalPath = "\\\\?\\C:\\Elsewhere";
    EXPECT_EQ(InstanceObjectName(a), InstanceObjectName(b));
    EXPECT_EQ(InstanceObjectName(a).rfind("Local\\Pagewick-", 0), 0u);
    b.fileIndex = 0x43;
    EXPECT_NE(InstanceObjectName(a), InstanceObjectName(b));

    // Without a file index: the final path, in any letter case and with or without the prefix.
    FolderIdentity c, d;
    c.finalPath = "\\\\?\\C:\\Programs\\Pagewick";
    c.path = "C:\\PROGRA~1\\Pagewick";
    d.finalPath = "c:\\programs\\PAGEWICK\\";
    d.path = "P:\\";
    EXPECT_EQ(InstanceObjectName(c), InstanceObjectName(d));
    FolderIdentity unc1, unc2;
    unc1.finalPath = "\\\\?\\UNC\\server\\share\\pw";
    unc2.finalPath = "\\\\Server\\Share\\PW";
    EXPECT_EQ(InstanceObjectName(unc1), InstanceObjectName(unc2));
    // Nothing known but the path: the path, without regard to case.
    FolderIdentity e, g;
    e.path = "C:\\Pagewick";
    g.path = "c:\\pagewick";
    EXPECT_EQ(InstanceObjectName(e), InstanceObjectName(g));
    EXPECT_NE(InstanceObjectName(e), InstanceObjectName(c));
}

}  // namespace
}  // namespace pw
