// Live Update against a real HTTPS server on loopback. These scenarios run through
// live-update-run.sh, which starts the server, trusts its test CA in the session's prefix and
// runs this program where www.pagewick.example names the server (PAGEWICK_UPDATE_ROOT is the
// served folder). Without that they are skipped.
//
// PAGEWICK_UPDATE_INSTALLER may name a file to serve as the installer (the real one, say);
// otherwise the test makes one. The server signs a configuration file with the test key pair
// (tests/keys) the suite's own build (build-win/test-key/) trusts, or with another key, as the
// scenario asks. The installer goes to the desktop the shell names, which each scenario puts in
// a folder of its own, away from the profile, as a synced desktop is.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "PagewickFixture.h"
#include "driver/Driver.h"
#include "pagewick_version.h"
#include "platform/win32/BcryptCrypto.h"
#include "update/UpdateConfig.h"

using namespace e2e;

namespace {

const char kCaption[] = "Pagewick - Live Update";
const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char kConnectError[] = "Error connecting to host.  Unable to complete Live Update.";
const char kHost[] = "https://www.pagewick.example";
const char kNotSigned[] =
    "The update information is not signed by the publisher, so it was not used.  Click cancel to exit.";
// A version newer than the running one, by one minor step.
const std::string kNewer =
    std::to_string(PAGEWICK_VERSION_MAJOR) + "." + std::to_string(PAGEWICK_VERSION_MINOR + 1) + ".0";
const std::string kVersionLine = std::string("Your version: ") + PAGEWICK_VERSION_DOTTED + "    Web version: ";

// The names in a folder, sorted.
std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA fd;
  HANDLE f = FindFirstFileA((folder + "\\*").c_str(), &fd);
  if (f == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string n = fd.cFileName;
    if (n != "." && n != "..") names.push_back(n);
  } while (FindNextFileA(f, &fd));
  FindClose(f);
  std::sort(names.begin(), names.end());
  return names;
}

struct FindText {
  std::string prefix;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK FindTextProc(HWND h, LPARAM lp) {
  auto* f = reinterpret_cast<FindText*>(lp);
  if (f->visibleOnly && !IsWindowVisible(h)) return TRUE;
  if (GetText(h, 2000).compare(0, f->prefix.size(), f->prefix) == 0) {
    f->found = h;
    return FALSE;
  }
  return TRUE;
}

// A shown child of `dlg` whose text starts with `prefix`.
HWND ShownChildStarting(HWND dlg, const std::string& prefix) {
  FindText f{prefix, true, nullptr};
  EnumChildWindows(dlg, FindTextProc, reinterpret_cast<LPARAM>(&f));
  return f.found;
}

HWND WaitShownChild(HWND dlg, const std::string& prefix, DWORD timeout_ms = 20000) {
  HWND h = nullptr;
  WaitFor([&] { return (h = ShownChildStarting(dlg, prefix)) != nullptr; }, timeout_ms);
  return h;
}

class LiveUpdate : public PagewickTest {
 protected:
  void SetUp() override {
    PagewickTest::SetUp();
    if (HasFatalFailure()) return;
    site_ = GetEnv("PAGEWICK_UPDATE_ROOT");
    if (site_.empty()) GTEST_SKIP() << "run through live-update-run.sh (needs the HTTPS test server)";
    site_ = ToWindowsPath(site_);
    profile_ = Folder() + "\\profile";
    temp_ = Folder() + "\\temp";
    desktop_ = Folder() + "\\synced\\Desktop";
    CreateDirectoryA(profile_.c_str(), nullptr);
    CreateDirectoryA((Folder() + "\\synced").c_str(), nullptr);
    CreateDirectoryA(Desktop().c_str(), nullptr);
    // The shell's Desktop folder, as a redirected or synced desktop sets it.
    ASSERT_TRUE(SetShellDesktop(desktop_, &saved_desktop_));
    desktop_set_ = true;
    CreateDirectoryA(temp_.c_str(), nullptr);
    CreateDirectoryA((site_ + "\\software").c_str(), nullptr);
    CreateDirectoryA((site_ + "\\software\\pagewick").c_str(), nullptr);
    CreateDirectoryA((site_ + "\\files").c_str(), nullptr);
    // The program inherits these: its desktop and temporary folder lie in this test's folder.
    SetEnvironmentVariableA("USERPROFILE", profile_.c_str());
    SetEnvironmentVariableA("TEMP", temp_.c_str());
    std::string given = GetEnv("PAGEWICK_UPDATE_INSTALLER");
    if (!given.empty()) {
      ASSERT_TRUE(ReadFileBytes(ToWindowsPath(given), &installer_)) << given;
    } else {
      // An installer-shaped file of about 1.3 MB with every byte value in it.
      installer_ = "MZ";
      unsigned x = 12345;
      while (installer_.size() < 1300000) {
        x = x * 1103515245u + 12345u;
        installer_ += static_cast<char>(x >> 16);
      }
    }
  }

