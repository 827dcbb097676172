// Notes in any script: text pasted from the clipboard in several scripts survives Exit and a
// restart (the file is UTF-8 with its mark), an ANSI note stays ANSI byte for byte, and Open...
// reads UTF-8 without a mark and UTF-16 with one.
#include "PagewickFixture.h"

namespace e2e {
namespace {

constexpr int kFileName = 0x47c;
constexpr int kFindWhat = 0x480, kReplaceWith = 0x481, kWholeWord = 0x410, kReplaceAll = 0x401;
// привет, ПРИВЕТ
const std::string kPrivet = "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";
const std::string kPRIVET = "\xD0\x9F\xD0\xA0\xD0\x98\xD0\x92\xD0\x95\xD0\xA2";
const std::string kMark = "\xEF\xBB\xBF";
// Łódź Ελλάδα Привет 東京 😀 مرحبا
const std::string kWorld = "\xC5\x81\xC3\xB3" "d\xC5\xBA \xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1 "
                           "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xE6\x9D\xB1\xE4\xBA\xAC "
                           "\xF0\x9F\x98\x80 \xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7";

std::wstring Wide(const std::string& utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &w[0], n);
  return w;
}

std::string Utf8(const std::wstring& w) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
  return s;
}

class UnicodeNote : public PagewickTest {
 protected:
  bool SetBoxText(const std::string& utf8) {
    const std::wstring w = Wide(utf8);
    DWORD_PTR r = 0;
    return SendMessageTimeoutW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w.c_str()), SMTO_NORMAL, 120000, &r) &&
           probe().Sync();
  }
  // The selection in bytes of the UTF-8 text.
  std::pair<size_t, size_t> Sel() {
    DWORD s = 0, e = 0;
    probe().Selection(&s, &e);
    const std::wstring w = Wide(BoxText());
    return {Utf8(w.substr(0, s)).size(), Utf8(w.substr(0, e)).size()};
  }
  HWND WaitDialog(const std::string& title) {
    WindowQuery q;
    q.pid = app_.pid();
    q.class_name = "#32770";
    q.caption = title;
    q.visibility = Visibility::Visible;
    return WaitTopWindow(q);
  }
  bool SetDialogTextW(HWND dlg, int id, const std::string& utf8) {
    return SetDlgItemTextW(dlg, id, Wide(utf8).c_str()) != FALSE;
  }
  bool Press(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (!button || !PostMessageA(button, BM_CLICK, 0, 0)) return false;
    return probe().Sync();
  }
  // The box's text as the Unicode control holds it, in UTF-8.
  std::string BoxText() {
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(edit_, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 60000, &len)) return "<no answer>";
    std::wstring w(len + 1, L'\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(edit_, WM_GETTEXT, w.size(), reinterpret_cast<LPARAM>(&w[0]), SMTO_NORMAL, 60000, &got))
      return "<no answer>";
    w.resize(got < len ? got : len);
    return Utf8(w);
  }
  bool PutOnClipboard(const std::string& utf8) {
    const std::wstring w = Wide(utf8);
    if (!OpenClipboard(main_)) return false;
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (w.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(mem), w.c_str(), (w.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(mem);
    const bool ok = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
    CloseClipboard();
    return ok;
  }
  void ExitProgram() {
    ASSERT_TRUE(ChooseMenu({"File", "Exit"})) << last_error();
    ASSERT_TRUE(WaitExit(kWaitMs)) << "Exit did not end the program";
  }
  bool OpenFile(const std::string& path) {
    if (!ChooseMenu({"File", "Open..."})) return false;
    // A note in the box first asks whether to save it.
    if (MessageBoxInfo m = WaitMessageBox(app_.pid(), "Save Text?", "", 1500); m.hwnd) ClickDialogButton(m.hwnd, IDNO);
    WindowQuery q;
    q.pid = app_.pid();
    q.class_name = "#32770";
    q.caption = "Open";
    q.visibility = Visibility::Visible;
    HWND dlg = WaitTopWindow(q);
    if (!dlg || !SetDialogItemText(dlg, kFileName, ToWindowsPath(path))) return false;
    PostMessageA(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
    return WaitFor([&] { return !IsWindow(dlg) || !IsWindowVisible(dlg); });
  }
};

TEST_F(UnicodeNote, PastedScriptsSurviveExitAsUtf8AndComeBackAfterARestart) {
  ASSERT_TRUE(WriteNote("caf\xE9 "));
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(PutOnClipboard(kWorld));
  ASSERT_TRUE(ChooseMenu({"Edit", "Paste"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  const std::string note = "caf\xC3\xA9 " + kWorld;
  EXPECT_EQ(BoxText(), note) << "every character pasted stays in the box";
  ExitProgram();
  EXPECT_EQ(ReadFileOrMarker(NotePath()), kMark + note) << "the mark, then UTF-8";

  ASSERT_TRUE(StartVisible()) << last_error();
  EXPECT_EQ(BoxText(), note) << "read back exactly";
  // Copy gives the clipboard the same characters.
  SendMessageW(edit_, EM_SETSEL, 0, -1);
  ASSERT_TRUE(ChooseMenu({"Edit", "Copy"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  std::string clip;
  if (OpenClipboard(main_)) {
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
      clip = Utf8(static_cast<const wchar_t*>(GlobalLock(h)));
      GlobalUnlock(h);
    }
    CloseClipboard();
  }
  EXPECT_EQ(clip, note);
  ExitProgram();
  EXPECT_EQ(ReadFileOrMarker(NotePath()), kMark + note) << "a UTF-8 note stays UTF-8";
}

TEST_F(UnicodeNote, AnAnsiNoteWithCafeIsStillAnsiByteForByteAfterAnEdit) {
  const std::string note = "Shopping: caf\xE9, cr\xE8me br\xFBl\xE9" "e\r\n\xC4rger \x80 \xBD";
  ASSERT_TRUE(WriteNote(note));
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(TypeText(edit_, " caf\xE9"));
  ASSERT_TRUE(probe().Sync());
  ExitProgram();
  EXPECT_EQ(ReadFileOrMarker(NotePath()), note + " caf\xE9");
}

TEST_F(UnicodeNote, OpenReadsUtf8WithoutAMarkAndUtf16LittleEndian) {
  ASSERT_TRUE(StartVisible()) << last_error();
  const std::string utf8 = folder_->File("utf8.txt");
  ASSERT_TRUE(WriteFileBytes(utf8, kWorld + "\r\nline two\r\n"));
  ASSERT_TRUE(OpenFile(utf8)) << last_error();
  EXPECT_TRUE(WaitFor([&] { return BoxText() == kWorld + "\r\nline two"; })) << BoxText();

  const std::wstring w = Wide("\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xCE\x95\r\nz");
  std::string le = "\xFF\xFE";
  le.append(reinterpret_cast<const char*>(w.data()), w.size() * 2);
  const std::string utf16 = folder_->File("utf16.txt");
  ASSERT_TRUE(WriteFileBytes(utf16, le));
  ASSERT_TRUE(OpenFile(utf16)) << last_error();
  EXPECT_TRUE(WaitFor([&] { return BoxText() == Utf8(w); })) << BoxText();
}

TEST_F(UnicodeNote, FindsACyrillicWholeWordWhateverItsCase) {
  ASSERT_TRUE(StartVisible()) << last_error();
  // "приветствую, ПРИВЕТ! привет"
  const std::string note = kPrivet + "\xD1\x81\xD1\x82\xD0\xB2\xD1\x83\xD1\x8E, " + kPRIVET + "! " + kPrivet;
  ASSERT_TRUE(SetBoxText(note));
  SendMessageW(edit_, EM_SETSEL, 0, 0);
  ASSERT_TRUE(ChooseMenu({"Edit", "Find..."})) << last_error();
  HWND dlg = WaitDialog("Find");
  ASSERT_TRUE(dlg);
  ASSERT_TRUE(SetDialogTextW(dlg, kFindWhat, kPrivet));
  CheckDlgButton(dlg, kWholeWord, BST_CHECKED);
  ASSERT_TRUE(Press(dlg, IDOK));
  const size_t second = kPrivet.size() + 12;
  EXPECT_EQ(Sel(), std::make_pair(second, second + kPRIVET.size())) << "not inside the longer word; any case";
  SendMessageW(edit_, EM_SETSEL, 19, 19);   // behind it (characters of the box)
  ASSERT_TRUE(Press(dlg, IDOK));
  EXPECT_EQ(Sel(), std::make_pair(note.size() - kPrivet.size(), note.size()));
  ClickDialogButton(dlg, IDCANCEL);
}

TEST_F(UnicodeNote, ReplaceAllAcrossAMegabyteOfUnicodeIsOneUndoStep) {
  ASSERT_TRUE(StartVisible()) << last_error();
  // About 1 MB of UTF-8: Greek, Cyrillic, CJK and an emoji on every line.
  const std::string line = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1 " + kPrivet +
                           " \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80 " + kPRIVET + "\r\n";
  std::string note;
  while (note.size() < (1u << 20)) note += line;
  ASSERT_TRUE(SetBoxText(note));
  SendMessageW(edit_, EM_SETSEL, 0, 0);
  ASSERT_TRUE(ChooseMenu({"Edit", "Replace..."})) << last_error();
  HWND dlg = WaitDialog("Replace");
  ASSERT_TRUE(dlg);
  ASSERT_TRUE(SetDialogTextW(dlg, kFindWhat, kPrivet));
  ASSERT_TRUE(SetDialogTextW(dlg, kReplaceWith, "\xE4\xBD\xA0\xE5\xA5\xBD"));   // 你好
  // The box lays out a megabyte twice over (the old text out, the new in): 30 s measured under
  // qemu-i386 at a load of 2.6, so the waits give it several times that.
  const DWORD kLayoutMs = 180000;
  PostMessageA(GetDlgItem(dlg, kReplaceAll), BM_CLICK, 0, 0);
  ASSERT_TRUE(probe().Sync(kLayoutMs));
  std::string expected;
  const std::string newLine = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1 \xE4\xBD\xA0\xE5\xA5\xBD"
                              " \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80 \xE4\xBD\xA0\xE5\xA5\xBD\r\n";
  for (size_t n = note.size() / line.size(); n > 0; --n) expected += newLine;
  const std::string after = BoxText();
  EXPECT_TRUE(after == expected) << "every match, in either case, replaced: " << after.size() << " bytes, "
                                 << expected.size() << " expected; begins " << after.substr(0, 80);
  ClickDialogButton(dlg, IDCANCEL);
  ASSERT_TRUE(ChooseMenu({"Edit", "Undo"})) << last_error();
  ASSERT_TRUE(probe().Sync(kLayoutMs));
  const std::string undone = BoxText();
  EXPECT_TRUE(undone == note) << "one Undo takes it all back: " << undone.size() << " bytes, begins "
                              << undone.substr(0, 80);
}

}  // namespace
}  // namespace e2e
