// New, Open... and Save As...: the save prompt, the shared dialog settings and the line rules.
#include <gtest/gtest.h>

#include "app/frmPagewick.h"
#include "editor/FileCommands.h"
#include "fakes/fake_platform.h"
#include "fakes/main_window_fixture.h"

namespace pw {
namespace {

TEST(FileLines, CrLfAndLoneCrEndLinesLoneLfStaysLastBreakDropped) {
    EXPECT_EQ(TextFromFile("a\r\nb\r\n"), "a\r\nb");
    EXPECT_EQ(TextFromFile("a\nb"), "a\nb");
    EXPECT_EQ(TextFromFile("a\r\n\r\n"), "a\r\n");
    EXPECT_EQ(TextFromFile("a\rb\r"), "a\r\nb");
    EXPECT_EQ(TextFromFile("a\r\rb"), "a\r\n\r\nb");
    EXPECT_EQ(TextFromFile("\r\n"), "");
    EXPECT_EQ(TextFromFile("\n"), "\n");
    EXPECT_EQ(TextFromFile("no break"), "no break");
    EXPECT_EQ(TextFromFile("a\n\r\n"), "a\n");
}

TEST(FileLines, SavedTextComesBackExceptALoneCr) {
    for (const std::string t : {"", "x", "a\r\nb", "ends\r\n", "\r\n\r\n", "lf\ninside\n"})
        EXPECT_EQ(TextFromFile(FileFromText(t)), t);
    EXPECT_EQ(TextFromFile(FileFromText("a\rb")), "a\r\nb");
}

const char* const kTxt = "Text (*.txt)|*.txt";
const char* const kTxtAll = "Text (*.txt)|*.txt|All Files (*.*)|*.*";

class FileCommandsTest : public fake::MainWindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(Start());
        f.ui.boxes.clear();
        f.fs.writes.clear();
    }
    fake::Control& note() { return static_cast<fake::Control&>(main->txtNote()); }
    void Answer(int a) { f.ui.answers.push_back(a); }
    void Save(const std::string& name) { f.dialogs.saveAnswers.push_back({true, name}); }
    void OpenFile(const std::string& name) { f.dialogs.openAnswers.push_back({true, name}); }
    const fake::Ui::Box& Prompt() { return f.ui.boxes.at(0); }
};

TEST_F(FileCommandsTest, NewOnAnEmptyNoteAsksNothing) {
    note().SetText("");
    main->Command(mnuNew);
    EXPECT_TRUE(f.ui.boxes.empty());
    EXPECT_EQ(note().text, "");
}

TEST_F(FileCommandsTest, NewYesSavesTextAndCrLfAndKeepsTheNote) {
    note().SetText("keep me");
    Answer(vbYes);
    Save("C:\\out.txt");
    main->Command(mnuNew);
    EXPECT_EQ(Prompt().text, "Save current text to file?");
    EXPECT_EQ(Prompt().title, "Save Text?");
    EXPECT_EQ(Prompt().style, 35);
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_TRUE(f.dialogs.shown[0].save);
    EXPECT_EQ(f.dialogs.shown[0].filter, kTxt);
    EXPECT_EQ(f.fs.files["C:\\out.txt"], "keep me\r\n");
    EXPECT_EQ(note().text, "keep me");
}

TEST_F(FileCommandsTest, NewNoEmptiesWithoutSavingAndCancelChangesNothing) {
    note().SetText("text");
    Answer(vbCancel);
    main->Command(mnuNew);
    EXPECT_EQ(note().text, "text");
    EXPECT_TRUE(f.dialogs.shown.empty());
    Answer(vbNo);
    main->Command(mnuNew);
    EXPECT_EQ(note().text, "");
    EXPECT_TRUE(f.fs.writes.empty());
}