  void TearDown() override {
    PagewickTest::TearDown();
    if (desktop_set_) SetShellDesktop(saved_desktop_, nullptr);
  }
  // Sets the user's Desktop under "User Shell Folders" to `folder` (the old value to *old).
  static bool SetShellDesktop(const std::string& folder, std::string* old) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS)
      return false;
    if (old) {
      char buf[MAX_PATH * 2] = {};
      DWORD size = sizeof buf - 1, type = 0;
      if (RegQueryValueExA(key, "Desktop", nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) != ERROR_SUCCESS)
        std::strcpy(buf, "%USERPROFILE%\\Desktop");
      *old = buf;
    }
    const bool ok = RegSetValueExA(key, "Desktop", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                                   static_cast<DWORD>(folder.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
  }

  std::string Desktop() const { return desktop_; }
  void Serve(const std::string& path, const std::string& bytes) {
    ASSERT_TRUE(WriteFileBytes(site_ + "\\" + path, bytes)) << path;
  }
  // Lines 1 to 4 (the SHA-256 of the installer unless given), signed by the server with the
  // key named by `key` ("test": the key the program trusts; "other"; "": not signed).
  void ServeConfig(const std::string& version, const std::string& installerUrl, std::string sha = "",
                   const std::string& key = "test") {
    if (sha.empty()) {
      pw::win32::BcryptSha256 hash;
      hash.Add(installer_.data(), static_cast<unsigned long>(installer_.size()));
      EXPECT_TRUE(hash.Finish(sha));
    }
    std::string text = "Pagewick " + version + "\r\n" + version + "\r\n" + installerUrl + "\r\n" + sha + "\r\n";
    config_ = text;
    Serve("software\\pagewick\\pagewick.txt", text);
    if (!key.empty()) Serve("software\\pagewick\\pagewick.txt.sign", key);
  }
  std::string Requests() {
    std::string log;
    ReadFileBytes(site_ + "\\requests.log", &log);
    return log;
  }

  // Help > Live Update...: the modal window over the main window.
  HWND OpenUpdate() {
    if (!ChooseMenu({"Help", "Live Update..."})) return nullptr;
    WindowQuery q;
    q.pid = app_.pid();
    q.caption = kCaption;
    q.visibility = Visibility::Visible;
    return WaitTopWindow(q);
  }
  void Press(HWND dlg, const std::string& caption) {
    HWND b = FindChild(dlg, "Button", caption);
    ASSERT_NE(b, nullptr) << caption;
    ASSERT_TRUE(IsWindowEnabled(b)) << caption;
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(b), BN_CLICKED), reinterpret_cast<LPARAM>(b));
  }
  void ExpectWelcome(HWND dlg) {
    EXPECT_TRUE(ShownChildStarting(dlg, "Step 1 of 3"));
    EXPECT_FALSE(ShownChildStarting(dlg, "Step 2 of 3"));
    EXPECT_TRUE(ShownChildStarting(dlg, "Welcome to Live Update."));
    HWND next = FindChild(dlg, "Button", "&Next >>");
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(IsWindowEnabled(next));
    EXPECT_NE(FindChild(dlg, "Button", "&Cancel"), nullptr);
    // Modal: the main window takes no input meanwhile.
    EXPECT_FALSE(IsWindowEnabled(main_));
  }
  // Closes the window with its Cancel/Finish button and checks the main window is back.
  void CloseWith(HWND dlg, const std::string& caption) {
    Press(dlg, caption);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(dlg); }));
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(main_) != FALSE; }));
  }
  // Next from the welcome step, up to the version line.
  HWND CheckForUpdate(HWND dlg, const std::string& version) {
    Press(dlg, "&Next >>");
    return WaitShownChild(dlg, kVersionLine + version);
  }
  // Nothing on the desktop (no installer, no ".part"), no configuration left.
  void ExpectNothingLeft() {
    EXPECT_EQ(FilesIn(Desktop()), std::vector<std::string>{});
    EXPECT_FALSE(FileExists(temp_ + "\\_vclu.txt"));
  }

  std::string site_, profile_, temp_, desktop_, saved_desktop_, installer_, config_;
  bool desktop_set_ = false;
};

