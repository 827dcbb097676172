// The Edit menu's enabling rules and commands, and the font command.
#include <gtest/gtest.h>

#include "app/frmPagewick.h"
#include "fakes/fake_platform.h"
#include "fakes/main_window_fixture.h"

namespace pw {
namespace {

class EditMenuTest : public fake::MainWindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(Start());
        note().sent.clear();
    }
    fake::Control& note() { return static_cast<fake::Control&>(main->txtNote()); }
    fake::Form& form() { return static_cast<fake::Form&>(main->form()); }
    bool On(int id) { return form().MenuEnabled(id); }
    void Open() { main->MenuOpening(mnuEdit); }
};

TEST_F(EditMenuTest, EverythingIsEnabledBeforeTheMenuFirstOpens) {
    for (int id = mnuEditUndo; id <= mnuEditFont; ++id) EXPECT_TRUE(On(id)) << id;
}

TEST_F(EditMenuTest, EmptyNoteAndClipboardGreyAllButFontAndUndoFollowsTheControl) {
    note().SetText("");
    Open();
    for (int id : {mnuEditCut, mnuEditCopy, mnuEditDelete, mnuEditPaste, mnuEditFind, mnuEditReplace,
                   mnuEditSelectAll})
        EXPECT_FALSE(On(id)) << id;
    EXPECT_FALSE(On(mnuEditUndo));
    EXPECT_TRUE(On(mnuEditFont));
    EXPECT_EQ(form().menuEnabled.count(mnuEditFont), 0u) << "Font... is never touched";
    ASSERT_FALSE(note().sent.empty());
    EXPECT_EQ(note().sent.back().msg, 0x00C6u);

    note().canUndo = true;
    Open();
    EXPECT_TRUE(On(mnuEditUndo));
}

TEST_F(EditMenuTest, TextWithoutSelectionEnablesSearchButNotCutCopyDelete) {
    note().SetText("hello");
    note().SetSelStart(2);
    Open();
    EXPECT_FALSE(On(mnuEditCut));
    EXPECT_FALSE(On(mnuEditCopy));
    EXPECT_FALSE(On(mnuEditDelete));
    EXPECT_TRUE(On(mnuEditFind));
    EXPECT_TRUE(On(mnuEditReplace));
    EXPECT_TRUE(On(mnuEditSelectAll));

    note().SetSelLength(2);
    f.clipboard.hasText = true;
    Open();
    for (int id : {mnuEditCut, mnuEditCopy, mnuEditDelete, mnuEditPaste}) EXPECT_TRUE(On(id)) << id;
    f.clipboard.hasText = false;   // a picture only
    Open();
    EXPECT_FALSE(On(mnuEditPaste));
}

TEST_F(EditMenuTest, CommandsAreTheEditControlsOwnMessagesWithZeroParameters) {
    main->Command(mnuEditUndo);
    main->Command(mnuEditCut);
    main->Command(mnuEditCopy);
    main->Command(mnuEditPaste);
    main->Command(mnuEditDelete);
    ASSERT_EQ(note().sent.size(), 5u);
    const unsigned expected[] = {0x304, 0x300, 0x301, 0x302, 0x303};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(note().sent[i].msg, expected[i]);
        EXPECT_EQ(note().sent[i].wParam, 0u);
        EXPECT_EQ(note().sent[i].lParam, 0);
    }
}

TEST_F(EditMenuTest, SelectAllSelectsFromZeroToTheEndWithoutTakingFocus) {
    note().SetText("one\r\ntwo");
    note().SetSelStart(4);
    note().focused = false;
    main->Command(mnuEditSelectAll);
    EXPECT_EQ(note().SelStart(), 0);
    EXPECT_EQ(note().SelLength(), 8);
    EXPECT_FALSE(note().focused);
}

class FontTest : public EditMenuTest {
protected:
    FontSpec Font(const std::string& name, float size, bool bold, bool italic) {
        FontSpec s;
        s.name = name;
        s.size = size;
        s.bold = bold;
        s.italic = italic;
        return s;
    }
};

TEST_F(FontTest, DialogOpensOnTheNotesFontWithScreenFontsAndCopiesTheChoice) {
    note().SetFont(Font("Courier", 12, true, true));
    note().SetText("keep");
    note().SetSelStart(1);
    f.dialogs.fontAnswers.push_back({true, Font("Tahoma", 10.5f, false, true)});
    main->Command(mnuEditFont);
    ASSERT_EQ(f.dialogs.fontFlags.size(), 1u);
    EXPECT_EQ(f.dialogs.fontFlags[0], 1u);
    EXPECT_EQ(f.dialogs.fontShown[0], Font("Courier", 12, true, true));
    EXPECT_EQ(note().font, Font("Tahoma", 10.5f, false, true)) << "italic and not bold, size kept as 10.5";
    EXPECT_EQ(note().text, "keep");
    EXPECT_EQ(note().SelStart(), 1);
    EXPECT_TRUE(f.fs.writes.empty()) << "the settings are not written";
}

TEST_F(FontTest, OkWithoutChangesKeepsBoldItalic) {
    note().SetFont(Font("Tahoma", 9.75f, true, true));
    f.dialogs.fontAnswers.push_back({true, Font("Tahoma", 9.75f, true, true)});
    main->Command(mnuEditFont);
    EXPECT_EQ(note().font, Font("Tahoma", 9.75f, true, true));
}

TEST_F(FontTest, CancelChangesNothingWhateverTheCancelErrorSwitch) {
    const FontSpec before = Font("Courier", 14, false, true);
    note().SetFont(before);
    for (bool cancelError : {false, true}) {
        main->parts().editor.CommonDialog_.CancelError_ = cancelError;
        f.dialogs.fontAnswers.push_back({false, Font("Other", 30, true, false)});
        main->Command(mnuEditFont);
        EXPECT_EQ(note().font, before) << "switch " << cancelError;
        EXPECT_FALSE(main->Unloaded());
    }
    EXPECT_EQ(f.dialogs.fontShown.size(), 2u);
}

}  // namespace
}  // namespace pw
