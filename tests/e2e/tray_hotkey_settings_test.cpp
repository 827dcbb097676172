// The tray icon, the window icons, the global hotkey with its dialog, and the settings file,
// against the real pagewick.exe.
#include <gtest/gtest.h>

#include "PagewickFixture.h"

namespace e2e {
namespace {

constexpr UINT kTrayMessage = WM_APP + 1;
const int kTwips = 15;   // per pixel at 96 dpi

std::vector<std::string> IniLines(const std::string& t) {
  std::vector<std::string> out;
  size_t pos = 0;
  while (pos < t.size()) {
    size_t end = t.find("\r\n", pos);
    if (end == std::string::npos) break;
    out.push_back(t.substr(pos, end - pos));
    pos = end + 2;
  }
  return out;
}

std::string IniText(int top, int left, int height, int width, const char* fontSize, const char* hotkey) {
  return "Window Position\r\n" + std::to_string(top) + "\r\n" + std::to_string(left) + "\r\n" +
         std::to_string(height) + "\r\n" + std::to_string(width) + "\r\n\r\nFont Settings\r\n" + fontSize +
         "\r\nTahoma\r\n0\r\n0\r\n\r\nTransparency\r\n0\r\n\r\nGlobal Hotkey\r\n" + hotkey;
}

// A 16 x 16 icon file, 32-bit colour, solid red.
std::string RedIcon() {
  std::string f;
  auto u16 = [&](unsigned v) { f += char(v & 0xFF); f += char((v >> 8) & 0xFF); };
  auto u32 = [&](unsigned v) { u16(v & 0xFFFF); u16(v >> 16); };
  const unsigned pixels = 16 * 16 * 4, mask = 16 * 4, size = 40 + pixels + mask;
  u16(0); u16(1); u16(1);
  f += char(16); f += char(16); f += char(0); f += char(0);
  u16(1); u16(32); u32(size); u32(22);
  u32(40); u32(16); u32(32); u16(1); u16(32); u32(0); u32(pixels + mask); u32(0); u32(0); u32(0); u32(0);
  for (int i = 0; i < 256; ++i) { f += char(0); f += char(0); f += char(0xFF); f += char(0xFF); }
  f += std::string(mask, '\0');
  return f;
}

class TraySuite : public PagewickTest {
 protected:
  void Launch() {
    ASSERT_TRUE(StartVisible()) << last_error();
    ASSERT_TRUE(probe().Sync());
  }

  void ExitAndWait() {
    ASSERT_TRUE(ChooseMenu({"File", "Exit"})) << last_error();
    DWORD code = 99;
    ASSERT_TRUE(WaitExit(kWaitMs, &code)) << "Exit did not end the program";
    probe_.reset();
  }

  RECT Rect() {
    RECT r{};
    GetWindowRect(main_, &r);
    return r;
  }

  HICON Icon(HWND w, WPARAM which) {
    uintptr_t big = 0, small = 0;
    EXPECT_TRUE(probe().Icons(w, &big, &small)) << "icon query of " << w;
    return reinterpret_cast<HICON>(which == ICON_BIG ? big : small);
  }

  HWND PopupMenuWindow() {
    WindowQuery q;
    q.pid = app_.pid();
    q.class_name = "#32768";
    q.visibility = Visibility::Visible;
    return FindTopWindow(q);
  }

