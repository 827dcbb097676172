// What the notification area shows for the program: its built-in icon, or the user's own
// pagewick.ico, read from the screen pixels of the tray icon under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include <shellapi.h>

#include "PagewickFixture.h"

namespace e2e {
namespace {

BOOL CALLBACK CollectTrayIcon(HWND w, LPARAM out) {
  char cls[64] = {};
  GetClassNameA(w, cls, sizeof(cls));
  if (std::string(cls) == "__winex11_tray_icon" && IsWindowVisible(w))
    reinterpret_cast<std::set<HWND>*>(out)->insert(w);
  return TRUE;
}

// Without a tray manager on the X display, Wine keeps every icon in a window of its own,
// a child of its standalone tray window.
std::set<HWND> TrayIconWindows() {
  std::set<HWND> found;
  HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
  if (tray) EnumChildWindows(tray, CollectTrayIcon, reinterpret_cast<LPARAM>(&found));
  return found;
}

// A tray icon window that is not in `before`: the one the program just added.
HWND WaitNewTrayIcon(const std::set<HWND>& before) {
  HWND added = nullptr;
  WaitFor([&] {
    for (HWND w : TrayIconWindows())
      if (!before.count(w)) added = w;
    return added != nullptr;
  });
  return added;
}

struct Pixels {
  int width = 0, height = 0;
  std::vector<DWORD> px;   // 0x00RRGGBB, top-down
  DWORD At(int x, int y) const { return px[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

// Runs `paint` on a top-down 32-bit bitmap of the given size and returns its pixels.
template <class Paint>
Pixels PaintPixels(int width, int height, Paint paint) {
  Pixels s;
  s.width = width;
  s.height = height;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  paint(mem, screen);
  GdiFlush();
  const DWORD* p = static_cast<const DWORD*>(bits);
  s.px.assign(p, p + static_cast<size_t>(width) * height);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return s;
}

// The screen under a window.
Pixels Capture(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return PaintPixels(r.right - r.left, r.bottom - r.top,
                     [&](HDC mem, HDC screen) { BitBlt(mem, 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY); });
}

// `icon` drawn at width x height on a plain `background`.
Pixels Render(HICON icon, int width, int height, DWORD background) {
  return PaintPixels(width, height, [&](HDC mem, HDC) {
    HBRUSH brush = CreateSolidBrush(RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF));
    RECT all = {0, 0, width, height};
    FillRect(mem, &all, brush);
    DeleteObject(brush);
    DrawIconEx(mem, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
  });
}

bool Near(DWORD a, DWORD b) {
  for (int shift : {0, 8, 16})
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 8) return false;
  return true;
}

// How much of an image shows in the tray: the image is drawn on the tray's own background
// (its corner pixel) and compared at every place in the capture; the result is the best share
// (percent) of the image's own pixels, those that differ from the background, that the
// capture shows. A blank tray entry scores 0.
int ShownShare(const Pixels& tray, HICON icon, int size) {
  if (tray.width < size || tray.height < size) return -1;
  const DWORD background = tray.At(0, 0);
  const Pixels want = Render(icon, size, size, background);
  int ink = 0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) ink += want.At(x, y) != background;
  if (ink < size) return -2;   // the image would not tell itself from an empty place
  int best = 0;
  for (int oy = 0; oy + size <= tray.height; ++oy)
    for (int ox = 0; ox + size <= tray.width; ++ox) {
      int same = 0;
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
          if (want.At(x, y) != background) same += Near(tray.At(ox + x, oy + y), want.At(x, y));
      best = std::max(best, same * 100 / ink);
    }
  return best;
}

// A 16 x 16 icon file, 32-bit colour, one opaque colour (0xRRGGBB).
std::string SolidIconFile(DWORD rgb) {
  std::string f;
  auto u16 = [&](unsigned v) { f += char(v & 0xFF); f += char((v >> 8) & 0xFF); };
  auto u32 = [&](unsigned v) { u16(v & 0xFFFF); u16(v >> 16); };
  const unsigned pixels = 16 * 16 * 4, mask = 16 * 4, size = 40 + pixels + mask;
  u16(0); u16(1); u16(1);
  f += char(16); f += char(16); f += char(0); f += char(0);
  u16(1); u16(32); u32(size); u32(22);
  u32(40); u32(16); u32(32); u16(1); u16(32); u32(0); u32(pixels + mask); u32(0); u32(0); u32(0); u32(0);
  for (int i = 0; i < 256; ++i) {
    f += char(rgb & 0xFF); f += char((rgb >> 8) & 0xFF); f += char((rgb >> 16) & 0xFF); f += char(0xFF);
  }
  f += std::string(mask, '\0');
  return f;
}

class TrayImage : public PagewickTest {
 protected:
  void TearDown() override {
    if (builtin_) DestroyIcon(builtin_);
    PagewickTest::TearDown();
  }

