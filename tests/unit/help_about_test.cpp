// Help Topics, About Pagewick and Always on Top.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/MenuIds.h"
#include "app/frmPagewick.h"
#include "fakes/fake_platform.h"
#include "help/HelpTexts.h"
#include "help/frmAbout.h"
#include "help/frmHelp.h"

namespace pw {
namespace {

// ------------------------------------------------------------------ topic texts

// The topics as the help lists them: one entry per line of the box, "" for an empty line,
// "* " for a bullet line. Written out here on their own, so a slip in the program's copy
// (or here) shows up as a difference.
std::string Topic(std::initializer_list<const char*> lines) {
    std::string out;
    bool first = true;
    for (const char* line : lines) {
        if (!first) out += "\r\n";
        first = false;
        std::string l = line;
        if (l.rfind("* ", 0) == 0) l = std::string("\x95") + "  " + l.substr(2);
        out += l;
    }
    return out;
}

const std::string kGeneral = Topic({
    "Pagewick is a text editor that can be used to take simple notes, or as a replacement for Microsoft's Notepad application.  When not in use, Pagewick resides in the system tray.",
    "", "",
    "Pagewick will automatically save the text you have written upon exit and restore it when restarted.",
    "", "",
    "Pagewick incorporates all the standard features expected from a text editor, plus a few extras.",
    "", "",
    "Features include:",
    "* Open, Save & Print capability for text files",
    "* Spell checker",
    "* Global Hotkey Assignment",
    "* Transparency",
    "* Ability to stay on top of other windows",
    "* Ability to load when Windows starts",
    "* Live Update over the Internet",
});

const std::string kFeatures = Topic({
    "Pagewick includes Spell Checking for your convenience, utilizing the Spell Checker from Microsoft Word.  The interface for this feature is identical to that of Microsoft Word.  If you do not have Microsoft Word installed, this feature is not available.",
    "", "",
    "A global hotkey has been established.  By default, the key combination is CTRL+ALT+A.  When that key combination is pressed, Pagewick will be minimized or restored, depending on the current state of the window.  This hotkey will work even if Pagewick is not the currently focused window.",
    "", "",
    "Pagewick supports transparency for the main window.  By default, this feature is turned off.",
    "", "",
    "If you want Pagewick to automatically run whenever Windows starts, simply check the 'Run at Startup' item in the File menu.",
    "", "",
    "If you wish for Pagewick to always reside on top of other windows, check the 'Always on Top' item in the file menu.",
    "", "",
    "Live Update will check if you have the latest version of Pagewick.  If not, the latest installer will download to the desktop.",
});

const std::string kCustomization = Topic({
    "Transparency on the main window can be adjusted from 0% (default) all the way down to 90% transparency.  Use the 'Transparency...' item in the File menu to configure.",
    "", "",
    "The global hotkey is customizable.  Use the 'Global Hotkey...' item in the File menu to configure settings for the hotkey.",
    "", "",
    "The icon in the system tray and window icons can be changed by simply replacing the pagewick.ico file with any of your choosing.  The new icon will be displayed next time the application is started.",
});

const std::string kRevisionHistory = Topic({
    "v 1.4",
    "* All window icons can now be loaded from a file, like the system tray icon",
    "* 'Save Preferences' menu item added to write settings immediately",
    "* XP theme inheritance streamlined",
    "", "",
    "v 1.3",
    "* 'Always on Top' functionality added.",
    "* Transparency option for main window added",
    "* Global Hotkey added",
    "* Ability to print from within Pagewick added",
    "* Ablility to open pre-existing text files added",
    "* Live Update functionality added",
    "", "",
    "v 1.2",
    "* Better support for Large Fonts (120 dpi and above).",
    "", "",
    "v 1.1",
    "* Text now saved automatically when Windows shuts down.",
    "* Fully functional Edit menu added.",
    "* Font selection added.",
    "* Config file stores font and window settings, restoring them when program is restarted.",
    "* Pagewick now shows an error when MS Word is not installed and spellcheck invoked instead of crashing.",
    "* Find/Restore menu items added.",
});

const std::string* const kTopics[] = {&kGeneral, &kFeatures, &kCustomization, &kRevisionHistory};

TEST(HelpTexts, EachTopicMatchesTheHelpByteForByte) {
    for (int i = 1; i <= 4; ++i) {
        const std::string& got = HelpTopicText(i);
        const std::string& want = *kTopics[i - 1];
        EXPECT_EQ(got.size(), want.size()) << "topic " << i;
        // Point at the first difference; a whole-text diff of a long topic is unreadable.
        size_t at = 0;
        while (at < got.size() && at < want.size() && got[at] == want[at]) ++at;
        EXPECT_EQ(got, want) << "topic " << i << " differs at byte " << at << ": \""
                             << got.substr(at, 40) << "\" instead of \"" << want.substr(at, 40) << "\"";
    }
    EXPECT_EQ(HelpTopicText(0), "");
    EXPECT_EQ(HelpTopicText(5), "");
}

TEST(HelpTexts, LineBreaksAreCrLfBulletsAreAnsiAndNoTopicEndsWithABreak) {
    int bullets = 0;
    for (int i = 1; i <= 4; ++i) {
        const std::string& t = HelpTopicText(i);
        ASSERT_FALSE(t.empty());
        EXPECT_NE(t.back(), '\n') << "topic " << i;
        EXPECT_EQ(t.find("\r\n\r\n\r\n\r\n"), std::string::npos) << "at most two empty lines";
        EXPECT_EQ(t.find("\xE2\x80\xA2"), std::string::npos) << "UTF-8 bullet in topic " << i;
        for (size_t k = 0; k < t.size(); ++k) {
            if (t[k] == '\n') EXPECT_TRUE(k > 0 && t[k - 1] == '\r') << "bare LF in topic " << i;
            if (t[k] == '\r') EXPECT_TRUE(k + 1 < t.size() && t[k + 1] == '\n') << "bare CR in topic " << i;
            if (static_cast<unsigned char>(t[k]) == 0x95) {
                ++bullets;
                EXPECT_EQ(t.substr(k + 1, 2), "  ");
                EXPECT_NE(t[k + 3], ' ');
                EXPECT_TRUE(k >= 2 && t.substr(k - 2, 2) == "\r\n") << "bullet starts a line";
            } else {
                EXPECT_LT(static_cast<unsigned char>(t[k]), 0x80) << "topic " << i << " byte " << k;
            }
        }
    }
    EXPECT_EQ(bullets, 7 + 3 + 6 + 1 + 6);
}

TEST(HelpTexts, TabCaptions) {
    EXPECT_STREQ(HelpTopicCaption(1), "General");
    EXPECT_STREQ(HelpTopicCaption(2), "Features");
    EXPECT_STREQ(HelpTopicCaption(3), "Customization");
    EXPECT_STREQ(HelpTopicCaption(4), "Revision History");
    EXPECT_STREQ(HelpTopicCaption(0), "");
}

// ------------------------------------------------------------------ the help window

constexpr unsigned WM_VSCROLL = 0x0115;
constexpr unsigned long SB_TOP = 6;

class HelpWindow : public ::testing::Test {
protected:
    fake::Fakes f;
    frmHelp help{f.platform};
    const Handle owner = 0x42;

