// A note the box cannot hold, settings that cannot be written, a second copy through a link,
// a window saved far off the screen, and a program killed after typing: the note is never
// lost and the program never crashes or refuses to end.
#include <algorithm>

#include "PagewickFixture.h"

namespace e2e {
namespace {

constexpr int kFileName = 0x47c;

class NoteSafety : public PagewickTest {};

// Start with a note the box cannot hold: the user is told, the window starts empty, the file
// is untouched; Exit with new text keeps the old file under a new name and writes the new one.
TEST_F(NoteSafety, NoteOverTheLimitIsNotLoadedAndKeptWhenANewNoteIsSaved) {
  const std::string old_note = "first line\r\n" + std::string(300000, 'x');
  ASSERT_TRUE(WriteNote(old_note));
  ASSERT_TRUE(Start()) << last_error();
  const std::string told = DismissBox("was not loaded");
  EXPECT_NE(told.find("pagewick.txt"), std::string::npos) << told;
  EXPECT_NE(told.find("its line 2 is 300,000 characters long"), std::string::npos) << told;
  ASSERT_TRUE(AdoptMain()) << last_error();
  EXPECT_EQ(NoteText(), "") << "the window starts empty";
  EXPECT_EQ(ReadFileOrMarker(NotePath()), old_note);

  ASSERT_TRUE(ChooseMenu({"File", "Save Settings"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(ReadFileOrMarker(NotePath()), old_note) << "an empty window does not replace the note";

  ASSERT_TRUE(SetNote("the new note")) << last_error();
  ASSERT_TRUE(ChooseMenu({"File", "Exit"})) << last_error();
  const std::string kept_told = DismissBox("has been kept as");
  ASSERT_TRUE(WaitExit(30000)) << "Exit ends the program";
  const std::vector<std::string> kept = FilesLike("pagewick 2*.txt");
  ASSERT_EQ(kept.size(), 1u) << kept_told;
  EXPECT_NE(kept_told.find(kept[0]), std::string::npos) << kept_told;
  EXPECT_EQ(ReadFileOrMarker(JoinPath(Folder(), kept[0])), old_note);
  EXPECT_EQ(ReadFileOrMarker(NotePath()), "the new note");
}

// A 150 MB note (it used to crash the program at every start) is judged by its size alone.
TEST_F(NoteSafety, HugeNoteStartsAnEmptyWindowAndStaysUntouched) {
  const std::string unix_dir = UnixFolder();
  if (unix_dir.empty()) GTEST_SKIP() << "the program folder is not on the Unix root drive";
  ASSERT_EQ(RunUnix("truncate -s 150M '" + unix_dir + "/pagewick.txt'"), 0);
  ASSERT_TRUE(Start()) << last_error();
  const std::string told = DismissBox("was not loaded");
  EXPECT_NE(told.find("it is 150 MB, more than the 10 MB"), std::string::npos) << told;
  ASSERT_TRUE(AdoptMain()) << last_error();
  EXPECT_EQ(NoteText(), "");
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(FileSize(NotePath()), 150ll << 20) << "an empty window does not replace the note";
  EXPECT_TRUE(FilesLike("pagewick 2*.txt").empty());
}

// Open... of a file that is one 5 MB line: refused before the note is touched.
TEST_F(NoteSafety, OpenOfALongLineFileIsRefusedWithTheTypedTextIntact) {
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(SetNote("typed and not saved")) << last_error();
  const std::string file = folder_->File("one line.txt");
  ASSERT_TRUE(WriteFileBytes(file, std::string(5 << 20, 'w')));
  ASSERT_TRUE(ChooseMenu({"File", "Open..."})) << last_error();
  MessageBoxInfo prompt = WaitMessageBox(app_.pid(), "Save Text?");
  ASSERT_NE(prompt.hwnd, nullptr);
  ASSERT_TRUE(ClickDialogButton(prompt.hwnd, IDNO));
  WindowQuery q;
  q.pid = app_.pid();
  q.class_name = "#32770";
  q.caption = "Open";
  q.visibility = Visibility::Visible;
  HWND dlg = WaitTopWindow(q);
  ASSERT_NE(dlg, nullptr);
  ASSERT_TRUE(SetDialogItemText(dlg, kFileName, ToWindowsPath(file)));
  PostMessageA(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
  const std::string told = DismissBox("was not opened");
  EXPECT_NE(told.find("one line.txt"), std::string::npos) << told;
  EXPECT_NE(told.find("5,242,880 characters long"), std::string::npos) << told;
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(NoteText(), "typed and not saved");
  EXPECT_TRUE(app_.Running());
}

// Settings that cannot be written (a read-only file, then a folder of that name) do not keep
// Exit from ending the program once the note is saved.
TEST_F(NoteSafety, UnwritableSettingsStillLetExitEndWithTheNoteSaved) {
  ASSERT_TRUE(WriteFileBytes(SettingsPath(), "Window Position\r\n"));
  ASSERT_TRUE(SetFileAttributesA(SettingsPath().c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(SetNote("saved despite the settings")) << last_error();
  ASSERT_TRUE(ChooseMenu({"File", "Exit"})) << last_error();
  std::string told = DismissBox("settings could not be saved");
  EXPECT_NE(told.find("The note was saved."), std::string::npos) << told;
  ASSERT_TRUE(WaitExit(30000)) << "Exit ends the program";
  EXPECT_EQ(ReadFileOrMarker(NotePath()), "saved despite the settings");
  EXPECT_EQ(ReadFileOrMarker(SettingsPath()), "Window Position\r\n");

  SetFileAttributesA(SettingsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_TRUE(DeleteFileA(SettingsPath().c_str()));
  ASSERT_TRUE(CreateDirectoryA(SettingsPath().c_str(), nullptr));
  ASSERT_TRUE(StartVisible()) << last_error();
  EXPECT_EQ(NoteText(), "saved despite the settings");
  ASSERT_TRUE(SetNote("second run")) << last_error();
  ASSERT_TRUE(ChooseMenu({"File", "Exit"})) << last_error();
  told = DismissBox("settings could not be saved");
  EXPECT_NE(told.find("The note was saved."), std::string::npos) << told;
  ASSERT_TRUE(WaitExit(30000)) << "Exit ends the program";
  EXPECT_EQ(ReadFileOrMarker(NotePath()), "second run");
}

// The program folder reached through a symbolic link is the same folder: one copy runs.
TEST_F(NoteSafety, TheSameFolderThroughASymbolicLinkRunsOneCopy) {
  const std::string unix_dir = UnixFolder();
  if (unix_dir.empty()) GTEST_SKIP() << "the program folder is not on the Unix root drive";
  const std::string link = unix_dir + "-link";
  ASSERT_EQ(RunUnix("ln -sfn '" + unix_dir + "' '" + link + "'"), 0);
  unix_cleanup_.push_back("rm -f '" + link + "'");
  ASSERT_TRUE(StartVisible()) << last_error();

  std::string link_exe = "Z:" + link + "/pagewick.exe";
  for (char& c : link_exe)
    if (c == '/') c = '\\';
  Process second;
  ASSERT_TRUE(second.Start(link_exe, "", "")) << link_exe;
  bool second_showed_window = false;
  EXPECT_TRUE(WaitFor([&] {
    if (!TopWindowsOfProcess(second.pid(), Visibility::Visible).empty()) second_showed_window = true;
    return second.WaitExit(0);
  })) << "the copy started through the link keeps running";
  EXPECT_FALSE(second_showed_window);
  if (second.Running()) second.Kill();
  EXPECT_TRUE(app_.Running());
  EXPECT_TRUE(probe().Sync()) << "the first copy still answers";
}

// A window saved far off the screen (and with a size that is no number) comes back visible on
// the screen, and what is written back is sound.
TEST_F(NoteSafety, AWindowSavedFarOffScreenComesBackVisible) {
  ASSERT_TRUE(WriteFileBytes(SettingsPath(), "Window Position\r\n400000\r\n-400000\r\n1E+30\r\n-5\r\n"));
  ASSERT_TRUE(StartVisible()) << last_error();
  RECT r;
  ASSERT_TRUE(GetWindowRect(main_, &r));
  const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT both;
  EXPECT_TRUE(IntersectRect(&both, &r, &screen)) << r.left << "," << r.top << " " << r.right << "," << r.bottom;
  EXPECT_EQ(r.right - r.left, 8445 / 15) << "the default width";
  EXPECT_EQ(r.bottom - r.top, 7245 / 15) << "the default height";
  ASSERT_TRUE(ExitAndWait());
  const std::string ini = ReadFileOrMarker(SettingsPath());
  const std::string bounds = ini.substr(0, ini.find("\r\n\r\n"));
  EXPECT_EQ(bounds.find("E+"), std::string::npos) << ini;
  EXPECT_EQ(bounds.find("-"), std::string::npos) << "written back with the sign it was shown with: " << ini;
}

// Killed after typing and a pause: the next start offers the text, Yes puts it back.
TEST_F(NoteSafety, KilledAfterTypingThePauseKeepsTheTextForTheNextStart) {
  ASSERT_TRUE(WriteNote("saved line\r\n"));
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(TypeText(edit_, "typed after"));
  ASSERT_TRUE(WaitFor([&] { return NoteText().find("typed after") != std::string::npos; })) << NoteText();
  const std::string expected = NoteText();
  const std::string recover = folder_->File("pagewick.recover");
  EXPECT_TRUE(WaitFor([&] { return ReadFileOrMarker(recover) == expected; }, 20000, 100))
      << "no recovery copy after the pause: " << ReadFileOrMarker(recover);
  app_.Kill();   // waits for the end of the process
  EXPECT_EQ(ReadFileOrMarker(NotePath()), "saved line\r\n");

  ASSERT_TRUE(Start()) << last_error();
  MessageBoxInfo m = WaitMessageBox(app_.pid(), "Pagewick", "did not end normally", 30000);
  ASSERT_NE(m.hwnd, nullptr);
  EXPECT_EQ(m.text, "Pagewick did not end normally last time. Restore the text it held then?");
  EXPECT_TRUE(GetDlgItem(m.hwnd, IDYES) && GetDlgItem(m.hwnd, IDNO));
  ASSERT_TRUE(ClickDialogButton(m.hwnd, IDYES));
  ASSERT_TRUE(AdoptMain()) << last_error();
  EXPECT_EQ(NoteText(), expected);
  ASSERT_TRUE(ChooseMenu({"File", "Exit"})) << last_error();
  // The note on disk is kept aside before the restored text replaces it.
  const std::string told = DismissBox("has been kept as", IDOK, 30000);
  ASSERT_TRUE(WaitExit(30000));
  const std::vector<std::string> kept = FilesLike("pagewick 2*.txt");
  ASSERT_EQ(kept.size(), 1u) << told;
  EXPECT_EQ(ReadFileOrMarker(JoinPath(Folder(), kept[0])), "saved line\r\n");
  EXPECT_EQ(ReadFileOrMarker(NotePath()), expected);
  EXPECT_FALSE(FileExists(recover)) << "removed after the save";
}

// A copy that does not fit the note's limits is kept under a new name and the user told; it is
// not overwritten by this run's copy. A complete pagewick.recover.new (a kill between the two
// renames of a copy) is offered like the copy itself.
TEST_F(NoteSafety, LeftCopiesAreKeptWhenTheyDoNotFitAndOfferedWhenCutOffBetweenRenames) {
  const std::string unfit = "x\r\n" + std::string(30000, 'y');
  const std::string recover = folder_->File("pagewick.recover");
  ASSERT_TRUE(WriteNote("saved"));
  ASSERT_TRUE(WriteFileBytes(recover, unfit));
  ASSERT_TRUE(Start()) << last_error();
  const std::string told = DismissBox("could not be restored", IDOK, 30000);
  EXPECT_NE(told.find("its line 2 is 30,000 characters long"), std::string::npos) << told;
  ASSERT_TRUE(AdoptMain()) << last_error();
  const std::vector<std::string> kept = FilesLike("pagewick 2*.txt");
  ASSERT_EQ(kept.size(), 1u) << told;
  EXPECT_NE(told.find("kept as " + JoinPath(Folder(), kept[0])), std::string::npos) << told;
  EXPECT_EQ(ReadFileOrMarker(JoinPath(Folder(), kept[0])), unfit);
  ASSERT_TRUE(TypeText(edit_, "!"));
  EXPECT_TRUE(WaitFor([&] { return ReadFileOrMarker(recover) == "!saved" || ReadFileOrMarker(recover) == "saved!"; },
                      20000, 100))
      << "this run's copy: " << ReadFileOrMarker(recover).substr(0, 40);
  const std::string typed = NoteText();
  app_.Kill();
  EXPECT_EQ(ReadFileOrMarker(JoinPath(Folder(), kept[0])), unfit) << "the kept copy is untouched";

  // Killed between the copy's two renames: only pagewick.recover.new is there.
  ASSERT_TRUE(MoveFileA(recover.c_str(), (recover + ".new").c_str()));
  ASSERT_TRUE(Start()) << last_error();
  MessageBoxInfo m = WaitMessageBox(app_.pid(), "Pagewick", "did not end normally", 30000);
  ASSERT_NE(m.hwnd, nullptr) << "pagewick.recover.new is offered at start";
  EXPECT_EQ(m.text, "Pagewick did not end normally last time. Restore the text it held then?");
  ASSERT_TRUE(ClickDialogButton(m.hwnd, IDYES));
  ASSERT_TRUE(AdoptMain()) << last_error();
  EXPECT_EQ(NoteText(), typed);
  EXPECT_EQ(ReadFileOrMarker(recover), typed) << "it became this run's copy";
  EXPECT_FALSE(FileExists(recover + ".new"));
  ASSERT_TRUE(ChooseMenu({"File", "Exit"})) << last_error();
  DismissBox("has been kept as", IDOK, 30000);
  ASSERT_TRUE(WaitExit(30000));
  EXPECT_EQ(ReadFileOrMarker(NotePath()), typed);
  EXPECT_FALSE(FileExists(recover));
  std::vector<std::string> texts;
  for (const std::string& name : FilesLike("pagewick 2*.txt")) texts.push_back(ReadFileOrMarker(JoinPath(Folder(), name)));
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(texts, (std::vector<std::string>{"saved", unfit})) << "every text is still in the folder";
}

}  // namespace
}  // namespace e2e
