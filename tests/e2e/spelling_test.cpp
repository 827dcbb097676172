// Check Spelling under Wine, where Word is missing: the built-in checker's "Spelling" dialog,
// driven as a user would, and what it leaves behind (the note, its Undo, pagewick.dic and the
// clipboard).
#include "PagewickFixture.h"

namespace e2e {
namespace {

// Control ids of the Spelling dialog.
constexpr int kNotInDict = 32, kChangeTo = 34, kSuggestions = 36;
constexpr int kIgnore = 37, kIgnoreAll = 38, kChange = 39, kChangeAll = 40, kAdd = 41, kCancel = 42;

class Spelling : public PagewickTest {
 protected:
  static bool PutClipboardText(const std::string& text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
    GlobalUnlock(mem);
    const bool ok = SetClipboardData(CF_TEXT, mem) != nullptr;
    CloseClipboard();
    return ok;
  }
  static std::string ClipboardText() {
    std::string s = "<no text>";
    if (!OpenClipboard(nullptr)) return "<not open>";
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
      s = static_cast<const char*>(GlobalLock(h));
      GlobalUnlock(h);
    }
    CloseClipboard();
    return s;
  }
  HWND WaitSpelling() {
    WindowQuery q;
    q.pid = app_.pid();
    q.caption = "Spelling";
    q.visibility = Visibility::Visible;
    return WaitTopWindow(q);
  }
  // The word the dialog asks about, once it shows `word`.
  bool WaitAsked(HWND dlg, const std::string& word) {
    return WaitFor([&] { return GetText(GetDlgItem(dlg, kNotInDict)) == word; });
  }
  std::vector<std::string> Suggestions(HWND dlg) {
    HWND list = GetDlgItem(dlg, kSuggestions);
    std::vector<std::string> out;
    const int n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      wchar_t buf[256] = {};
      SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buf));   // the A form loses all but one character across processes
      char a[256] = {};
      WideCharToMultiByte(CP_ACP, 0, buf, -1, a, sizeof(a), nullptr, nullptr);
      out.push_back(a);
    }
    return out;
  }
  bool Press(HWND dlg, int id) { return PostMessageA(GetDlgItem(dlg, id), BM_CLICK, 0, 0) != 0; }
};

