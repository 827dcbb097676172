// Spelling as you type on the main window: the marks under the unknown words on screen, the
// marked word's menu, Ignore All and Add to Dictionary, and the menu entry with its settings
// line.
#include <gtest/gtest.h>

#include "fakes/fake_spelling.h"
#include "fakes/main_window_fixture.h"
#include "options/spelling/SpellCommand.h"
#include "options/spelling/SpellMarks.h"
#include "platform/MenuIds.h"
#include "storage/SettingsFile.h"

namespace pw {
namespace {

const std::string kIni = "C:\\Programs\\Pagewick\\pagewick.ini";
const std::string kDic = "C:\\Programs\\Pagewick\\pagewick.dic";
constexpr int kH = fake::Canvas::kLineHeight, kW = fake::Canvas::kCharWidth;

class SpellMarksTest : public fake::MainWindowTest {
protected:
    void SetUp() override {
        resources.data[kWordListResource] = fake::PackedWordList();
        f.platform.resources = &resources;
    }
    fake::Control& note() { return static_cast<fake::Control&>(main->txtNote()); }
    fake::Form& form() { return static_cast<fake::Form&>(main->form()); }
    SpellMarks& marks() { return main->parts().marks; }
    // The note shown: the box paints, the list comes at the first pause.
    void Show(const std::string& text) {
        note().SetText(text);
        note().PaintOverlay();
        Pause();
    }
    void Type(const std::string& text) {
        note().SetSelText(text);
        main->Changed(WordWrap::kNoteBoxId);
    }
    bool Pause() { return form().FireTimer(SpellMarks::kTimer); }
    std::vector<std::string> Marked() {
        std::vector<std::string> words;
        for (const auto& m : marks().marks()) words.push_back(Utf16ToUtf8(m.word));
        return words;
    }
    // The waves drawn by the last paint, as "x,y,width".
    std::vector<std::string> LastWaves(size_t count) {
        std::vector<std::string> out;
        const auto& w = note().canvas.waves;
        for (size_t i = w.size() - std::min(count, w.size()); i < w.size(); ++i)
            out.push_back(std::to_string(w[i].x) + "," + std::to_string(w[i].y) + "," + std::to_string(w[i].width));
        return out;
    }
    std::vector<std::string> Captions(const fake::Control::Popup& p) {
        std::vector<std::string> out;
        for (const auto& e : p.entries) out.push_back(e.caption + (e.enabled ? "" : "(greyed)"));
        return out;
    }
    bool RightClick(int x, int y) { return marks().ContextMenu(x, y, true); }
    fake::Resources resources;
};

TEST_F(SpellMarksTest, UnknownWordsOnScreenGetAWaveAndKnownWordsAddressesAndNumbersNone) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(form().MenuChecked(mnuSpellAsYouType));
    Show("The quick brwn fox\r\n"
         "see www.exampel.com or mail bob@exampel.org, 3rd mp3 NASA PDFs\r\n"
         "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 jumpd\r\n");   // Cyrillic, then a typo
    EXPECT_EQ(Marked(), (std::vector<std::string>{"brwn", "jumpd"}));
    // Under the word, at the bottom of its line: "brwn" is characters 10-13 of line 0.
    EXPECT_EQ(LastWaves(2), (std::vector<std::string>{"80,15,32", std::to_string(7 * kW) + "," + std::to_string(2 * kH + 15) + ",40"}));
}

TEST_F(SpellMarksTest, OnlyTheLinesOnScreenAreCheckedEachTextOnceAndTheMarksFollowScrolling) {
    ASSERT_TRUE(Start());
    std::string text;
    for (int i = 0; i < 2000; ++i) text += (i % 2 ? "a wrod here\r\n" : "all good here\r\n");
    Show(text);
    // Ten lines shown: their typos marked, two line texts checked, not two thousand lines.
    EXPECT_EQ(Marked().size(), 5u);
    EXPECT_EQ(marks().CheckedLines(), 2u);
    // A caret moved: nothing drawn over the waves. A selection drawn by the box: the waves
    // again where they were.
    const size_t waves = note().canvas.waves.size();
    note().overlay->Drawn(note().canvas);
    EXPECT_EQ(note().canvas.waves.size(), waves);
    note().SetSelStart(20);
    note().SetSelLength(30);
    note().overlay->Drawn(note().canvas);
    EXPECT_EQ(note().canvas.waves.size(), waves + 5);
    // The box scrolled: nothing drawn until it paints, then the marks of the new lines.
    const size_t invalidated = note().invalidated.size();
    note().firstVisibleLine = 1001;
    note().overlay->Drawn(note().canvas);
    EXPECT_EQ(note().canvas.waves.size(), waves + 5);
    note().PaintOverlay();
    ASSERT_EQ(Marked().size(), 5u);
    EXPECT_EQ(marks().marks()[0].at, 501 * 15 + 500 * 13 + 2);   // "wrod" of line 1001
    EXPECT_EQ(marks().marks()[0].area.top, 0);
    EXPECT_EQ(note().invalidated.size(), invalidated) << "waves scrolled away are not painted over";
    EXPECT_EQ(marks().CheckedLines(), 2u);   // the same two texts: nothing checked anew
}

TEST_F(SpellMarksTest, WordsAfterAWrappedLineAndATabStandWhereTheBoxDrawsThem) {
    ASSERT_TRUE(Start());
    note().wrapAt = 48;   // the box's width: 50 characters, its margins aside
    const std::string longLine = std::string(4, ' ') + "a long line of good words that goes on and wraps at last wrod";
    Show("first line wrod\r\n" + longLine + "\r\ntab\there wrod\r\nlast wrod\r\n");
    ASSERT_EQ(Marked(), (std::vector<std::string>{"wrod", "wrod", "wrod", "wrod"}));
    // Each where the box puts its first character: the long line takes rows 1 and 2, the tab
    // moves the word on its row, the line after them is row 4.
    for (const auto& m : marks().marks()) {
        const long r = note().Send(EM_POSFROMCHAR_, static_cast<unsigned long>(m.at), 0);
        EXPECT_EQ(m.area.left, static_cast<short>(r & 0xFFFF)) << m.at;
        EXPECT_EQ(m.area.top, static_cast<short>((r >> 16) & 0xFFFF)) << m.at;
    }
    EXPECT_EQ(marks().marks()[3].area.top, 4 * kH);
    // Plain lines narrower than the box are laid out without asking the box for each word.
    note().sent.clear();
    Show("one wrod\r\ntwo wrod\r\nthree wrod\r\nfour wrod\r\n");
    ASSERT_EQ(Marked().size(), 4u);
    EXPECT_EQ(marks().marks()[2].area.top, 2 * kH);
    EXPECT_EQ(marks().marks()[2].area.left, 6 * kW);
    const auto asked = std::count_if(note().sent.begin(), note().sent.end(),
                                     [](const fake::Control::Sent& m) { return m.msg == EM_POSFROMCHAR_; });
    EXPECT_LE(asked, 2) << "one question for the first line shown, not one a word";
}

TEST_F(SpellMarksTest, TypingWaitsForThePauseAndAFixedWordsWaveIsPaintedAway) {
    ASSERT_TRUE(Start());
    Show("one thre four\r\nfive\r\n");
    ASSERT_EQ(Marked(), (std::vector<std::string>{"thre"}));
    // "thre" becomes "three" by typing: nothing is laid out until typing pauses.
    const size_t painted = note().invalidated.size();
    note().SetSelStart(4);
    note().SetSelLength(4);
    Type("thr");
    note().PaintOverlay();   // a paint while typing: the box paints what it changed
    EXPECT_EQ(note().invalidated.size(), painted);
    EXPECT_TRUE(form().timers.count(SpellMarks::kTimer));
    Pause();
    EXPECT_EQ(Marked(), (std::vector<std::string>{"thr"}));
    Type("ee");
    Pause();
    EXPECT_TRUE(Marked().empty());
    EXPECT_EQ(note().invalidated.back(), (PixelRect{4 * kW, 0, 7 * kW, kH}));
}

TEST_F(SpellMarksTest, RightClickOnAMarkedWordOffersSuggestionsAndTheFirstReplacesItAsOneUndo) {
    ASSERT_TRUE(Start());
    f.clipboard.SetText("x");
    Show("I recieve mail\r\n");
    ASSERT_EQ(Marked(), (std::vector<std::string>{"recieve"}));
    // Not on a marked word: the box's usual menu.
    EXPECT_FALSE(RightClick(5, 5));
    EXPECT_TRUE(note().popups.empty());

    note().choose = "receive";
    EXPECT_TRUE(RightClick(3 * kW, 5));
    ASSERT_EQ(note().popups.size(), 1u);
    const std::vector<std::string> menu = Captions(note().popups[0]);
    ASSERT_GE(menu.size(), 11u);
    EXPECT_LE(menu.size(), 16u);   // five suggestions at most
    EXPECT_EQ(menu[0], "receive");
    const std::vector<std::string> tail(menu.end() - 10, menu.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"Ignore All", "Add to Dictionary", "-", "Undo(greyed)", "Cut(greyed)",
                                              "Copy(greyed)", "Paste", "Delete(greyed)", "-", "Select All"}));
    EXPECT_EQ(note().Text(), "I receive mail\r\n");
    EXPECT_EQ(note().replaceCount, 1);   // one replacement of the selection: one Undo step
    main->Changed(WordWrap::kNoteBoxId);
    Pause();
    EXPECT_TRUE(Marked().empty());
    note().Undo();
    EXPECT_EQ(note().Text(), "I recieve mail\r\n");
}

