// The setup program and its uninstaller: a silent per-user install, starting the installed
// program, an upgrade that keeps the user's files, the request to exit a running Pagewick, a
// folder shared with another program, and uninstalling silently and from its window.
#include <shlobj.h>

#include <cctype>
#include <cstdio>
#include <cstring>

#include "PagewickFixture.h"

namespace e2e {
namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pagewick";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const DWORD kSetupMs = 60000;
const char kUninstaller[] = "Uninstall Pagewick.exe";

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = {};
  return SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, path)) ? path : "";
}

// A registry value of HKCU: its type and bytes (strings without their terminating null).
struct RegValue {
  bool present = false;
  DWORD type = 0;
  std::string text;
  DWORD number = 0;
};

RegValue ReadValue(const char* key, const char* name) {
  RegValue v;
  HKEY h = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) return v;
  DWORD size = 0;
  if (RegQueryValueExA(h, name, nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS) {
    std::string data(size, '\0');
    if (RegQueryValueExA(h, name, nullptr, &v.type, reinterpret_cast<BYTE*>(&data[0]), &size) == ERROR_SUCCESS) {
      v.present = true;
      data.resize(size);
      if (v.type == REG_DWORD && size == 4) std::memcpy(&v.number, data.data(), 4);
      if (v.type == REG_SZ && !data.empty() && data.back() == '\0') data.pop_back();
      v.text = data;
    }
  }
  RegCloseKey(h);
  return v;
}

bool WriteText(const char* key, const char* name, const std::string& text) {
  HKEY h = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_SET_VALUE, &h) != ERROR_SUCCESS) return false;
  LONG r = RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), DWORD(text.size() + 1));
  RegCloseKey(h);
  return r == ERROR_SUCCESS;
}

bool KeyExists(const char* key) {
  HKEY h = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}

// Target of a shell link, read through IShellLink as the shell would.
std::string ShortcutTarget(const std::string& lnk) {
  std::string target;
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      std::wstring wide(lnk.begin(), lnk.end());
      char path[MAX_PATH] = {};
      if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ)) && SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0)))
        target = path;
      file->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return target;
}

// A valid 16 x 16, 32-bit icon file of one colour: the user's own pagewick.ico.
std::string MakeIconFile(DWORD bgra) {
  std::string ico;
  auto put16 = [&](unsigned v) { ico += char(v & 0xFF); ico += char(v >> 8); };
  auto put32 = [&](DWORD v) { put16(v & 0xFFFF); put16(v >> 16); };
  const DWORD image = 40 + 16 * 16 * 4 + 16 * 4;
  put16(0); put16(1); put16(1);                    // ICONDIR: reserved, icon, one image
  ico += char(16); ico += char(16); ico += '\0'; ico += '\0';
  put16(1); put16(32); put32(image); put32(6 + 16);  // ICONDIRENTRY
  put32(40); put32(16); put32(32); put16(1); put16(32);  // BITMAPINFOHEADER (height doubled)
  put32(0); put32(0); put32(0); put32(0); put32(0); put32(0);
  for (int i = 0; i < 16 * 16; ++i) put32(bgra);
  ico.append(16 * 4, '\0');  // AND mask: all opaque
  return ico;
}

// The fixed part of a version record and the images of the first icon group of a module.
struct ModuleFacts {
  VS_FIXEDFILEINFO version = {};
  bool has_version = false;
  std::vector<std::string> icon_images;  // RT_ICON data of the first group, in group order
  std::string Strings;                   // the version record as bytes (UTF-16 strings inside)
};

BOOL CALLBACK FirstGroup(HMODULE, LPCSTR, LPSTR name, LONG_PTR out) {
  *reinterpret_cast<LPSTR*>(out) = IS_INTRESOURCE(name) ? name : _strdup(name);
  return FALSE;
}

ModuleFacts ReadModuleFacts(const std::string& path) {
  ModuleFacts f;
  HMODULE m = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!m) return f;
  if (HRSRC r = FindResourceA(m, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16) /* RT_VERSION */)) {
    const char* p = static_cast<const char*>(LockResource(LoadResource(m, r)));
    std::string bytes(p, SizeofResource(m, r));
    f.Strings = bytes;
    const DWORD signature = 0xFEEF04BD;
    size_t at = bytes.find(std::string(reinterpret_cast<const char*>(&signature), 4));
    if (at != std::string::npos && at + sizeof(VS_FIXEDFILEINFO) <= bytes.size()) {
      std::memcpy(&f.version, bytes.data() + at, sizeof f.version);
      f.has_version = true;
    }
  }
  LPSTR group = nullptr;
  EnumResourceNamesA(m, MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, FirstGroup, reinterpret_cast<LONG_PTR>(&group));
  if (HRSRC r = group ? FindResourceA(m, group, MAKEINTRESOURCEA(14)) : nullptr) {
    const BYTE* dir = static_cast<const BYTE*>(LockResource(LoadResource(m, r)));
    WORD count = *reinterpret_cast<const WORD*>(dir + 4);
    for (WORD i = 0; i < count; ++i) {
      WORD id = *reinterpret_cast<const WORD*>(dir + 6 + i * 14 + 12);
      if (HRSRC ir = FindResourceA(m, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3) /* RT_ICON */))
        f.icon_images.emplace_back(static_cast<const char*>(LockResource(LoadResource(m, ir))), SizeofResource(m, ir));
    }
  }
  FreeLibrary(m);
  return f;
}

