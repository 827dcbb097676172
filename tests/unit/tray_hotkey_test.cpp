// The tray icon and its notifications, the window icons, VBHotKey1 and its dialog.
#include <gtest/gtest.h>

#include "platform/Icon32.h"
#include "app/tray/TrayIcon.h"
#include "app/frmPagewick.h"
#include "fakes/fake_platform.h"
#include "fakes/main_window_fixture.h"
#include "options/hotkey/frmHotkey.h"

namespace pw {
namespace {

const std::string kFolder = "C:\\Programs\\Pagewick";
const std::string kIco = kFolder + "\\pagewick.ico";
const std::string kIni = kFolder + "\\pagewick.ini";

std::uint32_t At32(const std::vector<unsigned char>& r, size_t off) {
    return r[off] | (r[off + 1] << 8) | (r[off + 2] << 16) | (std::uint32_t(r[off + 3]) << 24);
}

class Main : public fake::MainWindowTest {
protected:
    fake::Form* form() { return static_cast<fake::Form*>(&main->form()); }
    void Notify(unsigned long id, long mouse) {
        long result = -1;
        EXPECT_TRUE(main->Message(WM_TRAYNOTIFY, id, mouse, result));
    }
    fake::Form* Dialog() {
        for (fake::Form* fm : f.ui.forms)
            if (fm->def.caption == "Global Hotkey" && !fm->destroyed) return fm;
        return nullptr;
    }
};

TEST_F(Main, TrayRecordHasTheFixedFieldsTheFileIconAndThePaddedTip) {
    f.fs.files[kIco] = "icon";
    ASSERT_TRUE(Start());
    ASSERT_EQ(f.shell.notifications.size(), 1u);
    EXPECT_EQ(f.shell.notifications[0].first, NIM_ADD_);
    const std::vector<unsigned char> r = f.shell.notifications[0].second;
    EXPECT_EQ(At32(r, 0), 88u);
    EXPECT_EQ(At32(r, 4), form()->hWnd());
    EXPECT_EQ(At32(r, 8), 1u);
    EXPECT_EQ(At32(r, 12), 7u);
    EXPECT_EQ(At32(r, 16), 0x8001u);
    EXPECT_EQ(At32(r, 20), f.shell.fileIcon);
    EXPECT_EQ(std::string(r.begin() + 24, r.end()), std::string("Pagewick") + '\0' + std::string(55, ' '));
    ASSERT_EQ(f.shell.fileLoads.size(), 1u);
    EXPECT_EQ(f.shell.fileLoads[0].name, kIco);
    EXPECT_EQ(f.shell.fileLoads[0].w, 16);
    EXPECT_EQ(f.shell.fileLoads[0].h, 16);

    // The unload step removes it with the same record.
    main->Command(mnuExit);
    ASSERT_EQ(f.shell.notifications.size(), 2u);
    EXPECT_EQ(f.shell.notifications[1].first, NIM_DELETE_);
    EXPECT_EQ(f.shell.notifications[1].second, r);
}

TEST_F(Main, TheIconFollowsTheShownWindowOnce) {
    // The window first; the icon on the timer that follows the window's painting.
    main = std::make_unique<frmPagewick>(f.platform);
    ASSERT_TRUE(main->Load());
    EXPECT_TRUE(form()->Visible());
    EXPECT_TRUE(f.shell.notifications.empty());
    ASSERT_TRUE(form()->FireTimer(Tray::kTrayIconTimer));
    ASSERT_EQ(f.shell.notifications.size(), 1u);
    EXPECT_EQ(f.shell.notifications[0].first, NIM_ADD_);
    EXPECT_FALSE(form()->FireTimer(Tray::kTrayIconTimer));
    main->Command(mnuExit);
    ASSERT_EQ(f.shell.notifications.size(), 2u);
    EXPECT_EQ(f.shell.notifications[1].first, NIM_DELETE_);
}

TEST_F(Main, MinimisedBeforeTheIconCameTheIconGoesFirst) {
    main = std::make_unique<frmPagewick>(f.platform);
    ASSERT_TRUE(main->Load());
    form()->SetState(vbMinimized);
    EXPECT_FALSE(form()->Visible());
    ASSERT_EQ(f.shell.notifications.size(), 1u);
    EXPECT_FALSE(form()->FireTimer(Tray::kTrayIconTimer));
    EXPECT_EQ(f.shell.notifications.size(), 1u);
}

TEST_F(Main, ClosedToTheTrayBeforeTheIconCameTheIconGoesFirst) {
    main = std::make_unique<frmPagewick>(f.platform);
    ASSERT_TRUE(main->Load());
    bool cancel = false;
    main->Form_QueryUnload(cancel, vbFormControlMenu);
    EXPECT_TRUE(cancel);
    EXPECT_FALSE(form()->Visible());
    ASSERT_EQ(f.shell.notifications.size(), 1u);
    EXPECT_FALSE(form()->FireTimer(Tray::kTrayIconTimer));
}

TEST_F(Main, StartedInTheTrayTheIconComesAtOnce) {
    f.app.command = "/background";
    main = std::make_unique<frmPagewick>(f.platform);
    ASSERT_TRUE(main->Load());
    ASSERT_EQ(f.shell.notifications.size(), 1u);
    EXPECT_FALSE(form()->FireTimer(Tray::kTrayIconTimer));
}

TEST(TrayTip, LongTextIsCutSoTheFieldStillEndsWithANul) {
    const auto tip = FormatTip(std::string(80, 'x'));
    EXPECT_EQ(std::string(tip.begin(), tip.end()), std::string(63, 'x') + '\0');
    const auto empty = FormatTip("");
    EXPECT_EQ(empty[0], '\0');
    EXPECT_EQ(empty[63], ' ');
}

TEST(TrayDecode, OnlyLeftDownAndRightUpOfOurIconWhileMinimised) {
    EXPECT_EQ(DecodeTrayNotification(1, 0x201, vbMinimized), TrayAction::Restore);
    EXPECT_EQ(DecodeTrayNotification(1, 0x205, vbMinimized), TrayAction::PopupMenu);
    for (long other : {0x200L, 0x202L, 0x203L, 0x204L, 0x206L, 0x207L, 0x208L, 0x209L, 0x400L})
        EXPECT_EQ(DecodeTrayNotification(1, other, vbMinimized), TrayAction::None) << other;
    for (int state : {vbNormal, vbMaximized}) {
        EXPECT_EQ(DecodeTrayNotification(1, 0x201, state), TrayAction::None);
        EXPECT_EQ(DecodeTrayNotification(1, 0x205, state), TrayAction::None);
    }
    EXPECT_EQ(DecodeTrayNotification(2, 0x201, vbMinimized), TrayAction::None);
}

TEST_F(Main, NotificationsRestoreAndOpenThePopupOnlyWhileHidden) {
    ASSERT_TRUE(Start());
    Notify(1, 0x201);
    Notify(1, 0x205);
    EXPECT_TRUE(form()->popups.empty());
    EXPECT_EQ(form()->bringToFrontCount, 0) << "a visible window is not brought forward";

    form()->SetState(vbMinimized);
    ASSERT_FALSE(form()->Visible());
    Notify(1, 0x203);   // double click: nothing of its own
    Notify(1, 0x200);
    EXPECT_FALSE(form()->Visible());
    Notify(1, 0x205);
    ASSERT_EQ(form()->popups, std::vector<int>{mnuPopup});
    Notify(1, 0x201);
    EXPECT_TRUE(form()->Visible());
    EXPECT_EQ(form()->State(), vbNormal);
    EXPECT_TRUE(f.ui.boxes.empty());
}

TEST_F(Main, PopupExitSavesTheNoteAndSettings) {
    ASSERT_TRUE(Start());
    main->txtNote().SetText("from the tray");
    form()->SetState(vbMinimized);
    Notify(1, 0x205);
    main->Command(mnuPopupExit);
    EXPECT_EQ(f.fs.files[kFolder + "\\pagewick.txt"], "from the tray");
    EXPECT_EQ(f.fs.files.count(kIni), 1u);
    EXPECT_TRUE(form()->destroyed);
}

// What the user finds in the tray, and what the main window's small icon becomes, for each
// state of pagewick.ico beside the program.
TEST(TrayImage, ReadableFileElseTheBuiltInIconAtTheSystemSmallIconSize) {
    struct Case {
        const char* what;
        bool fileThere;
        Handle fileReads;      // what loading the file gives; 0: not an icon
        Handle tray;           // the record's image
        Handle mainSmall;      // the main window's small icon after the icon-file rule
    };
    // 120 dpi: the system's small icons are 20 x 20; the fake hands out 0x5000 + width, so
    // the handle also tells the size the built-in group was asked for.
    const Handle builtIn = 0x5000 + 20;
    for (const Case& c : {Case{"no file", false, 0x7777, builtIn, builtIn},
                          Case{"unreadable file", true, 0, builtIn, 0},
                          Case{"readable file", true, 0x7777, 0x7777, 0x7777}}) {
        SCOPED_TRACE(c.what);
        fake::Fakes f;
        f.shell.metrics[49] = f.shell.metrics[50] = 20;
        f.shell.fileIcon = c.fileReads;
        if (c.fileThere) f.fs.files[kIco] = "icon";
        frmPagewick main(f.platform);
        ASSERT_TRUE(main.Load());
        static_cast<fake::Form&>(main.form()).FireTimer(Tray::kTrayIconTimer);   // the icon follows the window
        ASSERT_EQ(f.shell.notifications.size(), 1u);
        EXPECT_EQ(At32(f.shell.notifications[0].second, 20), c.tray);
        // The window-icon rule is the same as ever: an unreadable file clears the small icon.
        const Handle window = main.form().hWnd();
        Handle small = 1;
        for (const auto& s : f.shell.setIcons)
            if (s.window == window && s.which == ICON_SMALL_SLOT) small = s.icon;
        EXPECT_EQ(small, c.mainSmall);
    }
}

TEST_F(Main, RebuiltTaskbarGetsTheIconAgain) {
    ASSERT_TRUE(Start());   // no icon file: the built-in icon
    EXPECT_EQ(At32(f.shell.notifications[0].second, 20), 0x5000u + 16);
    const unsigned taskbarCreated = f.shell.registered.at("TaskbarCreated");
    long result = -1;
    EXPECT_TRUE(main->Message(taskbarCreated, 0, 0, result));
    ASSERT_EQ(f.shell.notifications.size(), 2u);
    EXPECT_EQ(f.shell.notifications[1].first, NIM_ADD_);
    EXPECT_EQ(f.shell.notifications[1].second, f.shell.notifications[0].second);
    EXPECT_FALSE(main->Message(0x9999, 0, 0, result));
}

TEST(WindowIcons, TopOwnerWalkGetsBothSizesBeforeTheWindow) {
    fake::Shell shell;
    shell.owners = {{0x10, 0x20}, {0x20, 0x30}};
    shell.metrics = {{11, 32}, {12, 32}, {49, 16}, {50, 16}};
    SetIcon(shell, 0x10, "AAA", true);
    ASSERT_EQ(shell.resourceLoads.size(), 2u);
    EXPECT_EQ(shell.resourceLoads[0].name, "AAA");
    EXPECT_EQ(shell.resourceLoads[0].w, 32);
    EXPECT_EQ(shell.resourceLoads[1].w, 16);
    EXPECT_EQ(shell.resourceLoads[1].h, 16);
    const Handle big = 0x5000 + 32, small = 0x5000 + 16;
    ASSERT_EQ(shell.setIcons.size(), 4u);
    const std::tuple<Handle, int, Handle> want[4] = {{0x30, 1, big}, {0x10, 1, big}, {0x30, 0, small}, {0x10, 0, small}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(shell.setIcons[i].window, std::get<0>(want[i])) << i;
        EXPECT_EQ(shell.setIcons[i].which, std::get<1>(want[i])) << i;
        EXPECT_EQ(shell.setIcons[i].icon, std::get<2>(want[i])) << i;
    }

    // Without an owner the window is its own top owner and gets each icon twice; without
    // the flag only once.
    fake::Shell alone;
    SetIcon(alone, 0x40, "AAA", true);
    ASSERT_EQ(alone.setIcons.size(), 4u);
    for (const auto& c : alone.setIcons) EXPECT_EQ(c.window, 0x40u);
    fake::Shell self;
    self.owners = {{0x10, 0x20}};
    SetIcon(self, 0x10, "AAA", false);
    ASSERT_EQ(self.setIcons.size(), 2u);
    EXPECT_EQ(self.setIcons[0].window, 0x10u);
}

TEST(WindowIcons, IconFileReplacesOnlyTheSmallIcon) {
    fake::Fakes f;
    ApplyIconFile(f.platform, 0x10, 0);
    EXPECT_TRUE(f.shell.setIcons.empty()) << "no file: the built-in icon stays";

    f.fs.files[kIco] = "icon";
    ApplyIconFile(f.platform, 0x10, 0);
    ASSERT_EQ(f.shell.fileLoads.size(), 1u);
    EXPECT_EQ(f.shell.fileLoads[0].name, kIco);
    ASSERT_EQ(f.shell.setIcons.size(), 1u);
    EXPECT_EQ(f.shell.setIcons[0].which, ICON_SMALL_SLOT);
    EXPECT_EQ(f.shell.setIcons[0].icon, f.shell.fileIcon);

    // The main window reuses the tray's handle; a broken file clears to the default.
    ApplyIconFile(f.platform, 0x20, 0x4242);
    EXPECT_EQ(f.shell.fileLoads.size(), 1u);
    EXPECT_EQ(f.shell.setIcons.back().icon, 0x4242u);
    f.shell.fileIcon = 0;
    ApplyIconFile(f.platform, 0x30, 0);
    EXPECT_EQ(f.shell.setIcons.back().window, 0x30u);
    EXPECT_EQ(f.shell.setIcons.back().icon, 0u);
}

TEST_F(Main, MainWindowSmallIconIsTheTrayIcon) {
    f.fs.files[kIco] = "icon";
    f.shell.fileIcon = 0x6161;
    ASSERT_TRUE(Start());
    ASSERT_EQ(f.shell.fileLoads.size(), 1u) << "loaded once, for the tray";
    ASSERT_FALSE(f.shell.setIcons.empty());
    EXPECT_EQ(f.shell.setIcons.back().window, form()->hWnd());
    EXPECT_EQ(f.shell.setIcons.back().which, ICON_SMALL_SLOT);
    EXPECT_EQ(f.shell.setIcons.back().icon, 0x6161u);
}

TEST(HotkeyControl, ArmsWhenEnabledAndReArmsOnEveryChange) {
    fake::Hotkeys hk;
    VBHotKey k(hk);
    EXPECT_EQ(k.vkey(), 83);
    EXPECT_TRUE(k.ctrlkey());
    EXPECT_TRUE(k.shiftkey());
    EXPECT_FALSE(k.altkey());
    EXPECT_FALSE(k.winkey());
    EXPECT_FALSE(k.enabled());
    k.SetWindow(0x99);
    EXPECT_TRUE(hk.registrations.empty());
    k.set_enabled(true);
    ASSERT_EQ(hk.armed.size(), 1u);
    EXPECT_EQ(hk.armed.begin()->second, (std::pair<unsigned, unsigned>{6, 83}));
    k.set_vkey('Q');
    k.set_winkey(true);
    EXPECT_EQ(hk.armed.begin()->second, (std::pair<unsigned, unsigned>{14, 'Q'}));
    EXPECT_EQ(hk.registrations.back().w, 0x99u);
    k.set_enabled(false);
    EXPECT_TRUE(hk.armed.empty());
    EXPECT_FALSE(k.Armed());
}

TEST(HotkeyControl, WarnsOnlyForTheFinalCombinationOfABatch) {
    fake::Hotkeys hk;
    hk.taken.insert({6, 83});   // Ctrl+Shift+S belongs to another program
    VBHotKey k(hk);
    std::vector<std::string> warnings;
    k.HotkeyWarning = [&](const std::string& a, const std::string& b) { warnings.push_back(a + "|" + b); };
    k.SetWindow(0x99);
    k.BeginUpdate();
    k.set_enabled(true);   // Ctrl+Shift+S for a moment
    k.set_vkey('T');
    k.EndUpdate();
    EXPECT_TRUE(warnings.empty());
    ASSERT_EQ(hk.registrations.size(), 1u);
    EXPECT_EQ(hk.registrations[0].vk, unsigned('T'));

    k.set_vkey('S');
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], "The hotkey Ctrl+Shift+S could not be activated|another program already uses it");
    EXPECT_FALSE(k.Armed());
    EXPECT_EQ(k.vkey(), 83) << "the properties read back as last set";

