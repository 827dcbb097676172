// The Edit menu, the real Find and Replace dialogs, the open, save and font dialogs, and the
// save prompt, driven as a user would.
#include "PagewickFixture.h"

namespace e2e {
namespace {

constexpr int kFindWhat = 0x480, kReplaceWith = 0x481, kReplaceAll = 0x401, kFileName = 0x47c;
constexpr int kFaceCombo = 0x470, kStyleCombo = 0x471, kSizeCombo = 0x472;

class Editing : public PagewickTest {
 protected:
  HWND WaitDialog(const std::string& title) {
    WindowQuery q;
    q.pid = app_.pid();
    q.class_name = "#32770";
    q.caption = title;
    q.visibility = Visibility::Visible;
    return WaitTopWindow(q);
  }
  // Presses a button of a modeless dialog and waits until the program has handled it.
  bool Press(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (!button || !PostMessageA(button, BM_CLICK, 0, 0)) return false;
    return probe().Sync();
  }
  // Types a name into a file dialog and presses OK; waits until the dialog is gone.
  bool ChooseFile(const std::string& title, const std::string& path) {
    HWND dlg = WaitDialog(title);
    if (!dlg || !SetDialogItemText(dlg, kFileName, ToWindowsPath(path))) return false;
    PostMessageA(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
    return WaitFor([&] { return !IsWindow(dlg) || !IsWindowVisible(dlg); });
  }
  bool AnswerSavePrompt(int button) {
    MessageBoxInfo m = WaitMessageBox(app_.pid(), "Save Text?");
    if (!m.hwnd) return false;
    EXPECT_EQ(m.text, "Save current text to file?");
    EXPECT_TRUE(GetDlgItem(m.hwnd, IDYES) && GetDlgItem(m.hwnd, IDNO) && GetDlgItem(m.hwnd, IDCANCEL));
    return ClickDialogButton(m.hwnd, button);
  }
  bool WaitNote(const std::string& text) {
    return WaitFor([&] { return NoteText() == text; });
  }
  bool EntryEnabled(const std::vector<std::string>& path) {
    MenuEntry e;
    EXPECT_TRUE(probe().Find(path, &e, true)) << path.back();
    return e.enabled;
  }
};

TEST_F(Editing, FindNextSelectsTheMatchThenStaysAndDoesNotWrap) {
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(SetNote("one two three two"));
  ASSERT_TRUE(Select(4, 7));
  ASSERT_TRUE(ChooseMenu({"Edit", "Find..."})) << last_error();
  HWND dlg = WaitDialog("Find");
  ASSERT_TRUE(dlg);
  EXPECT_EQ(GetDialogItemText(dlg, kFindWhat), "two") << "the field shows the selection";
  EXPECT_EQ(IsDlgButtonChecked(dlg, 0x421), BST_CHECKED) << "direction Down";
  EXPECT_EQ(IsDlgButtonChecked(dlg, 0x411), BST_UNCHECKED) << "Match case cleared";

  ASSERT_TRUE(Select(0, 0));
  ASSERT_TRUE(Press(dlg, IDOK));
  EXPECT_EQ(Sel(), std::make_pair(4ul, 7ul));
  ASSERT_TRUE(Press(dlg, IDOK));
  EXPECT_EQ(Sel(), std::make_pair(4ul, 7ul)) << "the selected occurrence is found again";
  ASSERT_TRUE(Select(15, 15));
  ASSERT_TRUE(Press(dlg, IDOK));
  EXPECT_EQ(Sel(), std::make_pair(15ul, 15ul)) << "behind the last one: a beep, no wrap-around";
  ASSERT_TRUE(SetDialogItemText(dlg, kFindWhat, "TWO"));
  ASSERT_TRUE(Select(5, 5));
  ASSERT_TRUE(Press(dlg, IDOK));
  EXPECT_EQ(Sel(), std::make_pair(14ul, 17ul)) << "case folded";

  // Searching up.
  CheckRadioButton(dlg, 0x420, 0x421, 0x420);
  SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(0x420, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, 0x420)));
  ASSERT_TRUE(Press(dlg, IDOK));
  EXPECT_EQ(Sel(), std::make_pair(4ul, 7ul));

