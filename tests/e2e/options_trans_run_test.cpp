// Transparency (the dialog, the layered main window, the value across restarts) and Run at
// Startup (the Run value in the registry and the menu mark), against the real pagewick.exe.
#include <gtest/gtest.h>

#include <commctrl.h>

#include "PagewickFixture.h"

namespace e2e {
namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string IniLine14(const std::string& path) {
  std::string t;
  if (!ReadFileBytes(path, &t)) return "<missing>";
  size_t pos = 0;
  for (int i = 0; i < 13; ++i) {
    pos = t.find("\r\n", pos);
    if (pos == std::string::npos) return "<short>";
    pos += 2;
  }
  return t.substr(pos, t.find("\r\n", pos) - pos);
}

std::string IniWithTransparency(const std::string& value) {
  return "Window Position\r\n1500\r\n1500\r\n6000\r\n7000\r\n\r\nFont Settings\r\n9.75\r\nTahoma\r\n0\r\n0\r\n\r\n"
         "Transparency\r\n" + value + "\r\n\r\nGlobal Hotkey\r\n0\r\n-1\r\n0\r\n-1\r\n83\r\n0\r\n";
}

class OptionsSuite : public PagewickTest {
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

  UiProbe::LayeredInfo Layer(HWND w) {
    UiProbe::LayeredInfo info;
    EXPECT_TRUE(probe().Layered(w, &info)) << "layered query of " << w;
    return info;
  }

  bool Checked(const std::vector<std::string>& path) {
    MenuEntry e;
    EXPECT_TRUE(probe().Find(path, &e, true)) << "no menu entry";
    return e.checked;
  }

  // The Transparency dialog, opened from the menu, with its slider, value label and button.
  struct Dialog {
    HWND window = nullptr, slider = nullptr, button = nullptr;
  };
  Dialog OpenDialog() {
    Dialog d;
    EXPECT_TRUE(ChooseMenu({"File", "Transparency..."})) << last_error();
    WindowQuery q;
    q.pid = app_.pid();
    q.caption = "Transparency";
    q.visibility = Visibility::Visible;
    d.window = WaitTopWindow(q);
    if (!d.window) return d;
    d.slider = FindChild(d.window, TRACKBAR_CLASSA);
    d.button = FindChild(d.window, "Button", "Set Transparency");
    return d;
  }
  // The label that follows the slider: the one Static whose text ends with "%".
  std::string ValueLabel(HWND dialog) {
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      if (ClassOf(c) != "Static") continue;
      std::string t = GetText(c);
      if (!t.empty() && t.back() == '%') return t;
    }
    return "<none>";
  }
  int SliderPos(const Dialog& d) { return static_cast<int>(SendMessageA(d.slider, TBM_GETPOS, 0, 0)); }
  // Keys as the keyboard gives them to the focused slider (through the dialog manager).
  void Key(HWND target, WPARAM vk, int times = 1) {
    for (int i = 0; i < times; ++i) {
      PostMessageA(target, WM_KEYDOWN, vk, 0);
      PostMessageA(target, WM_KEYUP, vk, 0xC0000000);
    }
    EXPECT_TRUE(probe().Sync());
  }
};

