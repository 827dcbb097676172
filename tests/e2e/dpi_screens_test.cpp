// Every window at 96, 120 and 144 dpi: laid out from twips at that DPI, no caption cut off,
// pictures drawn whole at the DPI's size, icons of sizes the program's icon holds, and the
// About window's labels showing the faded picture around their text. Each window's picture is
// saved as artifacts/dpi-<dpi>-<window>.bmp for a person to look at.
//
// Wine reads `HKCU\Control Panel\Desktop` LogPixels when a process starts: a program started
// after the value changed gets the new DPI, one already running keeps its own, and the
// wineserver need not be restarted. Each test sets the value for its own run of the program
// and puts the previous value back afterwards, so the shared session stays at its DPI.
//
// Dark apps (AppsUseLightTheme = 0 under HKCU ...\Themes\Personalize, which Wine never reads
// itself): DarkAppsAt96Dpi starts the program with the value set, finds every window dark with
// light text and keeps its picture as artifacts/dpi-96-dark-<window>.bmp; then, with the main
// window and About open, it switches the value and sends WM_SETTINGCHANGE "ImmersiveColorSet"
// (Wine never does) and sees both windows follow, both ways, the note keeping its selection and
// scroll place. The other runs start with no value at all and see every window light, as it
// always was. The value found before is put back afterwards.
//
// To add a window: one entry in Windows() below, with how to open it, its caption and its
// designed client size in twips, and (optionally) checks of its own.
#include <functional>

#include "PagewickFixture.h"

namespace e2e {
namespace {

const char kDesktopKey[] = "Control Panel\\Desktop";
const char kPersonalizeKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
const char kLightValue[] = "AppsUseLightTheme";

class DpiScreens;

struct ScreenCase {
  const char* name;                      // file name part
  const char* caption;                   // the window's caption ("" for the main window)
  std::vector<std::string> menu;         // the menu entry that opens it (empty: the main window)
  float client_w, client_h;              // designed client area, twips (0: not fixed)
  std::function<void(DpiScreens&, HWND, const WindowLayout&)> extra;   // checks of its own
  const char* note = nullptr;            // the note the window needs before it opens
};

// ---- pixels -------------------------------------------------------------------------------

struct Shot {
  int width = 0, height = 0;
  std::vector<DWORD> px;   // 0x00RRGGBB, top-down
  DWORD At(int x, int y) const { return px[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

Shot CaptureClient(HWND w) {
  Shot s;
  RECT r;
  GetClientRect(w, &r);
  POINT origin = {0, 0};
  ClientToScreen(w, &origin);
  s.width = r.right;
  s.height = r.bottom;
  if (s.width <= 0 || s.height <= 0) return s;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = s.width;
  bi.bmiHeader.biHeight = -s.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, s.width, s.height, screen, origin.x, origin.y, SRCCOPY);
  GdiFlush();
  const DWORD* p = static_cast<const DWORD*>(bits);
  s.px.assign(p, p + static_cast<size_t>(s.width) * s.height);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return s;
}

// How light a part of a window is: its mean grey level, and how many of its pixels are light
// (text on a dark window).
struct Tone {
  double mean = 0;
  int light = 0;
};

Tone ToneOf(const Shot& s) {
  Tone t;
  if (s.px.empty()) return t;
  double sum = 0;
  for (DWORD c : s.px) {
    const int grey = (((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF)) / 3;
    sum += grey;
    t.light += grey >= 170;
  }
  t.mean = sum / static_cast<double>(s.px.size());
  return t;
}

// The outer window (frame, caption, menu bar and client) as a 24-bit BMP file.
bool SaveWindowBmp(HWND w, const std::string& path) {
  RECT r;
  if (!GetWindowRect(w, &r)) return false;
  const int width = r.right - r.left, height = r.bottom - r.top, stride = (width * 3 + 3) & ~3;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = height;   // bottom-up, as the file stores it
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  BITMAPFILEHEADER fh = {};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(stride) * height;
  std::string data(reinterpret_cast<const char*>(&fh), sizeof(fh));
  data.append(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof(bi.bmiHeader));
  data.append(static_cast<const char*>(bits), static_cast<size_t>(stride) * height);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return WriteFileBytes(path, data);
}

// ---- the program's icon group -------------------------------------------------------------

// Pixel sizes of the images in the exe's icon group "AAA".
std::vector<int> IconGroupSizes(const std::string& exe) {
  std::vector<int> sizes;
  HMODULE m = LoadLibraryExA(ToWindowsPath(exe).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!m) return sizes;
  HRSRC res = FindResourceA(m, "AAA", MAKEINTRESOURCEA(14));   // RT_GROUP_ICON
  const BYTE* dir = res ? static_cast<const BYTE*>(LockResource(LoadResource(m, res))) : nullptr;
  if (dir) {
    const int count = dir[4] | (dir[5] << 8);
    for (int i = 0; i < count; ++i) {
      const int w = dir[6 + 14 * i];
      sizes.push_back(w == 0 ? 256 : w);
    }
  }
  FreeLibrary(m);
  return sizes;
}

// ---- the fixture --------------------------------------------------------------------------

class DpiScreens : public PagewickTest {
 protected:
  void SetUp() override {
    PagewickTest::SetUp();
    DWORD size = sizeof(saved_), type = 0;
    had_value_ = RegGetValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", RRF_RT_REG_DWORD, &type, &saved_,
                              &size) == ERROR_SUCCESS;
    size = sizeof(saved_light_);
    had_light_ = RegGetValueA(HKEY_CURRENT_USER, kPersonalizeKey, kLightValue, RRF_RT_REG_DWORD, &type,
                              &saved_light_, &size) == ERROR_SUCCESS;
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kPersonalizeKey, kLightValue);   // no choice: as ever
  }
  void TearDown() override {
    // The program first: it must not outlive the DPI it was started with.
    PagewickTest::TearDown();
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
      if (had_value_)
        RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&saved_), sizeof(saved_));
      else
        RegDeleteValueA(key, "LogPixels");
      RegCloseKey(key);
    }
    if (had_light_)
      SetAppsLight(saved_light_);
    else
      RegDeleteKeyValueA(HKEY_CURRENT_USER, kPersonalizeKey, kLightValue);
  }