// The program's version as setup names it: "1.4.0", and the record's strings: "1.04".
std::string DottedVersion(const VS_FIXEDFILEINFO& v) {
  return std::to_string(HIWORD(v.dwFileVersionMS)) + "." + std::to_string(LOWORD(v.dwFileVersionMS)) + "." +
         std::to_string(HIWORD(v.dwFileVersionLS));
}
std::string VersionText(const VS_FIXEDFILEINFO& v) {
  char text[16];
  std::snprintf(text, sizeof text, "%u.%02u", unsigned(HIWORD(v.dwFileVersionMS)), unsigned(LOWORD(v.dwFileVersionMS)));
  return text;
}

// "ProductName" -> the UTF-16 bytes that a version record holds for it.
std::string Utf16(const std::string& s) {
  std::string out;
  for (char c : s) { out += c; out += '\0'; }
  return out;
}

class Installer : public PagewickTest {
 protected:
  void SetUp() override {
    PagewickTest::SetUp();
    // Shortcuts would otherwise reach the Linux desktop menus through winemenubuilder: switch it
    // off in this session's prefix (an empty override disables the program).
    HKEY overrides = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\DllOverrides", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &overrides, nullptr) == ERROR_SUCCESS) {
      RegSetValueExA(overrides, "winemenubuilder.exe", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
      RegCloseKey(overrides);
    }
    setup_ = FindSetup();
    ASSERT_FALSE(setup_.empty()) << "no pagewick-setup-*.exe beside " << BuiltExe();
    default_dir_ = JoinPath(ShellFolder(CSIDL_LOCAL_APPDATA), "Programs\\Pagewick");
    shortcut_ = JoinPath(ShellFolder(CSIDL_PROGRAMS), "Pagewick.lnk");
    // This test's own install folder: no spaces, so /D= passes through unquoted.
    dir_ = Folder() + "\\inst";
  }