  // Esc reaches the modeless dialog through the program's message loop.
  ASSERT_TRUE(BringToFront(dlg));
  ASSERT_TRUE(PressKeys({VK_ESCAPE}));
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(dlg); })) << "Esc closes the dialog";
}

TEST_F(Editing, ReplaceAllThroughTheDialogIsOneUndoStep) {
  ASSERT_TRUE(StartVisible()) << last_error();
  const std::string before = "a cat, a Cat.\r\ncatalogue";
  ASSERT_TRUE(SetNote(before));
  ASSERT_TRUE(Select(0, 0));
  ASSERT_TRUE(ChooseMenu({"Edit", "Replace..."})) << last_error();
  HWND dlg = WaitDialog("Replace");
  ASSERT_TRUE(dlg);
  ASSERT_TRUE(SetDialogItemText(dlg, kFindWhat, "cat"));
  ASSERT_TRUE(SetDialogItemText(dlg, kReplaceWith, "dog"));
  CheckDlgButton(dlg, 0x410, BST_CHECKED);   // whole word
  ASSERT_TRUE(Press(dlg, kReplaceAll));
  EXPECT_EQ(NoteText(), "a dog, a dog.\r\ncatalogue");
  // Opening Replace... again gives one fresh dialog.
  ASSERT_TRUE(ChooseMenu({"Edit", "Replace..."})) << last_error();
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(dlg); })) << "the first dialog was closed";
  HWND again = WaitDialog("Replace");
  ASSERT_TRUE(again);
  EXPECT_EQ(IsDlgButtonChecked(again, 0x410), BST_UNCHECKED);
  ClickDialogButton(again, IDCANCEL);
  ASSERT_TRUE(ChooseMenu({"Edit", "Undo"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(NoteText(), before) << "one undo takes back every replacement";
}

TEST_F(Editing, OpenReadsTheFileWithItsLineRules) {
  ASSERT_TRUE(StartVisible()) << last_error();
  const std::string file = folder_->File("in.txt");
  ASSERT_TRUE(WriteFileBytes(file, "a\r\nb\rc\nd\r\n"));
  ASSERT_TRUE(ChooseMenu({"File", "Open..."})) << last_error();
  ASSERT_TRUE(ChooseFile("Open", file));
  EXPECT_TRUE(WaitNote("a\r\nb\r\nc\nd")) << NoteText();
}

TEST_F(Editing, OpenOfABinaryFileShowsItsNulsAsSpaces) {
  ASSERT_TRUE(StartVisible()) << last_error();
  const std::string file = folder_->File("bin.dat");
  ASSERT_TRUE(WriteFileBytes(file, std::string("MZ\0\0\x90\0tail", 10)));
  ASSERT_TRUE(ChooseMenu({"File", "Open..."})) << last_error();
  ASSERT_TRUE(ChooseFile("Open", file));
  EXPECT_TRUE(WaitNote("MZ  \x90 tail")) << NoteText();
}

TEST_F(Editing, LongSelectionOpensTheDialogWithIts1023FirstCharacters) {
  ASSERT_TRUE(StartVisible()) << last_error();
  std::string text;
  for (int i = 0; i < 3000; ++i) text += static_cast<char>('a' + i % 26);
  ASSERT_TRUE(SetNote(text));
  ASSERT_TRUE(Select(0, 3000));
  ASSERT_TRUE(ChooseMenu({"Edit", "Replace..."})) << last_error();
  HWND dlg = WaitDialog("Replace");
  ASSERT_TRUE(dlg);
  EXPECT_EQ(GetDialogItemText(dlg, kFindWhat), text.substr(0, 1023));
  EXPECT_EQ(GetDialogItemText(dlg, kReplaceWith), text.substr(0, 1023));
  ASSERT_TRUE(Select(0, 0));
  ASSERT_TRUE(Press(dlg, IDOK));
  EXPECT_EQ(Sel(), std::make_pair(0ul, 1023ul));
  EXPECT_TRUE(app_.Running());
}

TEST_F(Editing, SaveAsThenOpenGivesBackTheSameText) {
  ASSERT_TRUE(StartVisible()) << last_error();
  const std::string text = "first\r\n\r\nlf\ninside\r\n";
  ASSERT_TRUE(SetNote(text));
  const std::string file = folder_->File("saved");   // no extension: kept as typed
  ASSERT_TRUE(ChooseMenu({"File", "Save As..."})) << last_error();
  ASSERT_TRUE(ChooseFile("Save As", file));
  ASSERT_TRUE(WaitFor([&] { return ReadFileOrMarker(file) == text + "\r\n"; })) << ReadFileOrMarker(file);
  EXPECT_FALSE(FileExists(file + ".txt"));
  ASSERT_TRUE(SetNote("other"));
  ASSERT_TRUE(ChooseMenu({"File", "Open..."})) << last_error();
  ASSERT_TRUE(AnswerSavePrompt(IDNO));
  ASSERT_TRUE(ChooseFile("Open", file));
  EXPECT_TRUE(WaitNote(text)) << NoteText();
}

TEST_F(Editing, SavePromptOfNewHasThreeAnswers) {
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(SetNote("keep"));
  ASSERT_TRUE(ChooseMenu({"File", "New"})) << last_error();
  ASSERT_TRUE(AnswerSavePrompt(IDCANCEL));
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(NoteText(), "keep");

  const std::string file = folder_->File("new-yes.txt");
  ASSERT_TRUE(ChooseMenu({"File", "New"})) << last_error();
  ASSERT_TRUE(AnswerSavePrompt(IDYES));
  ASSERT_TRUE(ChooseFile("Save As", file));
  ASSERT_TRUE(WaitFor([&] { return ReadFileOrMarker(file) == "keep\r\n"; })) << ReadFileOrMarker(file);
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(NoteText(), "keep") << "Yes saves and keeps the note";

  ASSERT_TRUE(ChooseMenu({"File", "New"})) << last_error();
  ASSERT_TRUE(AnswerSavePrompt(IDNO));
  EXPECT_TRUE(WaitNote(""));
}

TEST_F(Editing, KeysTypedRightAfterTheStartAndBackFromTheTrayGoIntoTheNote) {
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(BringToFront(main_));
  // Activation puts the keyboard on the note a moment after the window comes to the front.
  EXPECT_TRUE(WaitFor([&] { return KeysReach(edit_); })) << "the keyboard is not on the note";
  ASSERT_TRUE(PressKeys({'A'}) && probe().Sync());
  EXPECT_TRUE(WaitNote("a")) << "the keyboard is not on the note: " << NoteText();
  PostMessageA(main_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main_); }));
  ASSERT_TRUE(PostTrayNotification(main_, WM_APP + 1, 1, WM_LBUTTONDOWN));
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main_) && !IsIconic(main_); }));
  // Wine's own tray window may take the foreground a moment after the program came back
  // (Windows has no such window): a key that went there is pressed again, never one that the
  // program itself lost.
  for (int attempt = 0;; ++attempt) {
    ASSERT_TRUE(BringToFront(main_));
    EXPECT_TRUE(WaitFor([&] { return KeysReach(edit_); })) << "back from the tray, the keyboard is not on the note";
    ASSERT_TRUE(PressKeys({'B'}) && probe().Sync());
    if (WaitNote("ab")) break;
    HWND fg = GetForegroundWindow();
    const bool taken = fg && GetWindowThreadProcessId(fg, nullptr) != GetWindowThreadProcessId(main_, nullptr);
    ASSERT_TRUE(taken && attempt < 2) << "the key did not reach the note: " << NoteText() << " (foreground "
                                      << ClassOf(fg) << ")";
  }
}

