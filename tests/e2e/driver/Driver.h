// Drives a running Win32 program from a second process: launching it, finding its windows,
// reading and writing its controls, choosing menu entries, answering message boxes, and the
// shell and session messages a desktop sends. Every wait takes a deadline and polls; nothing
// sleeps for a fixed time.
//
// Works under Wine and on Windows. Strings are ANSI (the program under test is ANSI too).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "hook/ProbeProtocol.h"

namespace e2e {

// ---- time -----------------------------------------------------------------------------------

// Default patience for anything that should happen "at once" in the program.
constexpr DWORD kWaitMs = 10000;
// The program's start to a visible main window.
constexpr DWORD kStartWaitMs = 30000;

class Deadline {
 public:
  explicit Deadline(DWORD ms);
  bool Expired() const;
  DWORD RemainingMs() const;

 private:
  ULONGLONG end_;
};

// Waits until pred() is true or the deadline passes, pumping this thread's messages meanwhile
// (the menu hook answers through a window of ours). Returns the last value of pred().
template <typename Pred>
bool WaitFor(Pred pred, DWORD timeout_ms = kWaitMs, DWORD poll_ms = 10);

void PumpMessagesFor(DWORD ms);  // bounded pause that keeps our reply window responsive

// ---- paths and files ------------------------------------------------------------------------

// "/tmp/x" -> "Z:\tmp\x"; Windows paths are returned with '/' turned into '\'.
std::string ToWindowsPath(const std::string& path);
std::string JoinPath(const std::string& dir, const std::string& name);
std::string GetEnv(const char* name, const std::string& fallback = "");
std::string ThisExeFolder();

bool ReadFileBytes(const std::string& path, std::string* out);
bool WriteFileBytes(const std::string& path, const std::string& data);
bool FileExists(const std::string& path);
// INVALID_FILE_ATTRIBUTES when the file is missing.
DWORD FileAttributes(const std::string& path);
long long FileSize(const std::string& path);  // -1 when missing
bool CopyFileTo(const std::string& from, const std::string& to);
bool RemoveTree(const std::string& path);     // clears read-only attributes on the way
std::string LastErrorText(DWORD error = GetLastError());

// A fresh folder under the e2e work root (PAGEWICK_E2E_WORK, else the temp folder), removed
// again when the object goes away.
class TempFolder {
 public:
  explicit TempFolder(const std::string& label);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return JoinPath(path_, name); }

 private:
  std::string path_;
};

// ---- processes ------------------------------------------------------------------------------

// One process we started. Kills it on destruction unless it already ended.
class Process {
 public:
  Process() = default;
  ~Process();
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // Starts `exe` with the argument text `args` (may be empty) in `work_dir` (empty: the exe's
  // folder). Its standard handles go to NUL.
  bool Start(const std::string& exe, const std::string& args, const std::string& work_dir = "");
  // Takes over a process found by id (for instance one the program relaunched itself).
  bool Attach(DWORD pid);

  bool valid() const { return handle_ != nullptr; }
  DWORD pid() const { return pid_; }
  HANDLE handle() const { return handle_; }
  bool Running() const;
  // True when it ended within the timeout; the exit code goes to *code.
  bool WaitExit(DWORD timeout_ms, DWORD* code = nullptr);
  void Kill();

 private:
  HANDLE handle_ = nullptr;
  DWORD pid_ = 0;
};

struct ProcessInfo {
  DWORD pid;
  DWORD parent;
  std::string exe;  // file name only
};
std::vector<ProcessInfo> ListProcesses();
// The full paths of the modules (the exe and every DLL) loaded in a process, by Toolhelp.
std::vector<std::string> ModulesOf(DWORD pid);
// Ends every process whose exe file name matches (case-insensitive). Meant for leftovers of
// earlier tests inside the test session's own prefix. Returns how many were ended.
int KillProcessesNamed(const std::string& exe_name);

// Runs a Linux command line through /bin/sh (Wine starts Unix programs, but gives no exit
// code, so the command reports it through a file). Returns the exit code, or -1 on timeout or
// when Unix programs cannot be started (on Windows).
int RunUnix(const std::string& command, DWORD timeout_ms = 30000);

// ---- windows --------------------------------------------------------------------------------

enum class Visibility { Any, Visible, Hidden };

struct WindowQuery {
  DWORD pid = 0;              // 0: any process
  std::string class_name;     // empty: any
  std::string caption;        // empty: any; otherwise exact match
  Visibility visibility = Visibility::Any;
  HWND owner = nullptr;       // non-null: only windows owned by it
};

