// Help Topics, About Pagewick and Always on Top, driven in the real program under Wine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PagewickFixture.h"
#include "driver/Driver.h"

#include <commctrl.h>

using namespace e2e;

namespace {

// ---- what the help shows: first and last line and the number of lines of each topic -------

struct TopicShape {
  const char* caption;
  const char* first;
  const char* last;
  size_t lines;
};

const TopicShape kTopics[] = {
    {"General",
     "Pagewick is a text editor that can be used to take simple notes, or as a replacement for "
     "Microsoft's Notepad application.  When not in use, Pagewick resides in the system tray.",
     "\x95  Live Update over the Internet", 17},
    {"Features",
     "Pagewick includes Spell Checking for your convenience, utilizing the Spell Checker from "
     "Microsoft Word.  The interface for this feature is identical to that of Microsoft Word.  "
     "If you do not have Microsoft Word installed, this feature is not available.",
     "Live Update will check if you have the latest version of Pagewick.  If not, the latest "
     "installer will download to the desktop.",
     16},
    {"Customization",
     "Transparency on the main window can be adjusted from 0% (default) all the way down to 90% "
     "transparency.  Use the 'Transparency...' item in the File menu to configure.",
     "The icon in the system tray and window icons can be changed by simply replacing the "
     "pagewick.ico file with any of your choosing.  The new icon will be displayed next time "
     "the application is started.",
     7},
    {"Revision History", "v 1.4", "\x95  Find/Restore menu items added.", 26},
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  size_t pos = 0;
  for (;;) {
    size_t end = text.find("\r\n", pos);
    out.push_back(text.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
    if (end == std::string::npos) return out;
    pos = end + 2;
  }
}

// True when `text` is exactly one whole topic, the one of tab `index` (1-based).
::testing::AssertionResult IsTopic(const std::string& text, int index) {
  const TopicShape& t = kTopics[index - 1];
  std::vector<std::string> lines = Lines(text);
  if (lines.size() != t.lines || lines.front() != t.first || lines.back() != t.last)
    return ::testing::AssertionFailure()
           << "expected topic \"" << t.caption << "\" (" << t.lines << " lines), got " << lines.size()
           << " lines starting \"" << lines.front().substr(0, 60) << "\" and ending \""
           << lines.back().substr(0, 60) << "\"";
  return ::testing::AssertionSuccess();
}

// ---- the mouse and the screen ---------------------------------------------------------------

bool MouseInput(DWORD flags, POINT at) {
  INPUT in = {};
  in.type = INPUT_MOUSE;
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  in.mi.dx = static_cast<LONG>((at.x * 65535 + w / 2) / (w - 1));
  in.mi.dy = static_cast<LONG>((at.y * 65535 + h / 2) / (h - 1));
  in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return SendInput(1, &in, sizeof(in)) == 1;
}

bool MoveMouseTo(POINT at) { return MouseInput(0, at); }

POINT CentreOf(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Screen pixels of a window's rectangle that have exactly the colour `c` (text and underline
// are drawn in the label's text colour).
int PixelsOfColour(HWND w, COLORREF c) {
  RECT r;
  if (!GetWindowRect(w, &r)) return -1;
  const int width = r.right - r.left, height = r.bottom - r.top;
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
  BitBlt(mem, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  int n = 0;
  const DWORD want = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  const DWORD* px = static_cast<const DWORD*>(bits);
  for (int i = 0; i < width * height; ++i) n += (px[i] & 0xFFFFFF) == want;
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return n;
}

// The link looks as `c` once it shows a few pixels of that colour; the wait lets the program
// handle the mouse and repaint.
bool LooksLike(HWND label, COLORREF c) {
  return WaitFor([&] { return PixelsOfColour(label, c) >= 5; }, 3000, 30);
}

const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);

// Control ids of the About window, in the order it creates them.
enum AboutId { kImage1 = 1, kImgPagewick, kLblProduct, kLblRights, kLblVelmorUrl, kImgBrask, kLblBraskTxt, kLblBraskUrl };

// ---- the program ----------------------------------------------------------------------------

class HelpAboutE2E : public PagewickTest {
 protected:
  void SetUp() override {
    PagewickTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(StartVisible()) << last_error();
  }
  void TearDown() override {
    PagewickTest::TearDown();
    KillProcessesNamed("winebrowser.exe");
  }

  HWND WindowCaptioned(const char* caption, Visibility v = Visibility::Visible) {
    WindowQuery q;
    q.pid = app_.pid();
    q.caption = caption;
    q.visibility = v;
    return WaitTopWindow(q);
  }
  size_t CountCaptioned(const char* caption) {
    WindowQuery q;
    q.pid = app_.pid();
    q.caption = caption;
    return FindTopWindows(q).size();
  }
  HWND OpenHelp() {
    if (!probe_->Choose({"Help", "Help Topics"})) return nullptr;
    HWND help = WindowCaptioned("Help Topics");
    probe_->Sync();
    return help;
  }
  // Moves to the next (+1) or previous (-1) tab with the arrow keys, as the keyboard does.
  void StepTab(HWND tabs, int direction) {
    PostMessageA(tabs, WM_KEYDOWN, direction > 0 ? VK_RIGHT : VK_LEFT, 0);
    PostMessageA(tabs, WM_KEYUP, direction > 0 ? VK_RIGHT : VK_LEFT, 0xC0000000);
    ASSERT_TRUE(probe_->Sync());
  }
  bool OnTopChecked() {
    MenuEntry e;
    EXPECT_TRUE(probe_->Find({"File", "Always on Top"}, &e, true));
    return e.checked;
  }
  bool TopMost() { return (GetWindowLongA(main_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

};

TEST_F(HelpAboutE2E, HelpOpensOnGeneralAndASecondChoiceOnlyRaisesIt) {
  HWND help = OpenHelp();
  ASSERT_NE(help, nullptr) << "Help Topics did not open";
  EXPECT_EQ(GetWindow(help, GW_OWNER), main_);
  HWND tabs = FindChild(help, "SysTabControl32");
  HWND box = FindChild(help, "Edit");
  ASSERT_NE(tabs, nullptr);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 4);
  EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(IsTopic(GetText(box), 1));
  EXPECT_TRUE(GetWindowLongA(box, GWL_STYLE) & ES_READONLY);

  // The main window stays usable, and the second choice brings back the same window.
  StepTab(tabs, +1);
  SetForegroundWindow(main_);
  ASSERT_TRUE(probe_->Choose({"Help", "Help Topics"}));
  ASSERT_TRUE(probe_->Sync());
  EXPECT_EQ(CountCaptioned("Help Topics"), 1u);
  EXPECT_TRUE(IsWindow(help));
  EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1) << "the selected tab stays";
  EXPECT_TRUE(IsTopic(GetText(box), 2));
}

TEST_F(HelpAboutE2E, TabsShowExactlyOneTopicFromItsFirstLine) {
  HWND help = OpenHelp();
  ASSERT_NE(help, nullptr);
  HWND tabs = FindChild(help, "SysTabControl32");
  HWND box = FindChild(help, "Edit");
  ASSERT_NE(tabs, nullptr);
  ASSERT_NE(box, nullptr);
  for (int index = 2; index <= 4; ++index) {
    StepTab(tabs, +1);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), index - 1);
    EXPECT_TRUE(IsTopic(GetText(box), index)) << "tab " << index;
  }
  // Scroll the long topic down, then change tabs: the new topic is shown from its top.
  SendMessageA(box, WM_VSCROLL, SB_BOTTOM, 0);
  ASSERT_GT(SendMessageA(box, EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "the revision history should scroll";
  StepTab(tabs, -1);
  EXPECT_TRUE(IsTopic(GetText(box), 3));
  EXPECT_EQ(SendMessageA(box, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  StepTab(tabs, -1);
  StepTab(tabs, -1);
  EXPECT_TRUE(IsTopic(GetText(box), 1));
}

TEST_F(HelpAboutE2E, ClosingAndReopeningHelpStartsAgainAtGeneral) {
  HWND help = OpenHelp();
  ASSERT_NE(help, nullptr);
  HWND tabs = FindChild(help, "SysTabControl32");
  ASSERT_NE(tabs, nullptr);
  StepTab(tabs, +1);
  StepTab(tabs, +1);
  PostMessageA(help, WM_CLOSE, 0, 0);
  WindowQuery q;
  q.pid = app_.pid();
  q.caption = "Help Topics";
  ASSERT_TRUE(WaitNoTopWindow(q)) << "the close box leaves no hidden window behind";
  EXPECT_TRUE(IsShown(main_));

  help = OpenHelp();
  ASSERT_NE(help, nullptr);
  tabs = FindChild(help, "SysTabControl32");
  EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(IsTopic(GetText(FindChild(help, "Edit")), 1));
}

TEST_F(HelpAboutE2E, AboutShowsItsTextsAndOpensOnce) {
  ASSERT_TRUE(probe_->Choose({"Help", "About Pagewick"}));
  HWND about = WindowCaptioned("About Pagewick");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(GetWindow(about, GW_OWNER), main_);
  EXPECT_EQ(GetText(GetDlgItem(about, kLblProduct)), "Pagewick 1.4");
  EXPECT_EQ(GetText(GetDlgItem(about, kLblVelmorUrl)), "http://www.pagewick.example/");
  EXPECT_EQ(GetText(GetDlgItem(about, kLblBraskTxt)), "Program icon courtesy of");
  EXPECT_EQ(GetText(GetDlgItem(about, kLblBraskUrl)), "BRASK's icons.");
  for (int id : {kImage1, kImgPagewick, kImgBrask}) {
    HWND pic = GetDlgItem(about, id);
    ASSERT_NE(pic, nullptr) << id;
    EXPECT_NE(SendMessageA(pic, STM_GETIMAGE, IMAGE_BITMAP, 0), 0) << "picture " << id << " has its bitmap";
  }
  RECT rc;
  GetClientRect(about, &rc);
  EXPECT_EQ(rc.right, 4440 / 15);
  EXPECT_EQ(rc.bottom, 4455 / 15);
  ASSERT_TRUE(probe_->Choose({"Help", "About Pagewick"}));
  ASSERT_TRUE(probe_->Sync());
  EXPECT_EQ(CountCaptioned("About Pagewick"), 1u);
}

TEST_F(HelpAboutE2E, AboutLinkColoursFollowTheMouse) {
  ASSERT_TRUE(probe_->Choose({"Help", "About Pagewick"}));
  HWND about = WindowCaptioned("About Pagewick");
  ASSERT_NE(about, nullptr);
  ASSERT_TRUE(probe_->Sync());
  BringToFront(about);
  HWND velmor = GetDlgItem(about, kLblVelmorUrl);
  HWND brask = GetDlgItem(about, kLblBraskUrl);
  HWND logo = GetDlgItem(about, kImgBrask);
  HWND courtesy = GetDlgItem(about, kLblBraskTxt);
  ASSERT_TRUE(velmor && brask && logo && courtesy);
  const COLORREF normal = GetSysColor(COLOR_WINDOWTEXT);
  POINT background = {8, 8};
  ClientToScreen(about, &background);

  ASSERT_TRUE(MoveMouseTo(background));
  EXPECT_TRUE(LooksLike(velmor, normal));
  EXPECT_TRUE(LooksLike(brask, normal));

  // Over the author's link: blue; onto the faded sheet behind it (a picture, though drawn as
  // the labels' backdrop): still blue; straight on to the icon site's link: both blue.
  ASSERT_TRUE(MoveMouseTo(CentreOf(velmor)));
  EXPECT_TRUE(LooksLike(velmor, kBlue));
  EXPECT_EQ(PixelsOfColour(brask, kBlue), 0);
  RECT sheet;
  ASSERT_TRUE(GetWindowRect(GetDlgItem(about, kImage1), &sheet));
  ASSERT_TRUE(MoveMouseTo({sheet.right - 10, sheet.bottom - 10}));   // below the labels lying on it
  PumpMessagesFor(200);
  EXPECT_TRUE(LooksLike(velmor, kBlue)) << "the sheet is not the window background";
  ASSERT_TRUE(MoveMouseTo(CentreOf(brask)));
  EXPECT_TRUE(LooksLike(brask, kBlue));
  EXPECT_GT(PixelsOfColour(velmor, kBlue), 0) << "leaving onto another control restores nothing";
  // Onto the plain label beside it: still blue. The background restores both.
  ASSERT_TRUE(MoveMouseTo(CentreOf(courtesy)));
  PumpMessagesFor(200);
  EXPECT_TRUE(LooksLike(brask, kBlue));
  ASSERT_TRUE(MoveMouseTo(CentreOf(GetDlgItem(about, kImgPagewick))));
  PumpMessagesFor(200);
  EXPECT_TRUE(LooksLike(brask, kBlue)) << "a picture is not the background either";
  ASSERT_TRUE(MoveMouseTo(background));
  EXPECT_TRUE(LooksLike(velmor, normal));
  EXPECT_TRUE(LooksLike(brask, normal));
  EXPECT_EQ(PixelsOfColour(velmor, kBlue), 0);

  // The logo colours the text link below it.
  ASSERT_TRUE(MoveMouseTo(CentreOf(logo)));
  EXPECT_TRUE(LooksLike(brask, kBlue));
  ASSERT_TRUE(MoveMouseTo(background));
  EXPECT_TRUE(LooksLike(brask, normal));

  // Pressing the author's link turns it red, and it stays red over the link after the click.
  ASSERT_TRUE(MoveMouseTo(CentreOf(velmor)));
  EXPECT_TRUE(LooksLike(velmor, kBlue));
  ASSERT_TRUE(MouseInput(MOUSEEVENTF_LEFTDOWN, CentreOf(velmor)));
  EXPECT_TRUE(LooksLike(velmor, kRed));
  ASSERT_TRUE(MouseInput(MOUSEEVENTF_LEFTUP, CentreOf(velmor)));
  POINT nearby = CentreOf(velmor);
  nearby.x += 3;
  ASSERT_TRUE(MoveMouseTo(nearby));
  PumpMessagesFor(200);
  EXPECT_TRUE(LooksLike(velmor, kRed));
  EXPECT_TRUE(MessageBoxesOf(app_.pid()).empty()) << "an address the shell cannot open shows nothing";
  ASSERT_TRUE(MoveMouseTo(background));
  EXPECT_TRUE(LooksLike(velmor, normal));
}

// Esc closes About and Help as their close boxes do, whichever control has the focus (Help's
// topic box too); Enter, with no button to press, leaves them open.
TEST_F(HelpAboutE2E, EscClosesAboutAndHelpEnterLeavesThemOpen) {
  ASSERT_TRUE(probe_->Choose({"Help", "About Pagewick"}));
  HWND about = WindowCaptioned("About Pagewick");
  ASSERT_NE(about, nullptr);
  ASSERT_TRUE(probe_->Sync());
  ASSERT_TRUE(BringToFront(about));
  ASSERT_TRUE(PressKeys({VK_RETURN}));
  ASSERT_TRUE(probe_->Sync());
  EXPECT_TRUE(IsWindow(about)) << "Enter has nothing to press in About";
  ASSERT_TRUE(PressKeys({VK_ESCAPE}));
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(about); })) << "Esc did not close About";

  HWND help = OpenHelp();
  ASSERT_NE(help, nullptr);
  HWND box = FindChild(help, "Edit");
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(BringToFront(help));
  ASSERT_TRUE(MouseInput(MOUSEEVENTF_LEFTDOWN, CentreOf(box)));   // the focus into the topic's text
  ASSERT_TRUE(MouseInput(MOUSEEVENTF_LEFTUP, CentreOf(box)));
  ASSERT_TRUE(probe_->Sync());
  ASSERT_TRUE(PressKeys({VK_RETURN}));
  ASSERT_TRUE(probe_->Sync());
  EXPECT_TRUE(IsWindow(help));
  ASSERT_TRUE(PressKeys({VK_ESCAPE}));
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(help); })) << "Esc did not close Help";
  EXPECT_TRUE(IsWindow(main_));
  EXPECT_TRUE(MessageBoxesOf(app_.pid()).empty());
}

