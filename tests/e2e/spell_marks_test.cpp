// Spelling as you type under Wine: the red waves the program paints under unknown words, read
// from the screen's pixels; the marked word's menu; the option off and kept over a restart.
#include "PagewickFixture.h"

namespace e2e {
namespace {

class SpellMarks : public PagewickTest {
 protected:
  // The client point of a character of the note.
  POINT At(int index) {
    const LRESULT r = SendMessageW(edit_, EM_POSFROMCHAR, static_cast<WPARAM>(index), 0);
    return {static_cast<short>(LOWORD(r)), static_cast<short>(HIWORD(r))};
  }
  int LineHeight() { return At(static_cast<int>(SendMessageW(edit_, EM_LINEINDEX, 1, 0))).y - At(0).y; }
  // Red pixels on screen under characters [from, to) of the note's first lines (one line high).
  int RedUnder(int from, int to) {
    const POINT a = At(from), b = At(to);
    const int h = LineHeight();
    if (b.x <= a.x || h <= 0) return -1;
    POINT origin = {a.x, a.y};
    ClientToScreen(edit_, &origin);
    const int width = b.x - a.x;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, width, h, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    int red = 0;
    const DWORD* p = static_cast<const DWORD*>(bits);
    for (int i = 0; i < width * h; ++i) {
      const int r = (p[i] >> 16) & 0xFF, g = (p[i] >> 8) & 0xFF, bl = p[i] & 0xFF;
      if (r > 200 && g < 90 && bl < 90) ++red;
    }
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return red;
  }
  bool WaitRed(int from, int to) { return WaitFor([&] { return RedUnder(from, to) > 0; }, 20000); }
  bool WaitNoRed(int from, int to) { return WaitFor([&] { return RedUnder(from, to) == 0; }, 20000); }
  // A right click in the middle of characters [from, to).
  bool RightClick(int from, int to) {
    POINT pt = {(At(from).x + At(to).x) / 2, At(from).y + LineHeight() / 2};
    ClientToScreen(edit_, &pt);
    return PostMessageW(edit_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit_), MAKELPARAM(pt.x, pt.y)) != 0;
  }
  std::vector<MenuEntry> WaitPopup() {
    std::vector<MenuEntry> menu;
    WaitFor([&] { return !(menu = probe().Read(kMenuOpenPopups, 2000)).empty(); }, 20000);
    return menu;
  }
  bool OptionChecked() {
    MenuEntry e;
    return probe().Find({"File", "Check Spelling As You Type"}, &e, true) && e.checked;
  }
};

const char kNote[] = "Thiss note is fine\r\nand so is this\r\n";

TEST_F(SpellMarks, MarkedWordFixedFromItsMenuUndoneAndANewWordMarked) {
  ASSERT_TRUE(WriteNote(kNote));
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(BringToFront(main_));
  ASSERT_TRUE(WaitRed(0, 5)) << "no wave under Thiss";
  EXPECT_EQ(RedUnder(6, 18), 0) << "waves under known words";
  EXPECT_TRUE(OptionChecked());

  // The menu: suggestions first, then the word's own entries, then the box's.
  ASSERT_TRUE(RightClick(0, 5));
  const std::vector<MenuEntry> menu = WaitPopup();
  std::vector<std::string> captions;
  for (const MenuEntry& e : menu)
    if (e.depth == 0) captions.push_back(e.separator ? "-" : e.caption);
  ASSERT_GE(captions.size(), 11u) << FormatMenu(menu);
  EXPECT_EQ(captions.front(), "This") << FormatMenu(menu);
  const std::vector<std::string> tail(captions.end() - 10, captions.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"Ignore All", "Add to Dictionary", "-", "Undo", "Cut", "Copy", "Paste",
                                            "Delete", "-", "Select All"}))
      << FormatMenu(menu);
  ASSERT_TRUE(probe().ChooseInOpenPopup(captions.front()));
  ASSERT_TRUE(WaitFor([&] { return NoteText() == "This note is fine\r\nand so is this\r\n"; })) << NoteText();
  EXPECT_TRUE(WaitNoRed(0, 4)) << "the wave stayed";

  // Undo brings the word back, marked again.
  ASSERT_TRUE(ChooseMenu({"Edit", "Undo"}));
  ASSERT_TRUE(WaitFor([&] { return NoteText() == kNote; })) << NoteText();
  EXPECT_TRUE(WaitRed(0, 5)) << "no wave under Thiss after Undo";

  // A new unknown word typed at the end of the second line is marked once typing pauses.
  const int end = static_cast<int>(SendMessageW(edit_, EM_LINEINDEX, 1, 0) + SendMessageW(edit_, EM_LINELENGTH, 20, 0));
  ASSERT_TRUE(Select(end, end));
  ASSERT_TRUE(TypeText(edit_, " qwzx"));
  ASSERT_TRUE(WaitFor([&] { return NoteText().find("this qwzx") != std::string::npos; }));
  EXPECT_TRUE(WaitRed(end + 1, end + 5)) << "no wave under the typed word";
  EXPECT_EQ(RedUnder(end - 4, end), 0) << "a wave under 'this'";
}

TEST_F(SpellMarks, TurnedOffTheMarksGoAndTheChoiceOutlivesARestart) {
  ASSERT_TRUE(WriteNote(kNote));
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(BringToFront(main_));
  ASSERT_TRUE(WaitRed(0, 5));
  ASSERT_TRUE(ChooseMenu({"File", "Check Spelling As You Type"}));
  EXPECT_TRUE(WaitNoRed(0, 5)) << "the wave stayed with the option off";
  EXPECT_FALSE(OptionChecked());
  ASSERT_TRUE(ExitAndWait());
  const std::string ini = ReadFileOrMarker(SettingsPath());
  EXPECT_NE(ini.find("\r\n0\r\n-1\r\n0\r\n"), std::string::npos) << ini;   // lines 23 to 25

  ASSERT_TRUE(StartVisible()) << last_error();
  EXPECT_FALSE(OptionChecked());
  ASSERT_TRUE(BringToFront(main_));
  ASSERT_TRUE(probe().Sync());
  EXPECT_EQ(RedUnder(0, 5), 0);
  // On again: the wave comes back.
  ASSERT_TRUE(ChooseMenu({"File", "Check Spelling As You Type"}));
  EXPECT_TRUE(WaitRed(0, 5));
  EXPECT_TRUE(OptionChecked());
}

}  // namespace
}  // namespace e2e