TEST_F(FileCommandsTest, CancelledSaveInThePromptWritesNothingAndStops) {
    for (bool cancelError : {false, true}) {
        main->parts().editor.CommonDialog_.CancelError_ = cancelError;
        note().SetText("text");
        Answer(vbYes);
        f.dialogs.saveAnswers.push_back({false, ""});
        main->Command(mnuOpen);
        EXPECT_TRUE(f.fs.writes.empty());
        EXPECT_EQ(f.dialogs.shown.size(), 1u) << "no open dialog after the cancelled save";
        EXPECT_EQ(note().text, "text");
        EXPECT_EQ(main->parts().editor.CommonDialog_.CancelError_, cancelError) << "the prompt leaves the switch alone";
        f.dialogs.shown.clear();
    }
}

TEST_F(FileCommandsTest, UnwritableFileIsNamedWithTheReasonAndStopsOpen) {
    note().SetText("text");
    f.fs.unwritable.insert("C:\\ro.txt");
    Answer(vbYes);
    Save("C:\\ro.txt");
    main->Command(mnuOpen);
    ASSERT_EQ(f.ui.boxes.size(), 2u);
    EXPECT_NE(f.ui.boxes[1].text.find("C:\\ro.txt"), std::string::npos);
    EXPECT_NE(f.ui.boxes[1].text.find("Access is denied."), std::string::npos);
    EXPECT_EQ(f.dialogs.shown.size(), 1u);

    f.ui.boxes.clear();
    Save("C:\\ro.txt");
    main->Command(mnuSaveAs);
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_NE(f.ui.boxes[0].text.find("Access is denied."), std::string::npos);
}

