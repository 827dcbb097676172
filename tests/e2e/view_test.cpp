// Edit > Time/Date and Go To..., Ctrl+Backspace, and the View menu (zoom, status bar, word
// wrap), chosen by their captions and their shortcuts as a user would, checked by what shows.
#include "PagewickFixture.h"

namespace e2e {
namespace {

constexpr int kGoToBox = 52, kGoToButton = 53;   // the Go To Line dialog's line box and button

class View : public PagewickTest {
 protected:
  bool Keys(const std::vector<WORD>& keys) { return PressKeys(keys) && probe().Sync(); }
  // The status bar's panels as the program holds them; empty when no bar shows.
  std::vector<std::string> Panels() {
    WindowLayout lay;
    if (!probe().Layout(main_, &lay)) return {};
    for (const ControlLayout& c : lay.controls) {
      if (c.class_name != "msctls_statusbar32") continue;
      std::vector<std::string> panels;
      size_t at = 0;
      while ((at = c.caption.find('|', at)) != std::string::npos) {
        const size_t next = c.caption.find('|', at + 1);
        panels.push_back(c.caption.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1));
        at = next;
      }
      return panels;
    }
    return {};
  }
  std::string Panel(size_t i) {
    const std::vector<std::string> p = Panels();
    return i < p.size() ? p[i] : "<none>";
  }
  bool WaitPanel(size_t i, const std::string& text) {
    return WaitFor([&] { return Panel(i) == text; });
  }
  // Distance between the tops of the first two lines, pixels.
  int LineHeight() {
    const LRESULT second = SendMessageA(edit_, EM_LINEINDEX, 1, 0);
    const LRESULT a = SendMessageA(edit_, EM_POSFROMCHAR, 0, 0), b = SendMessageA(edit_, EM_POSFROMCHAR, second, 0);
    return static_cast<short>(HIWORD(b)) - static_cast<short>(HIWORD(a));
  }
  // The note box in the window now (a switch of word wrap makes a new one).
  bool WaitNewEdit(HWND old) {
    return WaitFor([&] {
      HWND e = FindChild(main_, "Edit");
      if (e && e != old && IsWindowVisible(e)) edit_ = e;
      return edit_ != old;
    });
  }
  bool Checked(const std::vector<std::string>& path) {
    MenuEntry e;
    EXPECT_TRUE(probe().Find(path, &e)) << path.back();
    return e.checked;
  }
  static std::string Stamp() {
    char t[64] = {}, d[64] = {};
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, t, sizeof t);
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, d, sizeof d);
    return std::string(t) + " " + d;
  }
  std::vector<std::string> IniLines() {
    std::vector<std::string> lines;
    const std::string text = ReadFileOrMarker(SettingsPath());
    for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
      lines.push_back(text.substr(at, end - at));
    return lines;
  }
  bool ExitAndRestart() {
    if (!ChooseMenu({"File", "Exit"}) || !WaitExit()) return false;
    probe_.reset();
    return StartVisible();
  }
};