TEST_F(LiveUpdate, DownloadsANewerInstallerToTheDesktopAndClosesOnFinish) {
  ServeConfig(kNewer, std::string(kHost) + "/files/pagewick-1.5-setup.exe");
  Serve("files\\pagewick-1.5-setup.exe", installer_);
  ASSERT_TRUE(StartVisible()) << last_error();
  HWND dlg = OpenUpdate();
  ASSERT_NE(dlg, nullptr);
  ExpectWelcome(dlg);

  ASSERT_NE(CheckForUpdate(dlg, kNewer), nullptr);
  EXPECT_TRUE(ShownChildStarting(dlg, "Step 2 of 3"));
  EXPECT_TRUE(ShownChildStarting(dlg, "A new update is available"));
  // The configuration as served: the four lines and the signature line (base64 of a DER
  // signature of 70 to 72 bytes, and CR LF).
  HWND progress = ShownChildStarting(dlg, std::to_string(config_.size() + 98));
  if (!progress) progress = ShownChildStarting(dlg, std::to_string(config_.size() + 94));
  ASSERT_NE(progress, nullptr);
  const std::string n = GetText(progress).substr(0, GetText(progress).find(' '));
  EXPECT_EQ(GetText(progress), n + " bytes of " + n + " bytes of configuration retreived.");
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(FindChild(dlg, "Button", "&Next >>")) != FALSE; }));
  EXPECT_FALSE(FileExists(temp_ + "\\_vclu.txt"));   // read and deleted

  Press(dlg, "&Next >>");
  HWND finish = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (finish = FindChild(dlg, "Button", "Finish")) != nullptr; }, 30000));
  // The Finish button may come a moment before the texts of the last step on a busy machine.
  EXPECT_TRUE(WaitShownChild(dlg, "Step 3 of 3"));
  const std::string target = Desktop() + "\\pagewick-1.5-setup.exe";
  HWND what = WaitShownChild(dlg, "Downloading update for: ");
  ASSERT_NE(what, nullptr);
  EXPECT_EQ(GetText(what), "Downloading update for: \r\nPagewick " + kNewer + " to \r\n" + target);
  // Two decimals rounded half up, as the wizard writes them (an installer of 496,965 bytes is
  // 496.97 KB, where printf's binary rounding says 496.96).
  const double kb = installer_.size() / 1000.0;
  const std::string size = "Download of " + (kb >= 1000 ? pw::Format00(kb / 1000) + " MB" : pw::Format00(kb) + " KB") +
                           " complete.";
  EXPECT_NE(WaitShownChild(dlg, size), nullptr) << size;
  std::string saved;
  ASSERT_TRUE(ReadFileBytes(target, &saved));
  EXPECT_TRUE(saved == installer_) << "saved " << saved.size() << " bytes of " << installer_.size();
  EXPECT_EQ(FilesIn(Desktop()), std::vector<std::string>{"pagewick-1.5-setup.exe"});

  CloseWith(dlg, "Finish");
  // Nothing was started: the program is the only one of ours, and the installer stays.
  for (const ProcessInfo& p : ListProcesses()) EXPECT_NE(p.exe, "pagewick-1.5-setup.exe");
  EXPECT_TRUE(FileExists(target));
  EXPECT_EQ(Requests(), "GET /software/pagewick/pagewick.txt\nGET /files/pagewick-1.5-setup.exe\n");
}