TEST_F(OptionsSuite, TransparencySetAt30LayersTheWindowAndSurvivesExitAndRestart) {
  Launch();
  EXPECT_EQ(Layer(main_).ex_style & WS_EX_LAYERED, 0u) << "no settings: opaque, not layered";
  Dialog d = OpenDialog();
  ASSERT_TRUE(d.window && d.slider && d.button);
  EXPECT_EQ(GetWindow(d.window, GW_OWNER), main_);
  const LONG style = GetWindowLongA(d.window, GWL_STYLE);
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
  EXPECT_EQ(GetWindowLongA(d.window, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
  RECT client{}, me{}, owner{};
  GetClientRect(d.window, &client);
  EXPECT_EQ(client.right, 3945 / 15);
  EXPECT_EQ(client.bottom, 1425 / 15);
  GetWindowRect(d.window, &me);
  GetWindowRect(main_, &owner);
  EXPECT_NEAR((me.left + me.right) / 2, (owner.left + owner.right) / 2, 2) << "centred on its owner";
  EXPECT_NEAR((me.top + me.bottom) / 2, (owner.top + owner.bottom) / 2, 2);
  EXPECT_NE(FindChild(d.window, "Static", "Transparency value:"), nullptr);
  EXPECT_EQ(SendMessageA(d.slider, TBM_GETRANGEMIN, 0, 0), 10);
  EXPECT_EQ(SendMessageA(d.slider, TBM_GETRANGEMAX, 0, 0), 100);
  EXPECT_EQ(SliderPos(d), 100);
  EXPECT_EQ(ValueLabel(d.window), "0%");

  // The keyboard starts on the slider; Tab goes to the button and back.
  EXPECT_TRUE(WaitFor([&] { return Focus() == d.slider; })) << "focus on " << ClassOf(Focus());
  Key(d.slider, VK_TAB);
  EXPECT_TRUE(WaitFor([&] { return Focus() == d.button; })) << "focus on " << ClassOf(Focus());
  Key(d.button, VK_TAB);
  EXPECT_TRUE(WaitFor([&] { return Focus() == d.slider; })) << "focus on " << ClassOf(Focus());

  // Page Up three times: 70% opacity, the label follows, the window does not yet.
  Key(d.slider, VK_PRIOR, 3);
  EXPECT_EQ(SliderPos(d), 70);
  EXPECT_EQ(ValueLabel(d.window), "30%");
  EXPECT_EQ(Layer(main_).ex_style & WS_EX_LAYERED, 0u);

  PostMessageA(d.button, BM_CLICK, 0, 0);
  ASSERT_TRUE(probe().Sync());
  UiProbe::LayeredInfo l = Layer(main_);
  EXPECT_NE(l.ex_style & WS_EX_LAYERED, 0u);
  EXPECT_TRUE(l.has_attributes);
  EXPECT_EQ(l.alpha, 178);
  EXPECT_EQ(l.flags, static_cast<DWORD>(LWA_ALPHA));
  EXPECT_TRUE(IsWindow(d.window) && IsWindowVisible(d.window)) << "the dialog stays open";
  EXPECT_TRUE(MessageBoxesOf(app_.pid()).empty());
  ExitAndWait();
  EXPECT_EQ(IniLine14(SettingsPath()), "30");

  Launch();
  l = Layer(main_);
  EXPECT_NE(l.ex_style & WS_EX_LAYERED, 0u) << "applied at start";
  EXPECT_EQ(l.alpha, 178);
  d = OpenDialog();
  ASSERT_TRUE(d.window && d.slider);
  EXPECT_EQ(SliderPos(d), 70);
  EXPECT_EQ(ValueLabel(d.window), "30%");
  // Esc closes it.
  Key(d.slider, VK_ESCAPE);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(d.window); })) << "Esc did not close the dialog";
  ExitAndWait();
}

TEST_F(OptionsSuite, TransparencyZeroFromTheDialogIsOpaqueAndAfterARestartNotLayered) {
  ASSERT_TRUE(WriteFileBytes(SettingsPath(), IniWithTransparency("50")));
  Launch();
  EXPECT_EQ(Layer(main_).alpha, 127);
  Dialog d = OpenDialog();
  ASSERT_TRUE(d.window && d.slider && d.button);
  EXPECT_EQ(SliderPos(d), 50);
  EXPECT_EQ(ValueLabel(d.window), "50%");
  Key(d.slider, VK_END);   // the right end: 0%
  EXPECT_EQ(SliderPos(d), 100);
  EXPECT_EQ(ValueLabel(d.window), "0%");
  // Enter presses "Set Transparency".
  Key(d.slider, VK_RETURN);
  UiProbe::LayeredInfo l = Layer(main_);
  EXPECT_NE(l.ex_style & WS_EX_LAYERED, 0u) << "stays layered for the rest of the run";
  EXPECT_EQ(l.alpha, 255);
  ExitAndWait();
  EXPECT_EQ(IniLine14(SettingsPath()), "0");
  Launch();
  EXPECT_EQ(Layer(main_).ex_style & WS_EX_LAYERED, 0u);
  ExitAndWait();
}

TEST_F(OptionsSuite, TransparencyMovedButNotSetShowsTheStoredValueWhenTheDialogIsActiveAgain) {
  ASSERT_TRUE(WriteFileBytes(SettingsPath(), IniWithTransparency("40")));
  Launch();
  Dialog d = OpenDialog();
  ASSERT_TRUE(d.window && d.slider);
  EXPECT_EQ(SliderPos(d), 60);
  Key(d.slider, VK_RIGHT, 5);
  EXPECT_EQ(SliderPos(d), 65);
  EXPECT_EQ(ValueLabel(d.window), "35%");
  EXPECT_EQ(Layer(main_).alpha, 153) << "moving the slider does not change the window";
  // The main window becomes active, then the dialog again.
  ASSERT_TRUE(BringToFront(main_));
  ASSERT_TRUE(probe().Sync());
  ASSERT_TRUE(ChooseMenu({"File", "Transparency..."})) << last_error();
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(TopWindowsOfProcess(app_.pid(), Visibility::Visible).size(), 2u) << "one dialog at a time";
  EXPECT_TRUE(WaitFor([&] { return SliderPos(d) == 60; }));
  EXPECT_EQ(ValueLabel(d.window), "40%");
  ExitAndWait();
  EXPECT_EQ(IniLine14(SettingsPath()), "40");
}