    fake::Form* form() { return static_cast<fake::Form*>(help.form()); }
    fake::Control* tabs() { return form()->Ctl(frmHelp::kTabStrip1); }
    fake::Control* box() { return form()->Ctl(frmHelp::kTxthelp); }
    int LiveHelpWindows() {
        int n = 0;
        for (fake::Form* w : f.ui.forms) n += (w->def.caption == "Help Topics" && !w->destroyed);
        return n;
    }
    void SelectTab(int index) {
        tabs()->SetValue(index);
        form()->events.Changed(frmHelp::kTabStrip1);
    }
    // The text box was scrolled to its top after its text was last replaced.
    bool ScrolledToTopAfterLastText() {
        const auto& sent = box()->sent;
        return !sent.empty() && sent.back().msg == WM_VSCROLL && sent.back().wParam == SB_TOP &&
               box()->SelStart() == 0;
    }
};

TEST_F(HelpWindow, OpensModelessOnGeneralWithTheDesignedLayout) {
    help.Open(owner);
    ASSERT_TRUE(help.Loaded());
    EXPECT_EQ(form()->Caption(), "Help Topics");
    EXPECT_EQ(form()->owner, owner);
    EXPECT_EQ(form()->def.clientWidth, 5160);
    EXPECT_EQ(form()->def.clientHeight, 4665);
    EXPECT_EQ(form()->def.font.name, "Tahoma");
    EXPECT_FLOAT_EQ(form()->def.font.size, 8.25f);
    EXPECT_TRUE(form()->Visible());
    EXPECT_EQ(f.ui.modeless.count(form()->hWnd()), 1u);

    ASSERT_NE(tabs(), nullptr);
    EXPECT_EQ(tabs()->def.kind, ControlKind::TabStrip);
    EXPECT_EQ(tabs()->left, 0);
    EXPECT_EQ(tabs()->top, 15);
    EXPECT_EQ(tabs()->width, 4215);
    EXPECT_EQ(tabs()->height, 300);
    EXPECT_EQ(tabs()->items, (std::vector<std::string>{"General", "Features", "Customization", "Revision History"}));
    EXPECT_EQ(tabs()->Value(), 1);

    ASSERT_NE(box(), nullptr);
    EXPECT_EQ(box()->def.kind, ControlKind::TextBox);
    EXPECT_EQ(box()->def.style & (csMultiLine | csVScroll | csReadOnly), csMultiLine | csVScroll | csReadOnly);
    EXPECT_EQ(box()->left, 120);
    EXPECT_EQ(box()->top, 360);
    EXPECT_EQ(box()->width, 5010);
    EXPECT_EQ(box()->height, 4275);
    EXPECT_EQ(box()->backColor, SystemColor(COLOR_BTNFACE_INDEX));
    EXPECT_EQ(box()->Text(), kGeneral);
    EXPECT_EQ(form()->showCount, 1);
}

TEST_F(HelpWindow, TakesTheBuiltInIconForItselfAndItsOwnerThenTheIconFile) {
    f.shell.owners[0x1000] = owner;   // the help window gets the fakes' first handle
    f.fs.files["C:\\Programs\\Pagewick\\pagewick.ico"] = "icon";
    help.Open(owner);
    const Handle w = form()->hWnd();
    ASSERT_EQ(w, 0x1000u);
    ASSERT_FALSE(f.shell.resourceLoads.empty());
    EXPECT_EQ(f.shell.resourceLoads[0].name, "AAA");
    bool ownerBig = false, selfSmallFromFile = false;
    for (const auto& s : f.shell.setIcons) {
        ownerBig |= s.window == owner && s.which == 1;
        selfSmallFromFile |= s.window == w && s.which == 0 && s.icon == f.shell.fileIcon;
    }
    EXPECT_TRUE(ownerBig);
    EXPECT_TRUE(selfSmallFromFile);
    EXPECT_EQ(f.shell.setIcons.back().window, w) << "the icon file comes last";
}

TEST_F(HelpWindow, EachTabReplacesTheWholeTextAndShowsItFromTheTop) {
    help.Open(owner);
    const int order[] = {2, 4, 3, 1, 4, 4, 2};
    for (int index : order) {
        box()->sent.clear();
        SelectTab(index);
        EXPECT_EQ(box()->Text(), *kTopics[index - 1]) << "tab " << index;
        EXPECT_TRUE(ScrolledToTopAfterLastText()) << "tab " << index;
    }
    // Something outside 1 to 4 leaves the box as it is.
    const std::string before = box()->Text();
    const int setTexts = box()->setTextCount;
    SelectTab(0);
    EXPECT_EQ(box()->Text(), before);
    EXPECT_EQ(box()->setTextCount, setTexts);
    // Other controls' changes do not touch it.
    form()->events.Changed(frmHelp::kTxthelp);
    EXPECT_EQ(box()->setTextCount, setTexts);
}

TEST_F(HelpWindow, ASecondOpenOnlyBringsTheWindowToTheFront) {
    help.Open(owner);
    SelectTab(3);
    IForm* first = help.form();
    help.Open(owner);
    EXPECT_EQ(help.form(), first);
    EXPECT_EQ(LiveHelpWindows(), 1);
    EXPECT_EQ(form()->bringToFrontCount, 1);
    EXPECT_EQ(tabs()->Value(), 3);
    EXPECT_EQ(box()->Text(), kCustomization);
}

TEST_F(HelpWindow, ClosingAndReopeningStartsAgainAtGeneral) {
    help.Open(owner);
    SelectTab(4);
    const Handle old = form()->hWnd();
    // The close box: the window's own close sequence.
    EXPECT_TRUE(RunClose(help, *help.form(), vbFormControlMenu));
    EXPECT_FALSE(help.Loaded());
    EXPECT_EQ(f.ui.modeless.count(old), 0u);
    help.Close();   // already closed: nothing happens

    help.Open(owner);
    ASSERT_TRUE(help.Loaded());
    EXPECT_NE(form()->hWnd(), old);
    EXPECT_EQ(tabs()->Value(), 1);
    EXPECT_EQ(box()->Text(), kGeneral);
    EXPECT_EQ(LiveHelpWindows(), 1);
}

// ------------------------------------------------------------------ the About window

class AboutWindow : public ::testing::Test {
protected:
    fake::Fakes f;
    frmAbout about{f.platform};

