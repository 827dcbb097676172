// Change All in the Spelling window against Replace All, in the real pagewick.exe under Wine,
// on the same note: lines of short words with one typo ("teh") again and again (200,000 in
// about 2 MB by default). Each run starts the program on the note, then
//   - Check Spelling (the built-in checker: Wine has no Word), "the" in Change to, Change All:
//     timed from the click until "The spelling check is complete." shows; then one Undo must
//     give the note back as it was;
//   - a fresh start on the same note, Edit > Replace..., "teh" by "the", whole words,
//     Replace All: timed from the click until the program answers again.
// Both must leave the same text. Prints each run, the medians and the ratio.
//
// usage: pagewick_change_all_bench --pagewick EXE --work DIR [--typos N] [--runs N] [--limit-s N]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "driver/Driver.h"

using namespace e2e;

namespace {

constexpr int kTxtChangeTo = 34, kCmdChangeAll = 40;   // the Spelling window's controls
constexpr int kFindWhat = 0x480, kReplaceWith = 0x481, kWholeWord = 0x410, kReplaceAll = 0x401;

double NowMs() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

std::string TypoNote(size_t typos) {
  static const char* const kWords[] = {"cat", "dog", "hen", "fox", "owl", "elk", "ant"};
  std::string s;
  s.reserve(typos * 10 + 16);
  for (size_t i = 0; i < typos; ++i) {
    s += "teh ";
    s += kWords[i % 7];
    s += i % 7 == 6 ? " and more\r\n" : ", ";
  }
  return s;
}

struct Run {
  Process p;
  HWND main = nullptr, edit = nullptr;
  std::unique_ptr<UiProbe> probe;
};

// Starts the program on its note and waits until the box holds all of it.
bool StartOn(const std::string& exe, const std::string& dir, size_t length, Run* r) {
  KillProcessesNamed("pagewick.exe");
  if (!r->p.Start(exe, "", dir)) return false;
  WindowQuery q;
  q.pid = r->p.pid();
  q.class_name = "Pagewick";
  q.visibility = Visibility::Visible;
  if (!(r->main = WaitTopWindow(q, 180000))) return false;
  if (!WaitFor([&] { return (r->edit = FindChild(r->main, "Edit")) != nullptr; }, 30000)) return false;
  if (!WaitFor([&] { return GetTextLength(r->edit, 60000) >= length; }, 180000, 50)) return false;
  r->probe.reset(new UiProbe(r->main));
  return r->probe->ok() && r->probe->Sync(60000);
}

bool Choose(Run& r, const std::string& caption) {
  for (const MenuEntry& e : r.probe->Read())
    if (e.caption == caption) return r.probe->Choose({e.path.substr(0, e.path.find('/')), e.caption});
  return false;
}

// Milliseconds of Change All; -1 on failure, -2 when not done within limit_ms.
double ChangeAllMs(const std::string& exe, const std::string& dir, const std::string& note,
                   const std::string& expected, DWORD limit_ms, bool* undone) {
  Run r;
  *undone = false;
  if (!StartOn(exe, dir, note.size(), &r) || !Choose(r, "Check Spelling")) return -1;
  WindowQuery q;
  q.pid = r.p.pid();
  q.caption = "Spelling";
  q.visibility = Visibility::Visible;
  HWND dlg = WaitTopWindow(q, 120000);
  HWND to = dlg ? GetDlgItem(dlg, kTxtChangeTo) : nullptr;
  HWND button = dlg ? GetDlgItem(dlg, kCmdChangeAll) : nullptr;
  if (!to || !button || !SetText(to, "the")) return -1;
  const double t0 = NowMs();
  PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(kCmdChangeAll, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  MessageBoxInfo done = WaitMessageBox(r.p.pid(), "Pagewick", "The spelling check is complete.", limit_ms);
  if (!done.hwnd) return -2;
  const double ms = NowMs() - t0;
  ClickDialogButton(done.hwnd, IDOK);
  if (!r.probe->Sync(60000) || GetText(r.edit, 60000) != expected) return -1;
  // One Undo step takes the whole check back.
  if (Choose(r, "Undo") && r.probe->Sync(120000)) *undone = GetText(r.edit, 60000) == note;
  r.probe.reset();
  r.p.Kill();
  return ms;
}

double ReplaceAllMs(const std::string& exe, const std::string& dir, const std::string& note,
                    const std::string& expected, DWORD limit_ms) {
  Run r;
  if (!StartOn(exe, dir, note.size(), &r) || !Choose(r, "Replace...")) return -1;
  WindowQuery q;
  q.pid = r.p.pid();
  q.class_name = "#32770";
  q.caption = "Replace";
  q.visibility = Visibility::Visible;
  HWND dlg = WaitTopWindow(q, 30000);
  if (!dlg || !SetDialogItemText(dlg, kFindWhat, "teh") || !SetDialogItemText(dlg, kReplaceWith, "the")) return -1;
  SendMessageA(GetDlgItem(dlg, kWholeWord), BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(r.edit, EM_SETSEL, 0, 0);
  r.probe->Sync();
  const double t0 = NowMs();
  PostMessageA(GetDlgItem(dlg, kReplaceAll), BM_CLICK, 0, 0);
  if (!r.probe->Sync(limit_ms)) return -2;
  const double ms = NowMs() - t0;
  const bool same = GetText(r.edit, 60000) == expected;
  r.probe.reset();
  r.p.Kill();
  return same ? ms : -1;
}

double Median(std::vector<double> v) {
  if (v.empty()) return -1;
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string pagewick, work;
  size_t typos = 200000;
  int runs = 3;
  DWORD limit_ms = 600000;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string k = argv[i], v = argv[i + 1];
    if (k == "--pagewick") pagewick = ToWindowsPath(v);
    else if (k == "--work") work = ToWindowsPath(v);
    else if (k == "--typos") typos = static_cast<size_t>(std::atol(v.c_str()));
    else if (k == "--runs") runs = std::atoi(v.c_str());
    else if (k == "--limit-s") limit_ms = static_cast<DWORD>(std::atol(v.c_str())) * 1000;
  }
  if (pagewick.empty() || work.empty()) {
    std::fprintf(stderr, "usage: %s --pagewick EXE --work DIR [--typos N] [--runs N] [--limit-s N]\n", argv[0]);
    return 2;
  }
  CreateDirectoryA(work.c_str(), nullptr);
  const std::string dir = JoinPath(work, "change-all");
  RemoveTree(dir);
  CreateDirectoryA(dir.c_str(), nullptr);
  const std::string exe = JoinPath(dir, "pagewick.exe");
  if (!CopyFileTo(pagewick, exe)) {
    std::fprintf(stderr, "cannot copy %s: %s\n", pagewick.c_str(), LastErrorText().c_str());
    return 1;
  }
  // The first run in a folder writes the manifest and starts again: let it happen before.
  {
    Process first;
    first.Start(exe, "", dir);
    first.WaitExit(30000);
    WindowQuery q;
    q.class_name = "Pagewick";
    WaitTopWindow(q, 30000);
    KillProcessesNamed("pagewick.exe");
  }
  const std::string note = TypoNote(typos);
  std::string expected = note;
  for (size_t at = expected.find("teh"); at != std::string::npos; at = expected.find("teh", at + 3))
    expected.replace(at, 3, "the");
  std::printf("under Wine, %zu typos in a %.2f MB note\n", typos, note.size() / 1048576.0);
  std::vector<double> change, replace;
  bool ok = true;
  for (int i = 0; i < runs; ++i) {
    // Each program start finds the note as it was (the runs are killed, never saved).
    DeleteFileA(JoinPath(dir, "pagewick.recover").c_str());
    if (!WriteFileBytes(JoinPath(dir, "pagewick.txt"), note)) return 1;
    bool undone = false;
    const double c = ChangeAllMs(exe, dir, note, expected, limit_ms, &undone);
    DeleteFileA(JoinPath(dir, "pagewick.recover").c_str());
    const double r = ReplaceAllMs(exe, dir, note, expected, limit_ms);
    std::printf("run %d: Change All %s, Replace All %.1f s, one Undo gives the note back: %s\n", i + 1,
                c == -2 ? ("> " + std::to_string(limit_ms / 1000) + " s (stopped)").c_str()
                        : (std::to_string(c / 1000).substr(0, 6) + " s").c_str(),
                r / 1000, undone ? "yes" : "NO");
    std::fflush(stdout);
    if (c >= 0) change.push_back(c);
    if (r >= 0) replace.push_back(r);
    ok = ok && c >= 0 && r >= 0 && undone;
    if (c == -2) break;
  }
  KillProcessesNamed("pagewick.exe");
  const double mc = Median(change), mr = Median(replace);
  if (mc > 0 && mr > 0)
    std::printf("under Wine, median of %zu: Change All %.2f s, Replace All %.2f s, ratio %.2f\n", change.size(),
                mc / 1000, mr / 1000, mc / mr);
  RemoveTree(dir);
  return ok ? 0 : 1;
}
