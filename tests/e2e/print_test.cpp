// File, Print... through the real printer dialog onto a PostScript printer whose jobs each land
// in a file of their own (installed once per session, see printer/); the pages are read back as
// text with ghostscript.
#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>

#include "PagewickFixture.h"

namespace e2e {
namespace {

constexpr int kCopies = 0x482;   // the copies edit of the Print dialog

class Print : public PagewickTest {
 protected:
  void SetUp() override {
    PagewickTest::SetUp();
    jobs_ = GetEnv("PAGEWICK_PRINT_JOBS");
    ASSERT_FALSE(jobs_.empty()) << "PAGEWICK_PRINT_JOBS is not set (the printer fixture runs first)";
    ASSERT_EQ(RunUnix("mkdir -p '" + jobs_ + "' && rm -f '" + jobs_ + "'/job-* '" + jobs_ + "'/.job-*"), 0);
  }
  // The job files written so far, oldest first.
  std::vector<std::string> Jobs() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(JoinPath(ToWindowsPath(jobs_), "job-*.ps").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do names.push_back(fd.cFileName);
    while (FindNextFileA(h, &fd));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
  }
  bool WaitJobs(size_t n) { return WaitFor([&] { return Jobs().size() >= n; }, 60000, 50); }
  // The text of every page of a job, as ghostscript reads it.
  std::vector<std::string> Pages(const std::string& job) {
    const std::string base = jobs_ + "/" + job;
    std::vector<std::string> pages;
    if (RunUnix("gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=txtwrite -sOutputFile='" + base + ".p%03d.txt' '" +
                base + "'", 120000) != 0)
      return pages;
    for (int n = 1;; ++n) {
      char suffix[16];
      std::snprintf(suffix, sizeof suffix, ".p%03d.txt", n);
      std::string text;
      if (!ReadFileBytes(ToWindowsPath(base + suffix), &text)) break;
      pages.push_back(text);
    }
    return pages;
  }
  HWND OpenPrintDialog(bool withShortcut = false) {
    if (withShortcut ? !PressKeys({VK_CONTROL, 'P'}) : !ChooseMenu({"File", "Print..."})) return nullptr;
    WindowQuery q;
    q.pid = app_.pid();
    q.class_name = "#32770";
    q.caption = "Print";
    q.visibility = Visibility::Visible;
    return WaitTopWindow(q);
  }
  static std::string Today() {
    char buf[128] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buf, sizeof buf);
    return buf;
  }
  static bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
  // The output line that holds `part`, or "".
  static std::string LineWith(const std::string& text, const std::string& part) {
    size_t at = text.find(part);
    if (at == std::string::npos) return "";
    size_t start = text.rfind('\n', at);
    start = start == std::string::npos ? 0 : start + 1;
    size_t end = text.find('\n', at);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
  }

  std::string jobs_;   // Linux folder the printer writes its jobs to
};

std::string Token(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "w%03d", n);
  return buf;
}

TEST_F(Print, WholeNoteOnNumberedPagesWithTheDate) {
  ASSERT_TRUE(StartVisible()) << last_error();
  std::vector<std::string> lines;
  for (int i = 1; i <= 150; ++i) lines.push_back(Token(i) + " alpha beta");
  ASSERT_TRUE(SetNote(CrLfLines(lines)));
  HWND dlg = OpenPrintDialog();
  ASSERT_TRUE(dlg) << last_error();
  EXPECT_EQ(GetDialogItemText(dlg, kCopies), "1");
  ASSERT_TRUE(ClickDialogButton(dlg, IDOK));
  ASSERT_TRUE(WaitJobs(1));
  ASSERT_TRUE(probe().Sync());
  ASSERT_EQ(Jobs().size(), 1u);
  std::vector<std::string> pages = Pages(Jobs()[0]);
  ASSERT_GE(pages.size(), 3u);
  const std::string today = Today();
  int line = 1;
  for (size_t p = 0; p < pages.size(); ++p) {
    const std::string& page = pages[p];
    EXPECT_TRUE(Has(page, "Page " + std::to_string(p + 1))) << "page " << p + 1 << ":\n" << page;
    EXPECT_TRUE(Has(page, today)) << "page " << p + 1 << " lacks " << today << ":\n" << page;
    // The note's lines follow each other down the page, each whole on its own output line.
    size_t last = 0;
    int onPage = 0;
    for (; line <= 150 && Has(page, Token(line)); ++line, ++onPage) {
      size_t at = page.find(Token(line));
      EXPECT_GT(at, last) << Token(line);
      last = at;
      const std::string l = LineWith(page, Token(line));
      EXPECT_TRUE(Has(l, "alpha") && Has(l, "beta")) << l;
    }
    EXPECT_GT(onPage, 20) << "page " << p + 1 << ":\n" << page;
  }
  EXPECT_EQ(line, 151) << "line " << Token(line) << " is not where it belongs";
  EXPECT_TRUE(MessageBoxesOf(app_.pid()).empty());
}

