// Live Update downloading a large installer over HTTPS on loopback, for two builds of
// pagewick.exe in one run (a baseline and the build under test, taking turns):
//   - time from the second Next (the download starts) until the button reads "Finish"
//   - the process's peak working set (GetProcessMemoryInfo; under Wine the VmHWM of the Linux
//     process hosting the exe) and how far it rose during the download above the working set
//     just before
// Each figure is printed with the ratio build / baseline. Runs inside bench/update.sh, which
// serves PAGEWICK_UPDATE_ROOT as https://www.pagewick.example (tests/e2e/live-update-run.sh).
//
// usage: pagewick_update_bench --build EXE --baseline EXE --work DIR [--mb N] [--runs N]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver/Driver.h"
// After the driver's <windows.h>.
#include <psapi.h>
#include "platform/win32/BcryptCrypto.h"

using namespace e2e;

namespace {

constexpr UINT kMenuLiveUpdate = 303;   // Help > Live Update...

double NowMs() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

// The working set now and at its peak, in kB (-1 when it cannot be read).
bool MemoryKb(DWORD pid, long* now, long* peak) {
  *now = *peak = -1;
  HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!h) return false;
  PROCESS_MEMORY_COUNTERS c = {};
  c.cb = sizeof c;
  const bool ok = GetProcessMemoryInfo(h, &c, sizeof c) != FALSE;
  CloseHandle(h);
  if (!ok) return false;
  *now = static_cast<long>(c.WorkingSetSize / 1024);
  *peak = static_cast<long>(c.PeakWorkingSetSize / 1024);
  return true;
}

void Click(HWND dlg, const std::string& caption) {
  HWND b = FindChild(dlg, "Button", caption);
  if (b) PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(b), BN_CLICKED), reinterpret_cast<LPARAM>(b));
}

struct Run {
  double ms = -1;
  long rssBeforeKb = -1, peakKb = -1;
};

// One download of the served installer by `exe` (copied into its own folder under `work`).
Run Download(const std::string& exe, const std::string& work, const std::string& label, size_t size) {
  Run r;
  const std::string dir = JoinPath(work, label), profile = JoinPath(dir, "profile");
  RemoveTree(dir);
  CreateDirectoryA(dir.c_str(), nullptr);
  CreateDirectoryA(profile.c_str(), nullptr);
  CreateDirectoryA(JoinPath(profile, "DESKTOP").c_str(), nullptr);
  CreateDirectoryA(JoinPath(dir, "temp").c_str(), nullptr);
  auto fail = [&](const std::string& what) {
    std::fprintf(stderr, "%s: %s\n", label.c_str(), what.c_str());
    return r;
  };
  const std::string copy = JoinPath(dir, "pagewick.exe");
  if (!CopyFileTo(exe, copy)) return fail("cannot copy " + exe + " to " + copy + ": " + LastErrorText());
  SetEnvironmentVariableA("USERPROFILE", profile.c_str());
  SetEnvironmentVariableA("TEMP", JoinPath(dir, "temp").c_str());
  Process p;
  if (!p.Start(copy, "", dir)) return fail("cannot start");
  // A first start in a new folder writes the manifest and hands over to a fresh copy.
  WindowQuery q;
  q.class_name = "Pagewick";
  q.visibility = Visibility::Visible;
  HWND main = WaitTopWindow(q, 60000);
  if (!main) return fail("no main window");
  if (ProcessOf(main) != p.pid()) {
    p.WaitExit(10000);
    p = Process();
    if (!p.Attach(ProcessOf(main))) return fail("cannot attach to the restarted program");
  }
  PostMessageA(main, WM_COMMAND, kMenuLiveUpdate, 0);
  WindowQuery u;
  u.pid = p.pid();
  u.caption = "Pagewick - Live Update";
  u.visibility = Visibility::Visible;
  HWND dlg = WaitTopWindow(u, 60000);
  if (!dlg) return fail("no Live Update window");
  Click(dlg, "&Next >>");
  if (!WaitFor([&] { return IsWindowEnabled(FindChild(dlg, "Button", "&Next >>")) != FALSE; }, 60000))
    return fail("no update offered");
  long unused = 0;
  MemoryKb(p.pid(), &r.rssBeforeKb, &unused);
  const double t0 = NowMs();
  Click(dlg, "&Next >>");
  const bool done = WaitFor([&] { return FindChild(dlg, "Button", "Finish") != nullptr; }, 600000, 5);
  const double t1 = NowMs();
  MemoryKb(p.pid(), &unused, &r.peakKb);
  const long long saved = FileSize(JoinPath(JoinPath(profile, "DESKTOP"), "bench-setup.exe"));
  if (done && saved == static_cast<long long>(size)) r.ms = t1 - t0;
  else std::fprintf(stderr, "%s: no complete download (saved %lld of %zu bytes)\n", label.c_str(), saved, size);
  Click(dlg, "Finish");
  p.Kill();
  RemoveTree(dir);
  return r;
}