  // The user's choice of apps: 1 light, 0 dark (the key is made when missing, as Windows has it).
  bool SetAppsLight(DWORD light) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kPersonalizeKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
      return false;
    const bool ok = RegSetValueExA(key, kLightValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&light),
                                   sizeof(light)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
  }
  // What Windows sends every top-level window when the choice changes (Wine never does).
  bool AnnounceColorSet() {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(main_, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("ImmersiveColorSet"),
                               SMTO_ABORTIFHUNG, kWaitMs, &result) != 0;
  }
  Tone WindowTone(HWND w) {
    BringToFront(GetAncestor(w, GA_ROOT));
    UpdateWindow(w);
    return ToneOf(CaptureClient(w));
  }
  // Waits until the window shows dark (or light) all over; its last tone goes to *seen.
  bool WaitTone(HWND w, bool dark, Tone* seen) {
    return WaitFor([&] {
      probe().Sync();
      *seen = WindowTone(w);
      return dark ? seen->mean < 90 : seen->mean > 150;
    });
  }

  bool SetDpi(DWORD dpi) {
    return RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", REG_DWORD, &dpi, sizeof(dpi)) ==
           ERROR_SUCCESS;
  }

  static std::vector<ScreenCase> Windows();

  HWND Open(const ScreenCase& c) {
    if (c.menu.empty()) return main_;
    if (c.note && !SetNote(c.note)) return nullptr;
    if (!ChooseMenu(c.menu)) return nullptr;
    WindowQuery q;
    q.pid = app_.pid();
    q.caption = c.caption;
    q.visibility = Visibility::Visible;
    return WaitTopWindow(q);
  }

  void CheckWindow(const ScreenCase& c, HWND w, int dpi) {
    SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(dpi) + " dpi");
    WindowLayout lay;
    ASSERT_TRUE(probe().Layout(w, &lay));
    EXPECT_EQ(lay.dpi, dpi) << "the program runs at the DPI set before its start";
    auto px = [&](float twips) { return static_cast<LONG>(twips * dpi / 1440.0f + 0.5f); };
    if (c.client_w > 0) {
      // From twips at this DPI; a window may grow a little to keep a caption whole.
      EXPECT_GE(lay.client.cx, px(c.client_w) - 1) << "client width from twips";
      EXPECT_LE(lay.client.cx, px(c.client_w * 1.05f)) << "client width from twips";
      EXPECT_GE(lay.client.cy, px(c.client_h) - 1) << "client height from twips";
      EXPECT_LE(lay.client.cy, px(c.client_h * 1.05f)) << "client height from twips";
    }
    // Icons: the system's sizes for this DPI, each an image the icon group holds as drawn.
    const int big = MulDiv(32, dpi, 96), small = MulDiv(16, dpi, 96);
    EXPECT_EQ(lay.big_icon, big);
    EXPECT_EQ(lay.small_icon, small);
    const std::vector<int> group = IconGroupSizes(ExePath());
    EXPECT_NE(std::find(group.begin(), group.end(), big), group.end()) << big << " px is scaled, not drawn";
    EXPECT_NE(std::find(group.begin(), group.end(), small), group.end()) << small << " px is scaled, not drawn";

    for (const ControlLayout& k : lay.controls) {
      SCOPED_TRACE(k.class_name + " " + std::to_string(k.id) + " \"" + k.caption + "\"");
      const LONG width = k.rect.right - k.rect.left, height = k.rect.bottom - k.rect.top;
      // Inside the client area (a combo box's window includes its drop-down list).
      EXPECT_LE(k.rect.right, lay.client.cx);
      if (k.class_name != "ComboBox") EXPECT_LE(k.rect.bottom, lay.client.cy);
      const bool isBitmap = k.class_name == "Static" && (k.style & SS_TYPEMASK) == SS_BITMAP;
      if (isBitmap) {
        EXPECT_GT(k.bitmap.cx, 0);
        EXPECT_GE(width, k.bitmap.cx) << "picture clipped";
        EXPECT_GE(height, k.bitmap.cy) << "picture clipped";
        continue;
      }
      if (k.class_name == "SysTabControl32") EXPECT_LE(k.text.cx, width) << "tabs beyond the strip";
      if (k.caption.empty() || k.text.cx == 0) continue;
      if (k.class_name == "Static" || k.class_name == "Button") {
        LONG room = width;
        // A check box's text starts after its box and a gap.
        if (k.class_name == "Button" && (k.style & 0xF) == BS_AUTOCHECKBOX) room -= MulDiv(12, dpi, 96) + 1 + MulDiv(3, dpi, 96);
        EXPECT_LE(k.text.cx, room) << "text cut on the right";
        EXPECT_LE(k.text.cy, height) << "text cut at the bottom";
      }
    }
    // Labels never cover one another.
    for (size_t i = 0; i < lay.controls.size(); ++i)
      for (size_t j = i + 1; j < lay.controls.size(); ++j) {
        const ControlLayout& a = lay.controls[i];
        const ControlLayout& b = lay.controls[j];
        const bool textA = a.class_name == "Static" && (a.style & SS_TYPEMASK) != SS_BITMAP;
        const bool textB = b.class_name == "Static" && (b.style & SS_TYPEMASK) != SS_BITMAP;
        RECT x;
        if (textA && textB) EXPECT_FALSE(IntersectRect(&x, &a.rect, &b.rect)) << a.caption << " / " << b.caption;
      }
    if (c.extra) c.extra(*this, w, lay);
  }

  // A note long enough to scroll, with text on every line.
  static std::string LongNote() {
    std::string note;
    for (int i = 1; i <= 120; ++i) note += "Line " + std::to_string(i) + " of a note read at night.\r\n";
    return note;
  }

  void RunAt(int dpi, bool dark = false) {
    dark_ = dark;
    ASSERT_TRUE(SetDpi(static_cast<DWORD>(dpi)));
    if (dark) ASSERT_TRUE(SetAppsLight(0));
    ASSERT_TRUE(StartVisible()) << last_error();
    ASSERT_TRUE(SetNote(LongNote()));
    const std::string dir = ToWindowsPath(GetEnv("PAGEWICK_E2E_ARTIFACTS", Folder() + "\\..\\artifacts"));
    CreateDirectoryA(dir.c_str(), nullptr);
    for (const ScreenCase& c : Windows()) {
      HWND w = Open(c);
      ASSERT_NE(w, nullptr) << c.name << ": " << last_error();
      BringToFront(w);
      ASSERT_TRUE(probe().Sync());
      UpdateWindow(w);
      PumpMessagesFor(150);   // let the window finish painting before the picture is taken
      CheckWindow(c, w, dpi);
      // Dark all over with light text in dark apps; light as ever without a choice.
      const Tone tone = WindowTone(w);
      if (dark) {
        EXPECT_LT(tone.mean, 90) << c.name << " is not dark";
        EXPECT_GT(tone.light, 60) << c.name << " shows no light text";
      } else {
        EXPECT_GT(tone.mean, 150) << c.name << " is not light";
      }
      const std::string file =
          JoinPath(dir, "dpi-" + std::to_string(dpi) + (dark ? "-dark-" : "-") + c.name + ".bmp");
      EXPECT_TRUE(SaveWindowBmp(w, file)) << file;
      std::printf("screenshot: %s\n", file.c_str());
      if (w != main_) {
        PostMessageA(w, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(w) || !IsWindowVisible(w); }));
      }
    }
  }

  // The choice changes while the main window and About are open: both follow, both ways,
  // and the note box keeps its text, selection and scroll place (it is the same box).
  void FollowTheChoiceBothWays() {
    // The status bar under the note is dark too.
    ASSERT_TRUE(ChooseMenu({"View", "Status Bar"}));
    HWND bar = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (bar = FindChild(main_, "msctls_statusbar32")) != nullptr && IsWindowVisible(bar); }));
    ASSERT_TRUE(probe().Sync());
    Tone barTone;
    EXPECT_TRUE(WaitTone(bar, true, &barTone)) << "the status bar's mean grey is " << barTone.mean;
    EXPECT_GT(barTone.light, 10) << "the status bar shows no light text";
    const std::string dir = ToWindowsPath(GetEnv("PAGEWICK_E2E_ARTIFACTS", Folder() + "\\..\\artifacts"));
    EXPECT_TRUE(SaveWindowBmp(main_, JoinPath(dir, "dpi-96-dark-main-statusbar.bmp")));
    ASSERT_TRUE(SetNote(LongNote()));
    ASSERT_TRUE(Select(30, 60));
    SendMessageA(edit_, EM_LINESCROLL, 0, 40);
    ASSERT_TRUE(probe().Sync());
    const LRESULT top = SendMessageA(edit_, EM_GETFIRSTVISIBLELINE, 0, 0);
    ASSERT_GT(top, 0);
    ASSERT_TRUE(ChooseMenu({"Help", "About Pagewick"}));
    WindowQuery q;
    q.pid = app_.pid();
    q.caption = "About Pagewick";
    q.visibility = Visibility::Visible;
    HWND about = WaitTopWindow(q);
    ASSERT_NE(about, nullptr);
    for (const bool dark : {false, true}) {
      SCOPED_TRACE(dark ? "back to dark" : "to light");
      ASSERT_TRUE(SetAppsLight(dark ? 0 : 1));
      ASSERT_TRUE(AnnounceColorSet());
      Tone tone;
      EXPECT_TRUE(WaitTone(main_, dark, &tone)) << "the note's mean grey stays " << tone.mean;
      EXPECT_TRUE(WaitTone(about, dark, &tone)) << "About's mean grey stays " << tone.mean;
      EXPECT_TRUE(WaitTone(bar, dark, &tone)) << "the status bar's mean grey stays " << tone.mean;
      EXPECT_EQ(FindChild(main_, "Edit"), edit_) << "the note box was replaced";
      EXPECT_EQ(Sel(), std::make_pair(DWORD{30}, DWORD{60}));
      EXPECT_EQ(SendMessageA(edit_, EM_GETFIRSTVISIBLELINE, 0, 0), top);
    }
  }

 public:
  // The About window: the labels over the faded sheet show the sheet around their text, in
  // their normal colours and after the hover colour changed.
  void CheckAboutBackdrop(HWND about, const WindowLayout& lay) {
    const ControlLayout* sheet = nullptr;
    for (const ControlLayout& k : lay.controls)
      if (k.id == 1) sheet = &k;   // Image1
    ASSERT_NE(sheet, nullptr);
    auto sheetPixelsUnder = [&](const ControlLayout& label, const Shot& shot) {
      RECT part;
      if (!IntersectRect(&part, &label.rect, &sheet->rect)) return -1;
      int pale = 0, all = 0;
      for (int y = part.top; y < part.bottom && y < shot.height; ++y)
        for (int x = part.left; x < part.right && x < shot.width; ++x) {
          const DWORD c = shot.At(x, y);
          const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
          ++all;
          // The sheet is drawn in light tints: neither the white background nor dark text.
          // For dark apps in dark tints: neither the dark panel nor the light text.
          if (dark_)
            pale += c != 0x212121 && r + g + b > 95 && r + g + b < 360;
          else
            pale += c != 0xFFFFFF && r + g + b > 450;
        }
      return all ? pale * 100 / all : -1;
    };
    const int labels[] = {3, 4, 5};   // product, rights notice, the author's link
    Shot before = CaptureClient(about);
    for (int id : labels) {
      const ControlLayout* l = lay.ById(id);
      ASSERT_NE(l, nullptr) << id;
      const int share = sheetPixelsUnder(*l, before);
      EXPECT_GE(share, 20) << "label " << l->caption << " hides the picture (" << share << "% picture pixels)";
    }
    // Hover over the author's link: blue (a light blue on dark), and the picture still shows
    // around it.
    HWND link = GetDlgItem(about, 5);
    ASSERT_NE(link, nullptr);
    PostMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    ASSERT_TRUE(probe().Sync());
    UpdateWindow(link);
    PumpMessagesFor(100);
    Shot after = CaptureClient(about);
    const ControlLayout* l = lay.ById(5);
    int blue = 0;
    for (int y = l->rect.top; y < l->rect.bottom; ++y)
      for (int x = l->rect.left; x < l->rect.right; ++x) blue += after.At(x, y) == (dark_ ? 0x8AB4F8u : 0x0000FFu);
    EXPECT_GT(blue, 20) << "the link did not turn blue";
    EXPECT_GE(sheetPixelsUnder(*l, after), 20) << "the hovered link hides the picture";
  }

 private:
  DWORD saved_ = 96;
  bool had_value_ = false;
  DWORD saved_light_ = 1;
  bool had_light_ = false;
  bool dark_ = false;   // this run is in dark apps
};