TEST_F(FileCommandsTest, OpenCancelAtThePromptShowsNoDialog) {
    note().SetText("text");
    Answer(vbCancel);
    main->Command(mnuOpen);
    EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST_F(FileCommandsTest, OpenNoReadsTheFileOnceWithItsLineRules) {
    note().SetText("old");
    f.fs.files["C:\\in.txt"] = "a\r\nb\rc\nd\r\n";
    Answer(vbNo);
    OpenFile("C:\\in.txt");
    const int setTexts = note().setTextCount;
    main->Command(mnuOpen);
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_FALSE(f.dialogs.shown[0].save);
    EXPECT_EQ(f.dialogs.shown[0].filter, kTxt);
    EXPECT_TRUE(main->parts().editor.CommonDialog_.CancelError_);
    EXPECT_EQ(note().text, "a\r\nb\r\nc\nd");
    EXPECT_EQ(note().setTextCount - setTexts, 1) << "the text is put in once";
    EXPECT_FALSE(f.ui.busy);
    EXPECT_GE(f.ui.busyCount, 1);
    EXPECT_EQ(f.ui.boxes.size(), 1u) << "only the prompt";
}

TEST_F(FileCommandsTest, OpenOfNothingEmptyOrCancelledLeavesTheNote) {
    note().SetText("");
    main->Command(mnuOpen);   // the dialog is cancelled
    EXPECT_TRUE(f.ui.boxes.empty()) << "empty note: no prompt; a cancel is quiet";
    f.fs.files["C:\\zero.txt"] = "";
    note().SetText("note");
    Answer(vbNo);
    OpenFile("C:\\zero.txt");
    main->Command(mnuOpen);
    EXPECT_EQ(note().text, "note");
    f.fs.files["C:\\blank.txt"] = "\r\n";
    Answer(vbNo);
    OpenFile("C:\\blank.txt");
    main->Command(mnuOpen);
    EXPECT_EQ(note().text, "") << "one empty line gives an empty note";
}

TEST_F(FileCommandsTest, BinaryFileShowsNulsAsSpacesAndHugeOrUnreadableFilesAreRefusedWithAMessage) {
    note().SetText("");
    f.fs.files["C:\\bin.dat"] = std::string("A\0B\0\0C", 6);
    OpenFile("C:\\bin.dat");
    main->Command(mnuOpen);
    EXPECT_EQ(note().text, "A B  C");

    note().SetText("");
    f.fs.files["C:\\huge.txt"] = std::string(static_cast<size_t>(kMaxOpenBytes) + 1, 'x');
    OpenFile("C:\\huge.txt");
    main->Command(mnuOpen);
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_NE(f.ui.boxes[0].text.find("C:\\huge.txt"), std::string::npos);
    EXPECT_NE(f.ui.boxes[0].text.find("more than the 10 MB"), std::string::npos) << f.ui.boxes[0].text;
    EXPECT_EQ(note().text, "");
    f.fs.files.erase("C:\\huge.txt");

    f.ui.boxes.clear();
    f.fs.files["C:\\locked.txt"] = "x";
    f.fs.unreadable.insert("C:\\locked.txt");
    OpenFile("C:\\locked.txt");
    main->Command(mnuOpen);
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_NE(f.ui.boxes[0].text.find("C:\\locked.txt"), std::string::npos);
    EXPECT_FALSE(f.ui.busy);
}

TEST_F(FileCommandsTest, SaveAsWritesUnderTheTypedNameWithTheSwitchOffAndChangesNothingElse) {
    main->parts().editor.CommonDialog_.CancelError_ = true;
    note().SetText("body");
    note().SetSelStart(2);
    Save("C:\\notes\\plain");
    main->Command(mnuSaveAs);
    EXPECT_FALSE(main->parts().editor.CommonDialog_.CancelError_);
    EXPECT_EQ(f.dialogs.shown.at(0).filter, kTxtAll);
    EXPECT_EQ(f.fs.writes, std::vector<std::string>{"C:\\notes\\plain"});
    EXPECT_EQ(f.fs.files["C:\\notes\\plain"], "body\r\n");
    EXPECT_EQ(note().text, "body");
    EXPECT_EQ(note().SelStart(), 2);
    EXPECT_EQ(main->form().Caption(), "Pagewick");

    main->Command(mnuSaveAs);   // cancelled
    EXPECT_EQ(f.fs.writes.size(), 1u);
    EXPECT_TRUE(f.ui.boxes.empty());
}

// A disk that fills up while the chosen file is written leaves that file as it was, whether
// Save As... or the save prompt of New writes it; the user is told.
TEST_F(FileCommandsTest, AFullDiskLeavesTheChosenFileAsItWas) {
    const std::string path = "C:\\notes\\report.txt";
    f.fs.files[path] = "the report, whole\r\n";
    f.fs.full.insert(path);
    note().SetText("a new text that does not fit on the disk");
    Save(path);
    main->Command(mnuSaveAs);
    Answer(vbYes);
    Save(path);
    main->Command(mnuNew);
    EXPECT_EQ(f.fs.files[path], "the report, whole\r\n");
    EXPECT_EQ(note().text, "a new text that does not fit on the disk");
    ASSERT_EQ(f.ui.boxes.size(), 3u);   // Save As..., the prompt, its save
    EXPECT_EQ(f.ui.boxes[0].text, "The file " + path + " could not be saved:\r\n" + fake::FileSystem::kDiskFull);
    EXPECT_EQ(f.ui.boxes[2].text, f.ui.boxes[0].text);
}

TEST_F(FileCommandsTest, EveryFileDialogOpensWithTheNameChosenLast) {
    note().SetText("t");
    Save("C:\\a.txt");
    main->Command(mnuSaveAs);
    f.fs.files["C:\\a.txt"] = "t\r\n";
    Answer(vbNo);
    OpenFile("C:\\b.txt");
    f.fs.files["C:\\b.txt"] = "b";
    main->Command(mnuOpen);
    Save("C:\\c.txt");
    main->Command(mnuSaveAs);
    ASSERT_EQ(f.dialogs.shown.size(), 3u);
    EXPECT_EQ(f.dialogs.shown[1].initialName, "C:\\a.txt");
    EXPECT_EQ(f.dialogs.shown[2].initialName, "C:\\b.txt");
}

TEST_F(FileCommandsTest, SaveAsThenOpenGivesBackTheSameText) {
    const std::string text = "line 1\r\n\r\nlf\ninside\r\n";
    note().SetText(text);
    Save("C:\\round.txt");
    main->Command(mnuSaveAs);
    Answer(vbNo);
    OpenFile("C:\\round.txt");
    main->Command(mnuOpen);
    EXPECT_EQ(note().text, text);
}

}  // namespace
}  // namespace pw
