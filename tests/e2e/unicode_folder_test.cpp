// Pagewick run from a folder whose name the ANSI code page cannot spell (Cyrillic and Chinese
// on a system whose ANSI code page is 1252): a profile name in any script, a synced folder.
// The note, the settings, the recovery copy, Exit and Run at Startup all work there. The
// driver speaks ANSI, so this file reaches the folder through the W functions itself.
#include "PagewickFixture.h"

#include <string>

namespace e2e {
namespace {

const char kFolderName[] = u8"Заметки 東京";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring Wide(const std::string& utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &w[0], n);
  return w;
}

class UnicodeFolder : public PagewickTest {
 protected:
  void SetUp() override {
    PagewickTest::SetUp();
    if (HasFatalFailure()) return;
    dir_ = Wide(Folder()) + L"\\" + Wide(kFolderName);
    ASSERT_TRUE(CreateDirectoryW(dir_.c_str(), nullptr)) << LastErrorText();
    ASSERT_TRUE(CopyFileW(Wide(ExePath()).c_str(), Here(L"pagewick.exe").c_str(), FALSE)) << LastErrorText();
    ASSERT_TRUE(CopyFileW(Wide(ManifestPath()).c_str(), Here(L"pagewick.exe.MANIFEST").c_str(), FALSE));
  }
  void TearDown() override {
    DeleteRunValue();
    PagewickTest::TearDown();
  }

  std::wstring Here(const wchar_t* name) const { return dir_ + L"\\" + name; }
  bool Exists(const wchar_t* name) const { return GetFileAttributesW(Here(name).c_str()) != INVALID_FILE_ATTRIBUTES; }
  std::string Read(const wchar_t* name) const {
    std::string bytes;
    HANDLE f = CreateFileW(Here(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return "<missing>";
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got) bytes.append(buf, got);
    CloseHandle(f);
    return bytes;
  }
  bool Write(const wchar_t* name, const std::string& bytes) const {
    HANDLE f = CreateFileW(Here(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    const bool ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) && put == bytes.size();
    CloseHandle(f);
    return ok;
  }
  // Starts the copy in the folder, from the folder, and takes over its visible main window.
  bool StartHere() {
    std::wstring cmd = L"\"" + Here(L"pagewick.exe") + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(Here(L"pagewick.exe").c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, dir_.c_str(),
                        &si, &pi)) {
      error_ = "cannot start the copy in " + std::string(kFolderName) + ": " + LastErrorText();
      return false;
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (!app_.Attach(pi.dwProcessId)) return false;
    HWND w = WaitMainWindow(pi.dwProcessId, Visibility::Visible, kStartWaitMs);
    if (!w) {
      error_ = "no main window";
      return false;
    }
    return Adopt(w);
  }
  // The program's Run value as the registry holds it, or "<none>".
  std::wstring RunValue() const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Wide(kRunKey).c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
      return L"<no key>";
    wchar_t buf[1024] = {};
    DWORD size = sizeof buf - sizeof(wchar_t), type = 0;
    const LONG r = RegQueryValueExW(key, L"Pagewick", nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
    RegCloseKey(key);
    return r == ERROR_SUCCESS && type == REG_SZ ? std::wstring(buf) : std::wstring(L"<none>");
  }
  static void DeleteRunValue() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, "Pagewick");
    RegCloseKey(key);
  }
  bool RunAtStartupChecked() {
    MenuEntry e;
    return probe().Find({"File", "Run at Startup"}, &e, true) && e.checked;
  }

  std::wstring dir_;
};

TEST_F(UnicodeFolder, NoteSettingsRecoveryExitAndRunAtStartupWork) {
  DeleteRunValue();
  ASSERT_TRUE(Write(L"pagewick.txt", "A note from before.\r\nSecond line"));
  ASSERT_TRUE(StartHere()) << last_error();
  EXPECT_EQ(NoteText(), "A note from before.\r\nSecond line") << "the note in the folder is shown";

  // Typing: the recovery copy appears beside the note a few seconds after typing pauses.
  DWORD end = static_cast<DWORD>(GetTextLength(edit_));
  SendMessageA(edit_, EM_SETSEL, end, end);
  ASSERT_TRUE(TypeText(edit_, ", and more."));
  ASSERT_TRUE(probe().Sync());
  EXPECT_TRUE(WaitFor([&] { return Read(L"pagewick.recover").find(", and more.") != std::string::npos; }, 30000))
      << "no recovery copy in the folder";

  // Run at Startup writes the program's real path, which the ANSI code page cannot hold.
  ASSERT_TRUE(ChooseMenu({"File", "Run at Startup"}));
  ASSERT_TRUE(probe().Sync());
  EXPECT_TRUE(RunAtStartupChecked());
  EXPECT_TRUE(RunValue() == L"\"" + Here(L"pagewick.exe") + L"\" /background") << "the Run value names the folder";

  // Exit saves the note and the settings there and ends the program.
  ASSERT_TRUE(ChooseMenu({"File", "Exit"}));
  EXPECT_TRUE(WaitExit(30000)) << "Exit did not end the program";
  EXPECT_EQ(Read(L"pagewick.txt"), "A note from before.\r\nSecond line, and more.");
  const std::string settings = Read(L"pagewick.ini");
  EXPECT_NE(settings, "<missing>") << "no settings file";
  EXPECT_FALSE(settings.empty());
  EXPECT_FALSE(Exists(L"pagewick.recover")) << "the save of the note removes the recovery copy";

  // The next start from there: the note is back and Run at Startup is checked.
  ASSERT_TRUE(StartHere()) << last_error();
  EXPECT_EQ(NoteText(), "A note from before.\r\nSecond line, and more.");
  EXPECT_TRUE(RunAtStartupChecked()) << "the Run value read back matches the folder";
  ASSERT_TRUE(ChooseMenu({"File", "Run at Startup"}));
  ASSERT_TRUE(probe().Sync());
  EXPECT_TRUE(RunValue() == L"<none>");
  ASSERT_TRUE(ChooseMenu({"File", "Exit"}));
  EXPECT_TRUE(WaitExit(30000));
}

}  // namespace
}  // namespace e2e