std::vector<ScreenCase> DpiScreens::Windows() {
  return {
      {"main", "Pagewick", {}, 0, 0,
       [](DpiScreens&, HWND, const WindowLayout& lay) {
         // The note box fills the client area exactly.
         ASSERT_FALSE(lay.controls.empty());
         const ControlLayout& edit = lay.controls.front();
         EXPECT_EQ(edit.class_name, "Edit");
         EXPECT_EQ(edit.rect.right - edit.rect.left, lay.client.cx);
         EXPECT_EQ(edit.rect.bottom - edit.rect.top, lay.client.cy);
       }},
      {"hotkey", "Global Hotkey", {"File", "Global Hoktey..."}, 3645, 1485, nullptr},
      {"help", "Help Topics", {"Help", "Help Topics"}, 5160, 4665, nullptr},
      {"about", "About Pagewick", {"Help", "About Pagewick"}, 4440, 4455,
       [](DpiScreens& t, HWND w, const WindowLayout& lay) {
         // Pictures at the DPI's size: 46 x 93, 145 x 145 and 158 x 52 pixels at 96 dpi.
         const int sizes[][3] = {{2, 46, 93}, {1, 145, 145}, {6, 158, 52}};
         for (const auto& s : sizes) {
           const ControlLayout* p = lay.ById(s[0]);
           ASSERT_NE(p, nullptr) << s[0];
           EXPECT_EQ(p->bitmap.cx, MulDiv(s[1], lay.dpi, 96)) << s[0];
           EXPECT_EQ(p->bitmap.cy, MulDiv(s[2], lay.dpi, 96)) << s[0];
         }
         const ControlLayout* credit = lay.ByCaption("Program icon courtesy of");
         const ControlLayout* link = lay.ByCaption("BRASK's icons.");
         ASSERT_TRUE(credit && link);
         EXPECT_LE(credit->rect.left + credit->text.cx, link->rect.left) << "the credit reaches the link";
         t.CheckAboutBackdrop(w, lay);
       }},
      {"transparency", "Transparency", {"File", "Transparency..."}, 3945, 1425, nullptr},
      {"goto", "Go To Line", {"Edit", "Go To..."}, 3900, 1560, nullptr},
      {"liveupdate", "Pagewick - Live Update", {"Help", "Live Update..."}, 6000, 3750, nullptr},
      {"spelling", "Spelling", {"File", "Check Spelling"}, 0, 0, nullptr, "Thiss note has a mistake."},
  };
}

TEST_F(DpiScreens, At96Dpi) { RunAt(96); }
TEST_F(DpiScreens, At120Dpi) { RunAt(120); }
TEST_F(DpiScreens, At144Dpi) { RunAt(144); }
TEST_F(DpiScreens, DarkAppsAt96Dpi) {
  RunAt(96, true);
  if (HasFatalFailure()) return;
  FollowTheChoiceBothWays();
}

}  // namespace
}  // namespace e2e