TEST_F(HelpAboutE2E, AlwaysOnTopSetsAndClearsTopMostAndIsOffAfterARestart) {
  EXPECT_FALSE(TopMost());
  EXPECT_FALSE(OnTopChecked());
  RECT before;
  GetWindowRect(main_, &before);

  ASSERT_TRUE(probe_->Choose({"File", "Always on Top"}));
  ASSERT_TRUE(probe_->Sync());
  EXPECT_TRUE(TopMost());
  EXPECT_TRUE(OnTopChecked());
  ASSERT_TRUE(probe_->Choose({"File", "Always on Top"}));
  ASSERT_TRUE(probe_->Sync());
  EXPECT_FALSE(TopMost());
  EXPECT_FALSE(OnTopChecked());
  RECT after;
  GetWindowRect(main_, &after);
  EXPECT_TRUE(EqualRect(&before, &after)) << "neither position nor size changes";

  // On when the program ends (with saving): off again at the next start.
  ASSERT_TRUE(probe_->Choose({"File", "Always on Top"}));
  ASSERT_TRUE(probe_->Sync());
  ASSERT_TRUE(TopMost());
  ASSERT_TRUE(ChooseMenu({"File", "Exit"})) << last_error();
  ASSERT_TRUE(WaitExit()) << "Exit did not end the program";
  probe_.reset();
  ASSERT_TRUE(StartVisible()) << last_error();
  EXPECT_FALSE(TopMost());
  EXPECT_FALSE(OnTopChecked());
}

}  // namespace
