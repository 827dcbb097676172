// What the spelling marks cost under Wine: the same pagewick.exe with Check Spelling As You Type
// on and off (line 25 of its settings file), in one run:
//   - typing in a 1 MB note: the time from a key (WM_CHAR, in the middle of the note) until the
//     program has handled it and the box has painted it; keys 150 ms apart in words of five,
//     with a pause after each word in which the marks check the lines on screen again; the
//     median over the keys, and the process's CPU time over the whole typing (which holds the
//     checks made in the pauses)
//   - scrolling a 10 MB note page by page (Page Down from the top): the time until the page is
//     painted, median, and the CPU time over all pages
//   - the memory the marks add: the process's private bytes after the scrolling, on minus off
// Each figure is printed with the ratio on / off.
//
// usage: pagewick_marks_bench --pagewick EXE --work DIR [--keys N] [--pages N] [--clean-lines N]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BenchTime.h"
#include "driver/Driver.h"

#include <psapi.h>

using namespace e2e;

namespace {

// English with misspelt words: after each `clean` lines of known words come two lines with
// one misspelt word each.
std::string Note(size_t bytes, int clean) {
  static const char* const kLines[] = {
      "Line %u: the quick brown fox jumps over the lazy dog, again and again.\r\n",
      "Line %u: a note about the meeting on Monday, with a misspeled word.\r\n",
      "Line %u: call the office, order paper, and recieve the parcel.\r\n",
  };
  std::string s;
  char buf[128];
  for (unsigned i = 0; s.size() < bytes; ++i) {
    const unsigned at = i % static_cast<unsigned>(clean + 2);
    std::snprintf(buf, sizeof buf, kLines[at < static_cast<unsigned>(clean) ? 0 : 1 + (at - clean)], i);
    s += buf;
  }
  s.resize(bytes);
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n')) s.back() = '.';
  return s;
}

// The settings file with every line at its default but the marks' one.
std::string Settings(bool marks) {
  std::string s;
  for (int line = 1; line <= 25; ++line) {
    if (line == 9) s += "Tahoma";
    if (line == 25) s += marks ? "-1" : "0";
    s += "\r\n";
  }
  return s;
}

double CpuMs(HANDLE process) {
  FILETIME c, e, k, u;
  if (!GetProcessTimes(process, &c, &e, &k, &u)) return -1;
  const auto ms = [](const FILETIME& t) { return ((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4; };
  return ms(k) + ms(u);
}

double PrivateMb(HANDLE process) {
  PROCESS_MEMORY_COUNTERS c = {};
  c.cb = sizeof c;
  if (!GetProcessMemoryInfo(process, &c, sizeof c)) return -1;
  return static_cast<double>(c.PagefileUsage) / (1024.0 * 1024.0);
}

struct Subject {
  Process process;
  HWND main = nullptr, edit = nullptr;
  std::unique_ptr<UiProbe> probe;

  bool Start(const std::string& work, const std::string& note, bool marks) {
    DeleteFileA(JoinPath(work, "pagewick.recover").c_str());
    if (!WriteFileBytes(JoinPath(work, "pagewick.txt"), note) || !WriteFileBytes(JoinPath(work, "pagewick.ini"), Settings(marks)))
      return false;
    if (!process.Start(JoinPath(work, "pagewick.exe"), "", work)) return false;
    main = WaitTopWindow({0, "Pagewick", "", Visibility::Visible}, 300000);
    if (!main) return false;
    WaitFor([&] { return (edit = FindChild(main, "Edit")) && GetTextLength(edit, 60000) >= note.size() - 16; }, 600000, 20);
    probe.reset(new UiProbe(main));
    if (!edit || !probe->ok() || !probe->Sync(300000)) return false;
    BringToFront(main);
    return Painted();
  }
  // Waits until the program has handled everything posted and the box has nothing left to paint.
  bool Painted() {
    for (int i = 0; i < 1000; ++i) {
      if (!probe->Sync(120000)) return false;
      RECT r;
      if (!GetUpdateRect(edit, &r, FALSE) && !GetUpdateRect(main, &r, FALSE)) return probe->Sync(120000);
    }
    return false;
  }
  void Stop() {
    process.Kill();
    KillProcessesNamed("pagewick.exe");
  }
};

struct Typing {
  double keyMs = -1, cpuMs = -1, privateMb = -1;
};

Typing Type(const std::string& work, const std::string& note, bool marks, int keys) {
  Typing t;
  Subject s;
  if (!s.Start(work, note, marks)) return std::printf("pagewick did not start\n"), t;
  SendMessageA(s.edit, EM_SETSEL, note.size() / 2, note.size() / 2);
  SendMessageA(s.edit, EM_SCROLLCARET, 0, 0);
  s.Painted();
  Sleep(1000);   // the marks of the first screen
  s.Painted();
  const double cpu0 = CpuMs(s.process.handle());
  std::vector<double> times;
  static const char kWord[] = "helo ";
  for (int i = 0; i < keys; ++i) {
    const double t0 = NowMs();
    PostMessageA(s.edit, WM_CHAR, static_cast<WPARAM>(kWord[i % 5]), 1);
    if (!s.Painted()) break;
    times.push_back(NowMs() - t0);
    Sleep(i % 5 == 4 ? 700 : 150);   // a word, then a pause in which the marks come
  }
  s.Painted();
  t.cpuMs = CpuMs(s.process.handle()) - cpu0;
  t.keyMs = Median(times);
  t.privateMb = PrivateMb(s.process.handle());
  s.Stop();
  return t;
}

struct Scrolling {
  double pageMs = -1, cpuMs = -1, privateMb = -1;
};

Scrolling Scroll(const std::string& work, const std::string& note, bool marks, int pages) {
  Scrolling r;
  Subject s;
  if (!s.Start(work, note, marks)) return std::printf("pagewick did not start\n"), r;
  SendMessageA(s.edit, EM_SETSEL, 0, 0);
  SendMessageA(s.edit, EM_SCROLLCARET, 0, 0);
  s.Painted();
  Sleep(1000);
  s.Painted();
  const double cpu0 = CpuMs(s.process.handle());
  std::vector<double> times;
  for (int i = 0; i < pages; ++i) {
    const double t0 = NowMs();
    PostMessageA(s.edit, WM_KEYDOWN, VK_NEXT, 1);
    PostMessageA(s.edit, WM_KEYUP, VK_NEXT, 0xC0000001);
    if (!s.Painted()) break;
    times.push_back(NowMs() - t0);
  }
  r.cpuMs = CpuMs(s.process.handle()) - cpu0;
  r.pageMs = Median(times);
  r.privateMb = PrivateMb(s.process.handle());
  s.Stop();
  return r;
}

void Row(const char* what, double on, double off, const char* unit) {
  std::printf("%-52s %10.2f %s %10.2f %s   %.2fx\n", what, on, unit, off, unit, off > 0 ? on / off : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
  std::string pagewick, work;
  int keys = 40, pages = 60, clean = 1;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--pagewick")) pagewick = ToWindowsPath(argv[i + 1]);
    if (!std::strcmp(argv[i], "--work")) work = ToWindowsPath(argv[i + 1]);
    if (!std::strcmp(argv[i], "--keys")) keys = std::atoi(argv[i + 1]);
    if (!std::strcmp(argv[i], "--pages")) pages = std::atoi(argv[i + 1]);
    if (!std::strcmp(argv[i], "--clean-lines")) clean = std::max(0, std::atoi(argv[i + 1]));
  }
  if (pagewick.empty() || work.empty()) {
    std::fprintf(stderr, "usage: pagewick_marks_bench --pagewick EXE --work DIR [--keys N] [--pages N]\n");
    return 2;
  }
  CreateDirectoryA(work.c_str(), nullptr);
  if (!CopyFileTo(pagewick, JoinPath(work, "pagewick.exe"))) return 1;
  const std::string small = Note(1000 * 1000, clean), large = Note(10 * 1000 * 1000, clean);

  std::printf("Spelling marks on against off, the same pagewick.exe; %d keys in a 1 MB note, %d pages of a 10 MB note;\n"
              "two misspelt lines after every %d line(s) of known words\n",
              keys, pages, clean);
  // Off first, then on, then off again: the off figure is the mean of the two.
  const Typing offA = Type(work, small, false, keys), on = Type(work, small, true, keys), offB = Type(work, small, false, keys);
  const Scrolling sOffA = Scroll(work, large, false, pages), sOn = Scroll(work, large, true, pages),
                  sOffB = Scroll(work, large, false, pages);
  const auto mean = [](double a, double b) { return (a + b) / 2; };
  std::printf("%-52s %13s %13s\n", "", "marks on", "marks off");
  Row("1 MB note: key press to painted character (median)", on.keyMs, mean(offA.keyMs, offB.keyMs), "ms");
  Row("1 MB note: CPU time over the typing, pauses included", on.cpuMs, mean(offA.cpuMs, offB.cpuMs), "ms");
  Row("1 MB note: private memory after the typing", on.privateMb, mean(offA.privateMb, offB.privateMb), "MB");
  Row("10 MB note: Page Down to painted page (median)", sOn.pageMs, mean(sOffA.pageMs, sOffB.pageMs), "ms");
  Row("10 MB note: CPU time over all pages", sOn.cpuMs, mean(sOffA.cpuMs, sOffB.cpuMs), "ms");
  Row("10 MB note: private memory after the scrolling", sOn.privateMb, mean(sOffA.privateMb, sOffB.privateMb), "MB");
  std::printf("off runs one by one: keys %.2f / %.2f ms, pages %.2f / %.2f ms\n", offA.keyMs, offB.keyMs, sOffA.pageMs,
              sOffB.pageMs);
  return 0;
}