TEST_F(Editing, EditMenuGreysByTheRulesAndCtrlDAndCtrlUWork) {
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  for (const char* e : {"Cut", "Copy", "Paste", "Delete", "Select All", "Find...", "Replace..."})
    EXPECT_FALSE(EntryEnabled({"Edit", e})) << e << " on an empty note";
  EXPECT_TRUE(EntryEnabled({"Edit", "Font..."}));

  ASSERT_TRUE(SetNote("hello world"));
  ASSERT_TRUE(Select(2, 2));
  EXPECT_FALSE(EntryEnabled({"Edit", "Delete"}));
  EXPECT_TRUE(EntryEnabled({"Edit", "Find..."}));
  ASSERT_TRUE(Select(0, 6));
  EXPECT_TRUE(EntryEnabled({"Edit", "Delete"}));
  ASSERT_TRUE(BringToFront(main_));
  ASSERT_TRUE(PressKeys({VK_CONTROL, 'D'}));
  // The keys reach the window through the X server: on a busy machine after the probe's sync.
  EXPECT_TRUE(WaitFor([&] { return NoteText() == "world"; }, kWaitMs, 50)) << "Ctrl+D deletes the selection";
  // Undo was greyed when the menu last opened (nothing to undo then); opening it again
  // enables it, and only then does its shortcut reach it.
  EXPECT_TRUE(EntryEnabled({"Edit", "Undo"}));
  ASSERT_TRUE(BringToFront(main_));
  ASSERT_TRUE(PressKeys({VK_CONTROL, 'U'}));
  EXPECT_TRUE(WaitFor([&] { return NoteText() == "hello world"; }, kWaitMs, 50)) << "Ctrl+U undoes";

  ASSERT_TRUE(OpenClipboard(main_));
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, 4);
  memcpy(GlobalLock(mem), "abc", 4);
  GlobalUnlock(mem);
  SetClipboardData(CF_TEXT, mem);
  CloseClipboard();
  EXPECT_TRUE(EntryEnabled({"Edit", "Paste"}));
}