TEST_F(SpellMarksTest, ShiftF10InAMarkedWordOpensItsMenuUnderIt) {
    ASSERT_TRUE(Start());
    Show("good\r\nand baad\r\n");
    note().SetSelStart(6 + 5);   // in "baad"
    note().choose = "Select All";
    EXPECT_TRUE(marks().ContextMenu(0, 0, false));
    ASSERT_EQ(note().popups.size(), 1u);
    EXPECT_EQ(note().popups[0].x, 4 * kW);
    EXPECT_EQ(note().popups[0].y, 2 * kH);
    EXPECT_EQ(note().SelLength(), static_cast<int>(note().Text().size()));   // Select All ran
    // The caret on a known word: the usual menu.
    note().SetSelStart(1);
    EXPECT_FALSE(marks().ContextMenu(0, 0, false));
}

TEST_F(SpellMarksTest, IgnoreAllAndAddToDictionaryUnmarkEveryCopyAndTheAddedWordIsKept) {
    ASSERT_TRUE(Start());
    Show("zorp and zorp\r\nblarg too\r\n");
    ASSERT_EQ(Marked(), (std::vector<std::string>{"zorp", "zorp", "blarg"}));
    note().choose = "Ignore All";
    ASSERT_TRUE(RightClick(1, 1));
    EXPECT_EQ(Marked(), (std::vector<std::string>{"blarg"}));
    note().choose = "Add to Dictionary";
    ASSERT_TRUE(RightClick(1, kH + 1));
    EXPECT_TRUE(Marked().empty());
    EXPECT_EQ(f.fs.files[kDic], "blarg\r\n");
    EXPECT_EQ(note().Text(), "zorp and zorp\r\nblarg too\r\n");

    // The next run knows the added word, not the ignored one.
    main->Command(mnuExit);
    ASSERT_TRUE(Start());
    Show("zorp blarg\r\n");
    EXPECT_EQ(Marked(), (std::vector<std::string>{"zorp"}));
}

