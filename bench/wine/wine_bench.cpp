// pagewick.exe against Wine's notepad.exe, in one run on the same display:
//   - launch to visible main window (median of N launches)
//   - resident anonymous memory once started (RssAnon of the Linux process hosting the exe)
//   - time to show a large note: Pagewick restoring pagewick.txt, notepad opening the same
//     file, until the Edit control holds all of it; once in ANSI, once in UTF-8 Cyrillic (with
//     its mark)
//   - Replace All across 1 MB of Cyrillic, Greek and CJK text: from the click on the dialog's
//     Replace All until the program has handled it
// Each figure is printed with the ratio pagewick / notepad.
//
// usage: pagewick_wine_bench --pagewick EXE --notepad EXE --work DIR [--runs N] [--note-mb N]
//        [--replace 0|1]
//        [--before EXE]   (an earlier pagewick.exe, launched alternately with the two)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "driver/Driver.h"

using namespace e2e;

namespace {

struct Target {
  const char* name;
  std::string exe;         // as started
  std::string class_name;  // of its main window
  std::string work_dir;
};

double NowMs() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

std::string FileName(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

void EndAll(const Target& t) { KillProcessesNamed(FileName(t.exe)); }

// Starts the target and waits until its main window is visible. Returns the milliseconds from
// just before CreateProcess, or a negative value on failure.
double Launch(const Target& t, const std::string& args, Process* p, HWND* main, DWORD timeout_ms = 30000) {
  double t0 = NowMs();
  if (!p->Start(t.exe, args, t.work_dir)) return -1;
  WindowQuery q;
  q.pid = p->pid();
  q.class_name = t.class_name;
  q.visibility = Visibility::Visible;
  HWND w = nullptr;
  Deadline d(timeout_ms);
  while (!(w = FindTopWindow(q)) && !d.Expired()) PumpMessagesFor(1);
  if (!w) return -1;
  *main = w;
  return NowMs() - t0;
}

// The Linux process whose command line is the exe's Windows path.
int LinuxPidOf(const std::string& exe) {
  std::string want = Lower(exe);
  WIN32_FIND_DATAA fd;
  HANDLE f = FindFirstFileA("Z:\\proc\\*", &fd);
  if (f == INVALID_HANDLE_VALUE) return -1;
  int found = -1;
  do {
    if (!std::isdigit(static_cast<unsigned char>(fd.cFileName[0]))) continue;
    std::string cmdline;
    if (!ReadFileBytes(std::string("Z:\\proc\\") + fd.cFileName + "\\cmdline", &cmdline)) continue;
    cmdline = Lower(cmdline.substr(0, cmdline.find('\0')));
    if (cmdline == want) found = std::atoi(fd.cFileName);
  } while (found < 0 && FindNextFileA(f, &fd));
  FindClose(f);
  return found;
}

long RssAnonKb(int linux_pid) {
  std::string status;
  if (!ReadFileBytes("Z:\\proc\\" + std::to_string(linux_pid) + "\\status", &status)) return -1;
  size_t at = status.find("RssAnon:");
  return at == std::string::npos ? -1 : std::atol(status.c_str() + at + 8);
}

// RssAnon once it has settled (unchanged over five samples 50 ms apart, at most 3 s).
long SettledRssAnonKb(const Target& t, const Process& p) {
  WaitForInputIdle(p.handle(), 5000);
  int pid = LinuxPidOf(t.exe);
  if (pid < 0) return -1;
  long last = RssAnonKb(pid);
  int same = 0;
  Deadline d(3000);
  while (same < 5 && !d.Expired()) {
    PumpMessagesFor(50);
    long now = RssAnonKb(pid);
    same = now == last ? same + 1 : 0;
    last = now;
  }
  return last;
}

double Median(std::vector<double> v) {
  if (v.empty()) return -1;
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Wine's notepad keeps its Word Wrap choice in the registry and reads it at start. Pagewick's
// box always wraps, so the like-for-like baseline is notepad with Word Wrap on.
void SetNotepadWrap(bool on) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Notepad", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return;
  DWORD v = on ? 1 : 0;
  RegSetValueExA(key, "fWrap", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
  RegCloseKey(key);
}

double ShowLargeNote(const Target& t, const std::string& args, size_t length);

// Notepad opening the file with Word Wrap off (its default), then on; leaves it off.
void ShowInNotepadBothWays(const Target& np, const std::string& file, size_t length, double* plain, double* wrapped) {
  SetNotepadWrap(false);
  *plain = ShowLargeNote(np, "\"" + file + "\"", length);
  SetNotepadWrap(true);
  *wrapped = ShowLargeNote(np, "\"" + file + "\"", length);
  SetNotepadWrap(false);
}

// Time until the main window's Edit child holds `length` characters.
double ShowLargeNote(const Target& t, const std::string& args, size_t length) {
  Process p;
  HWND main = nullptr;
  double t0 = NowMs();
  if (Launch(t, args, &p, &main, 120000) < 0) return -1;
  HWND edit = nullptr;
  Deadline d(180000);
  while (!d.Expired()) {
    if (!edit) edit = FindChild(main, "Edit");
    if (edit && GetTextLength(edit, 60000) >= length) break;
    PumpMessagesFor(5);
  }
  double ms = NowMs() - t0;
  bool ok = edit && GetTextLength(edit) >= length;
  p.Kill();
  EndAll(t);
  return ok ? ms : -1;
}

std::string LargeNote(size_t bytes) {
  std::string s;
  s.reserve(bytes + 100);
  for (unsigned i = 0; s.size() < bytes; ++i) {
    s += "Line ";
    s += std::to_string(i);
    s += ": the quick brown fox jumps over the lazy dog, again and again.\r\n";
  }
  s.resize(bytes);
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n')) s.back() = '.';
  return s;
}

// About `bytes` of UTF-8 Cyrillic, whole lines, with its mark in front; units gets its length
// in UTF-16 units (the box's characters).
std::string LargeCyrillicNote(size_t bytes, size_t* units) {
  // "Строка N: съешь же ещё этих мягких французских булок, да выпей чаю."
  const std::string tail =
      ": \xD1\x81\xD1\x8A\xD0\xB5\xD1\x88\xD1\x8C \xD0\xB6\xD0\xB5 \xD0\xB5\xD1\x89\xD1\x91 "
      "\xD1\x8D\xD1\x82\xD0\xB8\xD1\x85 \xD0\xBC\xD1\x8F\xD0\xB3\xD0\xBA\xD0\xB8\xD1\x85 "
      "\xD1\x84\xD1\x80\xD0\xB0\xD0\xBD\xD1\x86\xD1\x83\xD0\xB7\xD1\x81\xD0\xBA\xD0\xB8\xD1\x85 "
      "\xD0\xB1\xD1\x83\xD0\xBB\xD0\xBE\xD0\xBA, \xD0\xB4\xD0\xB0 \xD0\xB2\xD1\x8B\xD0\xBF\xD0\xB5\xD0\xB9 "
      "\xD1\x87\xD0\xB0\xD1\x8E.\r\n";
  const std::string head = "\xD0\xA1\xD1\x82\xD1\x80\xD0\xBE\xD0\xBA\xD0\xB0 ";
  std::string s = "\xEF\xBB\xBF";
  s.reserve(bytes + 200);
  for (unsigned i = 0; s.size() < bytes; ++i) s += head + std::to_string(i) + tail;
  s.resize(s.size() - 2);   // no line break after the last line
  *units = static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, s.data() + 3, static_cast<int>(s.size() - 3), nullptr, 0));
  return s;
}

// 1 MB of Cyrillic, Greek and CJK lines with an emoji, and "cat" in every 4096th line (notepad
// replaces match by match, each taking tens of seconds in 1 MB). Mark in front.
std::string UnicodeReplaceText(size_t* units, size_t* matches) {
  const std::string line = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1 \xD0\xBF\xD1\x80\xD0\xB8"
                           "\xD0\xB2\xD0\xB5\xD1\x82 \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80 ";
  std::string s = "\xEF\xBB\xBF";
  *matches = 0;
  for (unsigned i = 0; s.size() < (1u << 20); ++i) {
    s += line + std::to_string(i);
    if (i % 4096 == 0) {
      s += " cat";
      ++*matches;
    }
    s += "\r\n";
  }
  s.resize(s.size() - 2);
  *units = static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, s.data() + 3, static_cast<int>(s.size() - 3), nullptr, 0));
  return s;
}

