// Printing: the page layout of CWordWrap on a recording printer, and File, Print... around it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frmPagewick.h"
#include "editor/printing/CWordWrap.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_printer.h"
#include "fakes/main_window_fixture.h"

namespace pw {
namespace {

using Draw = fake::Printer::Draw;

// The body drawings of a job: everything but the header, date and page number.
std::vector<Draw> Body(const fake::Printer& p, int job, const std::string& date) {
    std::vector<Draw> out;
    for (const auto& d : p.Of(job))
        if (d.text != date && d.text.rfind("Page ", 0) != 0) out.push_back(d);
    return out;
}

class WordWrapTest : public ::testing::Test {
protected:
    fake::Printing printing;
    fake::Ui ui;
    CWordWrap wrap{printing, ui};
    fake::Printer& p = printing.printer;
    // Prints with an empty header, as the menu command does.
    std::vector<Draw> Print(const std::string& text) {
        wrap.SetHeaderText("");
        EXPECT_TRUE(wrap.PrintText(text));
        return Body(p, static_cast<int>(p.jobs.size()), printing.date);
    }
};

TEST_F(WordWrapTest, StartsWithItsDefaults) {
    EXPECT_EQ(wrap.HeaderText(), "CWordWrap Class");
    EXPECT_EQ(wrap.MarginLeft(), 720);
    EXPECT_EQ(wrap.MarginTop(), 1440);
    EXPECT_EQ(wrap.MarginRight(), 720);
    EXPECT_EQ(wrap.MarginBottom(), 1440);
}

TEST_F(WordWrapTest, EmptyTextIsOnePageWithOnlyTheDateAndPageOne) {
    EXPECT_TRUE(Print("").empty());
    ASSERT_EQ(p.jobs.size(), 1u);
    EXPECT_EQ(p.jobs[0].pages, 1);
    EXPECT_TRUE(p.jobs[0].ended);
    ASSERT_EQ(p.draws.size(), 2u);
    // Both halfway down the bottom margin; the page number ends at the right margin.
    EXPECT_EQ(p.draws[0].text, "09/12/2026");
    EXPECT_EQ(p.draws[0].x, 720);
    EXPECT_EQ(p.draws[0].y, 16000 - 720);
    EXPECT_EQ(p.draws[1].text, "Page 1");
    EXPECT_EQ(p.draws[1].x + 600, 12000 - 720);
    EXPECT_EQ(p.draws[1].y, 16000 - 720);
    // The hourglass was up while the job ran and is gone now.
    EXPECT_EQ(ui.busyCount, 1);
    EXPECT_FALSE(ui.busy);
}

TEST_F(WordWrapTest, HeaderIsCentredAcrossTheWidthAndInTheTopMargin) {
    wrap.SetHeaderText("Notes");
    ASSERT_TRUE(wrap.PrintText("x"));
    ASSERT_GE(p.draws.size(), 1u);
    EXPECT_EQ(p.draws[0].text, "Notes");
    EXPECT_EQ(p.draws[0].x, (12000 - 500) / 2);
    EXPECT_EQ(p.draws[0].y, (1440 - 240) / 2);
    EXPECT_EQ(p.draws.back().text, "x");
    EXPECT_EQ(p.draws.back().x, 720);
    EXPECT_EQ(p.draws.back().y, 1440);
}

TEST_F(WordWrapTest, LineFeedEndsALineCrLfOnceALoneCrNever) {
    auto lf = Print("a\nb");
    ASSERT_EQ(lf.size(), 2u);
    EXPECT_EQ(lf[1].x, 720);
    EXPECT_EQ(lf[1].y, 1440 + 240);

    auto crlf = Print("a\r\nb");
    ASSERT_EQ(crlf.size(), 2u);
    EXPECT_EQ(crlf[1].y, 1440 + 240);

    auto cr = Print("a\rb");
    ASSERT_EQ(cr.size(), 2u);
    EXPECT_EQ(cr[1].x, 820);   // "ab" on one line
    EXPECT_EQ(cr[1].y, 1440);
    EXPECT_EQ(p.jobs.size(), 3u);
}

TEST_F(WordWrapTest, AWordThatFitsExactlyStaysAndSpacesRunPastTheMargin) {
    wrap.SetMarginRight(12000 - (720 + 10500));     // room for exactly 105 characters
    auto d = Print(std::string(105, 'w') + "   b   c\n d");
    ASSERT_EQ(d.size(), 11u);
    EXPECT_EQ(d[0].y, 1440);                          // the 105 characters fill the line
    for (int i = 1; i <= 3; ++i) {                    // its spaces stay on it, past the margin
        EXPECT_EQ(d[i].text, " ");
        EXPECT_EQ(d[i].y, 1440);
        EXPECT_EQ(d[i].x, 720 + 10500 + 100 * (i - 1));
    }
    EXPECT_EQ(d[4].text, "b");                        // the next word wraps to the left margin
    EXPECT_EQ(d[4].x, 720);
    EXPECT_EQ(d[4].y, 1680);
    EXPECT_EQ(d[8].text, "c");
    EXPECT_EQ(d[9].text, " ");                        // indentation after a line feed survives
    EXPECT_EQ(d[9].x, 720);
    EXPECT_EQ(d[9].y, 1920);
    EXPECT_EQ(d[10].x, 820);
}

TEST_F(WordWrapTest, TabsGoToTheNextStopTenZeroWidthsApartFrom720) {
    auto one = Print("\tx");
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].x, 720 + 1000);
    auto two = Print("\t\tx");
    ASSERT_EQ(two.size(), 1u);
    EXPECT_EQ(two[0].x, 720 + 2000);
    // From inside a stop's span, and right on a stop: always the next one beyond.
    auto mid = Print("abc\tx");
    EXPECT_EQ(mid.back().x, 1720);
    auto on = Print(std::string(10, 'a') + "\tx");
    EXPECT_EQ(on.back().x, 2720);
    // The origin stays at 720 with another left margin; left of it the remainder keeps n's
    // sign: at x = 0, n = -7 and the stop is 10 widths right of 720.
    wrap.SetMarginLeft(0);
    auto left = Print("\tx");
    EXPECT_EQ(left.back().x, 1720);
}