double Median(std::vector<double> v) {
  if (v.empty()) return -1;
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void Row(const char* what, double build, double base, const char* unit) {
  std::printf("%-46s build %9.1f %-3s  baseline %9.1f %-3s  ratio %s\n", what, build, unit, base, unit,
              build > 0 && base > 0 ? std::to_string(build / base).substr(0, 5).c_str() : "n/a");
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  std::string build, baseline, work;
  int mb = 50, runs = 2;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string k = argv[i], v = argv[i + 1];
    if (k == "--build") build = ToWindowsPath(v);
    else if (k == "--baseline") baseline = ToWindowsPath(v);
    else if (k == "--work") work = ToWindowsPath(v);
    else if (k == "--mb") mb = std::atoi(v.c_str());
    else if (k == "--runs") runs = std::atoi(v.c_str());
  }
  const std::string site = ToWindowsPath(GetEnv("PAGEWICK_UPDATE_ROOT"));
  if (build.empty() || baseline.empty() || work.empty() || site.empty()) {
    std::fprintf(stderr, "usage: pagewick_update_bench --build EXE --baseline EXE --work DIR [--mb N] [--runs N]\n"
                         "(inside live-update-run.sh, which sets PAGEWICK_UPDATE_ROOT)\n");
    return 2;
  }
  CreateDirectoryA(work.c_str(), nullptr);
  // The installer: mb * 10^6 bytes that do not compress, and the configuration offering it,
  // signed by the server with the test key (the baseline ignores line 5).
  const size_t size = static_cast<size_t>(mb) * 1000000;
  std::string installer(size, '\0');
  unsigned x = 2463534242u;
  for (size_t i = 0; i < size; ++i) {
    x ^= x << 13; x ^= x >> 17; x ^= x << 5;
    installer[i] = static_cast<char>(x);
  }
  CreateDirectoryA(JoinPath(site, "software").c_str(), nullptr);
  CreateDirectoryA(JoinPath(site, "software\\pagewick").c_str(), nullptr);
  CreateDirectoryA(JoinPath(site, "files").c_str(), nullptr);
  if (!WriteFileBytes(JoinPath(site, "files\\bench-setup.exe"), installer)) return 1;
  std::string sha;
  {
    pw::win32::BcryptSha256 hash;   // the system's SHA-256, as the program checks it with
    hash.Add(installer.data(), static_cast<unsigned long>(installer.size()));
    if (!hash.Finish(sha)) return 1;
  }
  installer.clear();
  installer.shrink_to_fit();
  const std::string config = "Bench\r\n99.0\r\nhttps://www.pagewick.example/files/bench-setup.exe\r\n" +
                             sha + "\r\n";
  WriteFileBytes(JoinPath(site, "software\\pagewick\\pagewick.txt"), config);
  WriteFileBytes(JoinPath(site, "software\\pagewick\\pagewick.txt.sign"), "test");

  std::vector<double> ms[2], peak[2], rise[2];
  for (int i = 0; i < runs; ++i) {
    for (int which = 0; which < 2; ++which) {
      Run r = Download(which == 0 ? build : baseline, work, which == 0 ? "build" : "baseline", size);
      if (r.ms < 0) return 1;
      ms[which].push_back(r.ms);
      peak[which].push_back(r.peakKb / 1024.0);
      rise[which].push_back((r.peakKb - r.rssBeforeKb) / 1024.0);
    }
  }
  std::printf("Live Update, %d MB installer over HTTPS on loopback, median of %d\n", mb, runs);
  Row("second Next to Finish", Median(ms[0]), Median(ms[1]), "ms");
  Row("peak working set", Median(peak[0]), Median(peak[1]), "MB");
  Row("rise over the memory before the download", Median(rise[0]), Median(rise[1]), "MB");
  return 0;
}
