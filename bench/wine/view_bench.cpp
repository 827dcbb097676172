// What the View menu costs under Wine, pagewick.exe against Wine's notepad.exe in one run, each
// holding the same note of N MB, both with Word Wrap on:
//   - a key press (Down, in the middle of the note) with the status bar shown: the median time
//     until the program has handled it; pagewick also with its status bar hidden
//   - switching Word Wrap off, then on again: the time until the program has handled each
//   - (pagewick) Zoom In, then Restore Default Zoom, on the wrapped note
// Each figure is printed with the ratio pagewick / notepad (or / pagewick without the bar).
//
// usage: pagewick_view_bench --pagewick EXE --notepad EXE --work DIR [--note-mb N] [--keys N]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BenchTime.h"
#include "driver/Driver.h"

using namespace e2e;

namespace {

std::string Note(size_t bytes) {
  std::string s;
  for (unsigned i = 0; s.size() < bytes; ++i)
    s += "Line " + std::to_string(i) + ": the quick brown fox jumps over the lazy dog, again and again.\r\n";
  s.resize(bytes);
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n')) s.back() = '.';
  return s;
}

// One program holding the note, driven through its menus.
struct Subject {
  const char* name = "";
  Process process;
  HWND main = nullptr, edit = nullptr;
  std::unique_ptr<UiProbe> probe;

  bool Start(const std::string& exe, const std::string& args, const std::string& dir, const char* cls, size_t length) {
    if (!process.Start(exe, args, dir)) return false;
    // Any process: a first start of pagewick writes its manifest and starts itself again.
    main = WaitTopWindow({0, cls, "", Visibility::Visible}, 120000);
    if (!main) return false;
    WaitFor([&] { return (edit = FindChild(main, "Edit")) && GetTextLength(edit, 60000) >= length; }, 300000, 20);
    probe.reset(new UiProbe(main));
    return edit && probe->ok() && probe->Sync(120000);
  }
  // The entry whose path of captions ends with these (menus differ in their access keys).
  bool Choose(const std::vector<std::string>& path) {
    for (const MenuEntry& e : probe->Read()) {
      std::string want;
      for (const std::string& p : path) want += (want.empty() ? "" : "/") + p;
      if (e.id && e.path == want) return PostMessageA(main, WM_COMMAND, e.id, 0) != 0;
    }
    std::printf("%s has no menu entry %s:\n%s", name, path.back().c_str(), FormatMenu(probe->Read()).c_str());
    return false;
  }
  // Milliseconds until the program has handled the command.
  double Timed(const std::vector<std::string>& path) {
    const double t0 = NowMs();
    if (!Choose(path) || !probe->Sync(300000)) return -1;
    edit = FindChild(main, "Edit");
    return NowMs() - t0;
  }
  double KeyPress(int keys) {
    std::vector<double> times;
    for (int i = 0; i < keys; ++i) {
      const double t0 = NowMs();
      PostMessageA(edit, WM_KEYDOWN, VK_DOWN, 1);
      PostMessageA(edit, WM_KEYUP, VK_DOWN, 0xC0000001);
      if (!probe->Sync(60000)) return -1;
      times.push_back(NowMs() - t0);
    }
    return Median(times);
  }
};

void Row(const char* what, double pagewick, double baseline, const char* against) {
  std::printf("%-44s %10.1f ms %10.1f ms   %.2fx %s\n", what, pagewick, baseline,
              baseline > 0 ? pagewick / baseline : 0.0, against);
}

}  // namespace

int main(int argc, char** argv) {
  std::string pagewick, notepad, work;
  double noteMb = 1;
  int keys = 21;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--pagewick")) pagewick = ToWindowsPath(argv[i + 1]);
    if (!std::strcmp(argv[i], "--notepad")) notepad = argv[i + 1];
    if (!std::strcmp(argv[i], "--work")) work = ToWindowsPath(argv[i + 1]);
    if (!std::strcmp(argv[i], "--note-mb")) noteMb = std::atof(argv[i + 1]);
    if (!std::strcmp(argv[i], "--keys")) keys = std::atoi(argv[i + 1]);
  }
  if (pagewick.empty() || notepad.empty() || work.empty()) {
    std::fprintf(stderr, "usage: pagewick_view_bench --pagewick EXE --notepad EXE --work DIR [--note-mb N] [--keys N]\n");
    return 2;
  }
  CreateDirectoryA(work.c_str(), nullptr);
  const std::string note = Note(static_cast<size_t>(noteMb * 1024 * 1024));
  const std::string file = JoinPath(work, "note.txt");
  if (!WriteFileBytes(file, note) || !CopyFileTo(pagewick, JoinPath(work, "pagewick.exe")) ||
      !WriteFileBytes(JoinPath(work, "pagewick.txt"), note))
    return 1;
  DeleteFileA(JoinPath(work, "pagewick.ini").c_str());
  std::printf("View menu, note of %.1f MB (%zu bytes), Word Wrap on; medians of %d key presses\n", noteMb, note.size(), keys);

  // Notepad keeps its Word Wrap and status bar choices in the registry and reads them at start.
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Notepad", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) == ERROR_SUCCESS) {
    const DWORD on = 1, off = 0;
    RegSetValueExA(key, "fWrap", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof on);
    RegSetValueExA(key, "fStatusBar", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off), sizeof off);
    RegCloseKey(key);
  }
  Subject np;
  np.name = "notepad";
  if (!np.Start(notepad, "\"" + file + "\"", work, "Notepad", note.size())) return std::printf("notepad did not start\n"), 1;
  SendMessageA(np.edit, EM_SETSEL, note.size() / 2, note.size() / 2);
  if (np.Timed({"View", "Status Bar"}) < 0) return 1;
  const double npKey = np.KeyPress(keys);
  const double npOff = np.Timed({"Edit", "Wrap long lines"}), npOn = np.Timed({"Edit", "Wrap long lines"});
  np.process.Kill();
  KillProcessesNamed("notepad.exe");

  Subject pw;
  pw.name = "pagewick";
  if (!pw.Start(JoinPath(work, "pagewick.exe"), "", work, "Pagewick", note.size()))
    return std::printf("pagewick did not start\n"), 1;
  SendMessageA(pw.edit, EM_SETSEL, note.size() / 2, note.size() / 2);
  const double pwKeyNoBar = pw.KeyPress(keys);
  if (pw.Timed({"View", "Status Bar"}) < 0) return 1;
  const double pwKey = pw.KeyPress(keys);
  const double pwOff = pw.Timed({"View", "Word Wrap"}), pwOn = pw.Timed({"View", "Word Wrap"});
  const double zoomIn = pw.Timed({"View", "Zoom", "Zoom In"}), zoomBack = pw.Timed({"View", "Zoom", "Restore Default Zoom"});
  pw.process.Kill();
  KillProcessesNamed("pagewick.exe");

  std::printf("%-44s %13s %13s\n", "", "pagewick", "baseline");
  Row("key press, status bar shown", pwKey, npKey, "notepad");
  Row("key press, status bar shown", pwKey, pwKeyNoBar, "pagewick without the bar");
  Row("Word Wrap off", pwOff, npOff, "notepad");
  Row("Word Wrap on", pwOn, npOn, "notepad");
  Row("Zoom In (wrapped note)", zoomIn, pwOn, "pagewick's Word Wrap on");
  Row("Restore Default Zoom", zoomBack, pwOn, "pagewick's Word Wrap on");
  return 0;
}