TEST_F(Spelling, ChangeIgnoreAllAndAddThroughTheDialog) {
  ASSERT_TRUE(StartVisible()) << last_error();
  const std::string before = "Teh qwzx and Zorblat.\r\nAgain qwzx, Zorblat.";
  ASSERT_TRUE(SetNote(before));
  ASSERT_TRUE(PutClipboardText("the user's clipboard"));
  ASSERT_TRUE(ChooseMenu({"File", "Check Spelling"})) << last_error();
  HWND dlg = WaitSpelling();
  ASSERT_TRUE(dlg);
  EXPECT_EQ(GetWindow(dlg, GW_OWNER), main_) << "owned by the main window";
  EXPECT_FALSE(IsWindowEnabled(main_)) << "modal: the main window waits";
  ASSERT_TRUE(WaitAsked(dlg, "Teh"));
  EXPECT_EQ(GetText(FindChild(dlg, "Static", "Not in dictionary:")), "Not in dictionary:");
  EXPECT_TRUE(FindChild(dlg, "Static", "Change to:"));
  EXPECT_TRUE(FindChild(dlg, "Static", "Suggestions:"));
  const std::pair<int, const char*> buttons[] = {{kIgnore, "Ignore"}, {kIgnoreAll, "Ignore All"},
      {kChange, "Change"}, {kChangeAll, "Change All"}, {kAdd, "Add to Dictionary"}, {kCancel, "Cancel"}};
  for (const auto& b : buttons) EXPECT_EQ(GetText(GetDlgItem(dlg, b.first)), b.second);
  EXPECT_EQ(GetText(GetDlgItem(dlg, kChangeTo)), "The") << "prefilled with the best suggestion";
  const std::vector<std::string> suggestions = Suggestions(dlg);
  ASSERT_FALSE(suggestions.empty());
  EXPECT_EQ(suggestions.front(), "The");
  EXPECT_EQ(Sel(), std::make_pair(0ul, 3ul)) << "the word is selected in the note";

  // Enter is the Change button.
  ASSERT_TRUE(BringToFront(dlg));
  ASSERT_TRUE(PressKeys({VK_RETURN}));
  ASSERT_TRUE(WaitAsked(dlg, "qwzx")) << GetText(GetDlgItem(dlg, kNotInDict));
  EXPECT_EQ(NoteText().substr(0, 8), "The qwzx") << "the note follows each change";
  EXPECT_EQ(Sel(), std::make_pair(4ul, 8ul));
  ASSERT_TRUE(Press(dlg, kIgnoreAll));
  ASSERT_TRUE(WaitAsked(dlg, "Zorblat"));
  ASSERT_TRUE(Press(dlg, kAdd));   // the second Zorblat and qwzx are not asked about again

  MessageBoxInfo done = WaitMessageBox(app_.pid(), "Pagewick", "spelling check");
  ASSERT_TRUE(done.hwnd);
  EXPECT_EQ(done.text, "The spelling check is complete.");
  EXPECT_FALSE(IsWindow(dlg));
  ASSERT_TRUE(ClickDialogButton(done.hwnd, IDOK));
  EXPECT_TRUE(IsWindowEnabled(main_));
  EXPECT_EQ(NoteText(), "The qwzx and Zorblat.\r\nAgain qwzx, Zorblat.");
  EXPECT_EQ(ReadFileOrMarker(folder_->File("pagewick.dic")), "Zorblat\r\n");
  EXPECT_EQ(ClipboardText(), "the user's clipboard") << "the built-in checker leaves the clipboard alone";

  // Every change of the check is one Undo step.
  ASSERT_TRUE(ChooseMenu({"Edit", "Undo"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(NoteText(), before);

  // The next check reads pagewick.dic: only the ignored word is asked about again.
  ASSERT_TRUE(ChooseMenu({"File", "Check Spelling"})) << last_error();
  dlg = WaitSpelling();
  ASSERT_TRUE(dlg);
  ASSERT_TRUE(WaitAsked(dlg, "Teh"));
  // The suggestion list has the focus: the arrow keys choose what Change to holds.
  const std::vector<std::string> again = Suggestions(dlg);
  ASSERT_GE(again.size(), 2u);
  ASSERT_TRUE(BringToFront(dlg));
  ASSERT_TRUE(PressKeys({VK_DOWN}));
  EXPECT_TRUE(WaitFor([&] { return GetText(GetDlgItem(dlg, kChangeTo)) == again[1]; }))
      << GetText(GetDlgItem(dlg, kChangeTo));
  ASSERT_TRUE(Press(dlg, kIgnore));
  ASSERT_TRUE(WaitAsked(dlg, "qwzx"));
  // Esc cancels: no message, the note keeps what was done so far (nothing here).
  ASSERT_TRUE(BringToFront(dlg));
  ASSERT_TRUE(PressKeys({VK_ESCAPE}));
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(dlg); }));
  ASSERT_TRUE(probe().Sync());
  EXPECT_TRUE(MessageBoxesOf(app_.pid()).empty());
  EXPECT_EQ(NoteText(), before);
  EXPECT_TRUE(IsWindowEnabled(main_));
}