  HWND OpenHotkeyDialog() {
    EXPECT_TRUE(ChooseMenu({"File", "Global Hoktey..."})) << last_error();
    WindowQuery q;
    q.pid = app_.pid();
    q.caption = "Global Hotkey";
    q.visibility = Visibility::Visible;
    return WaitTopWindow(q);
  }

};

TEST_F(TraySuite, NotificationsActOnlyWhileHiddenAndThePopupExitSaves) {
  Launch();
  // Visible: a left press and a right release do nothing.
  ASSERT_TRUE(PostTrayNotification(main_, kTrayMessage, 1, WM_RBUTTONUP));
  ASSERT_TRUE(PostTrayNotification(main_, kTrayMessage, 1, WM_LBUTTONDOWN));
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(PopupMenuWindow(), nullptr);
  EXPECT_TRUE(IsShown(main_));

  // Minimise: the window and its task-list entry go.
  PostMessageA(main_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main_); })) << "minimise did not hide";
  EXPECT_EQ(GetWindowLongA(main_, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);

  // Other mouse messages do nothing; a left press restores to normal.
  ASSERT_TRUE(PostTrayNotification(main_, kTrayMessage, 1, WM_MOUSEMOVE));
  ASSERT_TRUE(PostTrayNotification(main_, kTrayMessage, 1, WM_LBUTTONDBLCLK));
  ASSERT_TRUE(probe().Sync());
  EXPECT_FALSE(IsWindowVisible(main_));
  ASSERT_TRUE(PostTrayNotification(main_, kTrayMessage, 1, WM_LBUTTONDOWN));
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main_) != 0; })) << "left press did not restore";
  EXPECT_FALSE(IsIconic(main_));
  EXPECT_FALSE(IsZoomed(main_));

  // Hidden again, a right release opens Restore / Exit; Exit saves the note and settings.
  PostMessageA(main_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main_); }));
  ASSERT_TRUE(PostTrayNotification(main_, kTrayMessage, 1, WM_RBUTTONUP));
  ASSERT_TRUE(WaitFor([&] { return PopupMenuWindow() != nullptr; })) << "no pop-up menu";
  std::vector<MenuEntry> open = probe().Read(kMenuOpenPopups);
  std::string captions;
  for (const MenuEntry& e : open) captions += e.caption + "|";
  EXPECT_EQ(captions, "Restore|Exit|") << FormatMenu(open);
  ASSERT_TRUE(probe().ChooseInOpenPopup("Exit")) << probe().error();
  DWORD code = 99;
  ASSERT_TRUE(app_.WaitExit(kWaitMs, &code));
  std::string ini;
  ASSERT_TRUE(ReadFileBytes(SettingsPath(), &ini));
  EXPECT_EQ(IniLines(ini).size(), 25u);
  EXPECT_TRUE(FileExists(NotePath()));
}

TEST_F(TraySuite, IconFileReplacesEverySmallIconButNotTheBigOne) {
  Launch();
  HWND owner = GetWindow(main_, GW_OWNER);
  ASSERT_NE(owner, nullptr);
  EXPECT_NE(Icon(main_, ICON_BIG), nullptr);
  EXPECT_EQ(Icon(main_, ICON_SMALL), Icon(owner, ICON_SMALL)) << "without the file: built-in";
  ExitAndWait();

  ASSERT_TRUE(WriteFileBytes(Folder() + "\\pagewick.ico", RedIcon()));
  Launch();
  owner = GetWindow(main_, GW_OWNER);
  HICON small = Icon(main_, ICON_SMALL);
  EXPECT_NE(small, nullptr);
  EXPECT_NE(small, Icon(owner, ICON_SMALL)) << "the main window's small icon is the file's";
  EXPECT_EQ(Icon(main_, ICON_BIG), Icon(owner, ICON_BIG)) << "the big icon stays built-in";

  HWND dialog = OpenHotkeyDialog();
  ASSERT_NE(dialog, nullptr);
  HICON dsmall = Icon(dialog, ICON_SMALL);
  EXPECT_NE(dsmall, nullptr);
  EXPECT_NE(dsmall, Icon(owner, ICON_SMALL)) << "the dialog's small icon is the file's";
  EXPECT_EQ(Icon(dialog, ICON_BIG), Icon(owner, ICON_BIG));
  ExitAndWait();
}

TEST_F(TraySuite, HotkeyPressedAsAUserWouldShowsAndHides) {
  // Ctrl+Alt+F9, enabled.
  ASSERT_TRUE(WriteFileBytes(SettingsPath(),
                             IniText(1500, 1500, 6000, 7000, "9.75", "-1\r\n-1\r\n-1\r\n0\r\n120\r\n0\r\n")));
  Launch();
  ASSERT_TRUE(PressKeys({VK_CONTROL, VK_MENU, VK_F9}));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main_); })) << "the hotkey did not hide the window";
  ASSERT_TRUE(PressKeys({VK_CONTROL, VK_MENU, VK_F9}));
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main_) != 0; })) << "the hotkey did not show the window";
  EXPECT_FALSE(IsIconic(main_));
  EXPECT_TRUE(MessageBoxesOf(app_.pid()).empty());
  ExitAndWait();
}

