// Starting, watching and ending processes.
#include "driver/Driver.h"

#include <tlhelp32.h>

#include <cctype>
#include <cstdlib>

namespace e2e {

Process::~Process() { Kill(); }

Process::Process(Process&& other) noexcept : handle_(other.handle_), pid_(other.pid_) {
  other.handle_ = nullptr;
  other.pid_ = 0;
}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Kill();
    handle_ = other.handle_;
    pid_ = other.pid_;
    other.handle_ = nullptr;
    other.pid_ = 0;
  }
  return *this;
}

bool Process::Start(const std::string& exe, const std::string& args, const std::string& work_dir) {
  Kill();
  std::string dir = work_dir;
  if (dir.empty()) {
    size_t slash = exe.find_last_of("\\/");
    if (slash != std::string::npos) dir = exe.substr(0, slash);
  }
  std::string cmdline = "\"" + exe + "\"";
  if (!args.empty()) cmdline += " " + args;
  std::vector<char> buf(cmdline.begin(), cmdline.end());
  buf.push_back('\0');

  // The child's standard handles go to NUL, so nothing it leaves running can hold the
  // pipes of whoever started the tests.
  SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
  HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                           OPEN_EXISTING, 0, nullptr);
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  if (nul != INVALID_HANDLE_VALUE) {
    si.dwFlags |= STARTF_USESTDHANDLES;
    si.hStdInput = si.hStdOutput = si.hStdError = nul;
  }
  PROCESS_INFORMATION pi = {};
  BOOL ok = CreateProcessA(exe.c_str(), buf.data(), nullptr, nullptr, nul != INVALID_HANDLE_VALUE, 0, nullptr,
                           dir.empty() ? nullptr : dir.c_str(), &si, &pi);
  DWORD err = GetLastError();
  if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
  if (!ok) {
    SetLastError(err);
    return false;
  }
  CloseHandle(pi.hThread);
  handle_ = pi.hProcess;
  pid_ = pi.dwProcessId;
  return true;
}

bool Process::Attach(DWORD pid) {
  Kill();
  handle_ = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
  if (!handle_) return false;
  pid_ = pid;
  return true;
}

bool Process::Running() const {
  return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

bool Process::WaitExit(DWORD timeout_ms, DWORD* code) {
  if (!handle_) return false;
  bool ended = WaitFor([&] { return WaitForSingleObject(handle_, 0) == WAIT_OBJECT_0; }, timeout_ms, 10);
  if (ended && code) GetExitCodeProcess(handle_, code);
  return ended;
}

void Process::Kill() {
  if (!handle_) return;
  if (WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(handle_, 0xDEAD);
    WaitForSingleObject(handle_, 5000);
  }
  CloseHandle(handle_);
  handle_ = nullptr;
  pid_ = 0;
}

static bool SameNameNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::vector<ProcessInfo> ListProcesses() {
  std::vector<ProcessInfo> out;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snap == INVALID_HANDLE_VALUE) return out;
  PROCESSENTRY32 pe = {};
  pe.dwSize = sizeof pe;
  for (BOOL ok = Process32First(snap, &pe); ok; ok = Process32Next(snap, &pe))
    out.push_back({pe.th32ProcessID, pe.th32ParentProcessID, pe.szExeFile});
  CloseHandle(snap);
  return out;
}

std::vector<std::string> ModulesOf(DWORD pid) {
  std::vector<std::string> out;
  // A snapshot taken while the process loads or frees a module may fail (ERROR_BAD_LENGTH) or,
  // under Wine, come back without its first entry: try again for a few seconds.
  for (int attempt = 0; attempt < 50 && out.empty(); ++attempt) {
    if (attempt > 0) Sleep(100);
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (snap == INVALID_HANDLE_VALUE) continue;
    MODULEENTRY32 me = {};
    me.dwSize = sizeof me;
    for (BOOL ok = Module32First(snap, &me); ok; ok = Module32Next(snap, &me)) out.push_back(me.szExePath);
    CloseHandle(snap);
  }
  return out;
}

int KillProcessesNamed(const std::string& exe_name) {
  int n = 0;
  for (const ProcessInfo& p : ListProcesses()) {
    if (p.pid == GetCurrentProcessId() || !SameNameNoCase(p.exe, exe_name)) continue;
    HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, p.pid);
    if (!h) continue;
    if (TerminateProcess(h, 0xDEAD)) ++n;
    WaitForSingleObject(h, 5000);
    CloseHandle(h);
  }
  return n;
}

// One argument as the Windows command-line rules read it back.
static std::string QuoteArgument(const std::string& arg) {
  std::string out = "\"";
  size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') {
      out.append(backslashes * 2 + 1, '\\');
      out += '"';
    } else {
      out.append(backslashes, '\\');
      out += c;
    }
    backslashes = 0;
  }
  out.append(backslashes * 2, '\\');
  return out + "\"";
}

int RunUnix(const std::string& command, DWORD timeout_ms) {
  static unsigned counter = 0;
  // The status file must be reachable by both sides: use a Linux path under /tmp.
  std::string unix_status = "/tmp/pagewick-e2e-unix-" + std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(++counter);
  std::string win_status = ToWindowsPath(unix_status);
  DeleteFileA(win_status.c_str());
  // Wine splits the command line into argv by the Windows rules, so the script is one
  // double-quoted argument.
  std::string script = "(" + command + ") >/dev/null 2>&1 </dev/null; echo $? >" + unix_status + ".part; mv " +
                       unix_status + ".part " + unix_status;
  std::string cmd = "/bin/sh -c " + QuoteArgument(script);
  std::vector<char> buf(cmd.begin(), cmd.end());
  buf.push_back('\0');
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, buf.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  int code = -1;
  WaitFor(
      [&] {
        std::string s;
        if (!ReadFileBytes(win_status, &s) || s.empty()) return false;
        code = std::atoi(s.c_str());
        return true;
      },
      timeout_ms, 20);
  DeleteFileA(win_status.c_str());
  return code;
}

}  // namespace e2e