// A word list that exists but cannot be read, locked by another program or far too large to
// be one, is never rewritten with the one new word: the user is told and the file stays whole.
TEST_F(Spelling, AUserListThatCannotBeReadIsLeftWholeByAddToDictionary) {
  const std::string dic = folder_->File("pagewick.dic");
  const std::string words = "Zorblat\r\nQuuxly\r\n";
  ASSERT_TRUE(WriteFileBytes(dic, words));
  HANDLE lock = CreateFileA(dic.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(SetNote("Quuxly and Frobnitz."));
  ASSERT_TRUE(ChooseMenu({"File", "Check Spelling"})) << last_error();
  HWND dlg = WaitSpelling();
  ASSERT_TRUE(dlg);
  ASSERT_TRUE(WaitAsked(dlg, "Quuxly")) << "the list's words are unknown while it cannot be read";
  ASSERT_TRUE(Press(dlg, kAdd));
  MessageBoxInfo told = WaitMessageBox(app_.pid(), "Pagewick", "could not be added");
  ASSERT_TRUE(told.hwnd);
  EXPECT_NE(told.text.find("pagewick.dic: the file is there, but it could not be read"), std::string::npos)
      << told.text;
  EXPECT_NE(told.text.find("The file is left as it is."), std::string::npos) << told.text;
  ASSERT_TRUE(ClickDialogButton(told.hwnd, IDOK));
  ASSERT_TRUE(WaitAsked(dlg, "Frobnitz"));
  CloseHandle(lock);
  EXPECT_EQ(ReadFileOrMarker(dic), words);

  // Now a list of 5 MB: judged by its size, never read or rewritten.
  std::string big;
  while (big.size() < (5u << 20)) big += "Zorblat\r\n";
  big.resize(5u << 20);   // exactly 5 MB: a byte more is told as "6 MB"
  ASSERT_TRUE(WriteFileBytes(dic, big));
  ASSERT_TRUE(Press(dlg, kAdd));
  told = WaitMessageBox(app_.pid(), "Pagewick", "could not be added");
  ASSERT_TRUE(told.hwnd);
  EXPECT_NE(told.text.find("it is 5 MB, more than the 4 MB such a file may be."), std::string::npos) << told.text;
  ASSERT_TRUE(ClickDialogButton(told.hwnd, IDOK));
  MessageBoxInfo done = WaitMessageBox(app_.pid(), "Pagewick", "spelling check");
  ASSERT_TRUE(done.hwnd);
  ASSERT_TRUE(ClickDialogButton(done.hwnd, IDOK));
  EXPECT_EQ(FileSize(dic), static_cast<long long>(big.size()));
  EXPECT_TRUE(ReadFileOrMarker(dic) == big);
}

// Change All over a note with the same typo 20,000 times: one pass, done in moments (it used
// to replace copy after copy, each one relaying out the whole box), and one Undo step.
TEST_F(Spelling, ChangeAllOverThousandsOfCopiesIsOnePassAndOneUndoStep) {
  std::string before;
  for (int i = 0; i < 20000; ++i) before += i % 7 == 6 ? "teh end.\r\n" : "teh cat, ";
  std::string after = before;
  for (size_t at = after.find("teh"); at != std::string::npos; at = after.find("teh", at + 3)) after.replace(at, 3, "the");
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(SetNote(before));
  ASSERT_TRUE(ChooseMenu({"File", "Check Spelling"})) << last_error();
  HWND dlg = WaitSpelling();
  ASSERT_TRUE(dlg);
  ASSERT_TRUE(WaitAsked(dlg, "teh"));
  ASSERT_TRUE(SetText(GetDlgItem(dlg, kChangeTo), "the"));
  ASSERT_TRUE(Press(dlg, kChangeAll));
  MessageBoxInfo done = WaitMessageBox(app_.pid(), "Pagewick", "spelling check", 120000);
  ASSERT_TRUE(done.hwnd) << "Change All did not finish";
  ASSERT_TRUE(ClickDialogButton(done.hwnd, IDOK));
  EXPECT_TRUE(NoteText() == after);
  ASSERT_TRUE(ChooseMenu({"Edit", "Undo"})) << last_error();
  ASSERT_TRUE(probe().Sync(60000));
  EXPECT_TRUE(NoteText() == before) << "one Undo takes the whole check back";
}

TEST_F(Spelling, AnEmptyNoteShowsNothing) {
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(PutClipboardText("untouched"));
  ASSERT_TRUE(ChooseMenu({"File", "Check Spelling"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  EXPECT_FALSE(FindTopWindow({app_.pid(), "", "Spelling", Visibility::Any, nullptr}));
  EXPECT_TRUE(MessageBoxesOf(app_.pid()).empty());
  EXPECT_EQ(NoteText(), "");
  EXPECT_EQ(ClipboardText(), "untouched");
  EXPECT_TRUE(IsWindowEnabled(main_));
}

}  // namespace
}  // namespace e2e
