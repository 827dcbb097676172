// Start-up, the note file, and the main window's load, close and save rules.
#include <gtest/gtest.h>

#include "app/Manifest.h"
#include "app/Menus.h"
#include "app/modMain.h"
#include "app/frmPagewick.h"
#include "fakes/fake_platform.h"
#include "fakes/main_window_fixture.h"
#include "storage/NoteFile.h"

namespace pw {
namespace {

const std::string kFolder = "C:\\Programs\\Pagewick";
const std::string kNote = kFolder + "\\pagewick.txt";
const std::string kManifest = kFolder + "\\pagewick.exe.MANIFEST";

TEST(Manifest, PathHasOneBackslashAlsoAtADriveRoot) {
    fake::App app;
    EXPECT_EQ(ManifestPath(app), kManifest);
    app.path = "D:\\";
    app.exeName = "notes";
    EXPECT_EQ(ManifestPath(app), "D:\\notes.exe.MANIFEST");
    EXPECT_EQ(AddBackslash("C:\\x\\"), "C:\\x\\");
    EXPECT_EQ(AddBackslash("C:\\x"), "C:\\x\\");
}

TEST(Manifest, TextIsSixteenCrLfLinesWithTheirIndents) {
    const std::string& t = ManifestText();
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < t.size()) {
        size_t end = t.find("\r\n", pos);
        ASSERT_NE(end, std::string::npos) << "every line, the last too, ends with CR LF";
        lines.push_back(t.substr(pos, end - pos));
        pos = end + 2;
    }
    ASSERT_EQ(lines.size(), 16u);
    const int indents[16] = {0, 0, 0, 0, 0, 3, 6, 11, 11, 11, 11, 9, 6, 3, 0, 0};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(lines[i].find_first_not_of(' '), static_cast<size_t>(indents[i])) << "line " << i + 1;
        EXPECT_EQ(lines[i].find('\n'), std::string::npos);
    }
    EXPECT_EQ(lines[0], "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>");
    EXPECT_EQ(lines[8], "           name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"");
    EXPECT_EQ(lines[11], "         publicKeyToken=\"6595b64144ccf1df\"");
    EXPECT_EQ(lines[15], "</assembly>");
}

// A logon start ("/background") that finds the manifest gone stays hidden: the fresh copy is
// given the same arguments.
TEST(Manifest, MissingManifestIsWrittenHiddenReadOnlyThenRelaunchesWithTheSameArguments) {
    fake::App app;
    app.command = "/background";
    fake::FileSystem fs;
    EXPECT_EQ(EnsureManifest(app, fs), ManifestOutcome::Relaunched);
    EXPECT_EQ(fs.files[kManifest], ManifestText());
    EXPECT_EQ(fs.attributes[kManifest], 3u);
    ASSERT_EQ(app.launched.size(), 1u);
    EXPECT_EQ(app.launched[0].first, kFolder + "\\pagewick.exe");
    EXPECT_EQ(app.launched[0].second, "/background");
    EXPECT_EQ(app.exitCode, 1);
}

// When the fresh copy cannot be started, this process does not end with nothing running.
TEST(Manifest, AFreshCopyThatCannotStartLeavesThisOneRunning) {
    fake::App app;
    app.command = "/background";
    app.launchWorks = false;
    fake::FileSystem fs;
    EXPECT_EQ(EnsureManifest(app, fs), ManifestOutcome::NotRelaunched);
    EXPECT_EQ(fs.files[kManifest], ManifestText());
    EXPECT_EQ(app.launched.size(), 1u);
    EXPECT_EQ(app.exitCode, -1);   // not ended
}

TEST(Manifest, PresentManifestIsLeftAlone) {
    fake::App app;
    fake::FileSystem fs;
    fs.files[kManifest] = "anything";
    EXPECT_EQ(EnsureManifest(app, fs), ManifestOutcome::Present);
    EXPECT_TRUE(fs.writes.empty());
    EXPECT_TRUE(app.launched.empty());
    EXPECT_EQ(app.exitCode, -1);
}

TEST(Manifest, UnreadableManifestIsRewrittenAndUnwritableOneLetsStartUpGoOn) {
    fake::App app;
    fake::FileSystem fs;
    fs.files[kManifest] = "x";
    fs.unreadable.insert(kManifest);
    EXPECT_EQ(EnsureManifest(app, fs), ManifestOutcome::Relaunched);

    fake::App app2;
    fake::FileSystem fs2;
    fs2.unwritable.insert(kManifest);
    EXPECT_EQ(EnsureManifest(app2, fs2), ManifestOutcome::NotWritten);
    EXPECT_TRUE(app2.launched.empty());
    EXPECT_EQ(app2.exitCode, -1);
}

TEST(NoteFile, RoundTripsAnsiBytesExactlyAndShowsNulsAsSpaces) {
    fake::FileSystem fs;
    fake::Control box(ControlDef{}, 1);
    const std::string bytes = "first\r\nsecond \xE9\xFC\x80\r\nlast";
    fs.files[kNote] = bytes;
    std::string read;
    bool present = false;
    TextEncoding enc = TextEncoding::Utf8;
    EXPECT_FALSE(ReadNote(fs, kNote, Windows1252(), read, present, enc).failed);
    EXPECT_TRUE(present);
    EXPECT_EQ(enc, TextEncoding::Ansi);
    EXPECT_EQ(read, "first\r\nsecond \u00E9\u00FC\u20AC\r\nlast");   // the box's text
    box.SetText(read);
    EXPECT_FALSE(SaveNote(fs, kNote, Windows1252(), box, enc).failed);
    EXPECT_EQ(fs.files[kNote], bytes);
    EXPECT_EQ(enc, TextEncoding::Ansi);

    fs.files[kNote] = std::string("a\0b\0\0c", 6);
    ReadNote(fs, kNote, Windows1252(), read, present, enc);
    EXPECT_EQ(read, "a b  c");
    fs.files[kNote] = std::string("\xFF\xFE" "a\0\0\0b\0", 8);
    ReadNote(fs, kNote, Windows1252(), read, present, enc);
    EXPECT_EQ(read, "a b") << "a NUL of UTF-16 too";
}

TEST(NoteFile, MissingFileIsNotPresentAndNoError) {
    fake::FileSystem fs;
    std::string read = "kept";
    bool present = true;
    TextEncoding enc = TextEncoding::Ansi;
    EXPECT_FALSE(ReadNote(fs, kNote, Windows1252(), read, present, enc).failed);
    EXPECT_FALSE(present);
    fs.files[kNote] = "";
    EXPECT_FALSE(ReadNote(fs, kNote, Windows1252(), read, present, enc).failed);
    EXPECT_TRUE(present);
    EXPECT_EQ(read, "");
}

TEST(NoteFile, EmptyNoteIsZeroBytesThenTheNextSaveWritesALineBreak) {
    for (TextEncoding was : {TextEncoding::Ansi, TextEncoding::Utf8, TextEncoding::Utf16LE}) {
        fake::FileSystem fs;
        fake::Control box(ControlDef{}, 1);
        TextEncoding enc = was;
        SaveNote(fs, kNote, Windows1252(), box, enc);
        EXPECT_EQ(fs.files[kNote], "");
        EXPECT_EQ(box.Text(), "\r\n");
        SaveNote(fs, kNote, Windows1252(), box, enc);
        EXPECT_EQ(fs.files[kNote], was == TextEncoding::Ansi      ? std::string("\r\n")
                                   : was == TextEncoding::Utf8    ? std::string("\xEF\xBB\xBF\r\n")
                                                                  : std::string("\xFF\xFE\r\0\n\0", 6));
    }
}

class MainWindow : public fake::MainWindowTest {
protected:
    fake::Form* form() { return static_cast<fake::Form*>(&main->form()); }
    fake::Control* note() { return static_cast<fake::Control*>(&main->txtNote()); }
};

TEST_F(MainWindow, LoadsTheNoteWithTheCaretAtItsEndAndShowsTheDefaultWindow) {
    f.fs.files[kNote] = "line one\r\nline two";
    ASSERT_TRUE(Start());
    EXPECT_EQ(note()->Text(), "line one\r\nline two");
    EXPECT_EQ(note()->SelStart(), 18);
    EXPECT_EQ(note()->SelLength(), 0);
    EXPECT_TRUE(form()->Visible());
    EXPECT_EQ(form()->Caption(), "Pagewick");
    EXPECT_EQ(form()->Width(), 8445);
    EXPECT_EQ(form()->Height(), 7245);
    // Centred as a window of the design size would be.
    EXPECT_FLOAT_EQ(form()->Left(), 15360 / 2.0f - (8370 + 120) / 2.0f);
    EXPECT_FLOAT_EQ(form()->Top(), 11520 / 2.0f - (6465 + 690) / 2.0f);
    EXPECT_EQ(note()->Font(), FontSpec());
    EXPECT_EQ(note()->Font().name, "Tahoma");
    EXPECT_FLOAT_EQ(note()->Font().size, 9.75f);
    // The text box fills the client area.
    EXPECT_EQ(note()->width, form()->ScaleWidth());
    EXPECT_EQ(note()->height, form()->ScaleHeight());
    EXPECT_GE(f.app.initCommonControls, 1);
    // The text goes in once: a large note costs seconds each time the box takes it.
    EXPECT_EQ(note()->setTextCount, 1);
}

TEST_F(MainWindow, ASecondInstanceEndsWithoutWindowOrSave) {
    f.app.prevInstance = true;
    EXPECT_FALSE(Start());
    EXPECT_FALSE(form()->Visible());
    EXPECT_EQ(form()->showCount, 0);
    EXPECT_TRUE(f.fs.writes.empty());
    EXPECT_TRUE(f.shell.notifications.empty());
}

TEST_F(MainWindow, BackgroundSwitchStartsHiddenOnlyForTheExactText) {
    f.app.command = "/background";
    ASSERT_TRUE(Start());
    EXPECT_FALSE(form()->Visible());
    EXPECT_EQ(form()->State(), vbMinimized);
    EXPECT_FALSE(f.app.taskVisible);

    for (const char* other : {"/BACKGROUND", "/background x", " /background", ""}) {
        fake::Fakes g;
        g.app.command = other;
        frmPagewick w(g.platform);
        ASSERT_TRUE(w.Load());
        EXPECT_TRUE(w.form().Visible()) << other;
        EXPECT_EQ(w.form().State(), vbNormal) << other;
    }
}

TEST_F(MainWindow, RunAtStartupMarkNeedsTheExactValue) {
    const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Pagewick";
    f.registry.values[key] = "\"" + kFolder + "\\pagewick.exe\" /background";
    ASSERT_TRUE(Start());
    EXPECT_TRUE(form()->MenuChecked(mnuStartup));

    fake::Fakes g;
    g.registry.values[key] = "\"" + kFolder + "\\pagewick.exe\"";
    frmPagewick w(g.platform);
    w.Load();
    EXPECT_FALSE(w.form().MenuChecked(mnuStartup));
}

TEST_F(MainWindow, ResizeFollowsAnySizeAndMinimiseHidesToTheTray) {
    ASSERT_TRUE(Start());
    form()->Move(0, 0, 200, 700);
    EXPECT_EQ(note()->width, 80);
    EXPECT_EQ(note()->height, 10);
    form()->SetState(vbMinimized);
    EXPECT_FALSE(form()->Visible());
    EXPECT_FALSE(f.app.taskVisible);
}

TEST_F(MainWindow, CloseBoxHidesAndSavesNothing) {
    ASSERT_TRUE(Start());
    note()->SetText("typed");
    EXPECT_FALSE(RunClose(*main, main->form(), vbFormControlMenu));
    EXPECT_FALSE(form()->destroyed);
    EXPECT_FALSE(form()->Visible());
    EXPECT_EQ(form()->State(), vbMinimized);
    EXPECT_FALSE(f.app.taskVisible);
    // Only the recovery copy is written as the window hides; the note and settings are not.
    ASSERT_EQ(f.fs.writes.size(), 1u);
    EXPECT_EQ(f.fs.writes[0], "C:\\Programs\\Pagewick\\pagewick.recover");
}

TEST_F(MainWindow, ShutdownSavesAndUnloadsButTheTaskManagerSavesNothing) {
    ASSERT_TRUE(Start());
    note()->SetText("keep me");
    EXPECT_FALSE(RunClose(*main, main->form(), vbAppWindows));
    EXPECT_TRUE(form()->destroyed);
    EXPECT_EQ(f.fs.files[kNote], "keep me");
    EXPECT_TRUE(main->Unloaded());

    fake::Fakes g;
    frmPagewick w(g.platform);
    w.Load();
    w.txtNote().SetText("lost");
    EXPECT_TRUE(RunClose(w, w.form(), vbAppTaskManager));
    EXPECT_TRUE(g.fs.writes.empty());
}

TEST_F(MainWindow, ExitSavesThenUnloadsAndSaveSettingsKeepsTheWindow) {
    ASSERT_TRUE(Start());
    note()->SetText("abc");
    main->Command(mnuSavePrefs);
    EXPECT_EQ(f.fs.files[kNote], "abc");
    EXPECT_FALSE(form()->destroyed);
    EXPECT_TRUE(form()->Visible());
    note()->SetText("abcd");
    main->Command(mnuExit);
    EXPECT_EQ(f.fs.files[kNote], "abcd");
    EXPECT_TRUE(form()->destroyed);
}

TEST_F(MainWindow, SavingWhileInTheTrayFlashesTheNormalWindowBeforeTheSettings) {
    ASSERT_TRUE(Start());
    form()->SetState(vbMinimized);
    ASSERT_FALSE(form()->Visible());
    form()->log.clear();
    main->mnuSavePrefs_Click();
    const std::vector<std::string> expected = {"state:0", "show", "hide"};
    EXPECT_EQ(form()->log, expected);
    EXPECT_EQ(form()->State(), vbNormal);
    EXPECT_FALSE(form()->Visible());
}

TEST_F(MainWindow, FailedNoteSaveIsReportedAndExitKeepsTheProgramRunning) {
    f.fs.files[kNote] = "old note";
    f.fs.unwritable.insert(kNote);
    ASSERT_TRUE(Start());
    note()->SetText("new text");
    main->Command(mnuExit);
    EXPECT_FALSE(form()->destroyed);
    EXPECT_EQ(f.fs.files[kNote], "old note");
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_NE(f.ui.boxes[0].text.find(kNote), std::string::npos);
    EXPECT_NE(f.ui.boxes[0].text.find("Access is denied."), std::string::npos);
    EXPECT_EQ(note()->Text(), "new text");
}

TEST_F(MainWindow, UnreadableNoteIsReportedAndNotReplacedByAnEmptyBox) {
    f.fs.files[kNote] = "precious";
    f.fs.unreadable.insert(kNote);
    ASSERT_TRUE(Start());
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_NE(f.ui.boxes[0].text.find(kNote), std::string::npos);
    main->Command(mnuExit);
    EXPECT_EQ(f.fs.files[kNote], "precious");
    EXPECT_TRUE(form()->destroyed);
}

TEST(Startup, FirstRunRelaunchesBeforeAnyWindowAndLaterRunsShowTheNote) {
    fake::Fakes f;
    EXPECT_EQ(Main(f.platform), nullptr);
    EXPECT_TRUE(f.ui.forms.empty());
    EXPECT_EQ(f.app.exitCode, 1);

    fake::Fakes g;
    g.fs.files[kManifest] = ManifestText();
    g.fs.files[kNote] = "note";
    auto main = Main(g.platform);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(g.app.iccSize, 8u);
    EXPECT_EQ(g.app.iccClasses, 0x200u);
    EXPECT_EQ(main->txtNote().Text(), "note");
    EXPECT_TRUE(main->form().Visible());

    fake::Fakes h;   // read-only folder: no manifest, but the program still starts
    h.fs.unwritable.insert(kManifest);
    EXPECT_NE(Main(h.platform), nullptr);
    EXPECT_EQ(h.app.exitCode, -1);
}

TEST(MenuBar, EntriesInOrderWithShortcutsAndAHiddenPopup) {
    const auto& m = MainMenu();
    std::string bar, file;
    for (size_t i = 0; i < m.size(); ++i) {
        if (m[i].level == 0) bar += std::string(m[i].caption) + (m[i].visible ? "|" : "(hidden)|");
    }
    EXPECT_EQ(bar, "File|Edit|View|Help|Popup(hidden)|");
    for (size_t i = 1; m[i].level == 1; ++i) file += std::string(m[i].caption) + "/" + m[i].shortcut + " ";
    EXPECT_EQ(file,
              "New/Ctrl+N Open.../Ctrl+O Save As.../Ctrl+S Print.../Ctrl+P -/ Check Spelling/Ctrl+W "
              "Check Spelling As You Type/ Global Hoktey.../Ctrl+H Transparency.../Ctrl+T -/ Save Settings/Ctrl+E -/ "
              "Always on Top/ Run at Startup/ -/ Exit/Ctrl+Q ");
}

}  // namespace
}  // namespace pw