  void TearDown() override {
    PagewickTest::TearDown();
    KillProcessesNamed("pagewick.exe");
    RemoveTree(default_dir_);
    HKEY h = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &h) == ERROR_SUCCESS) {
      RegDeleteValueA(h, "Pagewick");
      RegCloseKey(h);
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, kUninstallKey);
    DeleteFileA(shortcut_.c_str());
  }

  static std::string BuiltExe() {
    return ToWindowsPath(GetEnv("PAGEWICK_EXE", JoinPath(ThisExeFolder(), "..\\pagewick.exe")));
  }
  static std::string FindSetup() {
    std::string exe = BuiltExe();
    std::string folder = exe.substr(0, exe.find_last_of('\\'));
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(JoinPath(folder, "pagewick-setup-*.exe").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return "";
    FindClose(h);
    return JoinPath(folder, fd.cFileName);
  }
  std::string BuiltBytes() {
    std::string s;
    ReadFileBytes(BuiltExe(), &s);
    return s;
  }

  // Runs the setup program and waits for it; its exit code, or -1 when it did not end.
  int RunSetup(const std::string& args) {
    Process p;
    if (!p.Start(setup_, args, Folder())) return -1;
    DWORD code = 0;
    return p.WaitExit(kSetupMs, &code) ? int(code) : -1;
  }
  int InstallSilently() { return RunSetup("/S /D=" + dir_); }

  // Runs the uninstaller of `dir`. It starts a copy of itself and returns at once; this waits
  // until that copy has ended too.
  bool UninstallSilently(const std::string& dir) {
    Process p;
    if (!p.Start(JoinPath(dir, kUninstaller), "/S", Folder())) return false;
    DWORD launcher = p.pid();
    if (!p.WaitExit(kSetupMs)) return false;
    return WaitFor([&] {
      for (const ProcessInfo& q : ListProcesses())
        if (q.parent == launcher) return false;
      return true;
    }, kSetupMs);
  }

  // Starts the installed program (the first start writes its manifest and starts itself again)
  // and takes over its visible main window.
  bool StartInstalled(const std::string& dir) {
    if (!app_.Start(JoinPath(dir, "pagewick.exe"), "", dir)) return false;
    return AdoptShownProgram();
  }
  // Takes over the visible main window of whichever Pagewick process shows one.
  bool AdoptShownProgram() {
    WindowQuery q;
    q.class_name = "Pagewick";
    q.caption = "Pagewick";
    q.visibility = Visibility::Visible;
    HWND w = WaitTopWindow(q, 30000);
    if (!w) {
      error_ = "no visible main window of the installed program";
      for (const ProcessInfo& p : ListProcesses())
        if (_stricmp(p.exe.c_str(), "pagewick.exe") == 0)
          for (const MessageBoxInfo& m : MessageBoxesOf(p.pid)) error_ += "; it shows \"" + m.text + "\"";
      return false;
    }
    if (ProcessOf(w) != app_.pid() && !app_.Attach(ProcessOf(w))) return false;
    return Adopt(w);
  }
  bool ExitProgram() { return ChooseMenu({"File", "Exit"}) && WaitExit(kWaitMs); }

  // Writes the Run value as "Run at Startup" does, with reg.exe.
  bool AddRunValue(const std::string& exe) {
    Process reg;
    std::string data = "\\\"" + exe + "\\\" /background";
    if (!reg.Start("C:\\windows\\system32\\reg.exe",
                   std::string("add \"HKCU\\") + kRunKey + "\" /v Pagewick /t REG_SZ /d \"" + data + "\" /f"))
      return false;
    DWORD code = 1;
    return reg.WaitExit(kWaitMs, &code) && code == 0;
  }

  // Pages of the setup window: waits until its main button reads `caption`, then presses it.
  bool PressWizardButton(HWND wizard, const std::string& caption) {
    HWND button = GetDlgItem(wizard, IDOK);
    if (!WaitFor([&] { return GetText(button) == caption && IsWindowEnabled(button); })) {
      error_ = "the wizard's button reads \"" + GetText(button) + "\", not \"" + caption + "\"";
      return false;
    }
    return PostMessageA(wizard, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(button)) != 0;
  }

  // Goes through the uninstaller's window of `dir`, ticking "Also delete my note and settings"
  // when `delete_note` says so; false (last_error() says why) when it did not run to its end.
  bool UninstallFromWindow(const std::string& dir, bool delete_note) {
    Process launcher;
    if (!launcher.Start(JoinPath(dir, kUninstaller), "", Folder())) {
      error_ = "the uninstaller did not start";
      return false;
    }
    WindowQuery q;  // the window belongs to the copy the uninstaller starts of itself
    q.caption = "Pagewick Uninstall";
    q.visibility = Visibility::Visible;
    HWND wizard = WaitTopWindow(q, kSetupMs);
    HWND box = nullptr;
    if (!wizard ||
        !WaitFor([&] { return (box = FindChild(wizard, "Button", "Also delete my note and settings")) != nullptr; })) {
      error_ = "no uninstall window with \"Also delete my note and settings\"";
      return false;
    }
    if (SendMessageA(box, BM_GETCHECK, 0, 0) != BST_UNCHECKED) {
      error_ = "the box is ticked before the user ticks it";
      return false;
    }
    if (delete_note) SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    if (!PressWizardButton(wizard, "&Uninstall") || !PressWizardButton(wizard, "&Close")) return false;
    if (!WaitNoTopWindow(q, kSetupMs)) {
      error_ = "the uninstall window stays open";
      return false;
    }
    return true;
  }

  // Starts setup with its window for `folder` and goes through Next and Install; the window,
  // or null (last_error() says why).
  HWND StartSetupToInstall(Process& setup, const std::string& folder) {
    if (!setup.Start(setup_, "/D=" + folder, Folder())) {
      error_ = "setup did not start";
      return nullptr;
    }
    WindowQuery q;
    q.pid = setup.pid();
    q.caption = "Pagewick Setup";
    q.visibility = Visibility::Visible;
    HWND wizard = WaitTopWindow(q);
    if (!wizard) {
      error_ = "no setup window";
      return nullptr;
    }
    if (!PressWizardButton(wizard, "&Next >") || !PressWizardButton(wizard, "&Install")) return nullptr;
    return wizard;
  }

  std::string setup_, default_dir_, shortcut_, dir_;
};

TEST_F(Installer, SetupCarriesVersionRecordAndIcon) {
  ModuleFacts setup = ReadModuleFacts(setup_);
  ModuleFacts program = ReadModuleFacts(BuiltExe());
  ASSERT_TRUE(setup.has_version);
  ASSERT_TRUE(program.has_version);
  EXPECT_EQ(setup.version.dwFileVersionMS, program.version.dwFileVersionMS);
  EXPECT_EQ(setup.version.dwFileVersionLS, program.version.dwFileVersionLS);
  EXPECT_EQ(setup.version.dwProductVersionMS, program.version.dwProductVersionMS);
  EXPECT_EQ(setup.version.dwProductVersionLS, program.version.dwProductVersionLS);
  for (std::string s : {std::string("Pagewick"), std::string("Pagewick developers"), std::string("Pagewick Setup"),
                        VersionText(program.version)})
    EXPECT_NE(setup.Strings.find(Utf16(s)), std::string::npos) << s;
  std::string name = "pagewick-setup-" + DottedVersion(program.version) + ".exe";
  EXPECT_EQ(setup_.substr(setup_.size() - name.size()), name) << setup_;
  ASSERT_FALSE(program.icon_images.empty());
  EXPECT_EQ(setup.icon_images, program.icon_images) << "the setup program shows Pagewick's icon";
}

