// Transparency: the alpha for each opacity, the layered style, the value at start-up and
// in the settings file, and the Transparency dialog's rules.
#include <gtest/gtest.h>

#include "app/frmPagewick.h"
#include "fakes/fake_platform.h"
#include "fakes/main_window_fixture.h"
#include "options/transparency/Transparency.h"
#include "options/transparency/frmTrans.h"
#include "storage/SettingsFile.h"

namespace pw {
namespace {

const std::string kIni = "C:\\Programs\\Pagewick\\pagewick.ini";

std::string IniWithTransparency(const std::string& value) {
    return "Window Position\r\n1200\r\n-300\r\n5000\r\n6000\r\n\r\nFont Settings\r\n12\r\nCourier New\r\n-1\r\n"
           "0\r\n\r\nTransparency\r\n" + value + "\r\n\r\nGlobal Hotkey\r\n0\r\n-1\r\n-1\r\n0\r\n72\r\n-1\r\n";
}

std::string Line14(const std::string& ini) {
    size_t pos = 0;
    for (int i = 0; i < 13; ++i) pos = ini.find("\r\n", pos) + 2;
    return ini.substr(pos, ini.find("\r\n", pos) - pos);
}

TEST(Transparency, AlphaForEveryTenthAndTheRoundingCases) {
    const int table[10][2] = {{0, 255}, {10, 229}, {20, 204}, {30, 178}, {40, 153},
                              {50, 127}, {60, 102}, {70, 76}, {80, 51}, {90, 26}};
    for (const auto& row : table) EXPECT_EQ(AlphaFor(100 - row[0]), row[1]) << row[0] << "%";
    EXPECT_EQ(AlphaFor(10), 26);    // 25.5 goes to the even 26
    EXPECT_EQ(AlphaFor(30), 76);    // 76.5 goes to the even 76
    EXPECT_EQ(AlphaFor(50), 127);   // the double product lies just below 127.5
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
}

TEST(Transparency, SetTransparencyLayersTheWindowAndRejectsWhatDoesNotFitAByte) {
    fake::Fakes f;
    FormDef def;
    FormEvents events;
    auto form = f.ui.CreateForm(def, events, 0);
    auto& w = static_cast<fake::Form&>(*form);
    SetTransparency(w, f.ui, "Pagewick", 70);
    EXPECT_TRUE(w.layered);
    EXPECT_EQ(w.alpha, 178);
    SetTransparency(w, f.ui, "Pagewick", 100);   // 0%: layered, fully opaque
    EXPECT_TRUE(w.layered);
    EXPECT_EQ(w.alpha, 255);
    for (long p : {101L, -1L}) {
        SetTransparency(w, f.ui, "Pagewick", p);
        EXPECT_EQ(w.alpha, 255) << p;
    }
    ASSERT_EQ(f.ui.boxes.size(), 2u);
    EXPECT_EQ(f.ui.boxes[0].text, "Overflow Source : Transparency");
    EXPECT_EQ(f.ui.boxes[0].style, vbOKOnly);
    EXPECT_EQ(f.ui.boxes[0].title, "Pagewick");
}

TEST(Transparency, AnEditedValueIsHeldToAWholeNumberFrom0To90) {
    const std::pair<const char*, const char*> cases[] = {
        {"30", "30"}, {"0", "0"}, {"90", "90"}, {" 40 ", "40"}, {"12.5", "12"}, {"13.5", "14"},
        {"45.4", "45"}, {"91", "90"}, {"100", "90"}, {"250", "90"}, {"1e9", "90"}, {"-5", "0"},
        {"-0.4", "0"}, {"0.4", "0"}, {"", "0"}, {"half", "0"}, {"30%", "0"}, {"1e999", "0"}};
    for (const auto& c : cases) EXPECT_EQ(SoundTransparency(c.first, "."), c.second) << "'" << c.first << "'";
    EXPECT_EQ(SoundTransparency("12,5", ","), "12");
}

class TransparencyStart : public fake::MainWindowTest {
protected:
    fake::Form* form() { return static_cast<fake::Form*>(&main->form()); }
    void Restart() {
        main.reset();
        f.hotkeys.armed.clear();
        ASSERT_TRUE(Start());
    }
};

TEST_F(TransparencyStart, ZeroLeavesTheWindowUnlayeredAnyOtherValueIsApplied) {
    ASSERT_TRUE(Start());   // no settings file: "0"
    EXPECT_EQ(main->parts().transparency.value(), "0");
    EXPECT_FALSE(form()->layered);

    f.fs.files[kIni] = IniWithTransparency("0");
    Restart();
    EXPECT_FALSE(form()->layered);

    f.fs.files[kIni] = IniWithTransparency("30");
    Restart();
    EXPECT_TRUE(form()->layered);
    EXPECT_EQ(form()->alpha, 178);
    EXPECT_EQ(main->parts().transparency.value(), "30");
    EXPECT_TRUE(f.ui.boxes.empty());
}

TEST_F(TransparencyStart, AnEditedValueKeepsTheWindowVisibleTheRestOfTheFileAndIsWrittenBackSound) {
    struct Case { const char* line; bool layered; int alpha; const char* written; };
    const Case cases[] = {{"250", true, 26, "90"}, {"100", true, 26, "90"}, {"-20", false, 255, "0"},
                          {"12.5", true, 224, "12"}, {"", false, 255, "0"}, {"opaque", false, 255, "0"}};
    for (const Case& c : cases) {
        f.fs.files[kIni] = IniWithTransparency(c.line);
        Restart();
        EXPECT_TRUE(form()->Visible()) << c.line;
        EXPECT_EQ(form()->layered, c.layered) << c.line;
        EXPECT_EQ(form()->alpha, c.alpha) << c.line;
        EXPECT_EQ(main->parts().transparency.value(), c.written) << c.line;
        // The lines after it are still read.
        EXPECT_EQ(main->parts().VBHotKey1.vkey(), 72) << c.line;
        EXPECT_TRUE(main->parts().VBHotKey1.winkey()) << c.line;
        EXPECT_TRUE(f.ui.boxes.empty()) << c.line;
        main->Command(mnuSavePrefs);
        EXPECT_EQ(Line14(f.fs.files[kIni]), c.written) << c.line;
    }
}

class TransDialog : public TransparencyStart {
protected:
    frmTrans* dlg() { return main->parts().windows.Find<frmTrans>(); }
    fake::Form* dlgForm() { return static_cast<fake::Form*>(dlg()->form()); }
    fake::Control& C(int id) { return static_cast<fake::Control&>(dlg()->Ctl(id)); }
    void Open() {
        main->Command(mnuTrans);
        ASSERT_NE(dlg(), nullptr);
        dlg()->Form_Activate(true);   // showing it makes it the active window, after the main window
    }
    void Move(int opacity) {
        C(frmTrans::sliderTrans).value = opacity;
        dlg()->Changed(frmTrans::sliderTrans);
    }
};

TEST_F(TransDialog, OpensOwnedModelessOnceWithItsControlsAndTheStoredValue) {
    f.fs.files[kIni] = IniWithTransparency("30");
    ASSERT_TRUE(Start());
    Open();
    fake::Form* d = dlgForm();
    EXPECT_EQ(d->def.caption, "Transparency");
    EXPECT_EQ(d->def.clientWidth, 3945);
    EXPECT_EQ(d->def.clientHeight, 1425);
    EXPECT_EQ(d->def.style, unsigned(fsFixedDialog | fsNoTaskbar | fsCenterOwner));
    EXPECT_EQ(d->owner, form()->hWnd());
    EXPECT_TRUE(d->Visible());
    EXPECT_TRUE(f.ui.modeless.count(d->hWnd()));
    EXPECT_EQ(C(frmTrans::lblTrans).text, "Transparency value:");
    EXPECT_EQ(C(frmTrans::btnTrans).text, "Set Transparency");
    EXPECT_TRUE(C(frmTrans::btnTrans).def.style & csDefault);
    EXPECT_EQ(C(frmTrans::sliderTrans).rangeLo, 10);
    EXPECT_EQ(C(frmTrans::sliderTrans).rangeHi, 100);
    EXPECT_EQ(C(frmTrans::sliderTrans).value, 70);
    EXPECT_EQ(C(frmTrans::lblSlider).text, "30%");
    // The slider across the top, the label and its value below on the left, the button on the right.
    const auto& s = C(frmTrans::sliderTrans);
    const auto& b = C(frmTrans::btnTrans);
    EXPECT_LT(s.top + s.height, b.top);
    EXPECT_LT(C(frmTrans::lblTrans).left + C(frmTrans::lblTrans).width, C(frmTrans::lblSlider).left + 1);
    EXPECT_LE(b.left + b.width, 3945);
    EXPECT_LE(b.top + b.height, 1425);
    // Its window icons, as every window.
    EXPECT_FALSE(f.shell.setIcons.empty());
    EXPECT_EQ(f.shell.setIcons.back().window, d->hWnd());

    // A second click shows the same dialog again.
    const size_t forms = f.ui.forms.size();
    main->Command(mnuTrans);
    EXPECT_EQ(dlgForm(), d);
    EXPECT_EQ(f.ui.forms.size(), forms);
    EXPECT_EQ(d->bringToFrontCount, 1);
}

TEST_F(TransDialog, MovingTheSliderChangesOnlyTheLabelUntilTheDialogIsActivatedAgain) {
    f.fs.files[kIni] = IniWithTransparency("30");
    ASSERT_TRUE(Start());
    Open();
    Move(40);
    EXPECT_EQ(C(frmTrans::lblSlider).text, "60%");
    C(frmTrans::sliderTrans).value = 85;
    dlg()->MouseMove(frmTrans::sliderTrans, 1);
    EXPECT_EQ(C(frmTrans::lblSlider).text, "15%");
    EXPECT_EQ(main->parts().transparency.value(), "30");
    EXPECT_EQ(form()->alpha, 178);
    // Away to another program and back: the slider and the label keep the move.
    dlg()->Form_Activate(false);
    EXPECT_EQ(C(frmTrans::sliderTrans).value, 85);
    EXPECT_EQ(C(frmTrans::lblSlider).text, "15%");
    // Back to the dialog from the main window: the stored value again.
    dlg()->Form_Activate(true);
    EXPECT_EQ(C(frmTrans::sliderTrans).value, 70);
    EXPECT_EQ(C(frmTrans::lblSlider).text, "30%");
    EXPECT_EQ(f.fs.writes.size(), 0u);
}

TEST_F(TransDialog, SetTransparencyAppliesAndStoresTheValueWhichTheNextSaveWrites) {
    ASSERT_TRUE(Start());
    Open();
    EXPECT_EQ(C(frmTrans::sliderTrans).value, 100);
    EXPECT_EQ(C(frmTrans::lblSlider).text, "0%");
    Move(70);
    dlg()->Command(frmTrans::btnTrans);
    EXPECT_TRUE(form()->layered);
    EXPECT_EQ(form()->alpha, 178);
    EXPECT_EQ(main->parts().transparency.value(), "30");
    EXPECT_TRUE(dlg()->Loaded());   // stays open
    EXPECT_TRUE(f.fs.writes.empty());
    // Enter presses the button.
    Move(10);
    dlgForm()->PressEnter();
    EXPECT_EQ(form()->alpha, 26);
    EXPECT_EQ(main->parts().transparency.value(), "90");
    // 0% leaves the window layered and fully opaque.
    Move(100);
    dlg()->Command(frmTrans::btnTrans);
    EXPECT_TRUE(form()->layered);
    EXPECT_EQ(form()->alpha, 255);
    EXPECT_EQ(main->parts().transparency.value(), "0");
    Move(50);
    dlg()->Command(frmTrans::btnTrans);
    main->Command(mnuSavePrefs);
    EXPECT_EQ(Line14(f.fs.files[kIni]), "50");
    EXPECT_TRUE(f.ui.boxes.empty());
}

TEST_F(TransDialog, TheValueIsStoredEvenWhenApplyingFailed) {
    ASSERT_TRUE(Start());
    Open();
    Move(101);   // beyond what a byte of alpha holds
    dlg()->Command(frmTrans::btnTrans);
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text, "Overflow Source : Transparency");
    EXPECT_FALSE(form()->layered);
    EXPECT_EQ(main->parts().transparency.value(), "-1");
}

TEST_F(TransDialog, EscClosesAndExitUnloadsAnOpenDialog) {
    ASSERT_TRUE(Start());
    Open();
    const Handle h = dlgForm()->hWnd();
    dlgForm()->PressEsc();
    EXPECT_FALSE(dlg()->Loaded());
    EXPECT_FALSE(f.ui.modeless.count(h));
    // A new one is made on the next click.
    main->Command(mnuTrans);
    ASSERT_TRUE(dlg()->Loaded());
    fake::Form* d = dlgForm();
    main->Command(mnuExit);
    EXPECT_TRUE(d->destroyed);
    EXPECT_TRUE(f.ui.modeless.empty());
}

}  // namespace
}  // namespace pw