  // Starts the program, hides it in the tray as a user would, and returns its tray icon.
  HWND LaunchIntoTray() {
    const std::set<HWND> before = TrayIconWindows();
    if (!StartVisible()) return nullptr;
    HWND icon = WaitNewTrayIcon(before);
    PostMessageA(main_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    if (!WaitFor([&] { return !IsWindowVisible(main_); })) return nullptr;
    return icon;
  }

  // The exe's icon group "AAA" at the system's small-icon size.
  HICON BuiltInIcon() {
    if (builtin_) return builtin_;
    HMODULE exe = LoadLibraryExA(ToWindowsPath(ExePath()).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!exe) return nullptr;
    builtin_ = static_cast<HICON>(LoadImageA(exe, "AAA", IMAGE_ICON, Small(), Small(), 0));
    FreeLibrary(exe);
    return builtin_;
  }

  static int Small() { return GetSystemMetrics(SM_CXSMICON); }

  // Waits until the tray icon shows `icon` (it is painted some time after it is added);
  // the last share seen otherwise.
  int WaitShown(HWND tray, HICON icon, int size) {
    int share = 0;
    WaitFor([&] { return (share = ShownShare(Capture(tray), icon, size)) >= 90; });
    return share;
  }

  HICON builtin_ = nullptr;
};

TEST_F(TrayImage, WithoutAnIconFileTheTrayShowsTheBuiltInIconAlsoAfterTheTaskbarReturns) {
  HWND tray = LaunchIntoTray();
  ASSERT_NE(tray, nullptr) << "no tray icon appeared; " << last_error();
  HICON builtin = BuiltInIcon();
  ASSERT_NE(builtin, nullptr) << "icon group AAA of " << ExePath();
  EXPECT_GE(WaitShown(tray, builtin, Small()), 90) << "the tray entry does not show the built-in icon";

  // Explorer restarts: its icons are gone, and it tells every program so.
  NOTIFYICONDATAA gone = {};
  gone.cbSize = NOTIFYICONDATAA_V1_SIZE;
  gone.hWnd = main_;
  gone.uID = 1;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &gone));
  ASSERT_TRUE(WaitFor([&] { return TrayIconWindows().count(tray) == 0; })) << "the icon stayed";
  const std::set<HWND> before = TrayIconWindows();
  PostMessageA(main_, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  HWND again = WaitNewTrayIcon(before);
  ASSERT_NE(again, nullptr) << "the icon did not come back";
  EXPECT_GE(WaitShown(again, builtin, Small()), 90) << "the icon came back without the built-in image";
}

TEST_F(TrayImage, ReadableIconFileIsShownAndAnUnreadableOneGivesTheBuiltInIcon) {
  const std::string ico = Folder() + "\\pagewick.ico";
  const DWORD kGreen = 0x20C040;
  ASSERT_TRUE(WriteFileBytes(ico, SolidIconFile(kGreen)));
  HWND tray = LaunchIntoTray();
  ASSERT_NE(tray, nullptr) << "no tray icon appeared; " << last_error();
  HICON file = static_cast<HICON>(LoadImageA(nullptr, ToWindowsPath(ico).c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
  ASSERT_NE(file, nullptr);
  EXPECT_GE(WaitShown(tray, file, 16), 90) << "the tray entry does not show pagewick.ico";
  HICON builtin = BuiltInIcon();
  ASSERT_NE(builtin, nullptr);
  EXPECT_LT(ShownShare(Capture(tray), builtin, Small()), 50) << "the built-in icon shows instead of the file's";
  DestroyIcon(file);
  ASSERT_TRUE(ChooseMenu({"File", "Exit"})) << last_error();
  ASSERT_TRUE(WaitExit());
  probe_.reset();

  // A file that is not an icon at all: the built-in icon, not a blank entry.
  ASSERT_TRUE(WriteFileBytes(ico, "not an icon\r\n"));
  tray = LaunchIntoTray();
  ASSERT_NE(tray, nullptr) << "no tray icon appeared; " << last_error();
  EXPECT_GE(WaitShown(tray, builtin, Small()), 90) << "an unreadable pagewick.ico left the tray entry blank";
}

}  // namespace
}  // namespace e2e