TEST_F(Installer, SilentInstallPutsProgramShortcutAndUninstallEntryInPlace) {
  // No /D=: the per-user default folder.
  ASSERT_EQ(RunSetup("/S"), 0);
  std::string exe = JoinPath(default_dir_, "pagewick.exe");
  EXPECT_NE(default_dir_.find("\\AppData\\Local\\Programs\\Pagewick"), std::string::npos) << default_dir_;
  EXPECT_EQ(ReadFileOrMarker(exe), BuiltBytes());
  EXPECT_TRUE(FileExists(JoinPath(default_dir_, kUninstaller)));
  for (const char* own : {"pagewick.txt", "pagewick.ini", "pagewick.ico", "pagewick.exe.MANIFEST"})
    EXPECT_FALSE(FileExists(JoinPath(default_dir_, own))) << own << " is the program's, not setup's";

  ASSERT_TRUE(FileExists(shortcut_)) << shortcut_;
  EXPECT_EQ(ShortcutTarget(shortcut_), exe);

  EXPECT_EQ(ReadValue(kUninstallKey, "DisplayName").text, "Pagewick");
  EXPECT_EQ(ReadValue(kUninstallKey, "DisplayVersion").text, DottedVersion(ReadModuleFacts(BuiltExe()).version));
  EXPECT_EQ(ReadValue(kUninstallKey, "Publisher").text, "Pagewick developers");
  EXPECT_EQ(ReadValue(kUninstallKey, "DisplayIcon").text, exe + ",0");
  EXPECT_EQ(ReadValue(kUninstallKey, "InstallLocation").text, default_dir_);
  std::string uninstaller = "\"" + JoinPath(default_dir_, kUninstaller) + "\"";
  EXPECT_EQ(ReadValue(kUninstallKey, "UninstallString").text, uninstaller);
  EXPECT_EQ(ReadValue(kUninstallKey, "QuietUninstallString").text, uninstaller + " /S");
  RegValue size = ReadValue(kUninstallKey, "EstimatedSize");
  EXPECT_EQ(size.type, DWORD(REG_DWORD));
  long long bytes = FileSize(exe) + FileSize(JoinPath(default_dir_, kUninstaller));
  EXPECT_NEAR(double(size.number), bytes / 1024.0, 2.0) << "EstimatedSize is in KB";

  // The installed program starts, writes its manifest and shows its window.
  ASSERT_TRUE(StartInstalled(default_dir_)) << last_error();
  EXPECT_EQ(ReadFileOrMarker(JoinPath(default_dir_, "pagewick.exe.MANIFEST")), kManifestText);
  EXPECT_EQ(GetText(main_), "Pagewick");
  ASSERT_TRUE(ExitProgram());
}

TEST_F(Installer, UpgradeReplacesProgramAndKeepsNoteSettingsAndIconByteForByte) {
  ASSERT_EQ(InstallSilently(), 0);
  ASSERT_TRUE(StartInstalled(dir_)) << last_error();
  ASSERT_TRUE(SetNote(CrLfLines({"Written before the upgrade", "caf\xE9 \xBD", "last line"}))) << last_error();
  ASSERT_TRUE(ExitProgram()) << "File > Exit saves the note and the settings";
  ASSERT_TRUE(WriteFileBytes(JoinPath(dir_, "pagewick.ico"), MakeIconFile(0xFF2080C0)));

  const char* const kept[] = {"pagewick.txt", "pagewick.ini", "pagewick.ico", "pagewick.exe.MANIFEST"};
  std::vector<std::string> before;
  for (const char* name : kept) before.push_back(ReadFileOrMarker(JoinPath(dir_, name)));
  ASSERT_NE(before[0].find("Written before the upgrade"), std::string::npos) << before[0];
  ASSERT_NE(before[1], "<missing>");
  DWORD manifest_attr = FileAttributes(JoinPath(dir_, "pagewick.exe.MANIFEST"));
  // An older program: different bytes in pagewick.exe.
  std::string older = BuiltBytes() + "older build";
  ASSERT_TRUE(WriteFileBytes(JoinPath(dir_, "pagewick.exe"), older));

  ASSERT_EQ(InstallSilently(), 0) << "upgrade over the installed copy";
  EXPECT_EQ(ReadFileOrMarker(JoinPath(dir_, "pagewick.exe")), BuiltBytes()) << "pagewick.exe replaced";
  for (size_t i = 0; i < before.size(); ++i)
    EXPECT_EQ(ReadFileOrMarker(JoinPath(dir_, kept[i])), before[i]) << kept[i] << " changed by the upgrade";
  EXPECT_EQ(FileAttributes(JoinPath(dir_, "pagewick.exe.MANIFEST")), manifest_attr);

  // Once more over the same version, without /D=: it goes where the last install went. Then
  // the program finds its note.
  ASSERT_EQ(RunSetup("/S"), 0);
  EXPECT_FALSE(FileExists(JoinPath(default_dir_, "pagewick.exe"))) << "not into the default folder";
  EXPECT_EQ(ReadFileOrMarker(JoinPath(dir_, "pagewick.txt")), before[0]);
  ASSERT_TRUE(StartInstalled(dir_)) << last_error();
  EXPECT_EQ(NoteText(), before[0]);
}

