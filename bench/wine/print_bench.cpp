// Printing a 1 MB text: pagewick.exe against Wine's notepad.exe, both to the same PostScript
// file printer (one file per job), in one run on the same display. Each run opens the text,
// chooses File, Print..., presses OK in the Print dialog and waits until the job's file is
// complete (the spooler's script renames it into place). Figures: seconds (median), pages.
//
// usage: pagewick_print_bench --pagewick EXE --jobs UNIX-DIR --work DIR [--notepad EXE]
//                             [--runs N] [--kb N]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver/Driver.h"

using namespace e2e;

namespace {

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

double Median(std::vector<double> v) {
  if (v.empty()) return -1;
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string Text(size_t bytes) {
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

struct Target {
  const char* name;
  std::string exe, args, class_name, work_dir;
  std::vector<std::string> print_entry;   // menu path of Print...
};

struct Job {
  double seconds = -1;
  double ui_seconds = -1;   // until the program answers again (its print command has returned)
  int pages = 0;
  long long bytes = 0;
};

std::string jobs_dir;   // Windows path of the printer's job folder

std::vector<std::string> JobFiles() {
  std::vector<std::string> names;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(JoinPath(jobs_dir, "job-*.ps").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do names.push_back(fd.cFileName);
  while (FindNextFileA(h, &fd));
  FindClose(h);
  return names;
}

void ClearJobs() {
  for (const std::string& n : JobFiles()) DeleteFileA(JoinPath(jobs_dir, n).c_str());
}

int CountPages(const std::string& ps) {
  int pages = 0;
  for (size_t at = ps.find("%%Page:"); at != std::string::npos; at = ps.find("%%Page:", at + 7)) ++pages;
  return pages;
}

// Starts the target on the text, prints it once and returns the time from OK to the complete file.
Job PrintOnce(const Target& t, size_t length) {
  Job job;
  ClearJobs();
  Process p;
  if (!p.Start(t.exe, t.args, t.work_dir)) return job;
  WindowQuery q;
  q.pid = p.pid();
  q.class_name = t.class_name;
  q.visibility = Visibility::Visible;
  HWND main = WaitTopWindow(q, 60000);
  HWND edit = main ? FindChild(main, "Edit") : nullptr;
  if (!edit || !WaitFor([&] { return GetTextLength(edit, 60000) >= length; }, 120000, 20)) {
    std::fprintf(stderr, "%s: the text did not load\n", t.name);
    return job;
  }
  UiProbe probe(main);
  if (!probe.ok() || !probe.Sync() || !probe.Choose(t.print_entry)) {
    std::fprintf(stderr, "%s: cannot choose Print...: %s\n", t.name, probe.error().c_str());
    return job;
  }
  WindowQuery dq;
  dq.pid = p.pid();
  dq.class_name = "#32770";
  dq.caption = "Print";
  dq.visibility = Visibility::Visible;
  HWND dlg = WaitTopWindow(dq, 30000);
  HWND ok = dlg ? GetDlgItem(dlg, IDOK) : nullptr;
  if (!ok) {
    std::fprintf(stderr, "%s: no Print dialog\n", t.name);
    return job;
  }
  const double t0 = NowMs();
  PostMessageA(ok, BM_CLICK, 0, 0);
  WaitFor([&] { return !IsWindow(dlg); }, 60000, 1);
  if (probe.Sync(600000)) job.ui_seconds = (NowMs() - t0) / 1000.0;
  if (!WaitFor([] { return !JobFiles().empty(); }, 600000, 5)) {
    std::fprintf(stderr, "%s: no job file within 10 minutes\n", t.name);
    return job;
  }
  job.seconds = (NowMs() - t0) / 1000.0;
  std::string ps;
  const std::string file = JoinPath(jobs_dir, JobFiles()[0]);
  ReadFileBytes(file, &ps);
  job.pages = CountPages(ps);
  job.bytes = static_cast<long long>(ps.size());
  p.Kill();
  KillProcessesNamed(FileName(t.exe));
  return job;
}

}  // namespace

int main(int argc, char** argv) {
  std::string pagewick, notepad = "C:\\windows\\system32\\notepad.exe", work;
  int runs = 3, kb = 1024;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string k = argv[i], v = argv[i + 1];
    if (k == "--pagewick") pagewick = ToWindowsPath(v);
    else if (k == "--notepad") notepad = ToWindowsPath(v);
    else if (k == "--work") work = ToWindowsPath(v);
    else if (k == "--jobs") jobs_dir = ToWindowsPath(v);
    else if (k == "--runs") runs = std::atoi(v.c_str());
    else if (k == "--kb") kb = std::atoi(v.c_str());
  }
  if (pagewick.empty() || work.empty() || jobs_dir.empty()) {
    std::fprintf(stderr, "usage: %s --pagewick EXE --jobs DIR --work DIR [--notepad EXE] [--runs N] [--kb N]\n",
                 argv[0]);
    return 2;
  }
  CreateDirectoryA(work.c_str(), nullptr);
  const std::string pw_dir = JoinPath(work, "pagewick");
  RemoveTree(pw_dir);
  CreateDirectoryA(pw_dir.c_str(), nullptr);
  const std::string text = Text(static_cast<size_t>(kb) * 1024);
  const std::string text_file = JoinPath(work, "print-bench.txt");
  Target pw{"pagewick", JoinPath(pw_dir, "pagewick.exe"), "", "Pagewick", pw_dir, {"File", "Print..."}};
  Target np{"notepad", notepad, "\"" + text_file + "\"", "Notepad", work, {"File", "Print..."}};
  if (!CopyFileTo(pagewick, pw.exe) || !WriteFileBytes(text_file, text)) {
    std::fprintf(stderr, "cannot prepare %s: %s\n", work.c_str(), LastErrorText().c_str());
    return 1;
  }
  // First run in the folder: the program writes its manifest and starts itself again.
  {
    Process first;
    first.Start(pw.exe, "", pw.work_dir);
    first.WaitExit(10000);
    WindowQuery q;
    q.class_name = pw.class_name;
    WaitTopWindow(q, 10000);
    KillProcessesNamed("pagewick.exe");
  }
  // Pagewick restores the text as its note (the text box holds it with CR LF kept).
  if (!WriteFileBytes(JoinPath(pw_dir, "pagewick.txt"), text)) return 1;

  std::printf("printing a %d KB text (%zu bytes) to the PostScript file printer, %d runs each\n", kb, text.size(),
              runs);
  std::vector<double> secs[2];
  Job last[2];
  const Target* targets[2] = {&pw, &np};
  // Alternate the two so that drifts of the machine hit both alike.
  for (int r = 0; r < runs; ++r) {
    for (int k = 0; k < 2; ++k) {
      // Notepad shows the text without its final line end; Pagewick the whole file.
      Job j = PrintOnce(*targets[k], text.size() - 64);
      if (j.seconds < 0) return 1;
      secs[k].push_back(j.seconds);
      last[k] = j;
      std::printf("  run %d %-8s %7.2f s (program busy %5.2f s)  %5d pages  %lld bytes of PostScript\n", r + 1,
                  targets[k]->name, j.seconds, j.ui_seconds, j.pages, j.bytes);
      std::fflush(stdout);
    }
  }
  const double a = Median(secs[0]), b = Median(secs[1]);
  std::printf("\nprint 1 MB, OK to complete job file (median)   pagewick %.2f s (%d pages)  notepad %.2f s (%d pages)"
              "  ratio %.3f\n",
              a, last[0].pages, b, last[1].pages, a / b);
  DeleteFileA(text_file.c_str());
  RemoveTree(pw_dir);
  return 0;
}
