// Keyboard access to the menus: Alt and a menu's first letter opens it, an entry's first
// letter chooses it (or moves to the next of several sharing it), greyed entries are skipped;
// the same in the tray pop-up.
#include "PagewickFixture.h"

namespace e2e {
namespace {

constexpr UINT kTrayMessage = WM_APP + 1;

class MenuKeys : public PagewickTest {
 protected:
  HWND OpenPopupWindow() {
    WindowQuery q;
    q.pid = app_.pid();
    q.class_name = "#32768";
    q.visibility = Visibility::Visible;
    return FindTopWindow(q);
  }
  // Captions of the open menu, "|" after each; the highlighted one in brackets.
  std::string OpenMenu() {
    std::string s;
    for (const MenuEntry& e : probe().Read(kMenuOpenPopups)) {
      if (e.depth != 0 || e.separator) continue;
      s += e.highlighted ? "[" + e.caption + "]|" : e.caption + "|";
    }
    return s;
  }
  bool WaitMenuStartingWith(const std::string& first) {
    return WaitFor([&] { return OpenMenu().find(first) == 0 || OpenMenu().find("[" + first) == 0; });
  }
  bool WaitNoMenu() { return WaitFor([&] { return OpenPopupWindow() == nullptr; }); }
  bool Keys(const std::vector<WORD>& keys) { return PressKeys(keys) && probe().Sync(); }
  HWND WaitWindow(const std::string& caption, const char* cls = nullptr) {
    WindowQuery q;
    q.pid = app_.pid();
    q.caption = caption;
    if (cls) q.class_name = cls;
    q.visibility = Visibility::Visible;
    return WaitTopWindow(q);
  }
};

TEST_F(MenuKeys, AltLetterOpensItsMenuAndAFirstLetterChoosesTheEntry) {
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(SetNote("alpha beta"));
  SendMessageA(edit_, EM_SETSEL, 3, 3);
  ASSERT_TRUE(probe().Sync());
  ASSERT_TRUE(BringToFront(main_));

  ASSERT_TRUE(Keys({VK_MENU, 'F'}));
  ASSERT_TRUE(WaitMenuStartingWith("New")) << "Alt+F: " << OpenMenu();
  ASSERT_TRUE(Keys({VK_ESCAPE}));
  ASSERT_TRUE(Keys({VK_ESCAPE}));
  ASSERT_TRUE(WaitNoMenu());

  ASSERT_TRUE(Keys({VK_MENU, 'H'}));
  ASSERT_TRUE(WaitMenuStartingWith("Help Topics")) << "Alt+H: " << OpenMenu();
  ASSERT_TRUE(Keys({VK_ESCAPE}));
  ASSERT_TRUE(Keys({VK_ESCAPE}));
  ASSERT_TRUE(WaitNoMenu());

  // Alt+E, then S: Select All, the only entry beginning with S.
  ASSERT_TRUE(Keys({VK_MENU, 'E'}));
  ASSERT_TRUE(WaitMenuStartingWith("Undo")) << "Alt+E: " << OpenMenu();
  ASSERT_TRUE(Keys({'S'}));
  ASSERT_TRUE(WaitNoMenu()) << "S did not choose Select All: " << OpenMenu();
  EXPECT_TRUE(WaitFor([&] { return Sel() == std::make_pair(0ul, 10ul); }))
      << "selection " << Sel().first << "-" << Sel().second;

  // Alt+H, then A: About Pagewick.
  ASSERT_TRUE(Keys({VK_MENU, 'H'}));
  ASSERT_TRUE(WaitMenuStartingWith("Help Topics"));
  ASSERT_TRUE(Keys({'A'}));
  HWND about = WaitWindow("About Pagewick");
  EXPECT_NE(about, nullptr) << "A did not open the About window";
  if (about) PostMessageA(about, WM_CLOSE, 0, 0);
}

TEST_F(MenuKeys, SharedLettersMoveTheHighlightAndGreyedEntriesAreSkipped) {
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(SetNote("some text"));
  SendMessageA(edit_, EM_SETSEL, 0, 0);   // no selection: Cut, Copy and Delete are greyed
  ASSERT_TRUE(probe().Sync());
  ASSERT_TRUE(BringToFront(main_));

  ASSERT_TRUE(Keys({VK_MENU, 'E'}));
  ASSERT_TRUE(WaitMenuStartingWith("Undo")) << OpenMenu();
  const std::string before = OpenMenu();
  // D (Delete) and C (Cut, Copy) name only greyed entries: nothing happens.
  ASSERT_TRUE(Keys({'D'}));
  ASSERT_TRUE(Keys({'C'}));
  EXPECT_NE(OpenPopupWindow(), nullptr) << "the menu closed";
  EXPECT_EQ(OpenMenu(), before);
  EXPECT_EQ(NoteText(), "some text");

  // F: Find... and Font... share it; each press moves on, nothing opens until Enter.
  ASSERT_TRUE(Keys({'F'}));
  EXPECT_TRUE(WaitFor([&] { return OpenMenu().find("[Find...]") != std::string::npos; })) << OpenMenu();
  ASSERT_TRUE(Keys({'F'}));
  EXPECT_TRUE(WaitFor([&] { return OpenMenu().find("[Font...]") != std::string::npos; })) << OpenMenu();
  ASSERT_TRUE(Keys({'F'}));
  EXPECT_TRUE(WaitFor([&] { return OpenMenu().find("[Find...]") != std::string::npos; })) << OpenMenu();
  EXPECT_EQ(FindMessageBox(app_.pid(), "Find").hwnd, nullptr) << "Find opened without Enter";
  ASSERT_TRUE(Keys({VK_RETURN}));
  HWND find = WaitWindow("Find", "#32770");
  ASSERT_NE(find, nullptr) << "Enter on the highlighted Find... did not open it";
  PostMessageA(find, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitNoTopWindow({app_.pid(), "#32770", "Find", Visibility::Visible}));
}

TEST_F(MenuKeys, TrayPopupTakesFirstLetters) {
  ASSERT_TRUE(StartVisible()) << last_error();
  PostMessageA(main_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main_); }));
  // Wine hands the foreground to another window (its own tray window, which Windows does not
  // have) a moment after the main window hides; the click on the icon comes after that, as a
  // user's would, so the foreground the program takes for its menu is not taken back.
  WaitFor([&] { return GetForegroundWindow() != main_; }, 3000);
  ASSERT_TRUE(PostTrayNotification(main_, kTrayMessage, 1, WM_RBUTTONUP));
  ASSERT_TRUE(WaitMenuStartingWith("Restore")) << OpenMenu();
  const DWORD ui = GetWindowThreadProcessId(main_, nullptr);
  EXPECT_TRUE(WaitFor([&] { return GetWindowThreadProcessId(GetForegroundWindow(), nullptr) == ui; }))
      << "the program did not take the foreground for its menu";
  ASSERT_TRUE(PressKeys({'R'}));
  ASSERT_TRUE(WaitNoMenu()) << OpenMenu();
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main_) && !IsIconic(main_); })) << "R did not restore";
}

}  // namespace
}  // namespace e2e