TEST_F(Installer, RunningPagewickIsAskedToExitBeforeItIsReplaced) {
  ASSERT_EQ(InstallSilently(), 0);
  std::string exe = JoinPath(dir_, "pagewick.exe");
  std::string older = BuiltBytes() + "older build";
  ASSERT_TRUE(WriteFileBytes(exe, older));
  ASSERT_TRUE(StartInstalled(dir_)) << last_error();
  const std::string note = "Typed while the new version was downloading";
  ASSERT_TRUE(SetNote(note)) << last_error();

  // Silently there is nobody to ask: setup changes nothing and says so by its exit code.
  EXPECT_EQ(InstallSilently(), 2);
  EXPECT_EQ(ReadFileOrMarker(exe), older);
  EXPECT_TRUE(app_.Running());

  // With its window: Next, Install, then the request to exit Pagewick.
  Process setup;
  HWND wizard = StartSetupToInstall(setup, dir_);
  ASSERT_NE(wizard, nullptr) << last_error();
  MessageBoxInfo ask = WaitMessageBox(setup.pid(), "Pagewick Setup", "Please exit Pagewick");
  ASSERT_NE(ask.hwnd, nullptr) << "no request to exit Pagewick";
  EXPECT_NE(ask.text.find("Pagewick is running from " + dir_), std::string::npos) << ask.text;
  EXPECT_NE(GetDlgItem(ask.hwnd, IDRETRY), nullptr);
  EXPECT_NE(GetDlgItem(ask.hwnd, IDCANCEL), nullptr);

  // Retry while it still runs asks again.
  ASSERT_TRUE(ClickDialogButton(ask.hwnd, IDRETRY));
  ask = WaitMessageBox(setup.pid(), "Pagewick Setup", "Please exit Pagewick");
  ASSERT_NE(ask.hwnd, nullptr) << "Retry with Pagewick still running asks again";
  EXPECT_EQ(ReadFileOrMarker(exe), older);

  // The user exits Pagewick (it saves the note), then Retry goes on with the install.
  ASSERT_TRUE(ExitProgram());
  EXPECT_EQ(ReadFileOrMarker(JoinPath(dir_, "pagewick.txt")), note);
  ASSERT_TRUE(ClickDialogButton(ask.hwnd, IDRETRY));

  // The finish page offers to start Pagewick, ticked; Finish starts it.
  ASSERT_TRUE(WaitFor([&] { return GetText(GetDlgItem(wizard, IDOK)) == "&Finish"; }, kSetupMs))
      << GetText(GetDlgItem(wizard, IDOK));
  EXPECT_EQ(ReadFileOrMarker(exe), BuiltBytes());
  HWND run = FindChild(wizard, "Button", "Start Pagewick");
  ASSERT_NE(run, nullptr) << "no \"Start Pagewick\" box on the finish page";
  EXPECT_EQ(SendMessageA(run, BM_GETCHECK, 0, 0), BST_CHECKED);
  ASSERT_TRUE(PressWizardButton(wizard, "&Finish")) << last_error();
  DWORD code = 1;
  EXPECT_TRUE(setup.WaitExit(kSetupMs, &code));
  EXPECT_EQ(code, 0u);
  ASSERT_TRUE(AdoptShownProgram()) << last_error();
  EXPECT_EQ(NoteText(), note) << "the new version shows the note the old one saved";
}

TEST_F(Installer, CancelAtTheRequestToExitPagewickChangesNothing) {
  ASSERT_EQ(InstallSilently(), 0);
  std::string exe = JoinPath(dir_, "pagewick.exe");
  std::string older = BuiltBytes() + "older build";
  ASSERT_TRUE(WriteFileBytes(exe, older));
  ASSERT_TRUE(StartInstalled(dir_)) << last_error();

  Process setup;
  HWND wizard = StartSetupToInstall(setup, dir_);
  ASSERT_NE(wizard, nullptr) << last_error();
  MessageBoxInfo ask = WaitMessageBox(setup.pid(), "Pagewick Setup", "Please exit Pagewick");
  ASSERT_NE(ask.hwnd, nullptr);
  ASSERT_TRUE(ClickDialogButton(ask.hwnd, IDCANCEL));
  DWORD code = 0;
  ASSERT_TRUE(setup.WaitExit(kSetupMs, &code)) << "Cancel ends setup";
  EXPECT_EQ(code, 2u);
  EXPECT_EQ(ReadFileOrMarker(exe), older);
  EXPECT_TRUE(app_.Running());
  EXPECT_TRUE(probe().Sync()) << "Pagewick goes on running";
}