    // A bare key would swallow that key everywhere: refused with a warning.
    k.BeginUpdate();
    k.set_ctrlkey(false);
    k.set_shiftkey(false);
    k.set_vkey('A');
    k.EndUpdate();
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_NE(warnings[1].find("at least one of"), std::string::npos);
    EXPECT_EQ(hk.registrations.size(), 2u);
}

TEST_F(Main, HotkeyTogglesTheWindowAndWarningsAreShown) {
    f.hotkeys.taken.insert({6, 83});
    std::string ini = "Window Position\r\n0\r\n0\r\n5000\r\n6000\r\n\r\nFont Settings\r\n9.75\r\nTahoma\r\n0\r\n0\r\n\r\n"
                      "Transparency\r\n0\r\n\r\nGlobal Hotkey\r\n0\r\n-1\r\n-1\r\n-1\r\n83\r\n0\r\n";
    f.fs.files[kIni] = ini;
    ASSERT_TRUE(Start());
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text, "Warning: The hotkey Ctrl+Shift+S could not be activated, another program already uses it");
    EXPECT_EQ(f.ui.boxes[0].style, 65);
    EXPECT_EQ(f.ui.boxes[0].title, "Pagewick");

    f.hotkeys.taken.clear();
    main->parts().VBHotKey1.set_vkey('N');
    ASSERT_TRUE(main->parts().VBHotKey1.Armed());
    long result = 0;
    EXPECT_TRUE(main->Message(WM_HOTKEY_, 1, 0, result));
    EXPECT_FALSE(form()->Visible());
    EXPECT_EQ(form()->State(), vbMinimized);
    EXPECT_FALSE(f.app.taskVisible);
    EXPECT_TRUE(main->Message(WM_HOTKEY_, 1, 0, result));
    EXPECT_TRUE(form()->Visible());
    EXPECT_EQ(form()->State(), vbNormal);
    EXPECT_FALSE(f.app.taskVisible) << "showing does not switch the task-list entry back on";
    EXPECT_FALSE(main->Message(WM_HOTKEY_, 7, 0, result)) << "not our hotkey id";

    // Exit gives the combination back with the icon.
    main->Command(mnuExit);
    EXPECT_TRUE(f.hotkeys.armed.empty());
}