// A shortcut acts only through an enabled entry: after the menu opened with no selection,
// Ctrl+D does nothing even once text is selected (the edit control has no Ctrl+D of its own).
TEST_F(Editing, ShortcutOfAGreyedEntryDoesNotReachItsCommand) {
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(SetNote("hello world"));
  ASSERT_TRUE(Select(2, 2));
  EXPECT_FALSE(EntryEnabled({"Edit", "Delete"}));
  ASSERT_TRUE(Select(0, 6));
  ASSERT_TRUE(BringToFront(main_));
  ASSERT_TRUE(PressKeys({VK_CONTROL, 'D'}));
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(NoteText(), "hello world");
}

std::vector<std::string> IniLines(const std::string& ini) {
  std::vector<std::string> lines;
  size_t pos = 0, end;
  while ((end = ini.find("\r\n", pos)) != std::string::npos) {
    lines.push_back(ini.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

TEST_F(Editing, FontChoiceReachesTheSettingsAndSurvivesARestart) {
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(ChooseMenu({"Edit", "Font..."})) << last_error();
  HWND dlg = WaitDialog("Font");
  ASSERT_TRUE(dlg);
  HWND face = GetDlgItem(dlg, kFaceCombo), style = GetDlgItem(dlg, kStyleCombo), size = GetDlgItem(dlg, kSizeCombo);
  ASSERT_TRUE(face && style && size);
  ASSERT_NE(SendMessageW(face, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"Tahoma")), CB_ERR);
  SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(kFaceCombo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(face));
  ASSERT_NE(SendMessageW(style, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"Italic")), CB_ERR);
  SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(kStyleCombo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(style));
  ASSERT_TRUE(SetText(size, "14"));
  SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(kSizeCombo, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(size));
  ASSERT_TRUE(ClickDialogButton(dlg, IDOK));
  ASSERT_TRUE(ChooseMenu({"File", "Save Settings"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  std::vector<std::string> lines = IniLines(ReadFileOrMarker(SettingsPath()));
  ASSERT_GE(lines.size(), 11u);
  EXPECT_EQ(lines[7], "14");
  EXPECT_EQ(lines[8], "Tahoma");
  EXPECT_EQ(lines[9], "0") << "not bold";
  EXPECT_EQ(lines[10], "-1") << "italic";

  // Cancel changes nothing.
  ASSERT_TRUE(ChooseMenu({"Edit", "Font..."})) << last_error();
  dlg = WaitDialog("Font");
  ASSERT_TRUE(dlg);
  ASSERT_TRUE(ClickDialogButton(dlg, IDCANCEL));

  ASSERT_TRUE(ChooseMenu({"File", "Exit"})) << last_error();
  ASSERT_TRUE(WaitExit());
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(ChooseMenu({"File", "Save Settings"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  lines = IniLines(ReadFileOrMarker(SettingsPath()));
  ASSERT_GE(lines.size(), 11u);
  EXPECT_EQ(lines[7], "14");
  EXPECT_EQ(lines[8], "Tahoma");
  EXPECT_EQ(lines[10], "-1");
}

}  // namespace
}  // namespace e2e