// A folder that cannot be written: a read-only bind mount (root under Wine ignores permission
// bits and the read-only attribute; a read-only file system it cannot).
TEST_F(Installer, FolderThatCannotBeWrittenIsRefused) {
  std::string locked = Folder() + "\\locked";
  ASSERT_TRUE(CreateDirectoryA(locked.c_str(), nullptr));
  if (locked.size() < 3 || (locked[0] != 'Z' && locked[0] != 'z') || locked[1] != ':')
    GTEST_SKIP() << "the test folder is not on the Unix root drive";
  std::string unix_dir = locked.substr(2);
  for (char& c : unix_dir)
    if (c == '\\') c = '/';
  std::string quoted = "'" + unix_dir + "'";
  if (RunUnix("mount --bind " + quoted + " " + quoted + " && mount -o remount,ro,bind " + quoted) != 0) {
    RunUnix("umount -l " + quoted);
    GTEST_SKIP() << "cannot mount a read-only folder here (needs root with mount rights)";
  }
  unix_cleanup_.push_back("umount -l " + quoted);
  ASSERT_FALSE(WriteFileBytes(locked + "\\probe.txt", "x")) << "the folder is still writable";

  const std::string nowhere = locked + "\\Pagewick";
  EXPECT_EQ(RunSetup("/S /D=" + nowhere), 2) << "silently: nothing installed, and the exit code says so";
  EXPECT_FALSE(KeyExists(kUninstallKey));
  EXPECT_FALSE(FileExists(shortcut_));
  EXPECT_FALSE(FileExists(JoinPath(default_dir_, "pagewick.exe"))) << "nor anywhere else";

  Process setup;
  HWND wizard = StartSetupToInstall(setup, nowhere);
  ASSERT_NE(wizard, nullptr) << last_error();
  MessageBoxInfo refused = WaitMessageBox(setup.pid(), "Pagewick Setup", "must be a folder you can write to");
  ASSERT_NE(refused.hwnd, nullptr);
  EXPECT_NE(refused.text.find("Pagewick cannot write to " + nowhere), std::string::npos) << refused.text;
  ASSERT_TRUE(ClickDialogButton(refused.hwnd, IDOK));
  // Back on the folder page, to choose another one.
  EXPECT_TRUE(WaitFor([&] { return GetText(GetDlgItem(wizard, IDOK)) == "&Install"; }));
  EXPECT_FALSE(KeyExists(kUninstallKey));
}