TEST_F(View, TimeDateInsertsTheUsersShortTimeAndDateInPlaceOfTheSelectionAsOneUndoStep) {
  ASSERT_TRUE(StartVisible()) << last_error();
  // The last entry of the Edit menu, after a separator, on F5.
  const std::vector<MenuEntry> menu = probe().Read();
  for (size_t i = 0; i < menu.size(); ++i) {
    if (menu[i].path != "Edit/Time/Date") continue;
    EXPECT_EQ(menu[i].shortcut, "F5");
    ASSERT_GT(i, 0u);
    EXPECT_TRUE(menu[i - 1].separator);
    EXPECT_TRUE(i + 1 == menu.size() || menu[i + 1].depth == 0) << "not the last entry of Edit";
  }
  ASSERT_TRUE(SetNote("Called: X."));
  ASSERT_TRUE(Select(8, 9));
  const std::string before = Stamp();
  ASSERT_TRUE(ChooseMenu({"Edit", "Time/Date"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  const std::string after = Stamp();
  const std::string note = NoteText();
  EXPECT_TRUE(note == "Called: " + before + "." || note == "Called: " + after + ".") << note << " / " << before;
  ASSERT_TRUE(ChooseMenu({"Edit", "Undo"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(NoteText(), "Called: X.") << "one Undo takes the whole stamp back";

  // F5 at the caret.
  ASSERT_TRUE(Select(10, 10));
  ASSERT_TRUE(BringToFront(main_));
  const std::string first = Stamp();
  ASSERT_TRUE(Keys({VK_F5}));
  const std::string last = Stamp();
  EXPECT_TRUE(WaitFor([&] { return NoteText() == "Called: X." + first || NoteText() == "Called: X." + last; }))
      << NoteText();
}

TEST_F(View, GoToPutsTheCaretAtTheStartOfALineCountedByLineBreaksAndRefusesOneBeyondTheEnd) {
  ASSERT_TRUE(StartVisible()) << last_error();
  std::string longLine;
  for (int i = 0; i < 60; ++i) longLine += "wrapped words ";
  ASSERT_TRUE(SetNote(CrLfLines({longLine, "second", "third"})));
  ASSERT_GT(SendMessageA(edit_, EM_GETLINECOUNT, 0, 0), 3) << "the first line wraps on screen";
  ASSERT_TRUE(Select(0, 0));

  ASSERT_TRUE(BringToFront(main_));
  ASSERT_TRUE(PressKeys({VK_CONTROL, 'G'}));
  HWND dlg = WaitTopWindow({app_.pid(), "", "Go To Line", Visibility::Visible});
  ASSERT_TRUE(dlg) << "Ctrl+G opened no Go To Line window";
  EXPECT_EQ(GetDialogItemText(dlg, kGoToBox), "1") << "the caret's line";
  ASSERT_TRUE(SetDialogItemText(dlg, kGoToBox, "3"));
  PostMessageA(GetDlgItem(dlg, kGoToButton), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dlg); }));
  const DWORD third = static_cast<DWORD>(longLine.size() + 2 + 6 + 2);
  EXPECT_EQ(Sel(), std::make_pair(third, third));

  ASSERT_TRUE(ChooseMenu({"Edit", "Go To..."})) << last_error();
  dlg = WaitTopWindow({app_.pid(), "", "Go To Line", Visibility::Visible});
  ASSERT_TRUE(dlg);
  EXPECT_EQ(GetDialogItemText(dlg, kGoToBox), "3");
  ASSERT_TRUE(SetDialogItemText(dlg, kGoToBox, "4"));
  PostMessageA(GetDlgItem(dlg, kGoToButton), BM_CLICK, 0, 0);
  MessageBoxInfo m = WaitMessageBox(app_.pid(), "Pagewick - Go To Line");
  ASSERT_TRUE(m.hwnd) << "no message for a line beyond the end";
  EXPECT_EQ(m.text, "The line number is beyond the total number of lines");
  ASSERT_TRUE(ClickDialogButton(m.hwnd, IDOK));
  EXPECT_TRUE(IsWindow(dlg)) << "the dialog stays for another number";
  ASSERT_TRUE(SetDialogItemText(dlg, kGoToBox, "2"));
  PostMessageA(GetDlgItem(dlg, kGoToButton), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dlg); }));
  const DWORD second = static_cast<DWORD>(longLine.size() + 2);
  EXPECT_EQ(Sel(), std::make_pair(second, second)) << "line 2 is the one after the first line break";
}

