// A stranger's DLL beside the program: Pagewick runs from wherever it landed (Downloads, a USB
// stick, a synced folder), and a file there named like a system DLL must never run as the user.
// The test plants a DLL that leaves a marker ("<its name>.ran") when it is loaded, under every
// name the program loads by name that Windows does not always take from the system (the
// KnownDLLs), starts the program from that folder and uses what loads DLLs: start-up, Live
// Update up to the version check, Open..., Print..., Check Spelling. No marker may appear, and
// no module of the process may lie in its folder but the exe.
//
// Under Wine a planted DLL is only looked for as Windows would look for it when
// WINEDLLOVERRIDES says "native, then builtin" for its name, and Wine reads that from the Unix
// environment of the `wine` command that starts a process; so the program is started through
// /bin/sh with the overrides on its own command line. These scenarios run through
// live-update-run.sh (the HTTPS test server: Live Update's Next really fetches and checks a
// signed configuration, which brings in the system's TLS and cryptography).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "PagewickFixture.h"
#include "driver/Driver.h"
#include "pagewick_version.h"
// After the driver's <windows.h>.
#include <shlobj.h>

using namespace e2e;

namespace {

// Windows takes these, and what they import, from the system folder whatever lies beside an
// exe (HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs, Windows 10 and 11).
const char* const kKnownDlls[] = {
    "advapi32.dll", "clbcatq.dll", "combase.dll", "comdlg32.dll", "coml2.dll", "difxapi.dll", "gdi32.dll",
    "gdiplus.dll", "imagehlp.dll", "imm32.dll", "kernel32.dll", "msctf.dll", "msvcrt.dll", "normaliz.dll",
    "nsi.dll", "ole32.dll", "oleaut32.dll", "psapi.dll", "rpcrt4.dll", "sechost.dll", "setupapi.dll",
    "shcore.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "wldap32.dll", "ws2_32.dll",
    // Always the system's: the loader's own, and the base the known ones stand on.
    "ntdll.dll", "kernelbase.dll",
};
// Wine's own parts, loaded by its system DLLs before the program's first line (Windows' own
// DLLs import none of them, or only as KnownDLLs do): planted, they would be taken under the
// override before any program could say otherwise. version.dll is Wine's user32's import:
// no fair test under Wine.
const char* const kWineParts[] = {"win32u.dll", "ucrtbase.dll", "zlib1.dll", "winex11.drv", "version.dll"};
// Names planted whether or not this run saw them: what the program and the libraries it loads
// bring in by name, some of it only for a moment.
const char* const kAlwaysPlanted[] = {
    "comctl32.dll", "uxtheme.dll", "msimg32.dll", "dwmapi.dll",   // controls, styles, frames
    "winspool.drv", "compstui.dll",                                 // Print...
    "wininet.dll", "mpr.dll", "bcrypt.dll", "secur32.dll", "schannel.dll", "crypt32.dll",
    "ncrypt.dll", "iphlpapi.dll", "dnsapi.dll", "winhttp.dll", "cryptbase.dll",   // Live Update
};
// The ones every run must have loaded: the proof that the actions reached what they should.
const char* const kMustLoad[] = {"comctl32.dll", "uxtheme.dll", "winspool.drv", "wininet.dll", "bcrypt.dll"};

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}
std::string FileNameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }
std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }
bool InList(const std::string& name, const char* const* list, size_t n) {
  for (size_t i = 0; i < n; ++i)
    if (name == list[i]) return true;
  return false;
}
template <size_t N>
bool InList(const std::string& name, const char* const (&list)[N]) { return InList(name, list, N); }

// "Z:\tmp\x" -> "/tmp/x" (Wine's Z: drive is the Linux root); "" for anything else.
std::string UnixPath(const std::string& windows) {
  if (windows.size() < 3 || (windows[0] != 'Z' && windows[0] != 'z') || windows[1] != ':') return "";
  std::string out = windows.substr(2);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}