TEST_F(Installer, SilentUninstallRemovesProgramEntriesAndRunValueAndKeepsTheNote) {
  ASSERT_EQ(InstallSilently(), 0);
  std::string exe = JoinPath(dir_, "pagewick.exe");
  ASSERT_TRUE(StartInstalled(dir_)) << last_error();
  ASSERT_TRUE(SetNote("Keep me after uninstalling")) << last_error();

  // "Run at Startup" of the installed copy, chosen in its File menu.
  ASSERT_TRUE(ChooseMenu({"File", "Run at Startup"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  RegValue run = ReadValue(kRunKey, "Pagewick");
  ASSERT_TRUE(run.present);
  EXPECT_EQ(run.type, DWORD(REG_SZ));
  EXPECT_EQ(run.text, "\"" + exe + "\" /background");

  // While Pagewick runs from the folder, a silent uninstall removes nothing.
  ASSERT_TRUE(UninstallSilently(dir_));
  EXPECT_TRUE(FileExists(exe));
  EXPECT_TRUE(FileExists(JoinPath(dir_, kUninstaller)));
  EXPECT_TRUE(KeyExists(kUninstallKey));
  EXPECT_TRUE(ReadValue(kRunKey, "Pagewick").present);
  EXPECT_TRUE(app_.Running());

  ASSERT_TRUE(ExitProgram());
  std::string note = ReadFileOrMarker(JoinPath(dir_, "pagewick.txt"));
  std::string ini = ReadFileOrMarker(JoinPath(dir_, "pagewick.ini"));
  ASSERT_EQ(note, "Keep me after uninstalling");
  ASSERT_NE(ini, "<missing>");

  ASSERT_TRUE(UninstallSilently(dir_));
  for (const char* gone : {"pagewick.exe", "pagewick.exe.MANIFEST", kUninstaller})
    EXPECT_FALSE(FileExists(JoinPath(dir_, gone))) << gone;
  EXPECT_FALSE(FileExists(shortcut_));
  EXPECT_FALSE(KeyExists(kUninstallKey));
  EXPECT_FALSE(ReadValue(kRunKey, "Pagewick").present) << "the Run value of the removed program";
  EXPECT_EQ(ReadFileOrMarker(JoinPath(dir_, "pagewick.txt")), note) << "a silent uninstall keeps the note";
  EXPECT_EQ(ReadFileOrMarker(JoinPath(dir_, "pagewick.ini")), ini);
}

TEST_F(Installer, UninstallLeavesTheRunValueOfAnotherCopy) {
  ASSERT_EQ(InstallSilently(), 0);
  std::string other = Folder() + "\\portable\\pagewick.exe";
  ASSERT_TRUE(AddRunValue(other));
  ASSERT_TRUE(UninstallSilently(dir_));
  EXPECT_FALSE(FileExists(JoinPath(dir_, "pagewick.exe")));
  EXPECT_FALSE(KeyExists(kUninstallKey));
  EXPECT_EQ(ReadValue(kRunKey, "Pagewick").text, "\"" + other + "\" /background");
}

// Ticked, the box removes every file in which the program keeps the user's words: the note
// and the one it kept aside when it could not load it, the recovery copy, the copies a cut-off
// save leaves, the settings, the word list, the icon. Files that only look alike stay, and a
// new install then starts empty, with nothing to restore.
TEST_F(Installer, UninstallWindowDeletesEveryNoteFileOnlyWhenTicked) {
  ASSERT_EQ(InstallSilently(), 0);
  ASSERT_TRUE(WriteFileBytes(JoinPath(dir_, "pagewick.exe.MANIFEST"), kManifestText));
  const std::string unloadable = "first line\r\n" + std::string(300000, 'x');
  ASSERT_TRUE(WriteFileBytes(JoinPath(dir_, "pagewick.txt"), unloadable));
  // The program keeps a note it could not load under a name of its own once a new one is saved.
  ASSERT_TRUE(app_.Start(JoinPath(dir_, "pagewick.exe"), "", dir_));
  MessageBoxInfo told = WaitMessageBox(app_.pid(), "Pagewick", "was not loaded", 30000);
  ASSERT_NE(told.hwnd, nullptr);
  ASSERT_TRUE(ClickDialogButton(told.hwnd, IDOK));
  HWND w = WaitMainWindow(app_.pid(), Visibility::Visible, 30000);
  ASSERT_TRUE(w && Adopt(w)) << last_error();
  ASSERT_TRUE(SetNote("the new note")) << last_error();
  ASSERT_TRUE(ChooseMenu({"File", "Exit"})) << last_error();
  told = WaitMessageBox(app_.pid(), "Pagewick", "has been kept as", 30000);
  ASSERT_NE(told.hwnd, nullptr);
  ASSERT_TRUE(ClickDialogButton(told.hwnd, IDOK));
  ASSERT_TRUE(WaitExit(30000));
  std::vector<std::string> kept;
  WIN32_FIND_DATAA fd;
  HANDLE found = FindFirstFileA(JoinPath(dir_, "pagewick 2*.txt").c_str(), &fd);
  if (found != INVALID_HANDLE_VALUE) {
    do kept.push_back(fd.cFileName);
    while (FindNextFileA(found, &fd));
    FindClose(found);
  }
  ASSERT_EQ(kept.size(), 1u) << "the unloadable note kept under a new name";
  EXPECT_EQ(ReadFileOrMarker(JoinPath(dir_, kept[0])), unloadable);
  ASSERT_EQ(ReadFileOrMarker(JoinPath(dir_, "pagewick.txt")), "the new note");
  ASSERT_NE(ReadFileOrMarker(JoinPath(dir_, "pagewick.ini")), "<missing>");

  // What a crash, a cut-off save and the word list leave, and a second and third kept note.
  std::vector<std::string> ours = {"pagewick.txt", "pagewick.ini", kept[0]};
  for (const char* name : {"pagewick.recover", "pagewick.recover.new", "pagewick.recover.part", "pagewick.txt.new",
                           "pagewick.txt.part", "pagewick.ini.new", "pagewick.dic", "pagewick.dic.part",
                           "pagewick kept.txt", "pagewick kept (2).txt", "pagewick 2026-12-09 131500 (17).txt"}) {
    ASSERT_TRUE(WriteFileBytes(JoinPath(dir_, name), std::string("words of ") + name + "\r\n"));
    ours.push_back(name);
  }
  ASSERT_TRUE(WriteFileBytes(JoinPath(dir_, "pagewick.ico"), MakeIconFile(0xFF00FF00)));
  ours.push_back("pagewick.ico");
  const char* const theirs[] = {"pagewick notes.txt", "pagewick 2026-12-09 131500 draft.txt",
                                "pagewick 2026-12-09 13150.txt", "pagewick kept (1).txt", "pagewick.txt.bak",
                                "notes.txt"};
  for (const char* name : theirs) ASSERT_TRUE(WriteFileBytes(JoinPath(dir_, name), name));

  ASSERT_TRUE(UninstallFromWindow(dir_, true)) << last_error();
  for (const std::string& gone : ours) EXPECT_FALSE(FileExists(JoinPath(dir_, gone))) << gone;
  for (const char* name : {"pagewick.exe", "pagewick.exe.MANIFEST", kUninstaller})
    EXPECT_FALSE(FileExists(JoinPath(dir_, name))) << name;
  for (const char* name : theirs) EXPECT_EQ(ReadFileOrMarker(JoinPath(dir_, name)), name) << "not Pagewick's";
  EXPECT_FALSE(KeyExists(kUninstallKey));
  EXPECT_FALSE(FileExists(shortcut_));

  // Installed again, Pagewick starts with an empty note and asks nothing.
  ASSERT_EQ(InstallSilently(), 0);
  ASSERT_TRUE(StartInstalled(dir_)) << last_error();
  ASSERT_TRUE(probe().Sync());
  std::vector<MessageBoxInfo> boxes = MessageBoxesOf(app_.pid());
  EXPECT_TRUE(boxes.empty()) << boxes[0].text;
  EXPECT_EQ(NoteText(), "");
  ASSERT_TRUE(ExitProgram());

  // With nothing but Pagewick's files in it, the folder goes too.
  for (const char* name : theirs) ASSERT_TRUE(DeleteFileA(JoinPath(dir_, name).c_str()));
  ASSERT_TRUE(UninstallFromWindow(dir_, true)) << last_error();
  EXPECT_EQ(FileAttributes(dir_), INVALID_FILE_ATTRIBUTES) << "the emptied folder is removed";
}

TEST_F(Installer, UninstallWindowKeepsNoteAndSettingsByDefault) {
  ASSERT_EQ(InstallSilently(), 0);
  ASSERT_TRUE(WriteFileBytes(JoinPath(dir_, "pagewick.txt"), "a note"));
  ASSERT_TRUE(WriteFileBytes(JoinPath(dir_, "pagewick.ini"), "settings"));

  ASSERT_TRUE(UninstallFromWindow(dir_, false)) << last_error();
  EXPECT_FALSE(FileExists(JoinPath(dir_, "pagewick.exe")));
  EXPECT_FALSE(KeyExists(kUninstallKey));
  EXPECT_EQ(ReadFileOrMarker(JoinPath(dir_, "pagewick.txt")), "a note");
  EXPECT_EQ(ReadFileOrMarker(JoinPath(dir_, "pagewick.ini")), "settings");
}

// Pagewick installed in a second folder owns the uninstall entry and the shortcut; removing the
// copy left in the first folder leaves both to it.
TEST_F(Installer, UninstallingAnOlderCopyElsewhereLeavesTheEntryAndShortcutOfTheCurrentOne) {
  ASSERT_EQ(InstallSilently(), 0);
  const std::string current = Folder() + "\\current";
  ASSERT_EQ(RunSetup("/S /D=" + current), 0);
  const std::string exe = JoinPath(current, "pagewick.exe");
  ASSERT_EQ(ReadValue(kUninstallKey, "InstallLocation").text, current);

  ASSERT_TRUE(UninstallSilently(dir_));
  EXPECT_FALSE(FileExists(JoinPath(dir_, "pagewick.exe")));
  EXPECT_EQ(ReadValue(kUninstallKey, "InstallLocation").text, current);
  EXPECT_EQ(ReadValue(kUninstallKey, "UninstallString").text, "\"" + JoinPath(current, kUninstaller) + "\"");
  EXPECT_EQ(ShortcutTarget(shortcut_), exe);
  EXPECT_TRUE(FileExists(exe));

  // The entry written in other letters still names the folder it is in.
  std::string upper = current;
  for (char& c : upper) c = char(toupper(static_cast<unsigned char>(c)));
  ASSERT_TRUE(WriteText(kUninstallKey, "InstallLocation", upper + "\\"));
  ASSERT_TRUE(UninstallSilently(current));
  EXPECT_FALSE(FileExists(exe));
  EXPECT_FALSE(KeyExists(kUninstallKey));
  EXPECT_FALSE(FileExists(shortcut_));
}

// A folder that another program uses too: its files, Uninstall.exe among them, stay as they
// are through the install and the uninstall.
TEST_F(Installer, InstallIntoAnotherProgramsFolderLeavesItsFilesAlone) {
  const std::string shared = Folder() + "\\tools";
  ASSERT_TRUE(CreateDirectoryA(shared.c_str(), nullptr));
  const std::string their_uninstaller = "MZ another program's uninstaller";
  ASSERT_TRUE(WriteFileBytes(JoinPath(shared, "Uninstall.exe"), their_uninstaller));
  ASSERT_TRUE(WriteFileBytes(JoinPath(shared, "readme.txt"), "their readme"));

  ASSERT_EQ(RunSetup("/S /D=" + shared), 0);
  EXPECT_EQ(ReadFileOrMarker(JoinPath(shared, "pagewick.exe")), BuiltBytes());
  EXPECT_EQ(ReadFileOrMarker(JoinPath(shared, "Uninstall.exe")), their_uninstaller);
  EXPECT_EQ(ReadFileOrMarker(JoinPath(shared, "readme.txt")), "their readme");
  const std::string ours = JoinPath(shared, kUninstaller);
  EXPECT_TRUE(FileExists(ours));
  EXPECT_EQ(ReadValue(kUninstallKey, "UninstallString").text, "\"" + ours + "\"");
  EXPECT_EQ(ReadValue(kUninstallKey, "QuietUninstallString").text, "\"" + ours + "\" /S");

  ASSERT_TRUE(UninstallSilently(shared));
  EXPECT_FALSE(FileExists(JoinPath(shared, "pagewick.exe")));
  EXPECT_FALSE(FileExists(ours));
  EXPECT_FALSE(KeyExists(kUninstallKey));
  EXPECT_EQ(ReadFileOrMarker(JoinPath(shared, "Uninstall.exe")), their_uninstaller);
  EXPECT_EQ(ReadFileOrMarker(JoinPath(shared, "readme.txt")), "their readme");
}

// Setups before this one named the uninstaller Uninstall.exe: an upgrade knows it by the entry
// that names it and replaces it, so one uninstaller is left.
TEST_F(Installer, UpgradeReplacesTheUninstallExeOfAnOlderSetup) {
  ASSERT_EQ(InstallSilently(), 0);
  const std::string old_uninstaller = JoinPath(dir_, "Uninstall.exe");
  ASSERT_TRUE(MoveFileA(JoinPath(dir_, kUninstaller).c_str(), old_uninstaller.c_str()));
  ASSERT_TRUE(WriteText(kUninstallKey, "UninstallString", "\"" + old_uninstaller + "\""));
  ASSERT_TRUE(WriteText(kUninstallKey, "QuietUninstallString", "\"" + old_uninstaller + "\" /S"));

  ASSERT_EQ(RunSetup("/S"), 0) << "the upgrade finds the older install by its entry";
  EXPECT_FALSE(FileExists(old_uninstaller));
  EXPECT_TRUE(FileExists(JoinPath(dir_, kUninstaller)));
  EXPECT_EQ(ReadValue(kUninstallKey, "UninstallString").text, "\"" + JoinPath(dir_, kUninstaller) + "\"");
}

}  // namespace
}  // namespace e2e
