// The driver itself, proven against Wine's own notepad.exe, so that a failure in the Pagewick
// suites points at the program and not at the harness.
#include <gtest/gtest.h>

#include "driver/Driver.h"

using namespace e2e;

namespace {

const char kNotepad[] = "C:\\windows\\system32\\notepad.exe";

class Harness : public ::testing::Test {
 protected:
  void SetUp() override {
    KillProcessesNamed("notepad.exe");
    ASSERT_TRUE(app_.Start(kNotepad, "")) << LastErrorText();
    WindowQuery q;
    q.pid = app_.pid();
    q.class_name = "Notepad";
    q.visibility = Visibility::Visible;
    main_ = WaitTopWindow(q);
    ASSERT_NE(main_, nullptr) << "notepad showed no window";
    edit_ = FindChild(main_, "Edit");
    ASSERT_NE(edit_, nullptr);
  }
  void TearDown() override { app_.Kill(); }

  Process app_;
  HWND main_ = nullptr;
  HWND edit_ = nullptr;
};

TEST_F(Harness, FindsWindowsAndMovesTextBothWays) {
  // Several lines, bytes above 127, no final line break.
  const std::string text = "first line\r\nzweite Zeile \xE4\xF6\xFC\xDF \xA9\r\nlast";
  ASSERT_TRUE(SetText(edit_, text));
  EXPECT_EQ(GetText(edit_), text);
  EXPECT_EQ(GetTextLength(edit_), text.size());

  UiProbe probe(main_);
  ASSERT_TRUE(probe.ok()) << probe.error();
  SendMessageA(edit_, EM_SETSEL, text.size(), text.size());
  ASSERT_TRUE(TypeText(edit_, "!\n?"));
  ASSERT_TRUE(probe.Sync());
  EXPECT_EQ(GetText(edit_).substr(text.size()), "!\r\n?") << "typed characters land at the caret";
  DWORD start = 0, end = 0;
  ASSERT_TRUE(probe.Selection(&start, &end));
  EXPECT_EQ(start, text.size() + 4);
  EXPECT_EQ(end, start);
}

TEST_F(Harness, LargeTextCrossesProcesses) {
  std::string big;
  for (int i = 0; big.size() < 2 * 1024 * 1024; ++i) big += "line " + std::to_string(i) + " \xE9t\xE9\r\n";
  UiProbe probe(main_);
  ASSERT_TRUE(probe.SetEditText(big)) << probe.error();
  ASSERT_EQ(GetTextLength(edit_), big.size());
  EXPECT_TRUE(GetText(edit_) == big);
}

TEST_F(Harness, ProbeReadsMenuBarWithIdsAndShortcuts) {
  UiProbe probe(main_);
  ASSERT_TRUE(probe.ok()) << probe.error();
  std::vector<MenuEntry> menu = probe.Read();
  ASSERT_FALSE(menu.empty()) << probe.error();
  MenuEntry exit, undo, file;
  ASSERT_TRUE(probe.Find({"File", "Exit"}, &exit)) << FormatMenu(menu);
  EXPECT_NE(exit.id, 0u);
  EXPECT_EQ(exit.depth, 1);
  ASSERT_TRUE(probe.Find({"File"}, &file));
  EXPECT_TRUE(file.popup);
  EXPECT_EQ(file.position, 0);
  ASSERT_TRUE(probe.Find({"Edit", "Undo"}, &undo)) << FormatMenu(menu);
  EXPECT_EQ(undo.shortcut, "Ctrl+Z");
  int separators = 0;
  for (const MenuEntry& e : menu) separators += e.separator;
  EXPECT_GT(separators, 0);
  EXPECT_FALSE(probe.Find({"File", "No Such Entry"}, nullptr));
}

TEST_F(Harness, MenuStateFollowsTheProgramsOwnInitialisation) {
  UiProbe probe(main_);
  ASSERT_TRUE(probe.ok()) << probe.error();
  MenuEntry undo;
  ASSERT_TRUE(probe.Find({"Edit", "Undo"}, &undo, true));
  EXPECT_FALSE(undo.enabled) << "nothing to undo in a fresh notepad";
  ASSERT_TRUE(TypeText(edit_, "abc"));
  ASSERT_TRUE(probe.Sync());
  ASSERT_TRUE(probe.Find({"Edit", "Undo"}, &undo, true));
  EXPECT_TRUE(undo.enabled) << "WM_INITMENUPOPUP ran in the program and enabled Undo";

  MenuEntry wrap;
  ASSERT_TRUE(probe.Find({"Edit", "Wrap long lines"}, &wrap, true)) << FormatMenu(probe.Read());
  bool before = wrap.checked;
  ASSERT_TRUE(probe.Choose({"Edit", "Wrap long lines"})) << probe.error();
  ASSERT_TRUE(probe.Sync());
  ASSERT_TRUE(probe.Find({"Edit", "Wrap long lines"}, &wrap, true));
  EXPECT_NE(wrap.checked, before) << "choosing a menu entry ran its command";
  EXPECT_FALSE(probe.Choose({"Edit", "Nothing"}));
}

TEST_F(Harness, MessageBoxIsFoundReadAndAnswered) {
  UiProbe probe(main_);
  ASSERT_TRUE(probe.ok()) << probe.error();
  ASSERT_TRUE(TypeText(edit_, "changed"));
  ASSERT_TRUE(probe.Sync());
  ASSERT_TRUE(probe.Choose({"File", "Exit"})) << probe.error();
  MessageBoxInfo box = WaitMessageBox(app_.pid(), "Notepad");
  ASSERT_NE(box.hwnd, nullptr) << "no save prompt";
  EXPECT_NE(box.text.find("Untitled"), std::string::npos) << box.text;
  EXPECT_EQ(GetWindow(box.hwnd, GW_OWNER), main_);
  ASSERT_TRUE(ClickDialogButton(box.hwnd, IDNO));
  DWORD code = 1234;
  ASSERT_TRUE(app_.WaitExit(kWaitMs, &code));
  EXPECT_EQ(code, 0u);
}

TEST_F(Harness, OpenPopupMenuIsReadAndChosenByCaption) {
  ASSERT_TRUE(SetText(edit_, "select me"));
  UiProbe probe(main_);
  ASSERT_TRUE(probe.ok()) << probe.error();
  PostMessageA(edit_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit_), MAKELPARAM(100, 100));
  std::vector<MenuEntry> popup;
  ASSERT_TRUE(WaitFor([&] { return !(popup = probe.Read(kMenuOpenPopups)).empty(); }));
  bool has_select_all = false;
  for (const MenuEntry& e : popup) has_select_all |= e.caption == "Select All";
  ASSERT_TRUE(has_select_all) << FormatMenu(popup);
  ASSERT_TRUE(probe.ChooseInOpenPopup("Select All")) << probe.error();
  DWORD start = 1, end = 0;
  ASSERT_TRUE(WaitFor([&] { return probe.Selection(&start, &end) && end == 9; }));
  EXPECT_EQ(start, 0u);
}

TEST_F(Harness, FilesAttributesAndUnixCommands) {
  TempFolder dir("harness");
  ASSERT_FALSE(dir.path().empty());
  std::string f = dir.File("a.txt");
  ASSERT_TRUE(WriteFileBytes(f, std::string("x\0y\r\n", 5)));
  std::string back;
  ASSERT_TRUE(ReadFileBytes(f, &back));
  EXPECT_EQ(back, std::string("x\0y\r\n", 5));
  EXPECT_EQ(FileSize(f), 5);
  ASSERT_TRUE(SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(FileAttributes(f) & 3u, 3u);
  EXPECT_EQ(FileSize(dir.File("missing")), -1);
  EXPECT_EQ(ToWindowsPath("/tmp/a/b"), "Z:\\tmp\\a\\b");
  EXPECT_EQ(RunUnix("exit 7"), 7);
}

}  // namespace