TEST_F(WordWrapTest, ALineWhoseTopIsOnTheBottomLimitStaysAndALineFeedAfterItTurnsThePage) {
    p.lineHeight = 160;                               // 82 lines from 1440 reach 14560 exactly
    std::string text;
    for (int i = 0; i <= 82; ++i) text += "L" + std::to_string(i) + "\n";
    auto d = Print(text);
    ASSERT_EQ(d.size(), 83u);
    EXPECT_EQ(d.back().text, "L82");
    EXPECT_EQ(d.back().y, 16000 - 1440);
    EXPECT_EQ(d.back().page, 1);
    // The last line feed began page 2, which carries only the date and its number.
    EXPECT_EQ(p.jobs[0].pages, 2);
    auto all = p.Of(1);
    EXPECT_EQ(all.back().text, "Page 2");
    EXPECT_EQ(all.back().page, 2);
    EXPECT_EQ(all[all.size() - 2].text, printing.date);
    EXPECT_EQ(all[all.size() - 2].page, 2);
}

TEST_F(WordWrapTest, AWordWiderThanThePageLeavesTheFirstLineEmptyAndRunsPastTheMargin) {
    const std::string wide(200, 'W');
    auto d = Print(wide + " z");
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(d[0].text, wide);
    EXPECT_EQ(d[0].x, 720);
    EXPECT_EQ(d[0].y, 1440 + 240);
    EXPECT_EQ(d[2].text, "z");
    EXPECT_EQ(d[2].y, 1440 + 480);
}