std::vector<HWND> FindTopWindows(const WindowQuery& q);
HWND FindTopWindow(const WindowQuery& q);
HWND WaitTopWindow(const WindowQuery& q, DWORD timeout_ms = kWaitMs);
// Waits until no window matches. True when that happened in time.
bool WaitNoTopWindow(const WindowQuery& q, DWORD timeout_ms = kWaitMs);
std::vector<HWND> TopWindowsOfProcess(DWORD pid, Visibility v = Visibility::Any);

// First descendant of `parent` with that class (and caption, when given).
HWND FindChild(HWND parent, const std::string& class_name, const std::string& caption = "");
std::string ClassOf(HWND hwnd);
DWORD ProcessOf(HWND hwnd);
bool IsShown(HWND hwnd);

// Text of any window or control of another process (WM_GETTEXTLENGTH / WM_GETTEXT).
std::string GetText(HWND hwnd, DWORD timeout_ms = kWaitMs);
size_t GetTextLength(HWND hwnd, DWORD timeout_ms = kWaitMs);
// Under Wine a WM_SETTEXT of more than about 1 MB never arrives across processes: use
// UiProbe::SetEditText for big texts. WM_GETTEXT has no such limit.
bool SetText(HWND hwnd, const std::string& text, DWORD timeout_ms = 30000);
// Types characters into a control with WM_CHAR, as a keyboard would ('\n' becomes Enter).
// The characters are posted: UiProbe::Sync() tells when the program has handled them.
bool TypeText(HWND hwnd, const std::string& text);
// Edit selection through EM_GETSEL / EM_SETSEL.
bool GetSelection(HWND edit, DWORD* start, DWORD* end);

// Keys through SendInput, pressed in order and released in reverse: PressKeys({VK_CONTROL,'N'}).
bool PressKeys(const std::vector<WORD>& keys);
bool BringToFront(HWND hwnd);
// The mouse, through SendInput: a left click at a point of a window's client area, and the
// wheel turned by notches (up is positive) over the middle of the window with Ctrl held.
bool ClickAt(HWND hwnd, POINT client);
bool TurnWheelWithCtrl(HWND hwnd, int notches);

// ---- message boxes and dialogs --------------------------------------------------------------

struct MessageBoxInfo {
  HWND hwnd = nullptr;
  std::string title;
  std::string text;  // the static control 0xFFFF
};
// A #32770 window of that process whose title equals `title` (empty: any) and whose text
// contains `text_part` (empty: any).
MessageBoxInfo FindMessageBox(DWORD pid, const std::string& title, const std::string& text_part = "");
MessageBoxInfo WaitMessageBox(DWORD pid, const std::string& title, const std::string& text_part = "",
                              DWORD timeout_ms = kWaitMs);
std::vector<MessageBoxInfo> MessageBoxesOf(DWORD pid);
// Presses a button of a dialog (IDOK, IDYES, ...) and waits until the dialog is gone.
bool ClickDialogButton(HWND dialog, int id, DWORD timeout_ms = kWaitMs);
std::string GetDialogItemText(HWND dialog, int id);
bool SetDialogItemText(HWND dialog, int id, const std::string& text);

// ---- in-process probe (a hook DLL loaded into the program's UI thread) ----------------------
// Reads menus, which cannot be read from another process under Wine, and the Edit selection,
// and tells when the program has worked through everything posted to it so far.

struct MenuEntry {
  std::string path;     // "File/Save Settings"; top-level entries are just "File"
  std::string caption;  // as shown, without ampersands and without the shortcut part
  std::string shortcut; // text after the tab ("Ctrl+E"), may be empty
  int depth = 0;        // 0 for menu-bar entries
  int position = 0;     // index within its menu
  UINT id = 0;          // command id (0 for pop-ups and separators)
  bool separator = false;
  bool popup = false;
  bool enabled = true;
  bool checked = false;
  bool highlighted = false;  // the entry the keyboard is on in an open menu
};

// A window as laid out in the program, read in-process: its DPI, icon sizes and children.
struct ControlLayout {
  int id = 0;
  std::string class_name;
  RECT rect = {};          // in the parent's client area
  SIZE text = {};          // what the caption needs in the control's font, lines as written
  SIZE bitmap = {};        // a picture's image; 0 x 0 otherwise
  LONG style = 0;
  std::string caption;
};
struct WindowLayout {
  int dpi = 0;
  SIZE client = {};
  int big_icon = 0, small_icon = 0;   // pixels; 0 when the window has none
  std::vector<ControlLayout> controls;
  const ControlLayout* ById(int id) const;
  const ControlLayout* ByCaption(const std::string& caption) const;
};