// Opens the text the way the target does (its argument, or pagewick's own note), then replaces
// every "cat" by "dog" through its Replace dialog. Milliseconds from the click on Replace All
// until the program has handled it; -1 on failure, -2 when still busy after limit_ms.
double ReplaceAllMs(const Target& t, const std::string& args, size_t length, DWORD limit_ms) {
  Process p;
  HWND main = nullptr;
  if (Launch(t, args, &p, &main, 120000) < 0) return -1;
  HWND edit = nullptr;
  Deadline d(180000);
  while (!d.Expired() && !(edit && GetTextLength(edit, 60000) >= length)) {
    if (!edit) edit = FindChild(main, "Edit");
    PumpMessagesFor(5);
  }
  double ms = -1;
  UiProbe probe(main);
  std::vector<std::string> path;
  for (const MenuEntry& e : probe.Read())
    if (e.caption == "Replace...") path = {e.path.substr(0, e.path.find('/')), e.caption};
  WindowQuery q;
  q.pid = p.pid();
  q.class_name = "#32770";
  q.caption = "Replace";
  q.visibility = Visibility::Visible;
  HWND dialog = nullptr;
  if (edit && probe.ok() && !path.empty() && probe.Choose(path) && (dialog = WaitTopWindow(q, 30000)) &&
      SetDialogItemText(dialog, 0x480, "cat") && SetDialogItemText(dialog, 0x481, "dog")) {
    SendMessageA(edit, EM_SETSEL, 0, 0);
    probe.Sync();
    const double t0 = NowMs();
    PostMessageA(GetDlgItem(dialog, 0x401), BM_CLICK, 0, 0);
    if (probe.Sync(limit_ms)) {
      ms = NowMs() - t0;
      const std::string after = GetText(edit, 60000);
      if (after.find("cat") != std::string::npos || after.find("dog") == std::string::npos) ms = -1;
    } else {
      ms = -2;
    }
  }
  p.Kill();
  EndAll(t);
  return ms;
}