TEST_F(Print, GreekAndCyrillicReadBackFromThePage) {
  ASSERT_TRUE(StartVisible()) << last_error();
  // "Ελλάδα Привет" and "αβγ где" on two lines.
  const std::string greek = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1";   // Ελλάδα
  const std::string russian = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";
  const std::string second = "\xCE\xB1\xCE\xB2\xCE\xB3 \xD0\xB3\xD0\xB4\xD0\xB5";
  const std::string note = greek + " " + russian + "\r\n" + second;
  const int n = MultiByteToWideChar(CP_UTF8, 0, note.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, note.c_str(), -1, &wide[0], n);
  DWORD_PTR r = 0;
  ASSERT_TRUE(SendMessageTimeoutW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), SMTO_NORMAL, 30000, &r));
  ASSERT_TRUE(probe().Sync());
  HWND dlg = OpenPrintDialog();
  ASSERT_TRUE(dlg) << last_error();
  ASSERT_TRUE(ClickDialogButton(dlg, IDOK));
  ASSERT_TRUE(WaitJobs(1));
  ASSERT_TRUE(probe().Sync());
  std::vector<std::string> pages = Pages(Jobs()[0]);
  ASSERT_EQ(pages.size(), 1u);
  // Ghostscript names the Cyrillic glyphs of Wine's fonts; the Greek ones it reads back without
  // a name (as NULs), so they are checked only to be there and not "?".
  const std::string l = LineWith(pages[0], russian);
  EXPECT_FALSE(l.empty()) << pages[0];
  EXPECT_TRUE(Has(pages[0], "\xD0\xB3\xD0\xB4\xD0\xB5")) << pages[0];
  EXPECT_FALSE(Has(l, "?")) << "no character was lost on the way:\n" << l;
  EXPECT_LT(l.find_first_not_of(' '), l.find(russian)) << "the Greek word is drawn before it:\n" << l;
}

TEST_F(Print, SelectionInTwoCopiesIsTwoJobsThenTheSamePrinterPrintsTheWholeNote) {
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(SetNote("first line\r\nsecond CHOSEN words\r\nthird line"));
  SendMessageA(edit_, EM_SETSEL, 19, 31);   // "CHOSEN words"
  ASSERT_TRUE(probe().Sync());
  HWND dlg = OpenPrintDialog();
  ASSERT_TRUE(dlg) << last_error();
  ASSERT_TRUE(SetDialogItemText(dlg, kCopies, "2"));
  ASSERT_TRUE(ClickDialogButton(dlg, IDOK));
  ASSERT_TRUE(WaitJobs(2)) << Jobs().size();
  ASSERT_TRUE(probe().Sync());
  const std::vector<std::string> jobs = Jobs();
  ASSERT_EQ(jobs.size(), 2u);
  for (const std::string& job : jobs) {
    std::vector<std::string> pages = Pages(job);
    ASSERT_EQ(pages.size(), 1u) << job;
    const std::string l = LineWith(pages[0], "CHOSEN");
    EXPECT_TRUE(Has(l, "words")) << pages[0];
    EXPECT_FALSE(Has(pages[0], "first") || Has(pages[0], "second") || Has(pages[0], "third")) << pages[0];
    EXPECT_TRUE(Has(pages[0], "Page 1")) << pages[0];
    EXPECT_TRUE(Has(pages[0], Today())) << pages[0];
  }
  // The dialog opens again on the printer chosen last, and that printer prints again.
  SendMessageA(edit_, EM_SETSEL, 0, 0);
  dlg = OpenPrintDialog();
  ASSERT_TRUE(dlg) << last_error();
  EXPECT_EQ(GetDialogItemText(dlg, kCopies), "1");
  ASSERT_TRUE(ClickDialogButton(dlg, IDOK));
  ASSERT_TRUE(WaitJobs(3)) << Jobs().size();
  ASSERT_TRUE(probe().Sync());
  ASSERT_EQ(Jobs().size(), 3u);
  std::vector<std::string> pages = Pages(Jobs()[2]);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(Has(pages[0], "first") && Has(pages[0], "third")) << pages[0];
}