enum MenuQueryFlags : unsigned {
  kMenuBar = 0,
  // Send WM_INITMENUPOPUP to every drop-down before reading it, as opening it would.
  kMenuInitPopups = probe::kInitPopups,
  // Read the pop-up menus that are open right now (TrackPopupMenu) instead of the menu bar.
  kMenuOpenPopups = probe::kOpenPopups,
};

class UiProbe {
 public:
  // Waits until the UI thread has retrieved every message posted to it before (and handled
  // them, unless one of them opened a modal window, which then answers for it).
  bool Sync(DWORD timeout_ms = kWaitMs);
  // Hooks the UI thread of `main_window`.
  explicit UiProbe(HWND main_window);
  ~UiProbe();
  UiProbe(const UiProbe&) = delete;
  UiProbe& operator=(const UiProbe&) = delete;

  bool ok() const { return hook_ != nullptr; }
  const std::string& error() const { return error_; }

  // The whole menu tree, in order. Empty on failure (see error()).
  std::vector<MenuEntry> Read(unsigned flags = kMenuBar, DWORD timeout_ms = kWaitMs);
  // One entry, looked up by its path of captions, e.g. {"File", "Exit"}. When init_popup is
  // set, the drop-downs are initialised first (WM_INITMENUPOPUP), so enabled/checked are the
  // states the user would see on opening the menu. False when missing.
  bool Find(const std::vector<std::string>& path, MenuEntry* out, bool init_popup = false);
  // Posts WM_COMMAND with the entry's id to the main window (like clicking it). False when the
  // entry is missing or disabled.
  bool Choose(const std::vector<std::string>& path);
  // Chooses an entry of an open pop-up menu by its caption, with the keyboard.
  bool ChooseInOpenPopup(const std::string& caption);
  // Sets the text of the main window's Edit child in-process, for texts of any size.
  bool SetEditText(const std::string& text, DWORD timeout_ms = 120000);
  // The selection of the main window's Edit child, read in-process (no 16-bit limit).
  bool Selection(DWORD* start, DWORD* end);
  // The big and small icons of any window of the program's UI thread, read in-process.
  bool Icons(HWND window, uintptr_t* big, uintptr_t* small);
  // A window's extended style and layered attributes (GetLayeredWindowAttributes only
  // answers inside the window's own process).
  struct LayeredInfo {
    DWORD ex_style = 0;
    bool has_attributes = false;  // GetLayeredWindowAttributes succeeded
    BYTE alpha = 0;
    DWORD flags = 0;              // LWA_ALPHA, LWA_COLORKEY
  };
  bool Layered(HWND window, LayeredInfo* info);
  // DPI, icon sizes and the children of any window of the program's UI thread.
  bool Layout(HWND window, WindowLayout* out);

 private:
  HWND main_ = nullptr;
  HHOOK hook_ = nullptr;
  HMODULE dll_ = nullptr;
  std::string error_;
};

std::string FormatMenu(const std::vector<MenuEntry>& entries);  // for failure messages

// ---- shell and session ----------------------------------------------------------------------

// A notification-area callback as the shell posts it: (uID, mouse message).
bool PostTrayNotification(HWND hwnd, UINT callback_message, UINT icon_id, UINT mouse_message);
// The two messages Windows sends when a session ends. Returns what the window answered to
// WM_QUERYENDSESSION (TRUE: may end); WM_ENDSESSION(TRUE) follows when it agreed.
bool SendEndSession(HWND hwnd, LRESULT* query_answer = nullptr, DWORD timeout_ms = 60000);

// ---- evidence -------------------------------------------------------------------------------

// Saves the whole screen as a BMP file.
bool SaveScreenshot(const std::string& path);

// ---- implementation of the template ---------------------------------------------------------

template <typename Pred>
bool WaitFor(Pred pred, DWORD timeout_ms, DWORD poll_ms) {
  Deadline d(timeout_ms);
  for (;;) {
    if (pred()) return true;
    if (d.Expired()) return pred();
    DWORD left = d.RemainingMs();
    PumpMessagesFor(left < poll_ms ? left : poll_ms);
  }
}

}  // namespace e2e