TEST(HotkeyKeys, KeyTextAndKeyCodeRules) {
    EXPECT_EQ(KeyTextFor(65), "A");
    EXPECT_EQ(KeyTextFor(90), "Z");
    EXPECT_EQ(KeyTextFor(48), "0");
    EXPECT_EQ(KeyTextFor(112), "F1");
    EXPECT_EQ(KeyTextFor(123), "F12");
    for (long other : {97L, 124L, 64L, 0L, 58L, 111L}) EXPECT_EQ(KeyTextFor(other), "") << other;

    long vk = 0;
    for (int n = 1; n <= 12; ++n) {
        EXPECT_TRUE(VkeyFor("F" + std::to_string(n), vk));
        EXPECT_EQ(vk, 111 + n);
    }
    const std::pair<const char*, long> codes[] = {{"A", 65}, {"a", 97}, {"7", 55}, {"Home", 72}, {"F", 70}, {"f1", 102}};
    for (const auto& c : codes) {
        EXPECT_TRUE(VkeyFor(c.first, vk)) << c.first;
        EXPECT_EQ(vk, c.second) << c.first;
    }
    vk = 1234;
    for (const char* same : {"F13", "F0", "Fx", "F 1", ""}) {
        EXPECT_FALSE(VkeyFor(same, vk)) << same;
        EXPECT_EQ(vk, 1234);
    }
}