TEST_F(Print, ZoomLeavesThePrintedPageAsItWas) {
  ASSERT_TRUE(StartVisible()) << last_error();
  std::vector<std::string> lines;
  for (int i = 1; i <= 70; ++i) lines.push_back(Token(i) + " a line long enough to be wrapped on the page when "
                                                             "its font grows beyond the size the note has");
  ASSERT_TRUE(SetNote(CrLfLines(lines)));
  auto lineHeight = [&] {
    const LRESULT a = SendMessageA(edit_, EM_POSFROMCHAR, 0, 0);
    const LRESULT b = SendMessageA(edit_, EM_POSFROMCHAR, SendMessageA(edit_, EM_LINEINDEX, 1, 0), 0);
    return static_cast<short>(HIWORD(b)) - static_cast<short>(HIWORD(a));
  };
  const int normal = lineHeight();
  auto print = [&](size_t jobs) {
    HWND dlg = OpenPrintDialog(jobs % 2 == 0);
    return dlg && ClickDialogButton(dlg, IDOK) && WaitJobs(jobs) && probe().Sync();
  };
  ASSERT_TRUE(print(1)) << last_error();
  for (int i = 0; i < 10; ++i) ASSERT_TRUE(ChooseMenu({"View", "Zoom", "Zoom In"})) << last_error();
  ASSERT_TRUE(probe().Sync());
  ASSERT_GT(lineHeight(), normal * 3 / 2) << "the note shows at 200%";
  ASSERT_TRUE(print(2)) << last_error();
  ASSERT_TRUE(ChooseMenu({"View", "Zoom", "Restore Default Zoom"})) << last_error();
  ASSERT_TRUE(print(3)) << last_error();
  const std::vector<std::string> jobs = Jobs();
  ASSERT_EQ(jobs.size(), 3u);
  const std::vector<std::string> before = Pages(jobs[0]), zoomed = Pages(jobs[1]), after = Pages(jobs[2]);
  ASSERT_GE(before.size(), 2u);
  EXPECT_EQ(zoomed, before) << "the pages read back differently";
  EXPECT_EQ(after, before);
  // The drawing itself, the job's comments (its date and title) aside. (The first job of a run
  // starts with its one space in the printer's own font, so a later unzoomed job is the match.)
  auto drawing = [&](const std::string& job) {
    std::string ps, out;
    EXPECT_TRUE(ReadFileBytes(ToWindowsPath(jobs_ + "/" + job), &ps));
    for (size_t at = 0; at < ps.size();) {
      size_t end = ps.find('\n', at);
      if (end == std::string::npos) end = ps.size();
      if (ps.compare(at, 2, "%%") != 0) out += ps.substr(at, end - at + 1);
      at = end + 1;
    }
    return out;
  };
  const std::string atZoom = drawing(jobs[1]), unzoomed = drawing(jobs[2]);
  EXPECT_GT(unzoomed.size(), 1000u);
  EXPECT_TRUE(atZoom == unzoomed) << "the PostScript differs (" << atZoom.size() << " and " << unzoomed.size() << " bytes)";
}