TEST_F(LiveUpdate, AnEqualVersionNeedsNoUpdateAndReopeningStartsAtStepOne) {
  ServeConfig(PAGEWICK_VERSION_DOTTED, std::string(kHost) + "/files/pagewick-1.4-setup.exe");
  ASSERT_TRUE(StartVisible()) << last_error();
  HWND dlg = OpenUpdate();
  ASSERT_NE(dlg, nullptr);
  // Cancel in the welcome step closes at once, having fetched nothing.
  CloseWith(dlg, "&Cancel");
  EXPECT_EQ(Requests(), "");

  dlg = OpenUpdate();
  ASSERT_NE(dlg, nullptr);
  ExpectWelcome(dlg);
  ASSERT_NE(CheckForUpdate(dlg, PAGEWICK_VERSION_DOTTED), nullptr);
  EXPECT_NE(ShownChildStarting(dlg, "No update is required.  Click cancel to exit."), nullptr);
  EXPECT_EQ(ShownChildStarting(dlg, "A new update is available"), nullptr);
  EXPECT_FALSE(IsWindowEnabled(FindChild(dlg, "Button", "&Next >>")));
  CloseWith(dlg, "&Cancel");

  dlg = OpenUpdate();
  ASSERT_NE(dlg, nullptr);
  ExpectWelcome(dlg);
  EXPECT_EQ(ShownChildStarting(dlg, "No update is required."), nullptr);
  CloseWith(dlg, "&Cancel");
  EXPECT_EQ(Requests(), "GET /software/pagewick/pagewick.txt\n");
}

TEST_F(LiveUpdate, AMissingConfigurationIsAConnectionError) {
  // Nothing at the address: the server answers 404 with an error page.
  ASSERT_TRUE(StartVisible()) << last_error();
  HWND dlg = OpenUpdate();
  ASSERT_NE(dlg, nullptr);
  Press(dlg, "&Next >>");
  EXPECT_NE(WaitShownChild(dlg, kConnectError), nullptr);
  EXPECT_FALSE(IsWindowEnabled(FindChild(dlg, "Button", "&Next >>")));
  EXPECT_FALSE(FileExists(temp_ + "\\_vclu.txt"));
  CloseWith(dlg, "&Cancel");
}

// Up to the download step, then waits for `text` in the progress line.
class LiveUpdateFailure : public LiveUpdate {
 protected:
  void RunToFailure(const std::string& text) {
    ASSERT_TRUE(StartVisible()) << last_error();
    HWND dlg = OpenUpdate();
    ASSERT_NE(dlg, nullptr);
    ASSERT_NE(CheckForUpdate(dlg, kNewer), nullptr);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(FindChild(dlg, "Button", "&Next >>")) != FALSE; }));
    Press(dlg, "&Next >>");
    EXPECT_NE(WaitShownChild(dlg, text, 30000), nullptr) << text;
    EXPECT_EQ(FindChild(dlg, "Button", "Finish"), nullptr);
    ExpectNothingLeft();
    CloseWith(dlg, "&Cancel");   // and the program still runs
  }
};

TEST_F(LiveUpdateFailure, AnInstallerCutShortIsNotKept) {
  ServeConfig(kNewer, std::string(kHost) + "/files/setup.exe");
  Serve("files\\setup.exe", installer_);
  Serve("files\\setup.exe.cut", "");
  RunToFailure(kConnectError);
}

TEST_F(LiveUpdateFailure, ARefusedConnectionLeavesNoFile) {
  ServeConfig(kNewer, std::string(kHost) + ":9/files/setup.exe");
  RunToFailure(kConnectError);
}

TEST_F(LiveUpdateFailure, AWrongChecksumLeavesNoFile) {
  ServeConfig(kNewer, std::string(kHost) + "/files/setup.exe", std::string(64, 'a'));
  Serve("files\\setup.exe", installer_);
  RunToFailure("The downloaded file does not match");
}