TEST_F(Main, HotkeyDialogLayoutKeyListAndStateFromTheControl) {
    f.fs.files[kIco] = "icon";
    ASSERT_TRUE(Start());
    main->Command(mnuHotkey);
    fake::Form* d = Dialog();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->owner, form()->hWnd());
    EXPECT_EQ(d->def.clientWidth, 3645);
    EXPECT_EQ(d->def.clientHeight, 1485);
    EXPECT_EQ(d->def.style, unsigned(fsFixedDialog | fsNoTaskbar | fsCenterOwner));
    EXPECT_TRUE(d->visible);
    EXPECT_EQ(f.ui.modeless.count(d->hWnd()), 1u);
    std::string order;
    for (auto& c : d->controls) order += c->def.caption + "|";
    EXPECT_EQ(order, "Alt|CTRL|Shift|Windows||Activate Hotkey|");
    EXPECT_EQ(d->controls[4]->def.kind, ControlKind::ComboBox);
    EXPECT_TRUE(d->controls[4]->def.style & csDropDown);
    // The four boxes in one row, the key below on the left, the button to its right.
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(d->controls[i]->def.top, d->controls[0]->def.top);
        EXPECT_GT(d->controls[i]->def.left, d->controls[i - 1]->def.left + d->controls[i - 1]->def.width - 1);
    }
    EXPECT_GT(d->controls[4]->def.top, d->controls[0]->def.top + d->controls[0]->def.height);
    EXPECT_GE(d->controls[5]->def.left, d->controls[4]->def.left + d->controls[4]->def.width);
    for (auto& c : d->controls) EXPECT_LE(c->def.left + c->def.width, 3645);

    const auto& items = d->controls[4]->items;
    ASSERT_EQ(items.size(), 48u);
    EXPECT_EQ(items[0], "F1");
    EXPECT_EQ(items[11], "F12");
    EXPECT_EQ(items[12], "A");
    EXPECT_EQ(items[37], "Z");
    EXPECT_EQ(items[38], "0");
    EXPECT_EQ(items[47], "9");
    EXPECT_EQ(d->controls[0]->value, 0);
    EXPECT_EQ(d->controls[1]->value, 1);
    EXPECT_EQ(d->controls[2]->value, 1);
    EXPECT_EQ(d->controls[3]->value, 0);
    EXPECT_EQ(d->controls[4]->text, "S");
    // Its icons: built-in group for it and its owner chain, then the file as its small icon.
    EXPECT_EQ(f.shell.setIcons.back().window, d->hWnd());
    EXPECT_EQ(f.shell.setIcons.back().icon, f.shell.fileIcon);
    EXPECT_EQ(f.shell.fileLoads.size(), 2u);

    // Chosen again while open: the same dialog, not loaded again.
    main->Command(mnuHotkey);
    int open = 0;
    for (fake::Form* fm : f.ui.forms) open += fm->def.caption == "Global Hotkey" && !fm->destroyed;
    EXPECT_EQ(open, 1);
    EXPECT_EQ(d->controls[4]->items.size(), 48u);
}