// A Linux shell word.
std::string ShellQuoted(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

class PlantedDlls : public PagewickTest {
 protected:
  void SetUp() override {
    PagewickTest::SetUp();
    if (HasFatalFailure()) return;
    planted_dll_ = JoinPath(ThisExeFolder(), "pagewick_e2e_planted.dll");
    ASSERT_TRUE(FileExists(planted_dll_)) << "not built: " << planted_dll_;
    ASSERT_FALSE(UnixPath(Folder()).empty()) << "runs under Wine only: " << Folder();
  }

  // Puts the marker DLL into the program folder under each name.
  void Plant(const std::set<std::string>& names) {
    for (const std::string& name : names) ASSERT_TRUE(CopyFileTo(planted_dll_, JoinPath(Folder(), name))) << name;
  }
  // The markers left in the program folder.
  std::vector<std::string> Markers() {
    std::vector<std::string> out;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(JoinPath(Folder(), "*.ran").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return out;
    do out.push_back(fd.cFileName); while (FindNextFileA(h, &fd));
    FindClose(h);
    return out;
  }
  // Starts `program args` from the program folder through the shell, with Wine looking for
  // `names` beside the program first ("native, then builtin"), as Windows looks for any DLL
  // that is not a KnownDLL. With `wait`, until it ends.
  bool StartWithOverrides(const std::string& program, const std::vector<std::string>& args,
                          const std::set<std::string>& names, bool wait) {
    std::string overrides = "mscoree,mshtml=";
    if (!names.empty()) {
      overrides += ";";
      bool first = true;
      for (const std::string& name : names) {
        // Wine names a DLL's override by its name without ".dll", a driver's with its ending.
        std::string key = name.size() > 4 && name.compare(name.size() - 4, 4, ".dll") == 0
                              ? name.substr(0, name.size() - 4) : name;
        overrides += (first ? "" : ",") + key;
        first = false;
      }
      overrides += "=n,b";
    }
    std::string cmd = "cd " + ShellQuoted(UnixPath(Folder())) + " && WINEDLLOVERRIDES=" + ShellQuoted(overrides) +
                      " wine " + ShellQuoted(program);
    for (const std::string& arg : args) cmd += " " + ShellQuoted(arg);
    cmd += std::string(" >/dev/null 2>&1 </dev/null") + (wait ? "" : " &");
    const int code = RunUnix(cmd, wait ? 120000 : 30000);
    if (code < 0) error_ = "the shell did not run: " + cmd;
    return code >= 0;
  }

  // The configuration the test server offers: a newer version, signed with the test key.
  void ServeSignedConfig() {
    const std::string site = ToWindowsPath(GetEnv("PAGEWICK_UPDATE_ROOT"));
    ASSERT_FALSE(site.empty()) << "run through live-update-run.sh (needs the HTTPS test server)";
    CreateDirectoryA((site + "\\software").c_str(), nullptr);
    CreateDirectoryA((site + "\\software\\pagewick").c_str(), nullptr);
    const std::string newer = std::to_string(PAGEWICK_VERSION_MAJOR) + "." + std::to_string(PAGEWICK_VERSION_MINOR + 1) + ".0";
    ASSERT_TRUE(WriteFileBytes(site + "\\software\\pagewick\\pagewick.txt",
                               "Pagewick " + newer + "\r\n" + newer + "\r\nhttps://www.pagewick.example/files/setup.exe\r\n" +
                                   std::string(64, 'a') + "\r\n"));
    ASSERT_TRUE(WriteFileBytes(site + "\\software\\pagewick\\pagewick.txt.sign", "test"));
    version_line_ = "Your version: " + std::string(PAGEWICK_VERSION_DOTTED) + "    Web version: " + newer;
  }

  // What loads DLLs, as a user does it; then the modules the process holds, and Exit.
  void UseEverything(std::vector<std::string>* modules) {
    WindowQuery q;
    q.class_name = "Pagewick";
    q.caption = "Pagewick";
    q.visibility = Visibility::Visible;
    HWND main = WaitTopWindow(q, kStartWaitMs);
    ASSERT_NE(main, nullptr) << "the program did not start (a planted DLL taken for an import stops it)";
    if (!app_.Running() || app_.pid() != ProcessOf(main)) ASSERT_TRUE(app_.Attach(ProcessOf(main)));
    ASSERT_TRUE(Adopt(main)) << last_error();
    const DWORD pid = app_.pid();
    auto dialog = [&](const std::string& caption) {
      WindowQuery d;
      d.pid = pid;
      d.caption = caption;
      d.visibility = Visibility::Visible;
      return WaitTopWindow(d, 30000);
    };

    // Live Update, Next: the signed configuration is fetched over HTTPS and checked.
    ASSERT_TRUE(ChooseMenu({"Help", "Live Update..."}));
    HWND update = dialog("Pagewick - Live Update");
    ASSERT_NE(update, nullptr);
    HWND next = FindChild(update, "Button", "&Next >>");
    ASSERT_NE(next, nullptr);
    PostMessageA(update, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(next), BN_CLICKED), reinterpret_cast<LPARAM>(next));
    EXPECT_TRUE(WaitFor([&] { return FindChild(update, "Static", version_line_) != nullptr; }, 30000))
        << "the configuration was not fetched and checked";
    HWND cancel = FindChild(update, "Button", "&Cancel");
    ASSERT_NE(cancel, nullptr);
    PostMessageA(update, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(cancel), BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(update); }));

    // Open..., cancelled.
    ASSERT_TRUE(ChooseMenu({"File", "Open..."}));
    HWND open = dialog("Open");
    ASSERT_NE(open, nullptr);
    ASSERT_TRUE(ClickDialogButton(open, IDCANCEL));

    // Print..., cancelled.
    ASSERT_TRUE(ChooseMenu({"File", "Print..."}));
    HWND print = dialog("Print");
    ASSERT_NE(print, nullptr);
    ASSERT_TRUE(ClickDialogButton(print, IDCANCEL));

    // Check Spelling (the built-in checker where Word is missing), cancelled on its first word.
    ASSERT_TRUE(SetNote("Teh note"));
    ASSERT_TRUE(ChooseMenu({"File", "Check Spelling"}));
    HWND spelling = dialog("Spelling");
    ASSERT_NE(spelling, nullptr);
    HWND stop = FindChild(spelling, "Button", "Cancel");
    ASSERT_NE(stop, nullptr);
    PostMessageA(stop, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(spelling); }));
    ASSERT_TRUE(probe().Sync());

    *modules = ModulesOf(pid);
    ASSERT_FALSE(modules->empty()) << "no module snapshot of the program";
    ASSERT_TRUE(ChooseMenu({"File", "Exit"}));
    EXPECT_TRUE(WaitExit(30000));
  }

  std::string planted_dll_, version_line_;
};