TEST_F(SpellMarksTest, TurnedOffTheMarksGoAndTheSettingSurvivesARestartAndWordWrap) {
    ASSERT_TRUE(Start());
    Show("a wrod\r\n");
    ASSERT_EQ(Marked().size(), 1u);
    main->Command(mnuSpellAsYouType);
    EXPECT_FALSE(form().MenuChecked(mnuSpellAsYouType));
    EXPECT_TRUE(Marked().empty());
    EXPECT_EQ(note().invalidated.back(), note().client);
    EXPECT_EQ(note().overlay, nullptr);
    main->Command(mnuExit);
    const std::string ini = f.fs.files[kIni];
    EXPECT_NE(ini.find("\r\n0\r\n-1\r\n0\r\n"), std::string::npos) << ini;   // lines 23-25

    ASSERT_TRUE(Start());
    EXPECT_FALSE(form().MenuChecked(mnuSpellAsYouType));
    EXPECT_EQ(note().overlay, nullptr);
    // On again, and word wrap's new box carries the marks.
    main->Command(mnuSpellAsYouType);
    main->Command(mnuViewWordWrap);
    EXPECT_EQ(note().overlay, &marks());
    Show("a wrod\r\n");
    EXPECT_EQ(Marked().size(), 1u);

    // A file of 1.4.0 (22 lines) or one with the View lines only: on.
    main->Command(mnuSpellAsYouType);
    main->Command(mnuExit);
    std::string older = f.fs.files[kIni];
    older.resize(older.rfind("0\r\n"));
    f.fs.files[kIni] = older;
    ASSERT_TRUE(Start());
    EXPECT_TRUE(form().MenuChecked(mnuSpellAsYouType));
}

}  // namespace
}  // namespace pw