TEST_F(LiveUpdate, AnUnsafeInstallerNameIsRefusedBeforeDownloading) {
  ServeConfig(kNewer, std::string(kHost) + "/files/..\\..\\startup.exe");
  ASSERT_TRUE(StartVisible()) << last_error();
  HWND dlg = OpenUpdate();
  ASSERT_NE(dlg, nullptr);
  ASSERT_NE(CheckForUpdate(dlg, kNewer), nullptr);
  EXPECT_NE(WaitShownChild(dlg, "This update cannot be downloaded: its installer name"), nullptr);
  EXPECT_FALSE(IsWindowEnabled(FindChild(dlg, "Button", "&Next >>")));
  CloseWith(dlg, "&Cancel");
  EXPECT_EQ(Requests(), "GET /software/pagewick/pagewick.txt\n");
  ExpectNothingLeft();
}

TEST_F(LiveUpdateFailure, AHugeAnnouncedSizeIsRefusedBeforeReading) {
  ServeConfig(kNewer, std::string(kHost) + "/files/setup.exe");
  Serve("files\\setup.exe", installer_);
  Serve("files\\setup.exe.length", "3000000000");
  RunToFailure("The server offered a file larger than the 256 MB");
}

TEST_F(LiveUpdateFailure, AnEmptyInstallerIsAFailedDownload) {
  installer_.clear();   // even with the checksum of nothing on line 4
  ServeConfig(kNewer, std::string(kHost) + "/files/setup.exe");
  Serve("files\\setup.exe", "");
  RunToFailure(kConnectError);
}

TEST_F(LiveUpdateFailure, ARedirectToPlainHttpIsNotFollowed) {
  ServeConfig(kNewer, std::string(kHost) + "/files/setup.exe");
  Serve("files\\setup.exe.redirect", "http://www.pagewick.example/files/real.exe");
  Serve("files\\real.exe", installer_);
  RunToFailure("The server sent Live Update on to an address that is not secure (https://)");
  EXPECT_EQ(Requests(), "GET /software/pagewick/pagewick.txt\nGET /files/setup.exe\n");
}

// Up to the version check, which ends in `text` with nothing downloaded.
class LiveUpdateRefusal : public LiveUpdate {
 protected:
  void RunToRefusal(const std::string& text) {
    ASSERT_TRUE(StartVisible()) << last_error();
    HWND dlg = OpenUpdate();
    ASSERT_NE(dlg, nullptr);
    Press(dlg, "&Next >>");
    EXPECT_NE(WaitShownChild(dlg, text), nullptr) << text;
    EXPECT_EQ(ShownChildStarting(dlg, "A new update is available"), nullptr);
    EXPECT_FALSE(IsWindowEnabled(FindChild(dlg, "Button", "&Next >>")));
    CloseWith(dlg, "&Cancel");   // and the program still runs
    EXPECT_EQ(Requests(), "GET /software/pagewick/pagewick.txt\n");
    ExpectNothingLeft();
  }
};

TEST_F(LiveUpdateRefusal, AnUnsignedConfigurationIsNotUsed) {
  ServeConfig(kNewer, std::string(kHost) + "/files/setup.exe", "", "");
  Serve("files\\setup.exe", installer_);
  RunToRefusal(kNotSigned);
}

TEST_F(LiveUpdateRefusal, AConfigurationSignedByAnotherKeyIsNotUsed) {
  ServeConfig(kNewer, std::string(kHost) + "/files/setup.exe", "", "other");
  Serve("files\\setup.exe", installer_);
  RunToRefusal(kNotSigned);
}

TEST_F(LiveUpdateRefusal, APlainHttpInstallerAddressIsRefused) {
  ServeConfig(kNewer, "http://www.pagewick.example/files/setup.exe");
  RunToRefusal("This update cannot be downloaded: its installer's address is not a secure (https://) one.");
}