TEST_F(Main, ActivateValidatesThenSetsTheControlAndEscCloses) {
    ASSERT_TRUE(Start());
    main->parts().VBHotKey1.set_vkey(97);   // typed lower-case a: no key text
    main->Command(mnuHotkey);
    fake::Form* d = Dialog();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Ctl(frmHotkey::cmb_key)->text, "");
    d->events.Command(frmHotkey::btnHotkey);
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text, "Invalid Hotkey combination...");
    EXPECT_EQ(f.ui.boxes[0].style, 4160);
    EXPECT_EQ(f.ui.boxes[0].title, "Pagewick");
    EXPECT_FALSE(main->parts().VBHotKey1.enabled());

    for (int id : {frmHotkey::chkAlt, frmHotkey::chkCtrl, frmHotkey::chkShift, frmHotkey::chkWindows})
        d->Ctl(id)->value = 0;
    d->Ctl(frmHotkey::cmb_key)->text = "K";
    d->events.Command(frmHotkey::btnHotkey);
    EXPECT_EQ(f.ui.boxes.size(), 2u) << "no modifier checked";
    EXPECT_FALSE(main->parts().VBHotKey1.enabled());
    EXPECT_TRUE(f.hotkeys.registrations.empty());

    // Only Windows checked is valid; Enter activates like the button.
    d->Ctl(frmHotkey::chkWindows)->value = 1;
    d->PressEnter();
    EXPECT_EQ(f.ui.boxes.size(), 2u);
    EXPECT_TRUE(main->parts().VBHotKey1.enabled());
    EXPECT_EQ(main->parts().VBHotKey1.vkey(), 'K');
    EXPECT_FALSE(main->parts().VBHotKey1.ctrlkey());
    EXPECT_FALSE(main->parts().VBHotKey1.shiftkey());
    EXPECT_TRUE(main->parts().VBHotKey1.winkey());
    ASSERT_EQ(f.hotkeys.registrations.size(), 1u) << "armed once for the whole change";
    EXPECT_EQ(f.hotkeys.registrations[0].mods, 8u);
    EXPECT_EQ(f.hotkeys.registrations[0].vk, unsigned('K'));

    // F13 keeps the key while the modifiers still change; the dialog stays open.
    d->Ctl(frmHotkey::chkAlt)->value = 1;
    d->Ctl(frmHotkey::cmb_key)->text = "F13";
    d->events.Command(frmHotkey::btnHotkey);
    EXPECT_EQ(main->parts().VBHotKey1.vkey(), 'K');
    EXPECT_TRUE(main->parts().VBHotKey1.altkey());
    EXPECT_TRUE(d->visible);
    EXPECT_TRUE(f.fs.writes.empty()) << "nothing is saved until the settings are written";

    // Esc closes it; the next opening reads the control afresh.
    const Handle closed = d->hWnd();
    d->PressEsc();
    EXPECT_TRUE(d->destroyed);
    EXPECT_EQ(f.ui.modeless.count(closed), 0u);
    main->Command(mnuHotkey);
    fake::Form* again = Dialog();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Ctl(frmHotkey::chkAlt)->value, 1);
    EXPECT_EQ(again->Ctl(frmHotkey::cmb_key)->text, "K");

    // Exit writes the new combination, armed at the next start, and closes the dialog.
    main->Command(mnuExit);
    EXPECT_TRUE(again->destroyed);
    const std::string& ini = f.fs.files[kIni];
    EXPECT_NE(ini.find("Global Hotkey\r\n-1\r\n0\r\n-1\r\n0\r\n75\r\n-1\r\n"), std::string::npos) << ini;
}

}  // namespace
}  // namespace pw