TEST_F(WordWrapTest, PagesTurnWithHeaderAndFooterOnEach) {
    std::string text;
    for (int i = 0; i < 120; ++i) text += "w" + std::to_string(i) + "\r\n";
    wrap.SetHeaderText("H");
    ASSERT_TRUE(wrap.PrintText(text));
    EXPECT_EQ(p.jobs[0].pages, 3);   // 55 lines a page (1440 .. 14400)
    for (int page = 1; page <= 3; ++page) {
        int headers = 0, numbers = 0;
        for (const auto& d : p.draws) {
            if (d.page != page) continue;
            headers += d.text == "H";
            numbers += d.text == "Page " + std::to_string(page);
        }
        EXPECT_EQ(headers, 1) << page;
        EXPECT_EQ(numbers, 1) << page;
    }
    std::vector<Draw> body;
    for (const auto& d : Body(p, 1, printing.date))
        if (d.text != "H") body.push_back(d);
    EXPECT_EQ(body[55].text, "w55");
    EXPECT_EQ(body[55].page, 2);
    EXPECT_EQ(body[55].y, 1440);
}

TEST_F(WordWrapTest, ARefusedPageAbortsTheJobAndPutsThePointerBack) {
    p.UsePrinter({"Office Laser", "", 1});
    p.failAtDraw = 5;
    EXPECT_FALSE(wrap.PrintText("one two three four five six"));
    ASSERT_EQ(p.jobs.size(), 1u);
    EXPECT_TRUE(p.jobs[0].aborted);
    EXPECT_FALSE(p.jobs[0].ended);
    EXPECT_FALSE(p.Failed());
    EXPECT_FALSE(ui.busy);
    EXPECT_EQ(wrap.Failure().printer, "Office Laser");
    EXPECT_EQ(wrap.Failure().reason, "The printer is out of paper.");
}

TEST(CommonDialogPrinter, ACancelKeepsTheLastChoiceAndReachesTheCallerByTheSwitch) {
    fake::Dialogs dialogs;
    CommonDialog cd;
    dialogs.printerAnswers.push_back({true, {"Laser", "dm", 4}});
    EXPECT_EQ(cd.ShowPrinter(dialogs, 0), CommonDialog::Chosen);
    EXPECT_EQ(cd.Copies, 4);
    EXPECT_EQ(cd.Printer.deviceName, "Laser");
    EXPECT_EQ(cd.ShowPrinter(dialogs, 0), CommonDialog::Cancelled);
    cd.CancelError_ = true;
    EXPECT_EQ(cd.ShowPrinter(dialogs, 0), CommonDialog::CancelError);
    EXPECT_EQ(cd.Printer.deviceName, "Laser");
    EXPECT_EQ(cd.Copies, 4);
    ASSERT_EQ(dialogs.printerShown.size(), 3u);
    EXPECT_EQ(dialogs.printerShown[2].deviceName, "Laser");
}

class PrintCommandTest : public fake::MainWindowTest {
protected:
    void SetUp() override {
        f.platform.printing = &printing;
        ASSERT_TRUE(Start());
        f.ui.boxes.clear();
        note().SetText("alpha beta\r\ngamma");
        FontSpec font;
        font.name = "Courier New";
        font.size = 12;
        font.bold = true;
        font.italic = true;
        note().SetFont(font);
    }
    fake::Control& note() { return static_cast<fake::Control&>(main->txtNote()); }
    void Answer(bool chosen, int copies, const std::string& printer = "PS File") {
        f.dialogs.printerAnswers.push_back({chosen, {printer, "dm", copies}});
    }
    std::vector<std::string> Words(int job) {
        std::vector<std::string> out;
        for (const auto& d : Body(printing.printer, job, printing.date))
            if (d.text != " ") out.push_back(d.text);
        return out;
    }
    fake::Printing printing;
};

