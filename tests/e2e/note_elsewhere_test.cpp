// The note and other programs, as a user meets them: another program (a Windows editor, a sync
// client renaming its download into place, a Linux process) writes or deletes the note while
// Pagewick runs; Save As... onto a file that exists and onto the note itself; files of the
// user's that carry the names of a save's temporary files; a note with bytes that are not
// text; the recovery question over a note edited by hand; settings written in another
// locale; a note that is a symbolic link. Every scenario checks that each text that was there
// before is still in the folder afterwards.
#include <algorithm>

#include "PagewickFixture.h"

namespace e2e {
namespace {

constexpr int kFileName = 0x47c;
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr DWORD kNoticeMs = 30000;   // a change elsewhere until the program has acted on it

class OtherProgram : public PagewickTest {
 protected:
  // A Windows program saves the note in place, as an editor does.
  bool EditorSaves(const std::string& bytes) { return WriteFileBytes(NotePath(), bytes); }
  // A sync client writes its download beside the note and renames it into place.
  bool SyncClientReplaces(const std::string& bytes) {
    const std::string unix_dir = UnixFolder();
    return !unix_dir.empty() && WriteFileBytes(folder_->File("incoming.tmp"), bytes) &&
           RunUnix("mv -f '" + unix_dir + "/incoming.tmp' '" + unix_dir + "/pagewick.txt'") == 0;
  }
  bool WaitNote(const std::string& text) {
    return WaitFor([&] { return NoteText() == text; }, kNoticeMs, 50);
  }
  bool Type(const std::string& text) {
    const std::string before = NoteText();
    return TypeText(edit_, text) && WaitFor([&] { return NoteText().size() == before.size() + text.size(); });
  }
  // The close box: to the tray.
  bool ToTray() {
    PostMessageA(main_, WM_CLOSE, 0, 0);
    return WaitFor([&] { return !IsWindowVisible(main_); });
  }
  bool FromTray() {
    return PostTrayNotification(main_, kTrayMessage, 1, WM_LBUTTONDOWN) &&
           WaitFor([&] { return IsWindowVisible(main_) != FALSE; });
  }
  MessageBoxInfo WaitQuestion() {
    return WaitMessageBox(app_.pid(), "Pagewick", "has been changed by another program", kNoticeMs);
  }
  // The notes kept beside the note, by content.
  std::vector<std::string> Kept() {
    std::vector<std::string> texts;
    for (const std::string& name : FilesLike("pagewick 2*.txt")) texts.push_back(ReadFileOrMarker(folder_->File(name)));
    return texts;
  }
  std::string KeptName() {
    const std::vector<std::string> names = FilesLike("pagewick 2*.txt");
    return names.size() == 1 ? folder_->File(names[0]) : "<" + std::to_string(names.size()) + " kept files>";
  }
};

TEST_F(OtherProgram, AnUntouchedNoteTakesAVersionASyncClientPutInPlaceAndUndoGoesBack) {
  const std::string ours = "first line\r\nsecond line", theirs = "first line\r\nsecond line\r\nthird, from the laptop";
  ASSERT_TRUE(WriteNote(ours));
  ASSERT_TRUE(StartVisible()) << last_error();
  SendMessageA(edit_, EM_SETSEL, 5, 5);
  ASSERT_TRUE(probe().Sync());
  ASSERT_TRUE(SyncClientReplaces(theirs));
  ASSERT_TRUE(WaitNote(theirs)) << NoteText();
  DWORD start = 0, end = 0;
  ASSERT_TRUE(probe().Selection(&start, &end));
  EXPECT_EQ(start, 5u) << "the caret stays where it was";
  EXPECT_TRUE(MessageBoxesOf(app_.pid()).empty()) << "nothing is asked";
  ASSERT_TRUE(ChooseMenu({"Edit", "Undo"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(NoteText(), ours) << "one Undo takes it back";
  ASSERT_TRUE(ChooseMenu({"Edit", "Undo"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(NoteText(), theirs);
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadFileOrMarker(NotePath()), theirs);
  EXPECT_TRUE(Kept().empty());
}

TEST_F(OtherProgram, TypedAndSavedElsewhereYesKeepsTheWindowsTextAndTheOtherVersionAside) {
  ASSERT_TRUE(WriteNote("shopping: bread"));
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(Type(", milk"));
  const std::string mine = NoteText(), theirs = "shopping: bread, eggs";
  ASSERT_TRUE(EditorSaves(theirs));
  MessageBoxInfo q = WaitQuestion();
  ASSERT_TRUE(q.hwnd) << "no question";
  EXPECT_TRUE(GetDlgItem(q.hwnd, IDYES) && GetDlgItem(q.hwnd, IDNO));
  ASSERT_TRUE(ClickDialogButton(q.hwnd, IDYES));
  const std::string told = DismissBox("has been kept as");
  EXPECT_NE(told.find(KeptName()), std::string::npos) << told;
  EXPECT_EQ(ReadFileOrMarker(NotePath()), mine) << "saved at once";
  EXPECT_EQ(Kept(), std::vector<std::string>{theirs});
  EXPECT_EQ(NoteText(), mine);
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadFileOrMarker(NotePath()), mine);
  EXPECT_EQ(Kept(), std::vector<std::string>{theirs});
}

TEST_F(OtherProgram, TypedAndSavedElsewhereNoTakesTheOtherVersionAndKeepsYoursAside) {
  ASSERT_TRUE(WriteNote("meeting at 10"));
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(Type(" in room 4"));
  const std::string mine = NoteText(), theirs = "meeting at 11";
  ASSERT_TRUE(EditorSaves(theirs));
  MessageBoxInfo q = WaitQuestion();
  ASSERT_TRUE(q.hwnd) << "no question";
  ASSERT_TRUE(ClickDialogButton(q.hwnd, IDNO));
  const std::string told = DismissBox("Your text has been kept as");
  EXPECT_NE(told.find(KeptName()), std::string::npos) << told;
  EXPECT_EQ(NoteText(), theirs);
  EXPECT_EQ(Kept(), std::vector<std::string>{mine});
  ASSERT_TRUE(ChooseMenu({"Edit", "Undo"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(NoteText(), mine) << "Undo brings the typed text back";
  ASSERT_TRUE(ChooseMenu({"Edit", "Undo"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadFileOrMarker(NotePath()), theirs);
  EXPECT_EQ(Kept(), std::vector<std::string>{mine});
}

TEST_F(OtherProgram, InTheTrayAChangeIsTakenButTheQuestionWaitsUntilTheWindowIsShown) {
  ASSERT_TRUE(WriteNote("v1"));
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(ToTray());
  // Untouched: taken while hidden.
  ASSERT_TRUE(EditorSaves("v2 from elsewhere"));
  ASSERT_TRUE(WaitNote("v2 from elsewhere")) << NoteText();
  ASSERT_TRUE(Type(" + typed"));
  const std::string mine = NoteText();
  ASSERT_TRUE(EditorSaves("v3 from elsewhere"));
  EXPECT_FALSE(WaitFor([&] { return !MessageBoxesOf(app_.pid()).empty(); }, 3000))
      << "asked while the window is in the tray";
  ASSERT_TRUE(FromTray());
  MessageBoxInfo q = WaitQuestion();
  ASSERT_TRUE(q.hwnd) << "no question once the window is shown";
  ASSERT_TRUE(ClickDialogButton(q.hwnd, IDYES));
  DismissBox("has been kept as");
  EXPECT_EQ(ReadFileOrMarker(NotePath()), mine);
  EXPECT_EQ(Kept(), std::vector<std::string>{"v3 from elsewhere"});
}

TEST_F(OtherProgram, ShutdownKeepsTheOtherVersionAsideWithoutAsking) {
  ASSERT_TRUE(WriteNote("draft"));
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(Type(" and more"));
  const std::string mine = NoteText();
  ASSERT_TRUE(ToTray());
  ASSERT_TRUE(EditorSaves("draft, edited on the other PC"));
  LRESULT agreed = FALSE;
  ASSERT_TRUE(SendEndSession(main_, &agreed)) << "a message box would hold the session's end";
  ASSERT_TRUE(WaitExit(30000));
  EXPECT_EQ(ReadFileOrMarker(NotePath()), mine);
  EXPECT_EQ(Kept(), std::vector<std::string>{"draft, edited on the other PC"});
}

TEST_F(OtherProgram, ExitFromTheTrayKeepsTheOtherVersionAsideAndSaysSo) {
  ASSERT_TRUE(WriteNote("draft"));
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(Type(" and more"));
  const std::string mine = NoteText();
  ASSERT_TRUE(ToTray());
  ASSERT_TRUE(EditorSaves("draft, edited elsewhere"));
  ASSERT_TRUE(PostTrayNotification(main_, kTrayMessage, 1, WM_RBUTTONUP));
  ASSERT_TRUE(WaitFor([&] { return !probe().Read(kMenuOpenPopups).empty(); })) << "no pop-up menu";
  ASSERT_TRUE(probe().ChooseInOpenPopup("Exit")) << probe().error();
  const std::string told = DismissBox("another program saved has been kept as", IDOK, kNoticeMs);
  EXPECT_NE(told.find(KeptName()), std::string::npos) << told;
  EXPECT_EQ(told.find("Keep the text"), std::string::npos) << "told, not asked";
  ASSERT_TRUE(WaitExit(30000));
  EXPECT_EQ(ReadFileOrMarker(NotePath()), mine);
  EXPECT_EQ(Kept(), std::vector<std::string>{"draft, edited elsewhere"});
}

TEST_F(OtherProgram, ANoteDeletedElsewhereIsWrittenAgainAndOneMadeReadOnlyIsNotReplaced) {
  ASSERT_TRUE(WriteNote("keep me"));
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(DeleteFileA(NotePath().c_str()));
  ASSERT_TRUE(Type("!"));
  ASSERT_TRUE(ChooseMenu({"File", "Save Settings"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(ReadFileOrMarker(NotePath()), NoteText()) << "written again";
  const std::string saved = NoteText();

  ASSERT_TRUE(SetFileAttributesA(NotePath().c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(Type(" more"));
  ASSERT_TRUE(ChooseMenu({"File", "Exit"})) << last_error();
  const std::string told = DismissBox("could not be saved", IDOK, kNoticeMs);
  EXPECT_NE(told.find("Your text is still in the window."), std::string::npos) << told;
  ASSERT_TRUE(probe().Sync());
  EXPECT_TRUE(app_.Running()) << "Exit waits for a note it can save";
  EXPECT_EQ(ReadFileOrMarker(NotePath()), saved);
  SetFileAttributesA(NotePath().c_str(), FILE_ATTRIBUTE_NORMAL);
  const std::string typed = NoteText();
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadFileOrMarker(NotePath()), typed);
}

// ---------------------------------------------------------------- Save As...

class SaveAs : public OtherProgram {
 protected:
  HWND OpenSaveAs() {
    if (!ChooseMenu({"File", "Save As..."})) return nullptr;
    WindowQuery q;
    q.pid = app_.pid();
    q.class_name = "#32770";
    q.visibility = Visibility::Visible;
    HWND dlg = nullptr;
    WaitFor([&] {
      for (HWND h : FindTopWindows(q))
        if (GetDlgItem(h, kFileName) || FindChild(h, "Edit")) dlg = h;
      return dlg != nullptr;
    });
    return dlg;
  }
  // Types the name and presses Save; returns the system's "already exists" question, if any.
  MessageBoxInfo Choose(HWND dlg, const std::string& path) {
    SetDialogItemText(dlg, kFileName, path);
    PostMessageA(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
    MessageBoxInfo asked;
    WaitFor([&] {
      for (const MessageBoxInfo& m : MessageBoxesOf(app_.pid()))
        if (m.text.find("already exists") != std::string::npos) asked = m;
      return asked.hwnd != nullptr || !IsWindow(dlg);
    });
    return asked;
  }
};

TEST_F(SaveAs, AFileThatExistsIsReplacedOnlyWhenTheUserSaysSo) {
  const std::string report = folder_->File("report.txt");
  ASSERT_TRUE(WriteFileBytes(report, "the user's report"));
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(SetNote("exported text")) << last_error();
  HWND dlg = OpenSaveAs();
  ASSERT_TRUE(dlg);
  MessageBoxInfo asked = Choose(dlg, report);
  ASSERT_TRUE(asked.hwnd) << "no question before replacing " << report;
  EXPECT_NE(asked.text.find("replace"), std::string::npos) << asked.text;   // Wine's: "File already exists. Do you want to replace it?"
  ASSERT_TRUE(ClickDialogButton(asked.hwnd, IDNO));
  EXPECT_TRUE(IsWindow(dlg)) << "No goes back to the dialog";
  PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dlg); }));
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(ReadFileOrMarker(report), "the user's report");

  dlg = OpenSaveAs();
  ASSERT_TRUE(dlg);
  asked = Choose(dlg, report);
  ASSERT_TRUE(asked.hwnd);
  ASSERT_TRUE(ClickDialogButton(asked.hwnd, IDYES));
  // Read once the save is over: under Wine a file another process holds open, even for reading,
  // cannot be replaced, and a read while the program renames would fail its save.
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dlg); }));
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(ReadFileOrMarker(report), "exported text\r\n");
}

TEST_F(SaveAs, OntoTheNoteItselfANoteThatWasNotLoadedIsKeptAsideFirst) {
  const std::string old_note = "first line\r\n" + std::string(300000, 'x');
  ASSERT_TRUE(WriteNote(old_note));
  ASSERT_TRUE(Start()) << last_error();
  DismissBox("was not loaded");
  ASSERT_TRUE(AdoptMain()) << last_error();
  ASSERT_TRUE(SetNote("a fresh note")) << last_error();
  HWND dlg = OpenSaveAs();
  ASSERT_TRUE(dlg);
  MessageBoxInfo asked = Choose(dlg, NotePath());
  ASSERT_TRUE(asked.hwnd) << "no question before replacing the note";
  ASSERT_TRUE(ClickDialogButton(asked.hwnd, IDYES));
  const std::string told = DismissBox("has been kept as", IDOK, kNoticeMs);
  EXPECT_NE(told.find(KeptName()), std::string::npos) << told;
  EXPECT_EQ(ReadFileOrMarker(NotePath()), "a fresh note") << "the box and the file agree";
  EXPECT_EQ(Kept(), std::vector<std::string>{old_note});
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadFileOrMarker(NotePath()), "a fresh note");
}

TEST_F(SaveAs, FilesOfTheUsersNamedLikeASavesTemporaryFilesAreNeverTouched) {
  const std::vector<std::pair<std::string, std::string>> users = {
      {"pagewick.txt.part", "part of mine"},   {"pagewick.ini.part", "ini part of mine"},
      {"pagewick.ini.new", "ini new of mine"}, {"out.txt.part", "out part of mine"},
      {"out.txt.new", "out new of mine"}};
  for (const auto& u : users) ASSERT_TRUE(WriteFileBytes(folder_->File(u.first), u.second));
  ASSERT_TRUE(StartVisible()) << last_error();
  // Beside a running program: a cut-off save's name, which the next start would look at.
  ASSERT_TRUE(WriteFileBytes(folder_->File("pagewick.txt.new"), "new of mine"));
  ASSERT_TRUE(SetNote("the note")) << last_error();
  HWND dlg = OpenSaveAs();
  ASSERT_TRUE(dlg);
  Choose(dlg, folder_->File("out.txt"));
  ASSERT_TRUE(WaitFor([&] { return ReadFileOrMarker(folder_->File("out.txt")) == "the note\r\n"; }));
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadFileOrMarker(NotePath()), "the note");
  EXPECT_NE(ReadFileOrMarker(SettingsPath()).find("Window Position\r\n"), std::string::npos);
  for (const auto& u : users) EXPECT_EQ(ReadFileOrMarker(folder_->File(u.first)), u.second) << u.first;
  EXPECT_EQ(ReadFileOrMarker(folder_->File("pagewick.txt.new")), "new of mine");
  EXPECT_TRUE(FilesLike("*.2.*").empty()) << "nothing of a save is left behind";
}

// ---------------------------------------------------------------- the note's own bytes

TEST_F(OtherProgram, BytesThatAreNotTextAreToldAtStartAndKeptBeforeTheFirstSave) {
  const char raw[] = "\xEF\xBB\xBF" "caf\xE9 list\r\nsecond\0line";
  const std::string bytes(raw, sizeof raw - 1);
  ASSERT_TRUE(WriteNote(bytes));
  ASSERT_TRUE(Start()) << last_error();
  const std::string told = DismissBox("holds bytes that are not text", IDOK, kNoticeMs);
  EXPECT_NE(told.find("1 byte that is not UTF-8"), std::string::npos) << told;
  EXPECT_NE(told.find("1 NUL byte, shown as spaces"), std::string::npos) << told;
  ASSERT_TRUE(AdoptMain()) << last_error();
  EXPECT_EQ(ReadFileOrMarker(NotePath()), bytes) << "untouched at start";
  ASSERT_TRUE(ChooseMenu({"File", "Exit"})) << last_error();   // nothing typed
  const std::string kept_told = DismissBox("has been kept as", IDOK, kNoticeMs);
  ASSERT_TRUE(WaitExit(30000));
  EXPECT_NE(kept_told.find(KeptName()), std::string::npos) << kept_told;
  EXPECT_EQ(Kept(), std::vector<std::string>{bytes});
  EXPECT_EQ(ReadFileOrMarker(NotePath()), "\xEF\xBB\xBF" "caf\xEF\xBF\xBD list\r\nsecond line");
}

TEST_F(OtherProgram, RestoringTheRecoveryCopyKeepsTheNoteEditedByHandAside) {
  ASSERT_TRUE(WriteNote("saved line"));
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(Type(" typed"));
  const std::string typed = NoteText();
  const std::string recover = folder_->File("pagewick.recover");
  ASSERT_TRUE(WaitFor([&] { return ReadFileOrMarker(recover) == typed; }, 20000, 100)) << "no recovery copy";
  app_.Kill();
  ASSERT_TRUE(WriteNote("edited by hand after the crash"));
  ASSERT_TRUE(Start()) << last_error();
  ASSERT_EQ(DismissBox("did not end normally", IDYES, kNoticeMs),
            "Pagewick did not end normally last time. Restore the text it held then?");
  ASSERT_TRUE(AdoptMain()) << last_error();
  EXPECT_EQ(NoteText(), typed);
  ASSERT_TRUE(ChooseMenu({"File", "Exit"})) << last_error();
  const std::string told = DismissBox("has been kept as", IDOK, kNoticeMs);
  ASSERT_TRUE(WaitExit(30000));
  EXPECT_NE(told.find(KeptName()), std::string::npos) << told;
  EXPECT_EQ(Kept(), std::vector<std::string>{"edited by hand after the crash"});
  EXPECT_EQ(ReadFileOrMarker(NotePath()), typed);
}

// ---------------------------------------------------------------- settings from another locale

// The user's decimal separator, as Wine reads it at every program start.
class DecimalSeparator {
 public:
  explicit DecimalSeparator(const char* sep) {
    RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\International", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                    nullptr);
    DWORD size = sizeof old_;
    had_ = RegQueryValueExA(key_, "sDecimal", nullptr, nullptr, reinterpret_cast<BYTE*>(old_), &size) == 0;
    RegSetValueExA(key_, "sDecimal", 0, REG_SZ, reinterpret_cast<const BYTE*>(sep), static_cast<DWORD>(strlen(sep) + 1));
  }
  ~DecimalSeparator() {
    if (had_) RegSetValueExA(key_, "sDecimal", 0, REG_SZ, reinterpret_cast<const BYTE*>(old_), static_cast<DWORD>(strlen(old_) + 1));
    else RegDeleteValueA(key_, "sDecimal");
    RegCloseKey(key_);
  }

 private:
  HKEY key_ = nullptr;
  char old_[16] = {};
  bool had_ = false;
};

std::vector<std::string> IniLines(const std::string& ini) {
  std::vector<std::string> lines;
  for (size_t at = 0, end; (end = ini.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(ini.substr(at, end - at));
  return lines;
}

TEST_F(OtherProgram, SettingsWrittenWithTheOtherDecimalSeparatorReadTheSame) {
  const std::vector<std::string> lines = {"Window Position", "1500", "2250", "6000", "7500", "", "Font Settings",
                                          "", "Courier New", "-1", "-1", "", "Transparency", "20", "",
                                          "Global Hotkey", "-1", "-1", "0", "0", "80", "0"};
  for (const char* written : {",", "."}) {
    const char* reading = written[0] == ',' ? "." : ",";
    DecimalSeparator locale(reading);
    std::vector<std::string> file = lines;
    file[7] = std::string("9") + written + "75";
    std::string ini;
    for (const std::string& l : file) ini += l + "\r\n";
    ASSERT_TRUE(WriteFileBytes(SettingsPath(), ini));
    ASSERT_TRUE(StartVisible()) << last_error();
    RECT r;
    ASSERT_TRUE(GetWindowRect(main_, &r));
    EXPECT_EQ(r.top, 1500 / 15);
    EXPECT_EQ(r.left, 2250 / 15);
    ASSERT_TRUE(ExitAndWait());
    // Written back in the reader's own form: every value as it was read.
    std::vector<std::string> expected = lines;
    expected[7] = std::string("9") + reading + "75";
    expected.insert(expected.end(), {"0", "-1", "-1"});   // the View lines and the marks, at their defaults
    EXPECT_EQ(IniLines(ReadFileOrMarker(SettingsPath())), expected) << "written with '" << written << "'";
  }
}

// ---------------------------------------------------------------- a note that is a link

TEST_F(OtherProgram, ANoteThatIsASymbolicLinkStaysALinkAndItsTargetIsWatched) {
  const std::string unix_dir = UnixFolder();
  if (unix_dir.empty()) GTEST_SKIP() << "the program folder is not on the Unix root drive";
  const std::string target = unix_dir + "-synced/note.txt";
  ASSERT_EQ(RunUnix("mkdir -p '" + unix_dir + "-synced' && printf 'linked note' > '" + target + "' && ln -s '" +
                    target + "' '" + unix_dir + "/pagewick.txt'"),
            0);
  unix_cleanup_.push_back("rm -rf '" + unix_dir + "-synced'");
  ASSERT_TRUE(StartVisible()) << last_error();
  EXPECT_EQ(NoteText(), "linked note");
  // The sync client writes the target in its own folder.
  ASSERT_EQ(RunUnix("printf 'linked note, synced' > '" + target + "'"), 0);
  ASSERT_TRUE(WaitNote("linked note, synced")) << NoteText();
  ASSERT_TRUE(Type(" and typed"));
  const std::string typed = NoteText();
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(RunUnix("test -L '" + unix_dir + "/pagewick.txt'"), 0) << "the link was replaced by a plain file";
  EXPECT_EQ(RunUnix("test \"$(cat '" + target + "')\" = '" + typed + "'"), 0) << "the target holds the note";
  EXPECT_EQ(ReadFileOrMarker(NotePath()), typed);
  EXPECT_TRUE(Kept().empty());
}

}  // namespace
}  // namespace e2e