TEST_F(TraySuite, DialogRejectsNoModifierAndEscCloses) {
  Launch();
  HWND dialog = OpenHotkeyDialog();
  ASSERT_NE(dialog, nullptr);
  HWND ctrl = FindChild(dialog, "Button", "CTRL");
  HWND shift = FindChild(dialog, "Button", "Shift");
  HWND activate = FindChild(dialog, "Button", "Activate Hotkey");
  ASSERT_TRUE(ctrl && shift && activate);
  EXPECT_EQ(SendMessageA(ctrl, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(GetText(FindChild(dialog, "Edit")), "S");
  SendMessageA(ctrl, BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageA(shift, BM_SETCHECK, BST_UNCHECKED, 0);
  PostMessageA(activate, BM_CLICK, 0, 0);
  MessageBoxInfo box = WaitMessageBox(app_.pid(), "Pagewick", "Invalid Hotkey combination...");
  ASSERT_NE(box.hwnd, nullptr);
  EXPECT_EQ(box.text, "Invalid Hotkey combination...");
  ASSERT_TRUE(ClickDialogButton(box.hwnd, IDOK));

  // Esc in the modeless dialog closes it.
  PostMessageA(ctrl, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageA(ctrl, WM_KEYUP, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); })) << "Esc did not close the dialog";
  ExitAndWait();
}

TEST_F(TraySuite, BoundsSurviveRestartsForNormalMaximisedAndHiddenWindows) {
  Launch();
  SetWindowPos(main_, nullptr, 100, 80, 500, 400, SWP_NOZORDER);
  ASSERT_TRUE(probe().Sync());
  ExitAndWait();
  std::vector<std::string> ini;
  std::string text;
  ASSERT_TRUE(ReadFileBytes(SettingsPath(), &text));
  ini = IniLines(text);
  ASSERT_EQ(ini.size(), 25u);
  EXPECT_EQ(ini[1], std::to_string(80 * kTwips));
  EXPECT_EQ(ini[2], std::to_string(100 * kTwips));
  EXPECT_EQ(ini[3], std::to_string(400 * kTwips));
  EXPECT_EQ(ini[4], std::to_string(500 * kTwips));
  EXPECT_EQ(ini[7], "9.75");

  Launch();
  RECT r = Rect();
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 80);
  EXPECT_EQ(r.right - r.left, 500);
  EXPECT_EQ(r.bottom - r.top, 400);

  // Maximised: the maximised bounds are stored, the next start is a normal window with them.
  ShowWindow(main_, SW_MAXIMIZE);
  ASSERT_TRUE(WaitFor([&] { return IsZoomed(main_) != 0; }));
  const RECT max = Rect();
  ExitAndWait();
  Launch();
  EXPECT_FALSE(IsZoomed(main_));
  r = Rect();
  EXPECT_EQ(r.left, max.left);
  EXPECT_EQ(r.right - r.left, max.right - max.left);
  EXPECT_EQ(r.bottom - r.top, max.bottom - max.top);

  // In the tray: the normal bounds are stored.
  SetWindowPos(main_, nullptr, 120, 90, 450, 350, SWP_NOZORDER);
  ASSERT_TRUE(probe().Sync());
  PostMessageA(main_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main_); }));
  ExitAndWait();
  ASSERT_TRUE(ReadFileBytes(SettingsPath(), &text));
  ini = IniLines(text);
  ASSERT_EQ(ini.size(), 25u);
  EXPECT_EQ(ini[1], std::to_string(90 * kTwips));
  EXPECT_EQ(ini[2], std::to_string(120 * kTwips));
  EXPECT_EQ(ini[3], std::to_string(350 * kTwips));
  EXPECT_EQ(ini[4], std::to_string(450 * kTwips));
}

TEST_F(TraySuite, HandEditedGarbageLineStillStarts) {
  ASSERT_TRUE(WriteFileBytes(SettingsPath(),
                             IniText(1200, 1800, 6000, 7500, "big", "0\r\n-1\r\n0\r\n-1\r\n83\r\n0\r\n")));
  Launch();
  RECT r = Rect();
  EXPECT_EQ(r.top, 1200 / kTwips);
  EXPECT_EQ(r.left, 1800 / kTwips);
  EXPECT_EQ(r.right - r.left, 7500 / kTwips);
  EXPECT_TRUE(MessageBoxesOf(app_.pid()).empty());
  ExitAndWait();
  std::string text;
  ASSERT_TRUE(ReadFileBytes(SettingsPath(), &text));
  std::vector<std::string> ini = IniLines(text);
  ASSERT_EQ(ini.size(), 25u);
  EXPECT_EQ(ini[7], "9.75") << "the bad line is written back with the font in use";
}

}  // namespace
}  // namespace e2e
