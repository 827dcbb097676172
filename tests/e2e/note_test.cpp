// The note and settings files across Exit, Save Settings, a Windows shutdown and the close box,
// and what happens when the note cannot be written.
#include <iostream>
#include "PagewickFixture.h"

namespace e2e {
namespace {

// Several lines, bytes above 127 (code page 1252), no final line break.
const std::vector<std::string> kNoteLines = {
    "Shopping: caf\xE9, cr\xE8me br\xFBl\xE9" "e, 2 \xBD litres",
    "",
    "\xC4rger \xFC" "ber Stra\xDF" "en \xA9 \xAE \xB0 \xB5 \xF7 \xD7 \x80 \x85",
    "\tindented with a tab, then trailing spaces   ",
    "last line without a break"};

class Note : public PagewickTest {
 protected:
  size_t CountLines(const std::string& s) {
    size_t n = 0;
    for (size_t i = 0; i + 1 < s.size(); ++i) n += s[i] == '\r' && s[i + 1] == '\n';
    return n;
  }
  void ExpectSettingsFile() {
    std::string ini = ReadFileOrMarker(SettingsPath());
    EXPECT_EQ(CountLines(ini), 25u) << ini;
    EXPECT_EQ(ini.compare(0, 17, "Window Position\r\n"), 0) << ini;
    EXPECT_TRUE(ini.size() >= 2 && ini.compare(ini.size() - 2, 2, "\r\n") == 0) << "every line ends with CR LF";
  }
  // Chooses File > Exit and waits for the program to end.
  void ExitProgram(DWORD timeout_ms = kWaitMs) {
    ASSERT_TRUE(ChooseMenu({"File", "Exit"})) << last_error();
    DWORD code = 0;
    ASSERT_TRUE(WaitExit(timeout_ms, &code)) << "Exit did not end the program";
  }
  // Dismisses every message box of the program; returns their texts.
  std::string DismissMessageBoxes() {
    std::string texts;
    for (;;) {
      MessageBoxInfo m = WaitMessageBox(app_.pid(), "", "", 1000);
      if (!m.hwnd) break;
      texts += m.title + ": " + m.text + "\n";
      if (!ClickDialogButton(m.hwnd, GetDlgItem(m.hwnd, IDOK) ? IDOK : IDCANCEL)) break;
    }
    return texts;
  }
};

TEST_F(Note, SurvivesExitByteForByte) {
  const std::string note = CrLfLines(kNoteLines);
  ASSERT_TRUE(StartVisible()) << last_error();
  EXPECT_EQ(NoteText(), "") << "no note file: the note starts empty";
  ASSERT_TRUE(SetNote(note)) << last_error();
  ExitProgram();
  EXPECT_EQ(ReadFileOrMarker(NotePath()), note);
  ExpectSettingsFile();

  ASSERT_TRUE(StartVisible()) << last_error();
  EXPECT_EQ(NoteText(), note) << "restored unchanged";
  DWORD start = 0, end = 0;
  ASSERT_TRUE(probe().Selection(&start, &end));
  EXPECT_EQ(start, note.size()) << "caret behind the last character";
  EXPECT_EQ(end, note.size());
  ExitProgram();
  EXPECT_EQ(ReadFileOrMarker(NotePath()), note) << "written back byte for byte";
}

TEST_F(Note, RestoresExistingNoteFile) {
  const std::string note = CrLfLines(kNoteLines) + "\r\n\r\n";  // trailing breaks stay too
  ASSERT_TRUE(WriteNote(note));
  ASSERT_TRUE(StartVisible()) << last_error();
  EXPECT_EQ(NoteText(), note);
  ASSERT_TRUE(TypeText(edit_, "!"));
  ASSERT_TRUE(probe().Sync());
  ExitProgram();
  EXPECT_EQ(ReadFileOrMarker(NotePath()), note + "!") << "typing goes to the end of the note";
}

TEST_F(Note, SurvivesWindowsShutdown) {
  const std::string note = CrLfLines(kNoteLines);
  ASSERT_TRUE(WriteNote("old"));
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(SetNote(note)) << last_error();
  LRESULT agreed = 0;
  ASSERT_TRUE(SendEndSession(main_, &agreed));
  EXPECT_NE(agreed, 0) << "the program lets the session end";
  EXPECT_TRUE(WaitExit()) << "the program ends with the session";
  EXPECT_EQ(ReadFileOrMarker(NotePath()), note);
  ExpectSettingsFile();
}

TEST_F(Note, SurvivesWindowsShutdownWhileHidden) {
  const std::string note = CrLfLines(kNoteLines);
  ASSERT_TRUE(WriteNote(note));
  ASSERT_TRUE(Start("/background")) << last_error();
  HWND w = WaitMainWindow(app_.pid(), Visibility::Any);
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(Adopt(w)) << last_error();
  ASSERT_TRUE(probe().Sync());
  ASSERT_TRUE(SendEndSession(main_));
  EXPECT_TRUE(WaitExit());
  EXPECT_EQ(ReadFileOrMarker(NotePath()), note);
  ExpectSettingsFile();
}

TEST_F(Note, CloseBoxHidesAndSavesNothing) {
  ASSERT_TRUE(WriteNote("old note"));
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(SetNote("new note")) << last_error();
  ASSERT_TRUE(PostMessageA(main_, WM_CLOSE, 0, 0));
  EXPECT_TRUE(WaitFor([&] { return !IsShown(main_); })) << "the close box hides the window";
  ASSERT_TRUE(probe().Sync());
  EXPECT_TRUE(IsWindow(main_)) << "the window is hidden, not destroyed";
  EXPECT_TRUE(app_.Running()) << "the program goes on in the tray";
  EXPECT_EQ(ReadFileOrMarker(NotePath()), "old note");
  EXPECT_FALSE(FileExists(SettingsPath())) << "no settings written";
  EXPECT_EQ(NoteText(), "new note") << "the note stays in memory";
}

TEST_F(Note, SaveSettingsWritesWithoutClosing) {
  const std::string note = CrLfLines(kNoteLines);
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(SetNote(note)) << last_error();
  ASSERT_TRUE(ChooseMenu({"File", "Save Settings"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(ReadFileOrMarker(NotePath()), note);
  ExpectSettingsFile();
  EXPECT_TRUE(IsShown(main_)) << "the window stays";
  EXPECT_TRUE(app_.Running());
  EXPECT_EQ(NoteText(), note);

  // And again after a change: each save writes the current text.
  ASSERT_TRUE(SetNote("changed")) << last_error();
  ASSERT_TRUE(ChooseMenu({"File", "Save Settings"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(ReadFileOrMarker(NotePath()), "changed");
}

TEST_F(Note, EmptyNoteGivesEmptyFileThenOneLineBreak) {
  ASSERT_TRUE(WriteNote("something"));
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(SetNote("")) << last_error();
  ASSERT_TRUE(ChooseMenu({"File", "Save Settings"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(FileSize(NotePath()), 0) << "an empty note is a 0-byte file";
  EXPECT_EQ(NoteText(), "\r\n") << "the text box then holds one line break";
  ASSERT_TRUE(ChooseMenu({"File", "Save Settings"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(ReadFileOrMarker(NotePath()), "\r\n") << "which the next save writes";
}

TEST_F(Note, EmptyNoteFileStartsEmptyAndExitKeepsItEmpty) {
  ASSERT_TRUE(WriteNote(""));
  ASSERT_TRUE(StartVisible()) << last_error();
  EXPECT_EQ(NoteText(), "");
  ExitProgram();
  EXPECT_EQ(FileSize(NotePath()), 0);
}

TEST_F(Note, FiveMegabyteNoteRoundTrips) {
  const std::string note = MakeNoteText(5 * 1024 * 1024);
  ASSERT_TRUE(WriteNote(note));
  ASSERT_TRUE(Start()) << last_error();
  // The window shows once the box has laid the text out: about 4 s with native 32-bit code,
  // three to four times that where qemu-i386 runs it, more again on a loaded machine.
  const DWORD started = GetTickCount();
  HWND w = WaitMainWindow(app_.pid(), Visibility::Visible, 180000);
  ASSERT_NE(w, nullptr) << last_error();
  std::cout << "5 MB note: window visible after " << (GetTickCount() - started) << " ms\n";
  ASSERT_TRUE(Adopt(w)) << last_error();
  ASSERT_TRUE(WaitFor([&] { return GetTextLength(edit_) == note.size(); }, 60000, 50))
      << "the Edit control holds " << GetTextLength(edit_) << " of " << note.size() << " characters";
  EXPECT_TRUE(NoteText() == note) << "restored byte for byte";
  ExitProgram(60000);
  std::string back = ReadFileOrMarker(NotePath());
  EXPECT_EQ(back.size(), note.size());
  EXPECT_TRUE(back == note) << "written back byte for byte";
}

// A note file that another program holds open without write sharing cannot be replaced.
TEST_F(Note, LockedNoteFileKeepsOldNoteAndWarns) {
  ASSERT_TRUE(WriteNote("old note"));
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(SetNote("new note")) << last_error();
  HANDLE lock = CreateFileA(NotePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE) << LastErrorText();

  ASSERT_TRUE(ChooseMenu({"File", "Exit"})) << last_error();
  MessageBoxInfo box = WaitMessageBox(app_.pid(), "Pagewick", "pagewick.txt");
  ASSERT_NE(box.hwnd, nullptr) << "no message naming the note file";
  EXPECT_GT(box.text.size(), std::string("pagewick.txt").size() + 10) << "the message gives a reason: " << box.text;
  EXPECT_EQ(ReadFileOrMarker(NotePath()), "old note") << "the old note is kept";
  std::string others = DismissMessageBoxes();
  ASSERT_TRUE(probe().Sync());
  EXPECT_FALSE(app_.WaitExit(300)) << "Exit does not quit after a failed save; messages: " << others;
  EXPECT_TRUE(IsWindow(main_));
  EXPECT_EQ(NoteText(), "new note") << "the unsaved note is still there";

  CloseHandle(lock);
  ExitProgram();
  EXPECT_EQ(ReadFileOrMarker(NotePath()), "new note") << "once the file is free, Exit saves";
}

struct EndSessionQuery {
  HWND window;
  DWORD_PTR answer = 1;
  BOOL sent = FALSE;
};

DWORD WINAPI AskEndSession(LPVOID p) {
  auto* q = static_cast<EndSessionQuery*>(p);
  q->sent = SendMessageTimeoutA(q->window, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 60000, &q->answer) != 0;
  return 0;
}

// Windows shutting down while the note cannot be written: the program says why and asks
// Windows to wait, instead of ending with the note unsaved.
TEST_F(Note, ShutdownWithAnUnwritableNoteIsHeldOff) {
  ASSERT_TRUE(WriteNote("old note"));
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(SetNote("new note")) << last_error();
  HANDLE lock = CreateFileA(NotePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE) << LastErrorText();

  EndSessionQuery query{main_};
  // The program answers only after its message box is closed: ask from a second thread.
  HANDLE asker = CreateThread(nullptr, 0, AskEndSession, &query, 0, nullptr);
  ASSERT_NE(asker, nullptr);
  MessageBoxInfo box = WaitMessageBox(app_.pid(), "Pagewick", "pagewick.txt");
  EXPECT_NE(box.hwnd, nullptr) << "no message naming the note file";
  DismissMessageBoxes();
  EXPECT_EQ(WaitForSingleObject(asker, 30000), WAIT_OBJECT_0);
  CloseHandle(asker);
  EXPECT_TRUE(query.sent);
  EXPECT_EQ(query.answer, 0u) << "the program asks Windows to wait";
  EXPECT_TRUE(IsWindow(main_));
  EXPECT_EQ(NoteText(), "new note");
  EXPECT_EQ(ReadFileOrMarker(NotePath()), "old note");

  CloseHandle(lock);
  ExitProgram();
  EXPECT_EQ(ReadFileOrMarker(NotePath()), "new note");
}

// A program folder that cannot be written at all: a read-only bind mount (root under Wine
// ignores permission bits and the read-only attribute, a read-only file system it cannot).
TEST_F(Note, ReadOnlyProgramFolderKeepsOldNoteAndWarns) {
  ASSERT_TRUE(WriteNote("old note"));
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(SetNote("new note")) << last_error();

  std::string unix_dir = Folder();
  if (unix_dir.size() > 2 && unix_dir[1] == ':' && (unix_dir[0] == 'Z' || unix_dir[0] == 'z')) {
    unix_dir = unix_dir.substr(2);
    for (char& c : unix_dir)
      if (c == '\\') c = '/';
  } else {
    GTEST_SKIP() << "the program folder is not on the Unix root drive";
  }
  std::string q = "'" + unix_dir + "'";
  if (RunUnix("mount --bind " + q + " " + q + " && mount -o remount,ro,bind " + q) != 0) {
    RunUnix("umount -l " + q);
    GTEST_SKIP() << "cannot mount a read-only folder here (needs root with mount rights)";
  }
  unix_cleanup_.push_back("umount -l " + q);
  ASSERT_FALSE(WriteFileBytes(folder_->File("probe.txt"), "x")) << "the folder is still writable";

  ASSERT_TRUE(ChooseMenu({"File", "Exit"})) << last_error();
  MessageBoxInfo box = WaitMessageBox(app_.pid(), "Pagewick", "pagewick.txt");
  ASSERT_NE(box.hwnd, nullptr) << "no message naming the note file";
  EXPECT_EQ(ReadFileOrMarker(NotePath()), "old note");
  std::string others = DismissMessageBoxes();
  ASSERT_TRUE(probe().Sync());
  EXPECT_FALSE(app_.WaitExit(300)) << "Exit does not quit after a failed save; messages: " << others;
  EXPECT_TRUE(IsWindow(main_));
}

}  // namespace
}  // namespace e2e