TEST_F(PrintCommandTest, CancelPrintsNothingAndSaysNothing) {
    main->mnuPrint_Click();
    EXPECT_TRUE(main->parts().editor.CommonDialog_.CancelError_);
    EXPECT_EQ(f.dialogs.printerShown.size(), 1u);
    EXPECT_TRUE(printing.printer.jobs.empty());
    EXPECT_TRUE(f.ui.boxes.empty());
}

TEST_F(PrintCommandTest, ThreeCopiesAreThreeJobsOfTheWholeNoteEachFromPageOne) {
    Answer(true, 3);
    main->mnuPrint_Click();
    ASSERT_EQ(printing.printer.used.size(), 1u);
    EXPECT_EQ(printing.printer.used[0].deviceName, "PS File");
    EXPECT_EQ(main->parts().editor.CommonDialog_.Copies, 3);
    auto& jobs = printing.printer.jobs;
    ASSERT_EQ(jobs.size(), 3u);
    for (int j = 1; j <= 3; ++j) {
        EXPECT_TRUE(jobs[j - 1].ended);
        EXPECT_EQ(jobs[j - 1].printer, "PS File");
        EXPECT_EQ(jobs[j - 1].font, "Courier New");   // face and size, bold and italic left out
        EXPECT_EQ(jobs[j - 1].fontSize, 12);
        EXPECT_EQ(Words(j), (std::vector<std::string>{"alpha", "beta", "gamma"}));
        auto all = printing.printer.Of(j);
        EXPECT_EQ(all[0].text, " ");   // the space that starts each job
        EXPECT_EQ(all[2].text, "Page 1");
    }
    EXPECT_TRUE(f.ui.boxes.empty());
    // The dialog opens on the printer chosen last.
    main->mnuPrint_Click();
    EXPECT_EQ(f.dialogs.printerShown.back().deviceName, "PS File");
}

TEST_F(PrintCommandTest, OnlyTheSelectionIsPrintedWhenThereIsOne) {
    note().SetSelStart(6);
    note().SetSelLength(4);
    Answer(true, 1);
    main->mnuPrint_Click();
    ASSERT_EQ(printing.printer.jobs.size(), 1u);
    EXPECT_EQ(Words(1), (std::vector<std::string>{"beta"}));
}

TEST_F(PrintCommandTest, NoCopiesPrintNothing) {
    Answer(true, 0);
    main->mnuPrint_Click();
    Answer(true, 65536);      // read as a 16-bit number: 0
    main->mnuPrint_Click();
    EXPECT_TRUE(printing.printer.jobs.empty());
}

TEST_F(PrintCommandTest, ARefusedJobIsNamedToTheUserAndStopsTheCopies) {
    printing.printer.failAtDraw = 0;   // the job cannot start
    Answer(true, 2, "Office Laser");
    main->mnuPrint_Click();
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_NE(f.ui.boxes[0].text.find("Office Laser"), std::string::npos);
    EXPECT_NE(f.ui.boxes[0].text.find("out of paper"), std::string::npos);
    EXPECT_EQ(f.ui.boxes[0].style, vbExclamation);
    ASSERT_EQ(printing.printer.jobs.size(), 1u);
    EXPECT_TRUE(printing.printer.jobs[0].aborted);
    EXPECT_FALSE(f.ui.busy);
}

// A printer that prints to a file asks for the file's name as the job starts: cancelling that
// is a cancel, as in the printer dialog. Nothing is said and no further copy is tried.
TEST_F(PrintCommandTest, CancellingAFilePrintersOwnFileNamePromptIsACancel) {
    printing.printer.failAtDraw = 0;
    printing.printer.failIsCancel = true;
    Answer(true, 2, "Print to PDF");
    main->mnuPrint_Click();
    EXPECT_TRUE(f.ui.boxes.empty());
    ASSERT_EQ(printing.printer.jobs.size(), 1u);
    EXPECT_TRUE(printing.printer.jobs[0].aborted);
    EXPECT_TRUE(printing.printer.draws.empty());
    EXPECT_FALSE(f.ui.busy);
}

}  // namespace
}  // namespace pw