void PrintRow(const char* what, double pw, double np, const char* unit, double scale = 1.0) {
  std::printf("%-44s pagewick %9.1f %-3s  notepad %9.1f %-3s  ratio %s\n", what, pw / scale, unit, np / scale, unit,
              pw > 0 && np > 0 ? std::to_string(pw / np).substr(0, 5).c_str() : "n/a");
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  std::string pagewick, notepad = "C:\\windows\\system32\\notepad.exe", work, before;
  int runs = 5, note_mb = 10;
  bool replace = true;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string k = argv[i], v = argv[i + 1];
    if (k == "--pagewick") pagewick = ToWindowsPath(v);
    else if (k == "--notepad") notepad = ToWindowsPath(v);
    else if (k == "--work") work = ToWindowsPath(v);
    else if (k == "--runs") runs = std::atoi(v.c_str());
    else if (k == "--note-mb") note_mb = std::atoi(v.c_str());
    else if (k == "--before") before = ToWindowsPath(v);   // an earlier build, measured alongside
    else if (k == "--replace") replace = v != "0";
  }
  if (pagewick.empty() || work.empty()) {
    std::fprintf(stderr, "usage: %s --pagewick EXE --work DIR [--notepad EXE] [--before EXE] [--runs N] [--note-mb N] [--replace 0|1]\n", argv[0]);
    return 2;
  }
  CreateDirectoryA(work.c_str(), nullptr);
  std::string pw_dir = JoinPath(work, "pagewick");
  RemoveTree(pw_dir);
  CreateDirectoryA(pw_dir.c_str(), nullptr);
  Target pw{"pagewick", JoinPath(pw_dir, "pagewick.exe"), "Pagewick", pw_dir};
  Target np{"notepad", notepad, "Notepad", work};
  if (!CopyFileTo(pagewick, pw.exe)) {
    std::fprintf(stderr, "cannot copy %s: %s\n", pagewick.c_str(), LastErrorText().c_str());
    return 1;
  }
  std::string old_dir = JoinPath(work, "pagewick-before");
  RemoveTree(old_dir);
  Target old{"pagewick-before", JoinPath(old_dir, "pagewick.exe"), "Pagewick", old_dir};
  if (!before.empty()) {
    CreateDirectoryA(old_dir.c_str(), nullptr);
    if (!CopyFileTo(before, old.exe)) {
      std::fprintf(stderr, "cannot copy %s: %s\n", before.c_str(), LastErrorText().c_str());
      return 1;
    }
  }
  EndAll(pw);
  EndAll(np);

  // First run in the folder: the program writes its manifest and starts itself again. Let it,
  // so the measured launches are ordinary ones.
  for (const Target* t : {&pw, &old}) {
    if (t == &old && before.empty()) continue;
    Process first;
    first.Start(t->exe, "", t->work_dir);
    first.WaitExit(10000);
    WindowQuery q;
    q.class_name = t->class_name;
    WaitTopWindow(q, 10000);
    EndAll(*t);
  }

  std::printf("pagewick: %s\nnotepad:  %s\n\n", pagewick.c_str(), notepad.c_str());
  std::vector<double> launch[3];
  long rss[3] = {-1, -1, -1};
  Target* targets[3] = {&pw, &np, &old};
  const int count = before.empty() ? 2 : 3;
  // Alternate them so that drifts of the machine hit all alike.
  for (int r = 0; r < runs; ++r) {
    for (int k = 0; k < count; ++k) {
      Process p;
      HWND main = nullptr;
      double ms = Launch(*targets[k], "", &p, &main);
      if (ms >= 0) launch[k].push_back(ms);
      if (r == 0) rss[k] = SettledRssAnonKb(*targets[k], p);
      p.Kill();
      EndAll(*targets[k]);
    }
  }
  std::string row = "launch to visible main window (median of " + std::to_string(runs) + ")";
  PrintRow(row.c_str(), Median(launch[0]), Median(launch[1]), "ms");
  if (!before.empty()) {
    row = "  the earlier build (--before), same runs";
    PrintRow(row.c_str(), Median(launch[2]), Median(launch[1]), "ms");
  }
  PrintRow("resident anonymous memory after start", static_cast<double>(rss[0]), static_cast<double>(rss[1]), "MB",
           1024.0);

  if (note_mb > 0) {
    std::string note = LargeNote(static_cast<size_t>(note_mb) * 1024 * 1024);
    std::string note_file = JoinPath(work, "large-note.txt");
    if (!WriteFileBytes(JoinPath(pw_dir, "pagewick.txt"), note) || !WriteFileBytes(note_file, note)) {
      std::fprintf(stderr, "cannot write the note files\n");
      return 1;
    }
    double pw_ms = ShowLargeNote(pw, "", note.size()), np_ms = -1, np_wrap_ms = -1;
    ShowInNotepadBothWays(np, note_file, note.size(), &np_ms, &np_wrap_ms);
    row = "show a " + std::to_string(note_mb) + " MB note (until the Edit holds all)";
    PrintRow(row.c_str(), pw_ms, np_ms, "s", 1000.0);
    PrintRow("  against notepad with Word Wrap on", pw_ms, np_wrap_ms, "s", 1000.0);

    size_t units = 0;
    note = LargeCyrillicNote(static_cast<size_t>(note_mb) * 1024 * 1024, &units);
    if (!WriteFileBytes(JoinPath(pw_dir, "pagewick.txt"), note) || !WriteFileBytes(note_file, note)) {
      std::fprintf(stderr, "cannot write the note files\n");
      return 1;
    }
    pw_ms = ShowLargeNote(pw, "", units);
    ShowInNotepadBothWays(np, note_file, units, &np_ms, &np_wrap_ms);
    row = "the same in UTF-8 Cyrillic";
    PrintRow(row.c_str(), pw_ms, np_ms, "s", 1000.0);
    PrintRow("  against notepad with Word Wrap on", pw_ms, np_wrap_ms, "s", 1000.0);
    DeleteFileA(note_file.c_str());
  }

  if (replace) {
    size_t units = 0, matches = 0;
    const std::string text = UnicodeReplaceText(&units, &matches);
    const std::string text_file = JoinPath(work, "replace.txt");
    if (!WriteFileBytes(JoinPath(pw_dir, "pagewick.txt"), text) || !WriteFileBytes(text_file, text)) {
      std::fprintf(stderr, "cannot write the text files\n");
      return 1;
    }
    const DWORD limit_ms = 300000;
    const double pw_ms = ReplaceAllMs(pw, "", units, limit_ms);
    const double np_ms = ReplaceAllMs(np, "\"" + text_file + "\"", units, limit_ms);
    row = "Replace All, 1 MB Unicode, " + std::to_string(matches) + " matches";
    if (np_ms == -2 && pw_ms > 0)
      std::printf("%-44s pagewick %9.1f s    notepad > %.0f s (stopped)  ratio < %.3f\n", row.c_str(), pw_ms / 1000,
                  limit_ms / 1000.0, pw_ms / limit_ms);
    else
      PrintRow(row.c_str(), pw_ms, np_ms, "s", 1000.0);
    DeleteFileA(text_file.c_str());
  }
  std::printf("\npagewick.exe size: %lld bytes\n", FileSize(pagewick));
  if (!before.empty()) std::printf("earlier build's size: %lld bytes\n", FileSize(before));
  RemoveTree(pw_dir);
  RemoveTree(old_dir);
  return 0;
}