TEST_F(OptionsSuite, TransparencyFromAnEditedFileStaysVisibleAndIsWrittenBackAsTheProgramWouldWriteIt) {
  ASSERT_TRUE(WriteFileBytes(SettingsPath(), IniWithTransparency("250")));
  Launch();
  UiProbe::LayeredInfo l = Layer(main_);
  EXPECT_NE(l.ex_style & WS_EX_LAYERED, 0u);
  EXPECT_EQ(l.alpha, 26) << "held to 90%";
  EXPECT_TRUE(MessageBoxesOf(app_.pid()).empty());
  ExitAndWait();
  EXPECT_EQ(IniLine14(SettingsPath()), "90");
}

// ---- Run at Startup ---------------------------------------------------------------------------

class RunAtStartupSuite : public OptionsSuite {
 protected:
  void SetUp() override {
    OptionsSuite::SetUp();
    DeleteRunValue();
  }
  void TearDown() override {
    DeleteRunValue();
    OptionsSuite::TearDown();
  }
  static void DeleteRunValue() {
    HKEY k;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &k) == ERROR_SUCCESS) {
      RegDeleteValueA(k, "Pagewick");
      RegCloseKey(k);
    }
  }
  static void WriteRunValue(const std::string& text) {
    HKEY k;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &k), ERROR_SUCCESS);
    RegSetValueExA(k, "Pagewick", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(k);
  }
  // The stored bytes as they are (type, size with the null), or false when missing.
  static bool ReadRunValue(DWORD* type, std::string* bytes) {
    HKEY k;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS) return false;
    char buf[2048];
    DWORD size = sizeof buf;
    LONG r = RegQueryValueExA(k, "Pagewick", nullptr, type, reinterpret_cast<BYTE*>(buf), &size);
    RegCloseKey(k);
    if (r != ERROR_SUCCESS) return false;
    bytes->assign(buf, size);
    return true;
  }
  // `reg query` as a user would run it: exit code 0 when the value exists, 1 when not.
  int RegQuery() {
    Process reg;
    if (!reg.Start("C:\\windows\\system32\\reg.exe", std::string("query \"HKCU\\") + kRunKey + "\" /v Pagewick"))
      return -1;
    DWORD code = 99;
    if (!reg.WaitExit(30000, &code)) return -1;
    return static_cast<int>(code);
  }
  std::string Own() { return "\"" + Folder() + "\\pagewick.exe\" /background"; }
};

TEST_F(RunAtStartupSuite, CheckingWritesTheExactValueTheMarkSurvivesARestartAndUncheckingRemovesIt) {
  Launch();
  EXPECT_FALSE(Checked({"File", "Run at Startup"}));
  ASSERT_TRUE(ChooseMenu({"File", "Run at Startup"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  EXPECT_TRUE(Checked({"File", "Run at Startup"}));
  DWORD type = 0;
  std::string bytes;
  ASSERT_TRUE(ReadRunValue(&type, &bytes));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(bytes, Own() + '\0') << "the text and one terminating null";
  EXPECT_EQ(RegQuery(), 0);
  ExitAndWait();

  Launch();
  EXPECT_TRUE(Checked({"File", "Run at Startup"})) << "the mark follows the stored value";
  ASSERT_TRUE(ChooseMenu({"File", "Run at Startup"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  EXPECT_FALSE(Checked({"File", "Run at Startup"}));
  EXPECT_FALSE(ReadRunValue(&type, &bytes));
  EXPECT_EQ(RegQuery(), 1);
  EXPECT_TRUE(MessageBoxesOf(app_.pid()).empty());
  ExitAndWait();
}

TEST_F(RunAtStartupSuite, AValueWithAnotherCommandLineLeavesTheMarkOffAndAClickWritesOurOwn) {
  WriteRunValue("\"" + Folder() + "\\pagewick.exe\"");   // someone else's: no switch
  Launch();
  EXPECT_FALSE(Checked({"File", "Run at Startup"}));
  ASSERT_TRUE(ChooseMenu({"File", "Run at Startup"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  EXPECT_TRUE(Checked({"File", "Run at Startup"}));
  DWORD type = 0;
  std::string bytes;
  ASSERT_TRUE(ReadRunValue(&type, &bytes));
  EXPECT_EQ(bytes, Own() + '\0');
  ExitAndWait();
}

}  // namespace
}  // namespace e2e