TEST_F(PlantedDlls, NoneRunsWhateverTheProgramDoes) {
  ServeSignedConfig();
  // Every DLL the program comes to hold by name, found by running it once without plants.
  std::vector<std::string> modules;
  ASSERT_TRUE(Start());
  UseEverything(&modules);
  if (HasFatalFailure()) return;
  std::set<std::string> names(std::begin(kAlwaysPlanted), std::end(kAlwaysPlanted));
  std::set<std::string> seen;
  for (const std::string& m : modules) {
    const std::string folder = Lower(FolderOf(m)), name = Lower(FileNameOf(m));
    if (folder.find("\\windows\\") == std::string::npos) continue;   // the exe, the test's probe
    seen.insert(name);
    if (!InList(name, kKnownDlls) && !InList(name, kWineParts)) names.insert(name);
  }
  for (const char* must : kMustLoad) EXPECT_TRUE(seen.count(must)) << must << " was not loaded: the run missed a step";
  std::string list;
  for (const std::string& n : names) list += n + " ";
  std::printf("planted: %s\n", list.c_str());

  // The same start as the first (Open... asks nothing about an empty note).
  DeleteFileA(NotePath().c_str());
  Plant(names);
  ASSERT_TRUE(StartWithOverrides("pagewick.exe", {}, names, false)) << last_error();
  modules.clear();
  UseEverything(&modules);
  EXPECT_EQ(Markers(), std::vector<std::string>{}) << "planted DLLs ran";
  for (const std::string& m : modules) {
    if (Lower(FolderOf(m)) == Lower(Folder())) EXPECT_EQ(Lower(FileNameOf(m)), "pagewick.exe") << m;
  }
}

// The setup program, run from a folder holding planted DLLs (Downloads, the classic target).
// Its NSIS stub imports the common controls, and those their visual styles (uxtheme.dll), before
// the first line of the setup script runs; under Wine a uxtheme.dll beside it is loaded then,
// and nothing in the script can prevent it (README: "Installer and release"). Every DLL it
// loads after that, the stub itself from the system folder, is planted here and must not run.
TEST_F(PlantedDlls, TheSetupProgramRunsNoneAfterItsStub) {
  const std::string shipped = ToWindowsPath(GetEnv("PAGEWICK_SHIPPED_EXE"));
  ASSERT_FALSE(shipped.empty());
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(JoinPath(FolderOf(shipped), "pagewick-setup-*.exe").c_str(), &fd);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << "no setup program beside " << shipped;
  FindClose(h);
  const std::string setup = fd.cFileName;
  ASSERT_TRUE(CopyFileTo(JoinPath(FolderOf(shipped), setup), JoinPath(Folder(), setup)));
  const std::set<std::string> names = {"comctl32.dll", "userenv.dll", "apphelp.dll", "propsys.dll", "dwmapi.dll",
                                       "oleacc.dll",   "shfolder.dll", "cryptbase.dll", "msimg32.dll", "ntmarta.dll",
                                       "windowscodecs.dll", "profapi.dll"};
  Plant(names);
  const std::string target = Folder() + "\\inst";
  ASSERT_TRUE(StartWithOverrides(setup, {"/S", "/D=" + target}, names, true)) << last_error();
  EXPECT_TRUE(WaitFor([&] { return FileExists(target + "\\pagewick.exe"); }, 30000)) << "not installed";
  EXPECT_EQ(Markers(), std::vector<std::string>{}) << "planted DLLs ran";
  // What a silent install registers for the current user, taken back.
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pagewick");
  char programs[MAX_PATH] = {};
  if (SHGetSpecialFolderPathA(nullptr, programs, CSIDL_PROGRAMS, FALSE))
    DeleteFileA(JoinPath(programs, "Pagewick.lnk").c_str());
}

}  // namespace