TEST_F(View, CtrlBackspaceDeletesTheWordBeforeTheCaret) {
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(SetNote("one two  three"));
  ASSERT_TRUE(Select(14, 14));
  ASSERT_TRUE(BringToFront(main_));
  ASSERT_TRUE(Keys({VK_CONTROL, VK_BACK}));
  EXPECT_TRUE(WaitFor([&] { return NoteText() == "one two  "; })) << NoteText();
  ASSERT_TRUE(ChooseMenu({"Edit", "Undo"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(NoteText(), "one two  three") << "Undo brings the word back";
  ASSERT_TRUE(Select(14, 14));
  ASSERT_TRUE(Keys({VK_CONTROL, VK_BACK}));
  ASSERT_TRUE(Keys({VK_CONTROL, VK_BACK}));
  EXPECT_TRUE(WaitFor([&] { return NoteText() == "one "; })) << "the spaces go with the word: " << NoteText();
  EXPECT_EQ(Sel(), std::make_pair(4ul, 4ul));
}

TEST_F(View, ZoomChangesTheLineHeightOnScreenButNotTheFontOfTheSettings) {
  ASSERT_TRUE(StartVisible()) << last_error();
  std::vector<std::string> lines;
  for (int i = 0; i < 200; ++i)
    lines.push_back("line " + std::to_string(i) + " of a note whose lines wrap once the font shows twice as big");
  ASSERT_TRUE(SetNote(CrLfLines(lines)));
  ASSERT_TRUE(ChooseMenu({"View", "Status Bar"})) << last_error();
  ASSERT_TRUE(WaitPanel(2, "100%")) << Panel(2);
  const int normal = LineHeight();
  ASSERT_GT(normal, 8);
  // Scrolled down to line 120: it stays at the top.
  SendMessageA(edit_, EM_LINESCROLL, 0, 120);
  ASSERT_TRUE(probe().Sync());
  const LRESULT top = SendMessageA(edit_, EM_LINEINDEX, SendMessageA(edit_, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  ASSERT_GT(top, 0);

  ASSERT_TRUE(BringToFront(main_));
  ASSERT_TRUE(Keys({VK_CONTROL, VK_OEM_PLUS}));
  EXPECT_TRUE(WaitPanel(2, "110%")) << "Ctrl+Plus: " << Panel(2);
  EXPECT_EQ(SendMessageA(edit_, EM_LINEFROMCHAR, top, 0), SendMessageA(edit_, EM_GETFIRSTVISIBLELINE, 0, 0))
      << "the line at the top moved";
  for (int i = 0; i < 9; ++i) ASSERT_TRUE(ChooseMenu({"View", "Zoom", "Zoom In"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(Panel(2), "200%");
  ASSERT_GT(SendMessageA(edit_, EM_GETLINECOUNT, 0, 0), 200) << "the lines wrap now";
  EXPECT_EQ(SendMessageA(edit_, EM_LINEFROMCHAR, top, 0), SendMessageA(edit_, EM_GETFIRSTVISIBLELINE, 0, 0))
      << "the line at the top moved";
  const int doubled = LineHeight();
  EXPECT_GE(doubled * 10, normal * 18) << normal << " px at 100%, " << doubled << " px at 200%";
  EXPECT_LE(doubled * 10, normal * 22) << normal << " px at 100%, " << doubled << " px at 200%";

  ASSERT_TRUE(TurnWheelWithCtrl(edit_, -2));
  EXPECT_TRUE(WaitPanel(2, "180%")) << "two notches down with Ctrl: " << Panel(2);
  ASSERT_TRUE(TurnWheelWithCtrl(edit_, 1));
  EXPECT_TRUE(WaitPanel(2, "190%")) << Panel(2);
  ASSERT_TRUE(BringToFront(main_));
  ASSERT_TRUE(Keys({VK_CONTROL, VK_OEM_MINUS}));
  EXPECT_TRUE(WaitPanel(2, "180%")) << "Ctrl+Minus: " << Panel(2);
  ASSERT_TRUE(ChooseMenu({"View", "Zoom", "Zoom Out"})) << last_error();
  EXPECT_TRUE(WaitPanel(2, "170%")) << Panel(2);
  EXPECT_GT(LineHeight(), normal);

  // The settings keep the font as it is, whatever the zoom.
  ASSERT_TRUE(Keys({VK_CONTROL, 'E'}));
  ASSERT_TRUE(WaitFor([&] { return IniLines().size() >= 8; }));
  EXPECT_EQ(IniLines()[7], "9.75");
  EXPECT_EQ(IniLines().size(), 25u) << "the zoom is not stored";

  ASSERT_TRUE(Keys({VK_CONTROL, '0'}));
  EXPECT_TRUE(WaitPanel(2, "100%")) << "Ctrl+0: " << Panel(2);
  EXPECT_EQ(LineHeight(), normal);
  MenuEntry e;
  ASSERT_TRUE(probe().Find({"View", "Zoom", "Restore Default Zoom"}, &e));
  EXPECT_EQ(e.shortcut, "Ctrl+0");
}

TEST_F(View, StatusBarFollowsTheCaretAfterAKeyAndAClickAndNamesTheEncoding) {
  ASSERT_TRUE(StartVisible()) << last_error();
  EXPECT_TRUE(Panels().empty()) << "no status bar at first";
  EXPECT_FALSE(Checked({"View", "Status Bar"}));
  ASSERT_TRUE(SetNote(CrLfLines({"alpha", "beta gamma", "delta"})));
  ASSERT_TRUE(Select(0, 0));
  ASSERT_TRUE(ChooseMenu({"View", "Status Bar"})) << last_error();
  ASSERT_TRUE(WaitFor([&] { return Panels().size() == 4; }));
  EXPECT_EQ(Panels(), (std::vector<std::string>{"", "Ln 1, Col 1", "100%", "ANSI"}));
  EXPECT_TRUE(Checked({"View", "Status Bar"}));
  // The bar at the bottom, the note box over all the rest.
  WindowLayout lay;
  ASSERT_TRUE(probe().Layout(main_, &lay));
  const ControlLayout* bar = nullptr;
  const ControlLayout* box = nullptr;
  for (const ControlLayout& c : lay.controls) {
    if (c.class_name == "msctls_statusbar32") bar = &c;
    if (c.class_name == "Edit") box = &c;
  }
  ASSERT_TRUE(bar && box);
  EXPECT_EQ(bar->rect.bottom, lay.client.cy);
  EXPECT_EQ(box->rect.top, 0);
  EXPECT_EQ(box->rect.bottom, bar->rect.top);
  EXPECT_EQ(box->rect.right - box->rect.left, lay.client.cx);

  ASSERT_TRUE(BringToFront(main_));
  ASSERT_TRUE(Keys({VK_DOWN}));
  EXPECT_TRUE(WaitPanel(1, "Ln 2, Col 1")) << Panel(1);
  ASSERT_TRUE(Keys({VK_END}));
  EXPECT_TRUE(WaitPanel(1, "Ln 2, Col 11")) << Panel(1);

  // A click between "de" and "lta".
  const LRESULT third = SendMessageA(edit_, EM_LINEINDEX, 2, 0);
  const LRESULT l = SendMessageA(edit_, EM_POSFROMCHAR, third + 2, 0);
  const POINT at = {static_cast<short>(LOWORD(l)) + 1, static_cast<short>(HIWORD(l)) + 4};
  ASSERT_TRUE(ClickAt(edit_, at));
  ASSERT_TRUE(probe().Sync());
  EXPECT_TRUE(WaitPanel(1, "Ln 3, Col 3")) << Panel(1);

  // A Cyrillic letter typed: the note will be written as UTF-8; taken back: ANSI again.
  PostMessageW(edit_, WM_CHAR, 0x0416, 1);
  ASSERT_TRUE(probe().Sync());
  EXPECT_TRUE(WaitPanel(1, "Ln 3, Col 4")) << Panel(1);
  EXPECT_TRUE(WaitPanel(3, "UTF-8 with BOM")) << Panel(3);
  ASSERT_TRUE(Keys({VK_BACK}));
  EXPECT_TRUE(WaitPanel(3, "ANSI")) << Panel(3);

  // Alt+V, then S: the View menu's letters.
  ASSERT_TRUE(Keys({VK_MENU, 'V'}));
  ASSERT_TRUE(WaitFor([&] { return !probe().Read(kMenuOpenPopups).empty(); })) << "Alt+V opened no menu";
  ASSERT_TRUE(Keys({'S'}));
  ASSERT_TRUE(WaitFor([&] { return Panels().empty(); })) << "the bar stays";
  RECT client, r;
  GetClientRect(main_, &client);
  GetWindowRect(edit_, &r);
  EXPECT_EQ(r.bottom - r.top, client.bottom) << "the note box takes the bar's room back";
}

TEST_F(View, WordWrapOffGivesLongLinesAHorizontalScrollBarAndKeepsTextCaretAndTyping) {
  ASSERT_TRUE(StartVisible()) << last_error();
  std::string longLine;
  for (int i = 0; i < 40; ++i) longLine += "runs on ";
  const std::string text = CrLfLines({longLine, "second"});
  ASSERT_TRUE(SetNote(text));
  ASSERT_TRUE(Select(100, 100));
  EXPECT_TRUE(Checked({"View", "Word Wrap"})) << "on, as before";
  EXPECT_GT(SendMessageA(edit_, EM_GETLINECOUNT, 0, 0), 2);
  EXPECT_FALSE(GetWindowLongA(edit_, GWL_STYLE) & WS_HSCROLL);
  RECT wrappedClient;
  GetClientRect(edit_, &wrappedClient);

  const HWND old = edit_;
  ASSERT_TRUE(ChooseMenu({"View", "Word Wrap"})) << last_error();
  ASSERT_TRUE(WaitNewEdit(old)) << "no new note box";
  ASSERT_TRUE(probe().Sync());
  EXPECT_FALSE(IsWindow(old));
  EXPECT_FALSE(Checked({"View", "Word Wrap"}));
  EXPECT_EQ(SendMessageA(edit_, EM_GETLINECOUNT, 0, 0), 2) << "each line on one line of the box";
  EXPECT_TRUE(GetWindowLongA(edit_, GWL_STYLE) & WS_HSCROLL);
  RECT client;
  GetClientRect(edit_, &client);
  EXPECT_GE(wrappedClient.bottom - client.bottom, GetSystemMetrics(SM_CYHSCROLL) - 1) << "the scroll bar takes its room";
  EXPECT_EQ(NoteText(), text);
  EXPECT_EQ(Sel(), std::make_pair(100ul, 100ul));

  // Typing reaches the new box, and the note saved holds it.
  ASSERT_TRUE(TypeText(edit_, "X"));
  ASSERT_TRUE(probe().Sync());
  ASSERT_TRUE(BringToFront(main_));
  ASSERT_TRUE(Keys({VK_CONTROL, 'E'}));
  const std::string typed = text.substr(0, 100) + "X" + text.substr(100);
  EXPECT_TRUE(WaitFileText(NotePath(), typed)) << ReadFileOrMarker(NotePath());

  const HWND unwrapped = edit_;
  ASSERT_TRUE(ChooseMenu({"View", "Word Wrap"})) << last_error();
  ASSERT_TRUE(WaitNewEdit(unwrapped));
  ASSERT_TRUE(probe().Sync());
  EXPECT_GT(SendMessageA(edit_, EM_GETLINECOUNT, 0, 0), 2) << "wrapped again";
  EXPECT_FALSE(GetWindowLongA(edit_, GWL_STYLE) & WS_HSCROLL);
  EXPECT_EQ(Sel(), std::make_pair(101ul, 101ul));
}

TEST_F(View, StatusBarAndWordWrapSurviveARestartAndAFileWithoutThemGivesTodaysLook) {
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(ChooseMenu({"View", "Status Bar"})) << last_error();
  HWND old = edit_;
  ASSERT_TRUE(ChooseMenu({"View", "Word Wrap"})) << last_error();
  ASSERT_TRUE(WaitNewEdit(old));
  ASSERT_TRUE(ExitAndRestart()) << last_error();
  std::vector<std::string> lines = IniLines();
  ASSERT_EQ(lines.size(), 25u);
  EXPECT_EQ(lines[22], "-1") << "Status Bar";
  EXPECT_EQ(lines[23], "0") << "Word Wrap";
  EXPECT_TRUE(WaitFor([&] { return Panels().size() == 4; })) << "the status bar is back";
  EXPECT_TRUE(GetWindowLongA(edit_, GWL_STYLE) & WS_HSCROLL) << "long lines still run on";
  EXPECT_TRUE(Checked({"View", "Status Bar"}));
  EXPECT_FALSE(Checked({"View", "Word Wrap"}));

  // A file of the 22 lines of before: no status bar, lines wrap.
  ASSERT_TRUE(ChooseMenu({"File", "Exit"}));
  ASSERT_TRUE(WaitExit());
  lines.resize(22);
  ASSERT_TRUE(WriteFileBytes(SettingsPath(), CrLfLines(lines) + "\r\n"));
  probe_.reset();
  ASSERT_TRUE(StartVisible()) << last_error();
  EXPECT_TRUE(Panels().empty());
  EXPECT_FALSE(GetWindowLongA(edit_, GWL_STYLE) & WS_HSCROLL);
  EXPECT_TRUE(Checked({"View", "Word Wrap"}));
}

}  // namespace
}  // namespace e2e