TEST_F(LiveUpdate, AnHttpsRedirectIsFollowedAndTakenNamesGetANumber) {
  ServeConfig(kNewer, std::string(kHost) + "/files/latest.exe");
  Serve("files\\latest.exe.redirect", std::string(kHost) + "/files/setup.exe");
  Serve("files\\setup.exe", installer_);
  const std::string mine = "the user's own file", part = "the user's own .part";
  ASSERT_TRUE(WriteFileBytes(Desktop() + "\\latest.exe", mine));
  ASSERT_TRUE(WriteFileBytes(Desktop() + "\\latest.exe.part", part));
  ASSERT_TRUE(StartVisible()) << last_error();
  HWND dlg = OpenUpdate();
  ASSERT_NE(dlg, nullptr);
  ASSERT_NE(CheckForUpdate(dlg, kNewer), nullptr);
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(FindChild(dlg, "Button", "&Next >>")) != FALSE; }));
  Press(dlg, "&Next >>");
  ASSERT_TRUE(WaitFor([&] { return FindChild(dlg, "Button", "Finish") != nullptr; }, 30000));
  const std::string saved = Desktop() + "\\latest (2).exe";
  HWND done = WaitShownChild(dlg, "Download of ");
  ASSERT_NE(done, nullptr);
  const std::string why = "Saved as " + saved + ", since latest.exe is already on the desktop.";
  EXPECT_TRUE(WaitFor([&] { return GetText(done).find(why) != std::string::npos; })) << GetText(done);
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(saved, &bytes));
  EXPECT_TRUE(bytes == installer_);
  ASSERT_TRUE(ReadFileBytes(Desktop() + "\\latest.exe", &bytes));
  EXPECT_EQ(bytes, mine);
  ASSERT_TRUE(ReadFileBytes(Desktop() + "\\latest.exe.part", &bytes));
  EXPECT_EQ(bytes, part) << "a file of the user's named like the download's is never used";
  EXPECT_EQ(FilesIn(Desktop()), (std::vector<std::string>{"latest (2).exe", "latest.exe", "latest.exe.part"}));
  CloseWith(dlg, "Finish");
  EXPECT_EQ(Requests(), "GET /software/pagewick/pagewick.txt\nGET /files/latest.exe\nGET /files/setup.exe\n");
}

}  // namespace

// The program users copy (build-win/pagewick.exe) does not take what the suite's test key
// signed: built without the publisher's key it fetches nothing and says why; built with it, it
// refuses the test signature. Either way nothing is offered and nothing lands on the desktop.
TEST_F(LiveUpdate, TheShippedBuildTrustsNoTestSignature) {
  const std::string shipped = ToWindowsPath(GetEnv("PAGEWICK_SHIPPED_EXE"));
  ASSERT_FALSE(shipped.empty()) << "PAGEWICK_SHIPPED_EXE names the build users copy";
  ASSERT_TRUE(CopyFileTo(shipped, ExePath())) << LastErrorText();
  ServeConfig(kNewer, std::string(kHost) + "/files/pagewick-1.5-setup.exe");
  Serve("files\\pagewick-1.5-setup.exe", installer_);
  ASSERT_TRUE(StartVisible()) << last_error();
  HWND dlg = OpenUpdate();
  ASSERT_NE(dlg, nullptr);
  Press(dlg, "&Next >>");
  HWND said = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    said = ShownChildStarting(dlg, "This copy of Pagewick was built without its publisher's key");
    if (!said) said = ShownChildStarting(dlg, kNotSigned);
    return said != nullptr;
  }, 20000));
  EXPECT_EQ(ShownChildStarting(dlg, "A new update is available"), nullptr);
  EXPECT_FALSE(IsWindowEnabled(FindChild(dlg, "Button", "&Next >>")));
  if (GetText(said) != kNotSigned) {
    EXPECT_EQ(GetText(said), "This copy of Pagewick was built without its publisher's key, so it cannot tell a "
                             "genuine update from a forged one and does not look for any.  Click cancel to exit.");
    EXPECT_EQ(Requests(), "");   // not even asked
  }
  CloseWith(dlg, "&Cancel");
  ExpectNothingLeft();
}
