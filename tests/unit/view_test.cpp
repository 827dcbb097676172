// The View menu: zoom, the status bar and word wrap, with the settings lines they keep.
#include <gtest/gtest.h>

#include "editor/view/StatusBar.h"
#include "fakes/main_window_fixture.h"
#include "storage/NoteFile.h"
#include "storage/NoteLimits.h"
#include "storage/SettingsFile.h"

namespace pw {
namespace {

const std::string kIni = "C:\\Programs\\Pagewick\\pagewick.ini";

class ViewTest : public fake::MainWindowTest {
protected:
    void SetUp() override { ASSERT_TRUE(Start()); }
    fake::Control& note() { return static_cast<fake::Control&>(main->txtNote()); }
    fake::Form& form() { return static_cast<fake::Form&>(main->form()); }
    fake::Control* bar() { return form().Ctl(StatusBar::kBarId); }
    std::string Panel(int i) {
        return bar() && i < static_cast<int>(bar()->panels.size()) ? bar()->panels[static_cast<size_t>(i)] : "<none>";
    }
    bool Wheel(int keys, int delta) {
        long result = 0;
        const unsigned long wParam = static_cast<unsigned long>(keys) | (static_cast<unsigned long>(delta & 0xFFFF) << 16);
        return main->Message(0x020A, wParam, 0, result);
    }
    std::string Lines(int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += "line " + std::to_string(i) + "\r\n";
        return s;
    }
    std::vector<std::string> IniLines() {
        std::vector<std::string> lines;
        const std::string& t = f.fs.files[kIni];
        for (size_t at = 0, end; (end = t.find("\r\n", at)) != std::string::npos; at = end + 2)
            lines.push_back(t.substr(at, end - at));
        return lines;
    }
};

TEST_F(ViewTest, ZoomStepsByTenPercentFromTenToFiveHundredOnTheScreenOnly) {
    const FontSpec font = note().font;
    main->Command(mnuViewZoomIn);
    EXPECT_EQ(note().fontScale, 110);
    EXPECT_EQ(note().Font(), font) << "the note's font itself stays";
    for (int i = 0; i < 60; ++i) main->Command(mnuViewZoomIn);
    EXPECT_EQ(note().fontScale, 500);
    for (int i = 0; i < 60; ++i) main->Command(mnuViewZoomOut);
    EXPECT_EQ(note().fontScale, 10);
    main->Command(mnuViewZoomIn);
    main->Command(mnuSavePrefs);
    EXPECT_EQ(IniLines().at(7), "9.75") << "the settings get the font, not its size on screen";
    EXPECT_EQ(IniLines().size(), 25u) << "and no zoom";
    main->Command(mnuViewZoomRestore);
    EXPECT_EQ(note().fontScale, 100);
    EXPECT_EQ(main->parts().zoom.level(), 100);
}

TEST_F(ViewTest, ZoomKeepsTheLineAtTheTopWhereverTheNewSizeWrapsIt) {
    note().SetText(Lines(100));
    note().firstVisibleLine = 40;
    const long top = note().LineIndex(40);
    main->Command(mnuViewZoomIn);   // the box lays its lines out anew from the top
    EXPECT_EQ(note().firstVisibleLine, 40);
    // At the next size each line takes two lines of the box.
    note().wrapOnScale = 4;
    main->Command(mnuViewZoomIn);
    EXPECT_LE(note().LineIndex(note().firstVisibleLine), top);
    EXPECT_GT(note().LineIndex(note().firstVisibleLine + 1), top);
    EXPECT_GT(note().firstVisibleLine, 40);
}

TEST_F(ViewTest, CtrlAndTheWheelZoomANotchAStepAndAPlainWheelIsLeftToTheBox) {
    EXPECT_TRUE(Wheel(0x0008, 120));
    EXPECT_EQ(note().fontScale, 110);
    EXPECT_TRUE(Wheel(0x0008, 60));
    EXPECT_EQ(note().fontScale, 110) << "half a notch";
    EXPECT_TRUE(Wheel(0x0008, 60));
    EXPECT_EQ(note().fontScale, 120);
    EXPECT_TRUE(Wheel(0x0008, -360));
    EXPECT_EQ(note().fontScale, 90);
    EXPECT_FALSE(Wheel(0, 120)) << "without Ctrl the box scrolls";
    EXPECT_EQ(note().fontScale, 90);
}

TEST_F(ViewTest, StatusBarShowsTheCaretTheZoomAndTheEncodingAndTakesItsRoomFromTheNote) {
    EXPECT_EQ(bar(), nullptr) << "no bar until it is asked for";
    EXPECT_FALSE(form().MenuChecked(mnuViewStatusBar));
    note().SetText("ab\r\nc\xC3\xA9" "d");
    note().SetSelStart(0);
    main->Command(mnuViewStatusBar);
    ASSERT_NE(bar(), nullptr);
    EXPECT_TRUE(bar()->visible);
    EXPECT_TRUE(form().MenuChecked(mnuViewStatusBar));
    EXPECT_EQ(bar()->panels, (std::vector<std::string>{"", "Ln 1, Col 1", "100%", "ANSI"}));
    const float width = form().ScaleWidth(), height = form().ScaleHeight();
    EXPECT_EQ(note().height, height - fake::Control::kStatusBarHeight);
    EXPECT_EQ(note().width, width);
    EXPECT_EQ(bar()->top, height - fake::Control::kStatusBarHeight);
    ASSERT_EQ(bar()->panelEdges.size(), 3u);
    EXPECT_EQ(bar()->panelEdges.back(), width - 1800) << "the encoding's panel at the right end";

    note().SetSelStart(7);   // after the accented letter
    main->SelChange(WordWrap::kNoteBoxId);
    EXPECT_EQ(Panel(StatusBar::pnlCaret), "Ln 2, Col 3");
    const int sent = bar()->panelTextsSent;
    main->SelChange(WordWrap::kNoteBoxId);
    EXPECT_EQ(bar()->panelTextsSent, sent) << "an unchanged panel is not sent again";
    main->Command(mnuViewZoomIn);
    EXPECT_EQ(Panel(StatusBar::pnlZoom), "110%");

    // The window grows: the bar and the box follow.
    form().Move(0, 0, 9000, 8000);
    EXPECT_EQ(note().height, form().ScaleHeight() - fake::Control::kStatusBarHeight);
    EXPECT_EQ(bar()->panelEdges.back(), form().ScaleWidth() - 1800);

    main->Command(mnuViewStatusBar);
    EXPECT_FALSE(bar()->visible);
    EXPECT_FALSE(form().MenuChecked(mnuViewStatusBar));
    EXPECT_EQ(note().height, form().ScaleHeight());
}

TEST_F(ViewTest, EncodingFollowsTheTextOnceTypingRestsAndNeverLeavesUnicodeOnceSaved) {
    main->Command(mnuViewStatusBar);
    note().text = "\xD0\x96";   // Cyrillic: not in the ANSI code page
    main->Changed(WordWrap::kNoteBoxId);
    EXPECT_EQ(Panel(StatusBar::pnlEncoding), "ANSI") << "not while typing goes on";
    ASSERT_TRUE(form().FireTimer(StatusBar::kEncodingTimer));
    EXPECT_EQ(Panel(StatusBar::pnlEncoding), "UTF-8 with BOM");
    EXPECT_FALSE(form().timers.count(StatusBar::kEncodingTimer));
    main->Command(mnuSavePrefs);   // written as UTF-8: it stays UTF-8
    note().text = "plain";
    main->Changed(WordWrap::kNoteBoxId);
    ASSERT_TRUE(form().FireTimer(StatusBar::kEncodingTimer));
    EXPECT_EQ(Panel(StatusBar::pnlEncoding), "UTF-8 with BOM");

    main->Command(mnuViewStatusBar);
    main->Changed(WordWrap::kNoteBoxId);
    EXPECT_FALSE(form().timers.count(StatusBar::kEncodingTimer)) << "no work for a hidden bar";
}

TEST_F(ViewTest, AUtf16NoteIsNamedAsItWillBeWrittenBack) {
    f.fs.files[NotePath(f.app.path)] = std::string("\xFF\xFE" "a\0b\0", 6);
    f.fs.files[kIni] = FormatSettings([] { Settings s; s.width = 9000; s.height = 7000; s.statusBar = true; return s; }(), ".");
    main.reset();
    ASSERT_TRUE(Start());
    EXPECT_EQ(Panel(StatusBar::pnlEncoding), "UTF-16 LE");
    EXPECT_EQ(Panel(StatusBar::pnlCaret), "Ln 1, Col 3") << "the caret at the end of the note";
}

TEST_F(ViewTest, WordWrapOffMakesANewBoxThatRunsLinesOnAndCarriesEverythingOver) {
    EXPECT_TRUE(form().MenuChecked(mnuViewWordWrap)) << "on, as always";
    EXPECT_FALSE(note().def.style & csHScroll);
    note().SetText(Lines(30));
    note().SetSelStart(14);
    note().SetSelLength(3);
    note().SetFont({"Courier New", 12, true, false});
    main->Command(mnuViewZoomIn);
    note().modified = true;
    note().firstVisibleLine = 5;
    note().focused = true;
    main->Command(mnuEditFind);   // Find searches this box
    fake::Control* old = &note();

    main->Command(mnuViewWordWrap);
    ASSERT_NE(&note(), old);
    EXPECT_EQ(form().removedControls, 1);
    EXPECT_EQ(form().Ctl(WordWrap::kNoteBoxId), &note());
    EXPECT_TRUE(note().def.style & csHScroll);
    EXPECT_TRUE(note().def.style & csUnicode);
    EXPECT_FALSE(form().MenuChecked(mnuViewWordWrap));
    EXPECT_EQ(note().text, Lines(30));
    EXPECT_EQ(note().SelStart(), 14);
    EXPECT_EQ(note().SelLength(), 3);
    EXPECT_EQ(note().Font(), (FontSpec{"Courier New", 12, true, false}));
    EXPECT_EQ(note().fontScale, 110);
    EXPECT_EQ(note().limit, static_cast<long>(kMaxNoteBytes)) << "the note's limit";
    EXPECT_TRUE(note().modified);
    EXPECT_EQ(note().firstVisibleLine, 5);
    EXPECT_TRUE(note().focused);
    EXPECT_EQ(note().width, form().ScaleWidth());
    EXPECT_EQ(note().height, form().ScaleHeight());

    // The window's events reach the new box's features.
    form().timers.clear();
    main->Changed(WordWrap::kNoteBoxId);
    EXPECT_TRUE(form().timers.count(NoteSafety::kRecoveryTimer));
    main->parts().editor.FindReplace_.FindDown("line 2", false, false);
    EXPECT_EQ(note().SelStart(), 16) << "Find searches the new box";

    main->Command(mnuViewWordWrap);
    EXPECT_FALSE(note().def.style & csHScroll);
    EXPECT_TRUE(form().MenuChecked(mnuViewWordWrap));
    EXPECT_EQ(form().removedControls, 2);
}

TEST_F(ViewTest, StatusBarAndWordWrapAreLines23And24EachReadOnItsOwn) {
    main->Command(mnuViewStatusBar);
    main->Command(mnuViewWordWrap);
    main->Command(mnuSavePrefs);
    std::vector<std::string> lines = IniLines();
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines[22], "-1");
    EXPECT_EQ(lines[23], "0");
    main.reset();
    ASSERT_TRUE(Start());
    ASSERT_NE(bar(), nullptr);
    EXPECT_TRUE(bar()->visible);
    EXPECT_TRUE(note().def.style & csHScroll);
    EXPECT_TRUE(form().MenuChecked(mnuViewStatusBar));
    EXPECT_FALSE(form().MenuChecked(mnuViewWordWrap));

