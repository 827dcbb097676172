#include "PagewickFixture.h"

namespace e2e {

const char kManifestText[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
    "<assemblyIdentity type=\"win32\" processorArchitecture=\"*\" version=\"6.0.0.0\" name=\"name\"/>\r\n"
    "<description>Pagewick</description>\r\n"
    "<dependency>\r\n"
    "   <dependentAssembly>\r\n"
    "      <assemblyIdentity\r\n"
    "           type=\"win32\"\r\n"
    "           name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"\r\n"
    "           language=\"*\"\r\n"
    "           processorArchitecture=\"*\"\r\n"
    "         publicKeyToken=\"6595b64144ccf1df\"\r\n"
    "      />\r\n"
    "   </dependentAssembly>\r\n"
    "</dependency>\r\n"
    "</assembly>\r\n";

static std::string BuiltExe() {
  return ToWindowsPath(GetEnv("PAGEWICK_EXE", JoinPath(ThisExeFolder(), "..\\pagewick.exe")));
}

void PagewickTest::SetUp() {
  // Leftovers of an earlier scenario in this session would be taken for this one's program.
  KillProcessesNamed("pagewick.exe");
  std::string exe = BuiltExe();
  ASSERT_TRUE(FileExists(exe)) << "not built: " << exe;
  folder_.reset(new TempFolder("pw"));
  ASSERT_FALSE(Folder().empty()) << "no temp folder";
  ASSERT_TRUE(CopyFileTo(exe, ExePath())) << LastErrorText();
  ASSERT_TRUE(WriteFileBytes(ManifestPath(), kManifestText));
}

void PagewickTest::TearDown() {
  if (HasFailure()) {
    std::string dir = ToWindowsPath(GetEnv("PAGEWICK_E2E_ARTIFACTS", Folder() + "\\..\\artifacts"));
    CreateDirectoryA(dir.c_str(), nullptr);
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string shot = JoinPath(dir, std::string(info->test_suite_name()) + "." + info->name() + ".bmp");
    if (SaveScreenshot(shot)) std::printf("screenshot: %s\n", shot.c_str());
    for (const MessageBoxInfo& m : MessageBoxesOf(app_.pid()))
      std::printf("open message box \"%s\": %s\n", m.title.c_str(), m.text.c_str());
  }
  probe_.reset();
  app_.Kill();
  KillProcessesNamed("pagewick.exe");
  for (const std::string& cmd : unix_cleanup_) RunUnix(cmd);
  folder_.reset();
}

bool PagewickTest::RemoveManifest() {
  SetFileAttributesA(ManifestPath().c_str(), FILE_ATTRIBUTE_NORMAL);
  return DeleteFileA(ManifestPath().c_str()) != 0;
}

std::string PagewickTest::ReadFileOrMarker(const std::string& path) {
  std::string s;
  return ReadFileBytes(path, &s) ? s : std::string("<missing>");
}

bool PagewickTest::Start(const std::string& args) {
  if (!app_.Start(ExePath(), args, Folder())) {
    error_ = "cannot start " + ExePath() + ": " + LastErrorText();
    return false;
  }
  return true;
}

HWND PagewickTest::WaitMainWindow(DWORD pid, Visibility v, DWORD timeout_ms) {
  WindowQuery q;
  q.pid = pid;
  q.class_name = "Pagewick";
  q.caption = "Pagewick";
  q.visibility = v;
  return WaitTopWindow(q, timeout_ms);
}

bool PagewickTest::Adopt(HWND hwnd) {
  main_ = hwnd;
  // A window found before it is shown may still be in its creation: wait for the text box.
  edit_ = nullptr;
  WaitFor([&] { return (edit_ = FindChild(hwnd, "Edit")) != nullptr || !IsWindow(hwnd); });
  if (!edit_) {
    error_ = "the main window has no Edit child";
    return false;
  }
  probe_.reset(new UiProbe(hwnd));
  if (!probe_->ok()) {
    error_ = "probe: " + probe_->error();
    return false;
  }
  // Once the probe answers, the program has finished its start-up and is in a message loop.
  if (!probe_->Sync()) {
    error_ = "the program does not answer";
    return false;
  }
  return true;
}

bool PagewickTest::StartVisible(const std::string& args) {
  if (!Start(args)) return false;
  // A start takes 1-4 s where qemu-i386 runs Wine's 32-bit code; on a machine busy with
  // builds it has taken over 10 s.
  HWND w = WaitMainWindow(app_.pid(), Visibility::Visible, kStartWaitMs);
  if (!w) {
    DWORD code = 0;
    error_ = app_.WaitExit(0, &code) ? "the program ended with code " + std::to_string(code) + " without a window"
                                     : "no visible main window";
    return false;
  }
  if (!Adopt(w)) return false;
  // Without a window manager Wine shows a tray window of its own (Windows has none) when the
  // first tray icon arrives, a moment after the program's first paint, and it may take the
  // foreground then: keys and wheel turns pressed after that would go to it. Wait for it and
  // give the foreground back, as a user's click on the window would.
  WindowQuery tray;
  tray.caption = "Wine System Tray";
  tray.visibility = Visibility::Visible;
  if (WaitTopWindow(tray, 5000) && GetForegroundWindow() != main_) BringToFront(main_);
  return true;
}

bool PagewickTest::ChooseMenu(const std::vector<std::string>& path) {
  if (!probe_) return false;
  if (!probe_->Choose(path)) {
    error_ = probe_->error() + "\n" + FormatMenu(probe_->Read());
    return false;
  }
  return true;
}

bool PagewickTest::SetNote(const std::string& text) {
  if (!probe_ || !probe_->SetEditText(text)) {
    error_ = "could not set the note text";
    return false;
  }
  return true;
}

std::string PagewickTest::UnixFolder() const {
  std::string d = Folder();
  if (d.size() < 2 || d[1] != ':' || (d[0] != 'Z' && d[0] != 'z')) return "";
  d = d.substr(2);
  for (char& c : d)
    if (c == '\\') c = '/';
  return d;
}

std::string PagewickTest::DismissBox(const std::string& text_part, int button, DWORD timeout_ms) {
  MessageBoxInfo m = WaitMessageBox(app_.pid(), "Pagewick", text_part, timeout_ms);
  if (!m.hwnd) return "<no message box with \"" + text_part + "\">";
  ClickDialogButton(m.hwnd, button);
  WaitFor([&] { return !IsWindow(m.hwnd); });
  return m.text;
}

bool PagewickTest::AdoptMain() {
  HWND w = WaitMainWindow(app_.pid(), Visibility::Visible, 30000);
  return w && Adopt(w);
}

std::vector<std::string> PagewickTest::FilesLike(const std::string& pattern) const {
  std::vector<std::string> names;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(JoinPath(Folder(), pattern).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do names.push_back(fd.cFileName);
  while (FindNextFileA(h, &fd));
  FindClose(h);
  return names;
}

std::string CrLfLines(const std::vector<std::string>& lines) {
  std::string s;
  for (size_t i = 0; i < lines.size(); ++i) s += (i ? "\r\n" : "") + lines[i];
  return s;
}

std::string MakeNoteText(size_t bytes) {
  static const char* const words[] = {"note", "Pagewick", "caf\xE9", "na\xEFve", "\xC6sir", "stra\xDF" "e",
                                      "\xA3" "5", "\xBD", "line", "tray", "\xC0 bient\xF4t", "ma\xF1" "ana"};
  std::string s;
  s.reserve(bytes + 64);
  unsigned x = 12345;
  size_t line_len = 0;
  while (s.size() < bytes) {
    x = x * 1103515245u + 12345u;
    const char* w = words[(x >> 16) % (sizeof words / sizeof words[0])];
    s += w;
    line_len += std::string(w).size();
    if (line_len > 60 + (x % 20)) {
      s += "\r\n";
      line_len = 0;
    } else {
      s += ' ';
    }
  }
  s.resize(bytes);
  // Keep the end clean: no half line break, no trailing break.
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ')) s.back() = 'x';
  return s;
}

}  // namespace e2e
