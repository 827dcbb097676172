// Paths, files, temp folders, deadlines and screenshots.
#include "driver/Driver.h"

#include <cstdio>
#include <cstdlib>

namespace e2e {

Deadline::Deadline(DWORD ms) : end_(GetTickCount64() + ms) {}
bool Deadline::Expired() const { return GetTickCount64() >= end_; }
DWORD Deadline::RemainingMs() const {
  ULONGLONG now = GetTickCount64();
  return now >= end_ ? 0 : static_cast<DWORD>(end_ - now);
}

void PumpMessagesFor(DWORD ms) {
  Deadline d(ms);
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    DWORD left = d.RemainingMs();
    if (left == 0) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, left, QS_ALLINPUT);
  }
}

std::string ToWindowsPath(const std::string& path) {
  std::string p = path;
  if (!p.empty() && p[0] == '/') p = "Z:" + p;
  for (char& c : p)
    if (c == '/') c = '\\';
  return p;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  char last = dir.back();
  return (last == '\\' || last == '/') ? dir + name : dir + "\\" + name;
}

std::string GetEnv(const char* name, const std::string& fallback) {
  char buf[4096];
  DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
  if (n == 0 || n >= sizeof buf) return fallback;
  return std::string(buf, n);
}

std::string ThisExeFolder() {
  char buf[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
  std::string p(buf, n);
  size_t slash = p.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : p.substr(0, slash);
}

bool ReadFileBytes(const std::string& path, std::string* out) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  // Read to the end rather than to the reported size: files under Z:\proc report 0 bytes.
  LARGE_INTEGER size;
  out->clear();
  if (GetFileSizeEx(h, &size) && size.QuadPart > 0) out->reserve(static_cast<size_t>(size.QuadPart));
  bool ok = true;
  std::string chunk(1 << 20, '\0');
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(h, &chunk[0], static_cast<DWORD>(chunk.size()), &got, nullptr)) {
      ok = false;
      break;
    }
    if (got == 0) break;
    out->append(chunk.data(), got);
  }
  CloseHandle(h);
  return ok;
}

bool WriteFileBytes(const std::string& path, const std::string& data) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  size_t done = 0;
  bool ok = true;
  while (ok && done < data.size()) {
    DWORD put = 0;
    DWORD want = static_cast<DWORD>(data.size() - done > (1u << 24) ? (1u << 24) : data.size() - done);
    ok = WriteFile(h, data.data() + done, want, &put, nullptr) && put == want;
    done += put;
  }
  CloseHandle(h);
  return ok;
}

bool FileExists(const std::string& path) { return FileAttributes(path) != INVALID_FILE_ATTRIBUTES; }

DWORD FileAttributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

long long FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d)) return -1;
  return (static_cast<long long>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

bool CopyFileTo(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

bool RemoveTree(const std::string& path) {
  DWORD attr = GetFileAttributesA(path.c_str());
  if (attr == INVALID_FILE_ATTRIBUTES) return true;
  if (attr & FILE_ATTRIBUTE_READONLY) SetFileAttributesA(path.c_str(), attr & ~FILE_ATTRIBUTE_READONLY);
  if (!(attr & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileA(path.c_str()) != 0;
  WIN32_FIND_DATAA fd;
  HANDLE f = FindFirstFileA(JoinPath(path, "*").c_str(), &fd);
  if (f != INVALID_HANDLE_VALUE) {
    do {
      std::string name = fd.cFileName;
      if (name != "." && name != "..") RemoveTree(JoinPath(path, name));
    } while (FindNextFileA(f, &fd));
    FindClose(f);
  }
  return RemoveDirectoryA(path.c_str()) != 0;
}

std::string LastErrorText(DWORD error) {
  char* buf = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, error, 0, reinterpret_cast<char*>(&buf), 0, nullptr);
  std::string s = "error " + std::to_string(error);
  if (buf) {
    s += ": ";
    s += buf;
    LocalFree(buf);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
  }
  return s;
}

TempFolder::TempFolder(const std::string& label) {
  std::string root = GetEnv("PAGEWICK_E2E_WORK");
  if (root.empty()) {
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    root = tmp;
  }
  root = ToWindowsPath(root);
  CreateDirectoryA(root.c_str(), nullptr);
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    std::string p = JoinPath(root, label + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                                       std::to_string(++counter));
    if (CreateDirectoryA(p.c_str(), nullptr)) {
      path_ = p;
      return;
    }
  }
}

TempFolder::~TempFolder() {
  if (path_.empty()) return;
  // Files may still be held open by a process that is just ending; retry briefly.
  WaitFor([&] { return RemoveTree(path_); }, 3000, 50);
}

bool SaveScreenshot(const std::string& path) {
  HDC screen = GetDC(nullptr);
  if (!screen) return false;
  int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;  // bottom-up, as BMP files store it
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (bmp) {
    HGDIOBJ old = SelectObject(mem, bmp);
    ok = BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY) != 0;
    SelectObject(mem, old);
    GdiFlush();
    if (ok) {
      DWORD stride = ((w * 3) + 3) & ~3u;
      DWORD image = stride * h;
      BITMAPFILEHEADER fh = {};
      fh.bfType = 0x4D42;
      fh.bfOffBits = sizeof fh + sizeof(BITMAPINFOHEADER);
      fh.bfSize = fh.bfOffBits + image;
      std::string data(reinterpret_cast<const char*>(&fh), sizeof fh);
      bi.bmiHeader.biSizeImage = image;
      data.append(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof(BITMAPINFOHEADER));
      data.append(static_cast<const char*>(bits), image);
      ok = WriteFileBytes(path, data);
    }
    DeleteObject(bmp);
  }
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return ok;
}

}  // namespace e2e
