// Process start-up: the first-run manifest and relaunch, the single instance, the background
// switch.
#include "PagewickFixture.h"

namespace e2e {
namespace {

class Startup : public PagewickTest {
 protected:
  // The process `parent` started, once it exists.
  DWORD WaitChildOf(DWORD parent) {
    DWORD child = 0;
    WaitFor([&] {
      for (const ProcessInfo& p : ListProcesses())
        if (p.parent == parent && p.pid != parent) child = p.pid;
      return child != 0;
    });
    return child;
  }

  // Runs the first start from a folder without manifest and checks what the first process did.
  // Returns the relaunched process's main window, shown or (with "/background") hidden.
  HWND FirstRun(const std::string& args, Visibility shown = Visibility::Visible) {
    EXPECT_TRUE(RemoveManifest());
    EXPECT_TRUE(Start(args)) << last_error();
    DWORD first = app_.pid();
    bool first_showed_window = false;
    DWORD code = 0;
    bool ended = WaitFor([&] {
      if (!TopWindowsOfProcess(first, Visibility::Visible).empty()) first_showed_window = true;
      return app_.WaitExit(0, &code);
    });
    EXPECT_TRUE(ended) << "the first run did not end";
    EXPECT_EQ(code, 1u) << "the first run ends with exit code 1";
    EXPECT_FALSE(first_showed_window) << "the first run shows no window";

    DWORD child = WaitChildOf(first);
    EXPECT_NE(child, 0u) << "no relaunched process";
    if (!child) return nullptr;
    EXPECT_TRUE(app_.Attach(child));
    HWND w = WaitMainWindow(child, shown);
    EXPECT_NE(w, nullptr) << "the relaunched program has its main window";
    return w;
  }
};

TEST_F(Startup, FirstRunWritesManifestAndRelaunches) {
  HWND w = FirstRun("");
  ASSERT_NE(w, nullptr);
  std::string manifest = ReadFileOrMarker(ManifestPath());
  EXPECT_EQ(manifest, kManifestText);
  // 16 lines, each ended by CR LF, with these leading spaces.
  const size_t indent[] = {0, 0, 0, 0, 0, 3, 6, 11, 11, 11, 11, 9, 6, 3, 0, 0};
  std::vector<std::string> lines;
  size_t pos = 0;
  for (size_t crlf; (crlf = manifest.find("\r\n", pos)) != std::string::npos; pos = crlf + 2)
    lines.push_back(manifest.substr(pos, crlf - pos));
  EXPECT_EQ(pos, manifest.size()) << "nothing after the last CR LF";
  ASSERT_EQ(lines.size(), 16u);
  for (size_t i = 0; i < lines.size(); ++i)
    EXPECT_EQ(lines[i].find_first_not_of(' '), indent[i]) << "line " << i + 1 << ": " << lines[i];
  EXPECT_EQ(lines[15], "</assembly>");
  DWORD attr = FileAttributes(ManifestPath());
  ASSERT_NE(attr, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attr & FILE_ATTRIBUTE_READONLY) << std::hex << attr;
  EXPECT_TRUE(attr & FILE_ATTRIBUTE_HIDDEN) << std::hex << attr;
}

// A logon start after the manifest was removed: the fresh copy gets "/background" too and
// stays in the tray.
TEST_F(Startup, FirstRunWithBackgroundRelaunchesStillHidden) {
  HWND w = FirstRun("/background", Visibility::Any);
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(Adopt(w)) << last_error();
  ASSERT_TRUE(probe().Sync());   // start-up is over
  EXPECT_FALSE(IsShown(main_));
  EXPECT_TRUE(TopWindowsOfProcess(app_.pid(), Visibility::Visible).empty()) << "no window of the program shows";
  EXPECT_EQ(ReadFileOrMarker(ManifestPath()), kManifestText);
  ASSERT_TRUE(ChooseMenu({"File", "Exit"}));
  EXPECT_TRUE(WaitExit());
}

// The fresh copy cannot be started (here the exe was moved away between the start and the
// relaunch): the first process goes on, so the user is not left with nothing running.
TEST_F(Startup, FirstRunGoesOnWhenTheFreshCopyCannotStart) {
  ASSERT_TRUE(RemoveManifest());
  std::string cmd = "\"" + ExePath() + "\" /background";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(CreateProcessA(ExePath().c_str(), &cmd[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                             Folder().c_str(), &si, &pi)) << LastErrorText();
  const bool moved = MoveFileA(ExePath().c_str(), (ExePath() + ".moved").c_str()) != 0;
  ResumeThread(pi.hThread);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  ASSERT_TRUE(moved) << LastErrorText();
  ASSERT_TRUE(app_.Attach(pi.dwProcessId));
  HWND w = WaitMainWindow(pi.dwProcessId, Visibility::Any, kStartWaitMs);
  ASSERT_NE(w, nullptr) << "the first process ended with nothing running";
  ASSERT_TRUE(Adopt(w)) << last_error();
  ASSERT_TRUE(probe().Sync());
  EXPECT_FALSE(IsShown(main_)) << "still the background start it was asked for";
  EXPECT_EQ(ReadFileOrMarker(ManifestPath()), kManifestText);
  for (const ProcessInfo& p : ListProcesses()) EXPECT_NE(p.parent, pi.dwProcessId) << p.exe;
  ASSERT_TRUE(ChooseMenu({"File", "Exit"}));
  DWORD code = 99;
  EXPECT_TRUE(WaitExit(kWaitMs, &code));
  EXPECT_EQ(code, 0u);
}

TEST_F(Startup, PresentManifestIsLeftAlone) {
  // The fixture wrote the manifest with normal attributes; a rewrite would make it read-only.
  ASSERT_TRUE(StartVisible()) << last_error();
  EXPECT_EQ(ProcessOf(main_), app_.pid()) << "no relaunch: the started process owns the window";
  EXPECT_EQ(ReadFileOrMarker(ManifestPath()), kManifestText);
  EXPECT_EQ(FileAttributes(ManifestPath()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
  EXPECT_TRUE(app_.Running());
}

TEST_F(Startup, SecondInstanceEndsWithoutWindow) {
  ASSERT_TRUE(StartVisible()) << last_error();
  Process second;
  ASSERT_TRUE(second.Start(ExePath(), "", Folder()));
  bool second_showed_window = false;
  ASSERT_TRUE(WaitFor([&] {
    if (!TopWindowsOfProcess(second.pid(), Visibility::Visible).empty()) second_showed_window = true;
    return second.WaitExit(0);
  })) << "the second instance keeps running";
  EXPECT_FALSE(second_showed_window);
  EXPECT_TRUE(app_.Running()) << "the first instance goes on";
  WindowQuery q;
  q.class_name = "Pagewick";
  q.visibility = Visibility::Visible;
  EXPECT_EQ(FindTopWindows(q).size(), 1u);
  EXPECT_TRUE(probe().Sync()) << "the first instance still answers";
}

TEST_F(Startup, SecondInstanceWhileHiddenInBackgroundEnds) {
  ASSERT_TRUE(Start("/background")) << last_error();
  HWND w = WaitMainWindow(app_.pid(), Visibility::Any);
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(Adopt(w)) << last_error();
  ASSERT_TRUE(probe().Sync());
  Process second;
  ASSERT_TRUE(second.Start(ExePath(), "", Folder()));
  EXPECT_TRUE(second.WaitExit(kWaitMs)) << "the second instance keeps running";
  EXPECT_FALSE(IsShown(main_)) << "the running instance is not brought forward";
}

TEST_F(Startup, BackgroundSwitchStartsHidden) {
  ASSERT_TRUE(Start("/background")) << last_error();
  HWND w = WaitMainWindow(app_.pid(), Visibility::Any);
  ASSERT_NE(w, nullptr) << "the main window exists, hidden";
  ASSERT_TRUE(Adopt(w)) << last_error();
  // Once the probe answers, the program is in its message loop: start-up is over.
  ASSERT_TRUE(probe().Sync());
  EXPECT_FALSE(IsShown(main_));
  EXPECT_TRUE(TopWindowsOfProcess(app_.pid(), Visibility::Visible).empty()) << "no window of the program shows";
  EXPECT_TRUE(app_.Running());
}

TEST_F(Startup, BackgroundSwitchIsCaseSensitive) {
  ASSERT_TRUE(StartVisible("/BACKGROUND")) << last_error();
  EXPECT_TRUE(IsShown(main_));
}

TEST_F(Startup, BackgroundSwitchMustBeTheWholeArgumentText) {
  ASSERT_TRUE(StartVisible("/background x")) << last_error();
  EXPECT_TRUE(IsShown(main_));
}

TEST_F(Startup, MainWindowHasTheMenuBar) {
  ASSERT_TRUE(StartVisible()) << last_error();
  std::vector<MenuEntry> menu = probe().Read();
  ASSERT_FALSE(menu.empty()) << probe().error();
  std::vector<std::string> top;
  for (const MenuEntry& e : menu)
    if (e.depth == 0) top.push_back(e.caption);
  ASSERT_GE(top.size(), 4u) << FormatMenu(menu);
  EXPECT_EQ(top[0], "File");
  EXPECT_EQ(top[1], "Edit");
  EXPECT_EQ(top[2], "View");
  EXPECT_EQ(top[3], "Help");
  const struct {
    std::vector<std::string> path;
    const char* shortcut;
  } expected[] = {
      {{"File", "New"}, "Ctrl+N"},          {{"File", "Open..."}, "Ctrl+O"},
      {{"File", "Save As..."}, "Ctrl+S"},   {{"File", "Print..."}, "Ctrl+P"},
      {{"File", "Check Spelling"}, "Ctrl+W"}, {{"File", "Global Hoktey..."}, "Ctrl+H"},
      {{"File", "Transparency..."}, "Ctrl+T"}, {{"File", "Save Settings"}, "Ctrl+E"},
      {{"File", "Always on Top"}, ""},      {{"File", "Run at Startup"}, ""},
      {{"File", "Exit"}, "Ctrl+Q"},         {{"Edit", "Undo"}, "Ctrl+U"},
      {{"Edit", "Cut"}, "Ctrl+X"},          {{"Edit", "Copy"}, "Ctrl+C"},
      {{"Edit", "Paste"}, "Ctrl+V"},        {{"Edit", "Delete"}, "Ctrl+D"},
      {{"Edit", "Select All"}, "Ctrl+A"},   {{"Edit", "Find..."}, "Ctrl+F"},
      {{"Edit", "Replace..."}, "Ctrl+R"},   {{"Edit", "Font..."}, "Ctrl+L"},
      {{"Edit", "Go To..."}, "Ctrl+G"},     {{"Edit", "Time/Date"}, "F5"},
      {{"View", "Zoom", "Zoom In"}, "Ctrl+Plus"}, {{"View", "Zoom", "Zoom Out"}, "Ctrl+Minus"},
      {{"View", "Zoom", "Restore Default Zoom"}, "Ctrl+0"},
      {{"View", "Status Bar"}, ""},         {{"View", "Word Wrap"}, ""},
      {{"Help", "Help Topics"}, "F1"},      {{"Help", "About Pagewick"}, "F2"},
      {{"Help", "Live Update..."}, "F3"},
  };
  for (const auto& x : expected) {
    MenuEntry e;
    std::string name = x.path[0] + "/" + x.path.back();
    if (!probe().Find(x.path, &e)) {
      ADD_FAILURE() << "missing " << name << "\n" << FormatMenu(menu);
      continue;
    }
    EXPECT_EQ(e.shortcut, x.shortcut) << name;
    EXPECT_NE(e.id, 0u) << name;
  }
  // File: entries and separators in order.
  std::vector<std::string> file;
  for (const MenuEntry& e : menu)
    if (e.depth == 1 && e.path.compare(0, 5, "File/") == 0) file.push_back(e.caption);
  const std::vector<std::string> want = {"New", "Open...", "Save As...", "Print...", "-", "Check Spelling",
                                         "Check Spelling As You Type", "Global Hoktey...", "Transparency...", "-", "Save Settings", "-",
                                         "Always on Top", "Run at Startup", "-", "Exit"};
  EXPECT_EQ(file, want);
}

}  // namespace
}  // namespace e2e