TEST_F(Print, CtrlPThenCancelPrintsNothingAndSaysNothing) {
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(SetNote("not to be printed"));
  HWND dlg = OpenPrintDialog(true);
  ASSERT_TRUE(dlg) << last_error();
  ASSERT_TRUE(ClickDialogButton(dlg, IDCANCEL));
  ASSERT_TRUE(probe().Sync());
  EXPECT_TRUE(MessageBoxesOf(app_.pid()).empty());
  EXPECT_TRUE(Jobs().empty());
  EXPECT_EQ(NoteText(), "not to be printed");
}

// Installs the session's printer again when a scenario took it away, however that scenario ends.
class PrinterBack {
 public:
  ~PrinterBack() {
    const std::string helper = GetEnv("PAGEWICK_PRINTER_HELPER"), command = GetEnv("PAGEWICK_PRINTER_PORT");
    Process p;
    if (p.Start(helper, "\"Pagewick Test PS\" \"" + command + "\"")) p.WaitExit(60000);
  }
};

TEST_F(Print, WithNoPrinterOnlyTheDialogSpeaks) {
  // Take the session's printer away (the only one there is).
  PrinterBack back;
  HANDLE printer = nullptr;
  char name[] = "Pagewick Test PS";
  ASSERT_TRUE(OpenPrinterA(name, &printer, nullptr));
  ASSERT_TRUE(DeletePrinter(printer));
  ClosePrinter(printer);
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(SetNote("nowhere to go"));
  ASSERT_TRUE(ChooseMenu({"File", "Print..."})) << last_error();
  // The system's own word that there is no printer; once it is closed, nothing else comes.
  std::vector<MessageBoxInfo> boxes;
  ASSERT_TRUE(WaitFor([&] { return !(boxes = MessageBoxesOf(app_.pid())).empty(); }));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].title, "Pagewick");
  std::string said = boxes[0].text;
  for (char& c : said) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  EXPECT_TRUE(Has(said, "printer")) << boxes[0].title << ": " << boxes[0].text;
  ASSERT_TRUE(ClickDialogButton(boxes[0].hwnd, IDOK));
  ASSERT_TRUE(probe().Sync());
  EXPECT_TRUE(MessageBoxesOf(app_.pid()).empty());
  WindowQuery q;
  q.pid = app_.pid();
  q.class_name = "#32770";
  q.visibility = Visibility::Visible;
  EXPECT_EQ(FindTopWindow(q), nullptr);
  EXPECT_TRUE(Jobs().empty());
  EXPECT_EQ(NoteText(), "nowhere to go");
}

TEST_F(Print, APrinterGoneBeforeThePrintIsNamedWithTheReason) {
  PrinterBack back;
  ASSERT_TRUE(StartVisible()) << last_error();
  ASSERT_TRUE(SetNote("refused"));
  HWND dlg = OpenPrintDialog();
  ASSERT_TRUE(dlg) << last_error();
  // The printer goes away while the dialog still shows it.
  HANDLE printer = nullptr;
  char name[] = "Pagewick Test PS";
  ASSERT_TRUE(OpenPrinterA(name, &printer, nullptr));
  ASSERT_TRUE(DeletePrinter(printer));
  ClosePrinter(printer);
  PostMessageA(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
  MessageBoxInfo m = WaitMessageBox(app_.pid(), "Pagewick", "could not be printed");
  ASSERT_TRUE(m.hwnd) << "no message from Pagewick";
  EXPECT_TRUE(Has(m.text, "Pagewick Test PS")) << m.text;
  EXPECT_TRUE(Has(m.text, "The printer could not be opened")) << m.text;
  ASSERT_TRUE(ClickDialogButton(m.hwnd, IDOK));
  ASSERT_TRUE(probe().Sync());
  EXPECT_TRUE(MessageBoxesOf(app_.pid()).empty());
  EXPECT_TRUE(Jobs().empty());
  EXPECT_EQ(NoteText(), "refused");
}

}  // namespace
}  // namespace e2e
