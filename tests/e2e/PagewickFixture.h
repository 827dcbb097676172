// Test fixture for scenarios with the real pagewick.exe: each test gets a fresh program folder
// holding a copy of the executable (and, unless the test says otherwise, its manifest, so the
// first-run relaunch is skipped), starts the program from there and drives it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "driver/Driver.h"

namespace e2e {

// The visual-styles manifest the program writes beside itself on its first run.
extern const char kManifestText[];

// Scenario failures are reported through gtest assertions in the caller; these helpers return
// false (or null) and leave the reason in the fixture's last_error().
class PagewickTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Folder and files of this test's program copy.
  const std::string& Folder() const { return folder_->path(); }
  std::string ExePath() const { return folder_->File("pagewick.exe"); }
  std::string NotePath() const { return folder_->File("pagewick.txt"); }
  std::string SettingsPath() const { return folder_->File("pagewick.ini"); }
  std::string ManifestPath() const { return folder_->File("pagewick.exe.MANIFEST"); }

  bool RemoveManifest();
  bool WriteNote(const std::string& bytes) { return WriteFileBytes(NotePath(), bytes); }
  std::string ReadFileOrMarker(const std::string& path);  // "<missing>" when absent

  // Starts the program with an argument text; does not wait for anything.
  bool Start(const std::string& args = "");
  // Starts and waits for the visible main window; fills main_, edit_ and probe().
  bool StartVisible(const std::string& args = "");
  // The program's main window (class and caption "Pagewick") of process `pid`.
  HWND WaitMainWindow(DWORD pid, Visibility v = Visibility::Visible, DWORD timeout_ms = kWaitMs);
  // Takes over the main window `hwnd`: waits for its Edit child, hooks a probe on its thread
  // and waits until the program answers it (start-up done).
  bool Adopt(HWND hwnd);

  UiProbe& probe() { return *probe_; }
  bool ChooseMenu(const std::vector<std::string>& path);
  // Sets the note text (any size) and waits until the program holds it.
  bool SetNote(const std::string& text);
  std::string NoteText() { return GetText(edit_, 60000); }
  // The note's selection, read in the program; and a new one, once the program has it.
  std::pair<DWORD, DWORD> Sel() {
    DWORD s = 0, e = 0;
    probe().Selection(&s, &e);
    return {s, e};
  }
  bool Select(DWORD start, DWORD end) {
    SendMessageA(edit_, EM_SETSEL, start, end);
    return probe().Sync();
  }
  // The window with the keyboard focus in the program's UI thread.
  HWND Focus() {
    GUITHREADINFO gti{};
    gti.cbSize = sizeof gti;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &gti)) return nullptr;
    return gti.hwndFocus;
  }
  // Waits until the file at `path` holds `text`, looking at its size without opening it (under
  // Wine a file held open by another process, even for reading, cannot be replaced, and a read
  // at the moment the program renames its save into place would fail that save); then reads it.
  bool WaitFileText(const std::string& path, const std::string& text, DWORD timeout_ms = kWaitMs) {
    WaitFor([&] {
      WIN32_FILE_ATTRIBUTE_DATA a;
      return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &a) && a.nFileSizeHigh == 0 &&
             a.nFileSizeLow == text.size();
    }, timeout_ms, 50);
    return probe().Sync() && ReadFileOrMarker(path) == text;
  }
  // Whether a key pressed now reaches `target`: the program's window is the foreground one
  // (where the system sends the keyboard) and its UI thread's focus is on `target`.
  bool KeysReach(HWND target) {
    HWND fg = GetForegroundWindow();
    return fg && GetWindowThreadProcessId(fg, nullptr) == GetWindowThreadProcessId(main_, nullptr) &&
           Focus() == target;
  }

  // The Linux path of this test's program folder when it lies on Wine's Z: drive, else "".
  std::string UnixFolder() const;
  // Presses `button` in the program's message box titled "Pagewick" whose text holds
  // text_part; returns its text, or "<no message box ...>".
  std::string DismissBox(const std::string& text_part, int button = IDOK, DWORD timeout_ms = kWaitMs);
  // Waits for the visible main window of a start that showed a message box first.
  bool AdoptMain();
  // File > Exit, then the end of the program.
  bool ExitAndWait() { return ChooseMenu({"File", "Exit"}) && WaitExit(30000); }
  // Names of the program folder's files that match a pattern ("pagewick 2*.txt").
  std::vector<std::string> FilesLike(const std::string& pattern) const;

  // Waits for the program to end; false on timeout.
  bool WaitExit(DWORD timeout_ms = kWaitMs, DWORD* code = nullptr) { return app_.WaitExit(timeout_ms, code); }

  const std::string& last_error() const { return error_; }

  std::unique_ptr<TempFolder> folder_;
  Process app_;
  HWND main_ = nullptr;
  HWND edit_ = nullptr;
  std::unique_ptr<UiProbe> probe_;
  std::string error_;
  std::vector<std::string> unix_cleanup_;  // Linux commands TearDown runs (e.g. umount)
};

// Lines joined with CR LF, no line end after the last: the shape of a note.
std::string CrLfLines(const std::vector<std::string>& lines);
// Deterministic note text of about `bytes` bytes: lines of words with characters above 127.
std::string MakeNoteText(size_t bytes);

}  // namespace e2e
