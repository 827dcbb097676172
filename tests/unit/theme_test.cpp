// Dark apps: the user's choice read at start and followed while the program runs, high
// contrast over both, the system's parts only where Windows has them, and colours that keep
// every text readable.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "fakes/fake_appearance.h"
#include "fakes/main_window_fixture.h"
#include "options/theme/Theme.h"

namespace pw::fake {
namespace {

const std::string kPersonalize = Theme::kPersonalizeKey;

class DarkApps : public MainWindowTest {
protected:
    Appearance looks;
    void SetUp() override { f.platform.appearance = &looks; }
    void Choose(int light) {
        f.registry.keys.insert(kPersonalize);
        const unsigned char bytes[4] = {static_cast<unsigned char>(light), 0, 0, 0};
        f.registry.values[kPersonalize + "\\AppsUseLightTheme"] =
            Registry::Value(REG_DWORD_, std::string(reinterpret_cast<const char*>(bytes), 4));
    }
    // Windows says the app mode changed, as it does to every top-level window.
    bool Announce(const char* area) {
        long result = 0;
        return main->Message(0x001A, 0, static_cast<long>(reinterpret_cast<intptr_t>(area)), result);
    }
    const Appearance::Applied& Last() { return looks.applied.back(); }
};

TEST_F(DarkApps, ADarkChoiceMakesEveryWindowDarkFromTheStart) {
    Choose(0);
    ASSERT_TRUE(Start());
    // Applied once, before the main window was made, so every window is made dark.
    ASSERT_EQ(looks.applied.size(), 1u);
    EXPECT_TRUE(Last().palette.dark);
    EXPECT_EQ(Last().palette.pictures, "_DARK");
    EXPECT_EQ(Last().looks.titleBarAttribute, 20);
    EXPECT_TRUE(Last().looks.darkTitleBar);
    EXPECT_EQ(Last().looks.scrollBars, 1);
    EXPECT_EQ(looks.appModes, std::vector<int>{2});   // force dark: menus and scroll bars
    EXPECT_EQ(main->parts().theme.mode(), ThemeMode::Dark);
    EXPECT_TRUE(f.registry.open.empty());   // the key is closed again
}

TEST_F(DarkApps, NoValueOrALightChoiceLeavesTheProgramAsItWas) {
    ASSERT_TRUE(Start());   // no Personalize key at all (older Windows)
    ASSERT_EQ(looks.applied.size(), 1u);
    EXPECT_FALSE(Last().palette.dark);
    EXPECT_EQ(Last().palette.pictures, "");
    EXPECT_EQ(Last().palette.Resolve(SystemColor(COLOR_BTNFACE_INDEX)), SystemColor(COLOR_BTNFACE_INDEX));
    EXPECT_EQ(Last().looks.titleBarAttribute, 0);   // nothing of the system's is touched
    EXPECT_EQ(Last().looks.scrollBars, 0);
    EXPECT_TRUE(looks.appModes.empty());

    Choose(1);
    EXPECT_TRUE(Announce("ImmersiveColorSet"));
    EXPECT_EQ(looks.applied.size(), 1u);   // still light: nothing to repaint
}

TEST_F(DarkApps, HighContrastWinsOverADarkChoice) {
    Choose(0);
    looks.highContrast = true;
    ASSERT_TRUE(Start());
    EXPECT_EQ(main->parts().theme.mode(), ThemeMode::HighContrast);
    EXPECT_FALSE(Last().palette.dark);
    EXPECT_TRUE(looks.appModes.empty());
    // High contrast switched off: the dark choice shows.
    looks.highContrast = false;
    long result = 0;
    EXPECT_TRUE(main->Message(0x001A, 0x0043 /* SPI_SETHIGHCONTRAST */, 0, result));
    EXPECT_TRUE(Last().palette.dark);
}

TEST_F(DarkApps, SwitchingTheChoiceWhileRunningFollowsItBothWays) {
    Choose(1);
    ASSERT_TRUE(Start());
    const std::string note = "kept";
    main->txtNote().SetText(note);
    main->txtNote().SetSelStart(2);

    Choose(0);
    EXPECT_FALSE(Announce("Policy"));   // another setting: not read
    EXPECT_EQ(looks.applied.size(), 1u);
    EXPECT_TRUE(Announce("ImmersiveColorSet"));
    ASSERT_EQ(looks.applied.size(), 2u);
    EXPECT_TRUE(Last().palette.dark);
    EXPECT_TRUE(Last().looks.darkTitleBar);

    Choose(1);
    EXPECT_TRUE(Announce("ImmersiveColorSet"));
    ASSERT_EQ(looks.applied.size(), 3u);
    EXPECT_FALSE(Last().palette.dark);
    // The way back undoes what dark did to the system's parts.
    EXPECT_EQ(Last().looks.titleBarAttribute, 20);
    EXPECT_FALSE(Last().looks.darkTitleBar);
    EXPECT_EQ(Last().looks.scrollBars, 2);
    EXPECT_EQ(looks.appModes, (std::vector<int>{2, 0}));
    // The note box is the same box, with its text and caret.
    EXPECT_EQ(main->txtNote().Text(), note);
    EXPECT_EQ(main->txtNote().SelStart(), 2);
}

TEST_F(DarkApps, TheSystemsDarkPartsOnlyWhereTheBuildHasThem) {
    struct Case { unsigned long build; bool appMode; int attribute; int scrollBars; size_t modes; };
    const Case cases[] = {
        {22631, true, 20, 1, 1},    // Windows 11
        {18985, true, 20, 1, 1},    // the attribute's final number
        {18362, true, 19, 1, 1},    // Windows 10 1903: the number before
        {17763, false, 19, 0, 0},   // uxtheme without ordinal 135 (as under Wine): title bar only
        {17134, true, 0, 0, 0},     // before dark apps: nothing called
    };
    for (const Case& c : cases) {
        Fakes fakes;
        Appearance a;
        a.build = c.build;
        a.hasAppMode = c.appMode;
        fakes.platform.appearance = &a;
        fakes.registry.keys.insert(kPersonalize);
        fakes.registry.values[kPersonalize + "\\AppsUseLightTheme"] = Registry::Value(REG_DWORD_, std::string(4, '\0'));
        Theme theme(fakes.platform);
        theme.Follow();
        ASSERT_EQ(a.applied.size(), 1u) << c.build;
        EXPECT_TRUE(a.applied[0].palette.dark) << c.build;
        EXPECT_EQ(a.applied[0].looks.titleBarAttribute, c.attribute) << c.build;
        EXPECT_EQ(a.applied[0].looks.scrollBars, c.scrollBars) << c.build;
        EXPECT_EQ(a.appModes.size(), c.modes) << c.build;
    }
}

TEST(Palette, EveryTextKeepsSevenToOneAgainstItsBackground) {
    const Palette d = DarkPalette();
    auto ratio = [&](Color text, Color back) { return ContrastRatio(d.Resolve(text), d.Resolve(back)); };
    struct Pair { const char* what; Color text, back; };
    const Pair pairs[] = {
        {"note text on the note", SystemColor(kColorWindowText), SystemColor(kColorWindow)},
        {"window text on the face", SystemColor(kColorBtnText), SystemColor(kColorBtnFace)},
        {"About text on its panel", SystemColor(kColorWindowText), InkColor(Ink::Panel)},
        {"a link on the panel", InkColor(Ink::Link), InkColor(Ink::Panel)},
        {"a pressed link on the panel", InkColor(Ink::LinkPressed), InkColor(Ink::Panel)},
    };
    for (const Pair& p : pairs) {
        const double r = ratio(p.text, p.back);
        std::printf("dark: %-28s %5.2f:1\n", p.what, r);
        EXPECT_GE(r, 7.0) << p.what;
    }
    // Light keeps today's colours: black on the white panel, the blue link.
    const Palette l = LightPalette();
    EXPECT_GE(ContrastRatio(RGBColor(0, 0, 0), l.Resolve(InkColor(Ink::Panel))), 7.0);
    EXPECT_GE(ContrastRatio(l.Resolve(InkColor(Ink::Link)), l.Resolve(InkColor(Ink::Panel))), 7.0);
}

TEST(Palette, ControlsTheSystemDrawsAreCarriedIntoTheDarkFace) {
    PixelMap m;   // light face 240 to dark face 41, black text to 240
    EXPECT_EQ(m.Map(0xF0F0F0), 0x292929u);
    EXPECT_EQ(m.Map(0x000000), 0xF0F0F0u);
    EXPECT_LT(m.Map(0xFFFFFF) & 0xFF, 41u);   // a light edge becomes a darker one
    EXPECT_EQ(m.Map(0x0078D7), 0x0078D7u);    // a blue focus stays blue
    // Grey between them (a disabled caption) lands between them.
    const unsigned grey = m.Map(0x808080) & 0xFF;
    EXPECT_GT(grey, 41u);
    EXPECT_LT(grey, 240u);
}

}  // namespace
}  // namespace pw::fake