    struct Case { std::vector<std::string> change; bool statusBar, wordWrap; };
    const Case cases[] = {
        {{}, true, false},
        {{"23:maybe"}, false, false},
        {{"24:"}, true, true},
        {{"8:twelve"}, true, false},         // an earlier line that stops the reading
        {{"drop:23"}, false, true},          // the 22 lines of before
        {{"23:True", "24:False"}, true, false},
    };
    for (const Case& c : cases) {
        std::vector<std::string> edited = lines;
        for (const std::string& ch : c.change) {
            const size_t colon = ch.find(':');
            if (ch.compare(0, colon, "drop") == 0) edited.resize(static_cast<size_t>(std::stoi(ch.substr(colon + 1))) - 1);
            else edited[static_cast<size_t>(std::stoi(ch.substr(0, colon))) - 1] = ch.substr(colon + 1);
        }
        std::string text;
        for (const std::string& l : edited) text += l + "\r\n";
        f.fs.files[kIni] = text;
        main.reset();
        ASSERT_TRUE(Start());
        const std::string what = c.change.empty() ? "as written" : c.change[0];
        EXPECT_EQ(bar() && bar()->visible, c.statusBar) << what;
        EXPECT_EQ(!(note().def.style & csHScroll), c.wordWrap) << what;
        EXPECT_EQ(form().MenuChecked(mnuViewWordWrap), c.wordWrap) << what;
    }
}

}  // namespace
}  // namespace pw