    void SetUp() override { about.Open(0x42); }
    fake::Form* form() { return static_cast<fake::Form*>(about.form()); }
    fake::Control* ctl(int id) { return form()->Ctl(id); }
    Color velmor() { return ctl(frmAbout::kLblVelmorUrl)->ForeColor(); }
    Color brask() { return ctl(frmAbout::kLblBraskUrl)->ForeColor(); }
    void Move(int id) { form()->events.MouseMove(id, 0); }
    void Down(int id) { form()->events.MouseDown(id, 1); }
    void Click(int id) { form()->events.Command(id); }
};

TEST_F(AboutWindow, HasTheDesignedWindowAndControls) {
    ASSERT_TRUE(about.Loaded());
    EXPECT_EQ(form()->Caption(), "About Pagewick");
    EXPECT_EQ(LightPalette().Resolve(form()->def.backColor), RGBColor(255, 255, 255));   // white in light
    EXPECT_EQ(form()->def.clientWidth, 4440);
    EXPECT_EQ(form()->def.clientHeight, 4455);
    EXPECT_EQ(form()->owner, 0x42u);
    EXPECT_TRUE(form()->Visible());
    EXPECT_EQ(f.ui.modeless.count(form()->hWnd()), 1u);

    struct Want { int id; ControlKind kind; const char* text; float l, t, w, h; const char* image; };
    const Want want[] = {
        {frmAbout::kImgPagewick, ControlKind::Picture, "", 480, 480, 690, 1395, "PROGRAM"},
        {frmAbout::kImage1, ControlKind::Picture, "", 2040, 240, 2175, 2175, "NOTESHEET"},
        {frmAbout::kImgBrask, ControlKind::Picture, "", 1035, 2880, 2370, 780, "ICONSITE"},
        {frmAbout::kLblBraskTxt, ControlKind::Label, "Program icon courtesy of", 698, 3720, 1800, 195, ""},
        {frmAbout::kLblBraskUrl, ControlKind::Label, "BRASK's icons.", 2618, 3720, 1125, 195, ""},
    };
    for (const Want& w : want) {
        fake::Control* c = ctl(w.id);
        ASSERT_NE(c, nullptr) << w.id;
        EXPECT_EQ(c->def.kind, w.kind) << w.id;
        EXPECT_EQ(c->Text(), w.text) << w.id;
        EXPECT_EQ(c->left, w.l) << w.id;
        EXPECT_EQ(c->top, w.t) << w.id;
        EXPECT_EQ(c->width, w.w) << w.id;
        EXPECT_EQ(c->height, w.h) << w.id;
        EXPECT_EQ(c->image, w.image) << w.id;
    }
    // The author's link: where the table puts it; the window widens it to its address.
    fake::Control* link = ctl(frmAbout::kLblVelmorUrl);
    EXPECT_EQ(link->Text(), "http://www.pagewick.example/");
    EXPECT_EQ(link->toolTip, "http://www.pagewick.example/");
    EXPECT_EQ(link->left, 1440);
    EXPECT_EQ(link->top, 1440);
    EXPECT_EQ(link->width, 1560);
    EXPECT_EQ(link->height, 315);
    // The faded sheet is the window's backdrop, beneath the labels standing on it.
    EXPECT_TRUE(ctl(frmAbout::kImage1)->def.style & csBackdrop);

    EXPECT_EQ(ctl(frmAbout::kImgBrask)->toolTip, "http://icons.example.org/");
    EXPECT_EQ(ctl(frmAbout::kLblBraskUrl)->toolTip, "http://icons.example.org/");
    EXPECT_EQ(ctl(frmAbout::kLblProduct)->Text(), "Pagewick 1.4");

    // Clickable controls: underlined links and the logo, each with the hand pointer.
    for (int id : {frmAbout::kLblVelmorUrl, frmAbout::kImgBrask, frmAbout::kLblBraskUrl}) {
        EXPECT_TRUE(ctl(id)->def.style & csClickable) << id;
        EXPECT_EQ(ctl(id)->cursor, "HAND") << id;
    }
    EXPECT_TRUE(ctl(frmAbout::kLblVelmorUrl)->def.style & csUnderline);
    EXPECT_TRUE(ctl(frmAbout::kLblBraskUrl)->def.style & csUnderline);
    EXPECT_EQ(ctl(frmAbout::kLblBraskTxt)->cursor, "");

    // Every label in Tahoma 8.25; the sheet lies beneath everything (created first).
    for (const auto& c : form()->controls) {
        if (c->def.kind != ControlKind::Label) continue;
        EXPECT_EQ(c->font.name, "Tahoma") << c->def.id;
        EXPECT_FLOAT_EQ(c->font.size, 8.25f) << c->def.id;
    }
    EXPECT_EQ(form()->controls.front()->def.id, frmAbout::kImage1);
}

TEST_F(AboutWindow, LinksOpenTheirAddressesThroughTheShell) {
    Click(frmAbout::kLblVelmorUrl);
    Click(frmAbout::kLblBraskUrl);
    Click(frmAbout::kImgBrask);
    Click(frmAbout::kLblBraskTxt);
    Click(frmAbout::kImage1);
    EXPECT_EQ(f.shell.opened, (std::vector<std::string>{"http://www.pagewick.example/",
                                                        "http://icons.example.org/",
                                                        "http://icons.example.org/"}));
    EXPECT_TRUE(f.ui.boxes.empty());
}

TEST_F(AboutWindow, HoverColoursFollowThePointerAndOnlyTheBackgroundRestoresThem) {
    EXPECT_EQ(velmor(), kNormalColor);
    EXPECT_EQ(brask(), kNormalColor);
    Move(frmAbout::kLblVelmorUrl);
    EXPECT_EQ(LightPalette().Resolve(velmor()), RGBColor(0, 0, 255));   // blue in light
    EXPECT_EQ(brask(), kNormalColor);
    // Straight onto another control: nothing goes back.
    Move(frmAbout::kImage1);
    Move(frmAbout::kLblBraskUrl);
    EXPECT_EQ(velmor(), kLinkColor);
    EXPECT_EQ(brask(), kLinkColor);
    Move(frmAbout::kLblBraskTxt);
    Move(frmAbout::kImgPagewick);
    EXPECT_EQ(brask(), kLinkColor);
    // The window background restores both.
    Move(0);
    EXPECT_EQ(velmor(), SystemColor(8));
    EXPECT_EQ(brask(), SystemColor(8));
}

// Moved by the mouse itself: a plain label, a picture and the faded sheet behind the labels
// are not the window's background; only the background proper restores the links.
TEST_F(AboutWindow, TheFadedSheetIsAPictureNotTheBackground) {
    form()->MouseAt(1500, 1500);   // the author's link, lying over the sheet
    EXPECT_EQ(velmor(), kLinkColor);
    form()->MouseAt(3600, 2000);   // the sheet, beside the link
    EXPECT_EQ(velmor(), kLinkColor);
    form()->MouseAt(2100, 1000);   // the rights notice over the sheet
    EXPECT_EQ(velmor(), kLinkColor);
    form()->MouseAt(200, 4300);    // the background
    EXPECT_EQ(velmor(), kNormalColor);
}

TEST_F(AboutWindow, TheLogoColoursTheTextLinkBelowIt) {
    Move(frmAbout::kImgBrask);
    EXPECT_EQ(brask(), kLinkColor);
    EXPECT_EQ(velmor(), kNormalColor);
    EXPECT_EQ(ctl(frmAbout::kImgBrask)->foreColor, SystemColor(COLOR_WINDOWTEXT_INDEX));
}

TEST_F(AboutWindow, APressedAuthorLinkStaysRedUntilTheBackground) {
    Move(frmAbout::kLblVelmorUrl);
    Down(frmAbout::kLblVelmorUrl);
    EXPECT_EQ(LightPalette().Resolve(velmor()), RGBColor(255, 0, 0));   // red in light
    Click(frmAbout::kLblVelmorUrl);
    Move(frmAbout::kLblVelmorUrl);
    Move(frmAbout::kImage1);
    EXPECT_EQ(velmor(), kPressedColor);
    EXPECT_EQ(f.shell.opened.size(), 1u);
    Move(0);
    EXPECT_EQ(velmor(), kNormalColor);
    Move(frmAbout::kLblVelmorUrl);
    EXPECT_EQ(velmor(), kLinkColor);
    // Only the author's link has a pressed look.
    Down(frmAbout::kLblBraskUrl);
    Down(frmAbout::kImgBrask);
    EXPECT_EQ(brask(), kNormalColor);
}

TEST_F(AboutWindow, ReopeningStartsWithTheDesignColoursAndASecondOpenOnlyRaises) {
    about.Open(0x42);
    EXPECT_EQ(form()->bringToFrontCount, 1);
    Down(frmAbout::kLblVelmorUrl);
    Move(frmAbout::kLblBraskUrl);
    const Handle old = form()->hWnd();
    RunClose(about, *about.form(), vbFormControlMenu);
    EXPECT_FALSE(about.Loaded());
    EXPECT_EQ(f.ui.modeless.count(old), 0u);
    about.Open(0x42);
    ASSERT_TRUE(about.Loaded());
    EXPECT_NE(form()->hWnd(), old);
    EXPECT_EQ(velmor(), kNormalColor);
    EXPECT_EQ(brask(), kNormalColor);
}

// ------------------------------------------------------------------ the main window's part

class MainWindowOptions : public ::testing::Test {
protected:
    fake::Fakes f;
    std::unique_ptr<frmPagewick> main;
    fake::Form* form() { return static_cast<fake::Form*>(&main->form()); }
    void Start() {
        main = std::make_unique<frmPagewick>(f.platform);
        ASSERT_TRUE(main->Load());
    }
    fake::Form* Window(const std::string& caption) {
        for (fake::Form* w : f.ui.forms)
            if (w->def.caption == caption && !w->destroyed) return w;
        return nullptr;
    }
};

TEST_F(MainWindowOptions, AlwaysOnTopTogglesTheZOrderAndTheCheckMarkOnly) {
    Start();
    EXPECT_FALSE(form()->MenuChecked(mnuOnTop));
    EXPECT_TRUE(form()->zorder.empty());
    const float l = form()->Left(), t = form()->Top(), w = form()->Width(), h = form()->Height();
    main->Command(mnuOnTop);
    EXPECT_EQ(form()->zorder, (std::vector<long>{-1}));
    EXPECT_TRUE(form()->MenuChecked(mnuOnTop));
    main->Command(mnuOnTop);
    EXPECT_EQ(form()->zorder, (std::vector<long>{-1, -2}));
    EXPECT_FALSE(form()->MenuChecked(mnuOnTop));
    EXPECT_EQ(form()->Left(), l);
    EXPECT_EQ(form()->Top(), t);
    EXPECT_EQ(form()->Width(), w);
    EXPECT_EQ(form()->Height(), h);
}

TEST_F(MainWindowOptions, AlwaysOnTopIsNotRememberedAcrossARestart) {
    Start();
    main->Command(mnuOnTop);
    main->Command(mnuSavePrefs);
    main->Command(mnuExit);
    main.reset();
    for (const auto& file : f.fs.files) {
        EXPECT_EQ(file.second.find("Always"), std::string::npos) << file.first;
    }
    // Same folder, same files: a new run starts normal and unchecked.
    Start();
    EXPECT_FALSE(form()->MenuChecked(mnuOnTop));
    EXPECT_TRUE(form()->zorder.empty());
}

TEST_F(MainWindowOptions, HelpMenuOpensEachWindowOnceOwnedByTheMainWindow) {
    Start();
    main->Command(mnuHelpTopics);
    main->Command(mnuAbout);
    main->Command(mnuHelpTopics);
    main->Command(mnuAbout);
    fake::Form* help = Window("Help Topics");
    fake::Form* about = Window("About Pagewick");
    ASSERT_NE(help, nullptr);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(help->owner, form()->hWnd());
    EXPECT_EQ(about->owner, form()->hWnd());
    EXPECT_EQ(help->bringToFrontCount, 1);
    EXPECT_EQ(about->bringToFrontCount, 1);
    int windows = 0;
    for (fake::Form* w : f.ui.forms) windows += !w->destroyed;
    EXPECT_EQ(windows, 3);
}

TEST_F(MainWindowOptions, ExitUnloadsAboutThenHelpBeforeTheMainWindow) {
    std::vector<std::string> log;
    f.ui.sharedLog = &log;
    Start();
    main->Command(mnuHelpTopics);
    main->Command(mnuAbout);
    log.clear();
    main->Command(mnuExit);
    std::vector<std::string> destroys;
    for (const auto& e : log)
        if (e.rfind("destroy:", 0) == 0) destroys.push_back(e);
    EXPECT_EQ(destroys, (std::vector<std::string>{"destroy:About Pagewick", "destroy:Help Topics",
                                                  "destroy:Pagewick"}));
    EXPECT_TRUE(f.ui.modeless.empty());
}

TEST_F(MainWindowOptions, ExitWithoutTheHelpWindowsOpenOrAfterClosingThem) {
    std::vector<std::string> log;
    f.ui.sharedLog = &log;
    Start();
    main->Command(mnuAbout);
    fake::Form* about = Window("About Pagewick");
    ASSERT_NE(about, nullptr);
    RunClose(about->events, *about, vbFormControlMenu);
    log.clear();
    main->Command(mnuExit);
    std::vector<std::string> destroys;
    for (const auto& e : log)
        if (e.rfind("destroy:", 0) == 0) destroys.push_back(e);
    EXPECT_EQ(destroys, (std::vector<std::string>{"destroy:Pagewick"}));
}

}  // namespace
}  // namespace pw
