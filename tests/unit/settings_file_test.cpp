// pagewick.ini: the writer's 25 lines, the reader's conversions, and what a damaged file
// does to the start-up.
#include <gtest/gtest.h>

#include "app/frmPagewick.h"
#include "fakes/fake_platform.h"
#include "fakes/main_window_fixture.h"
#include "storage/SettingsFile.h"

namespace pw {
namespace {

const std::string kFolder = "C:\\Programs\\Pagewick";
const std::string kIni = kFolder + "\\pagewick.ini";

std::vector<std::string> CrLfLines(const std::string& t) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < t.size()) {
        size_t end = t.find("\r\n", pos);
        if (end == std::string::npos) {
            ADD_FAILURE() << "text after the last CR LF: " << t.substr(pos);
            break;
        }
        lines.push_back(t.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines, const char* eol = "\r\n") {
    std::string out;
    for (const auto& l : lines) out += l + eol;
    return out;
}

std::vector<std::string> SoundLines() {
    return {"Window Position", "1200", "-300", "5000", "6000", "", "Font Settings", "12",
            "Courier New", "-1", "0", "", "Transparency", "40", "", "Global Hotkey",
            "0", "-1", "-1", "0", "72", "-1"};
}

TEST(SettingsNumbers, WholeFractionalNegativeAndLargeValuesAsTheRunTimeWritesThem) {
    EXPECT_EQ(FormatNumber(7245, "."), "7245");
    EXPECT_EQ(FormatNumber(-120, "."), "-120");
    EXPECT_EQ(FormatNumber(9.75f, "."), "9.75");
    EXPECT_EQ(FormatNumber(9.75f, ","), "9,75");
    EXPECT_EQ(FormatNumber(0.1f, "."), "0.1");          // no float noise
    EXPECT_EQ(FormatNumber(1.0f / 3, "."), "0.3333333");  // 7 significant digits
    EXPECT_EQ(FormatNumber(1234567, "."), "1234567");
    EXPECT_EQ(FormatNumber(12345678, "."), "12345680");
    EXPECT_EQ(FormatNumber(-0.0f, "."), "0");
    EXPECT_EQ(FormatNumber(1e20f, "."), "1E+20");
    EXPECT_EQ(FormatBool(true), "-1");
    EXPECT_EQ(FormatBool(false), "0");
}

TEST(SettingsNumbers, ReaderTakesTheUsersSeparatorAndRejectsWhatIsNotANumber) {
    float v = 0;
    EXPECT_TRUE(ParseSingle("9.75", ".", v));
    EXPECT_FLOAT_EQ(v, 9.75f);
    EXPECT_TRUE(ParseSingle("9,75", ",", v));
    EXPECT_FLOAT_EQ(v, 9.75f);
    EXPECT_TRUE(ParseSingle("9.75", ",", v)) << "a file from a '.' locale still reads";
    EXPECT_FLOAT_EQ(v, 9.75f);
    EXPECT_TRUE(ParseSingle("9,75", ".", v)) << "and one from a ',' locale";
    EXPECT_FLOAT_EQ(v, 9.75f);
    EXPECT_TRUE(ParseSingle("-0,5", ".", v));
    EXPECT_FLOAT_EQ(v, -0.5f);
    EXPECT_TRUE(ParseSingle(" -300 ", ".", v));
    EXPECT_FLOAT_EQ(v, -300);
    EXPECT_TRUE(ParseSingle("1E+20", ".", v));
    for (const char* bad : {"", " ", "abc", "12abc", "1,234.5", "9,75,1", "1.2.3", ",", "-", ".", "1e", "1e40", "nan",
                            "inf", "0x10"}) {
        EXPECT_FALSE(ParseSingle(bad, ".", v)) << "'" << bad << "'";
    }
    EXPECT_FALSE(ParseSingle("9,75,1", ",", v));
}

TEST(SettingsNumbers, BooleansAcceptNumbersAndWordsInAnyCase) {
    bool b = false;
    const std::pair<const char*, bool> good[] = {{"-1", true}, {"0", false}, {"True", true}, {"False", false},
                                                 {"TRUE", true}, {"false", false}, {" -1 ", true}, {"1", true}};
    for (const auto& g : good) {
        b = !g.second;
        EXPECT_TRUE(ParseBool(g.first, ".", b)) << g.first;
        EXPECT_EQ(b, g.second) << g.first;
    }
    for (const char* bad : {"", "yes", "Tru", "-1x"}) EXPECT_FALSE(ParseBool(bad, ".", b)) << bad;
}

TEST(SettingsNumbers, KeyCodeRoundsHalvesToEvenAndMustFitThirtyTwoBits) {
    long k = 0;
    const std::pair<const char*, long> cases[] = {{"65.5", 66}, {"64.5", 64}, {"65.4", 65}, {"65.6", 66},
                                                  {"-2.5", -2}, {"83", 83}, {"2147483647", 2147483647}};
    for (const auto& c : cases) {
        EXPECT_TRUE(ParseLong(c.first, ".", k)) << c.first;
        EXPECT_EQ(k, c.second) << c.first;
    }
    EXPECT_TRUE(ParseLong("65,5", ",", k));
    EXPECT_EQ(k, 66);
    EXPECT_FALSE(ParseLong("2147483648", ".", k));
    EXPECT_FALSE(ParseLong("-2147483649", ".", k));
    EXPECT_FALSE(ParseLong("S", ".", k));
}

TEST(SettingsFileText, WriterGivesTheTwentyTwoLinesThenStatusBarAndWordWrap) {
    Settings s;
    s.top = 1200; s.left = -300; s.height = 5000; s.width = 6000;
    s.font = {"Courier New", 12, true, false};
    s.transparency = "40";
    s.altkey = false; s.ctrlkey = true; s.enabled = true; s.shiftkey = false; s.vkey = 72; s.winkey = true;
    std::vector<std::string> expected = SoundLines();
    expected.insert(expected.end(), {"0", "-1", "-1"});   // no status bar, word wrap on, marks on
    EXPECT_EQ(CrLfLines(FormatSettings(s, ".")), expected);

    s.font.size = 9.75f;
    s.statusBar = true;
    s.wordWrap = false;
    s.spellAsYouType = false;
    const auto comma = CrLfLines(FormatSettings(s, ","));
    ASSERT_EQ(comma.size(), 25u);
    EXPECT_EQ(comma[22], "-1");
    EXPECT_EQ(comma[23], "0");
    EXPECT_EQ(comma[24], "0");
    EXPECT_EQ(comma[7], "9,75");
}

TEST(SettingsFileText, ReaderSkipsSectionLinesAndAcceptsBareLineFeeds) {
    auto lines = SoundLines();
    for (int i : {0, 5, 6, 11, 12, 14, 15}) lines[i] = "[anything " + std::to_string(i) + "]";
    for (const char* eol : {"\r\n", "\n", "\r"}) {
        Settings s;
        EXPECT_EQ(ParseSettings(Join(lines, eol), ".", s), 22) << "line end " << int(eol[0]);
        EXPECT_EQ(s.top, 1200);
        EXPECT_EQ(s.left, -300);
        EXPECT_EQ(s.height, 5000);
        EXPECT_EQ(s.width, 6000);
        EXPECT_EQ(s.font, (FontSpec{"Courier New", 12, true, false}));
        EXPECT_EQ(s.transparency, "40");
        EXPECT_FALSE(s.altkey);
        EXPECT_TRUE(s.ctrlkey);
        EXPECT_TRUE(s.enabled);
        EXPECT_FALSE(s.shiftkey);
        EXPECT_EQ(s.vkey, 72);
        EXPECT_TRUE(s.winkey);
    }
    // The last line without its line end still counts.
    Settings s;
    std::string text = Join(SoundLines());
    text.resize(text.size() - 2);
    EXPECT_EQ(ParseSettings(text, ".", s), 22);
    EXPECT_TRUE(s.winkey);
}

TEST(SettingsFileText, EachLineThatDoesNotReadFallsBackAloneAndTheRestIsRead) {
    struct Case { int line; const char* text; };
    const Case cases[] = {{2, "top"}, {4, ""}, {8, "big"}, {8, "0"}, {8, "-3"}, {10, "maybe"},
                          {19, "on"}, {21, "S"}, {21, "1e12"}, {22, ""}};
    for (const Case& c : cases) {
        auto lines = SoundLines();
        lines[c.line - 1] = c.text;
        Settings s;
        const Settings before = s;
        EXPECT_EQ(ParseSettings(Join(lines), ".", s), 21) << "line " << c.line << " '" << c.text << "'";
        // The bad line's field keeps what it held; every other line is read.
        EXPECT_EQ(s.top, c.line == 2 ? before.top : 1200) << c.line;
        EXPECT_EQ(s.height, c.line == 4 ? before.height : 5000) << c.line;
        EXPECT_EQ(s.font.size, c.line == 8 ? before.font.size : 12) << c.line;
        EXPECT_EQ(s.font.name, "Courier New") << c.line;
        EXPECT_EQ(s.font.bold, c.line == 10 ? before.font.bold : true) << c.line;
        EXPECT_EQ(s.transparency, "40") << c.line;
        EXPECT_EQ(s.enabled, c.line == 19 ? before.enabled : true) << c.line;
        EXPECT_EQ(s.vkey, c.line == 21 ? before.vkey : 72) << c.line;
        EXPECT_EQ(s.winkey, c.line == 22 ? before.winkey : true) << c.line;
    }
    // Short files: what is there is read.
    for (int n : {0, 1, 3, 9, 21}) {
        const auto all = SoundLines();
        std::vector<std::string> lines(all.begin(), all.begin() + n);
        Settings s;
        EXPECT_EQ(ParseSettings(Join(lines), ".", s), n);
    }
}

// A file written where the decimal separator is "," read where it is ".", and the other way
// round: the same values.
TEST(SettingsFileText, AFileFromAnotherLocaleReadsTheSame) {
    Settings s;
    s.top = 1200.5f;
    s.left = -300;
    s.height = 5000;
    s.width = 6000.25f;
    s.font = {"Segoe UI", 9.75f, false, true};
    s.transparency = "30";
    s.vkey = 72;
    for (const char* written : {",", "."}) {
        for (const char* reading : {".", ","}) {
            const std::string file = FormatSettings(s, written);
            Settings r;
            EXPECT_EQ(ParseSettings(file, reading, r), kSettingsFileLines) << written << " read as " << reading;
            EXPECT_EQ(r.top, 1200.5f);
            EXPECT_EQ(r.width, 6000.25f);
            EXPECT_EQ(r.font, s.font);
            EXPECT_EQ(r.transparency, "30");
            EXPECT_EQ(r.vkey, 72);
        }
    }
}

class SettingsStart : public fake::MainWindowTest {
protected:
    fake::Form* form() { return static_cast<fake::Form*>(&main->form()); }
    void Restart() {
        main.reset();
        f.hotkeys.armed.clear();
        f.hotkeys.registrations.clear();
        ASSERT_TRUE(Start());
    }
};

TEST_F(SettingsStart, EverythingSurvivesARestartAlsoWithCommaDecimals) {
    f.app.decimalSeparator = ",";
    ASSERT_TRUE(Start());
    form()->Move(-4000, 10000, 5000.5f, 6000);   // partly off the screen: kept as it is
    FontSpec font{"Lucida Console", 9.75f, false, true};
    main->txtNote().SetFont(font);
    main->parts().transparency.set("30");
    main->parts().VBHotKey1.BeginUpdate();
    main->parts().VBHotKey1.set_enabled(true);
    main->parts().VBHotKey1.set_altkey(true);
    main->parts().VBHotKey1.set_vkey(112);
    main->parts().VBHotKey1.EndUpdate();
    main->Command(mnuExit);
    ASSERT_TRUE(form()->destroyed);
    const auto lines = CrLfLines(f.fs.files[kIni]);
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines[3], "6000");
    EXPECT_EQ(lines[4], "5000,5");
    EXPECT_EQ(lines[7], "9,75");

    Restart();
    EXPECT_EQ(form()->Left(), -4000);
    EXPECT_EQ(form()->Top(), 10000);
    EXPECT_EQ(form()->Width(), 5000.5f);
    EXPECT_EQ(form()->Height(), 6000);
    EXPECT_EQ(main->txtNote().Font(), font);
    EXPECT_EQ(main->parts().transparency.value(), "30");
    EXPECT_TRUE(main->parts().VBHotKey1.enabled());
    EXPECT_TRUE(main->parts().VBHotKey1.altkey());
    EXPECT_EQ(main->parts().VBHotKey1.vkey(), 112);
    // Armed once, with the final combination.
    ASSERT_EQ(f.hotkeys.registrations.size(), 1u);
    EXPECT_EQ(f.hotkeys.registrations[0].mods, 1u | 2u | 4u);
    EXPECT_EQ(f.hotkeys.registrations[0].vk, 112u);
    EXPECT_EQ(f.hotkeys.registrations[0].w, form()->hWnd());
    EXPECT_TRUE(f.ui.boxes.empty());
}

TEST_F(SettingsStart, MaximisedWindowStoresItsBoundsAndStartsNormalWithThem) {
    ASSERT_TRUE(Start());
    form()->SetState(vbMaximized);
    main->Command(mnuExit);
    const auto lines = CrLfLines(f.fs.files[kIni]);
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines[3], FormatNumber(form()->maxHeight, "."));
    EXPECT_EQ(lines[4], FormatNumber(form()->maxWidth, "."));
    Restart();
    EXPECT_EQ(form()->State(), vbNormal);
    EXPECT_EQ(form()->Width(), form()->maxWidth);
    EXPECT_EQ(form()->Height(), form()->maxHeight);
}

TEST_F(SettingsStart, WindowInTheTrayStoresItsNormalBounds) {
    ASSERT_TRUE(Start());
    form()->Move(100, 200, 3000, 4000);
    form()->SetState(vbMinimized);
    main->Command(mnuExit);
    const auto lines = CrLfLines(f.fs.files[kIni]);
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.begin() + 5),
              (std::vector<std::string>{"200", "100", "4000", "3000"}));
}

TEST_F(SettingsStart, GarbageOrShortFileStillStartsWithDefaultsOnlyForWhatDoesNotRead) {
    auto lines = SoundLines();
    lines[7] = "twelve";   // the font size: only it falls back
    f.fs.files[kIni] = Join(lines);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(form()->Visible());
    EXPECT_EQ(form()->Top(), 1200);
    EXPECT_EQ(form()->Width(), 6000);
    EXPECT_EQ(main->txtNote().Font(), (FontSpec{"Courier New", FontSpec().size, true, false}));
    EXPECT_EQ(main->parts().transparency.value(), "40");
    EXPECT_TRUE(main->parts().VBHotKey1.enabled());
    EXPECT_EQ(main->parts().VBHotKey1.vkey(), 72);
    EXPECT_TRUE(f.ui.boxes.empty());
    // Exit writes back what was read, the default in the line that did not read.
    main->Command(mnuExit);
    auto back = SoundLines();
    back[7] = "9.75";
    back.insert(back.end(), {"0", "-1", "-1"});   // the lines this version adds, at their defaults
    EXPECT_EQ(CrLfLines(f.fs.files[kIni]), back);

    fake::Fakes g;
    g.fs.files[kIni] = "Window Position\r\n500\r\n";
    frmPagewick w(g.platform);
    ASSERT_TRUE(w.Load());
    EXPECT_EQ(w.form().Top(), 500);
    EXPECT_EQ(w.form().Width(), 8445);
    EXPECT_EQ(w.form().Height(), 7245);
    EXPECT_TRUE(w.form().Visible());
}

// A settings file far larger than any this program writes (damaged, or another program's) is
// judged by its size and never read: the user is told, the program starts with its defaults,
// the file stays as it is until the settings are next saved.
TEST_F(SettingsStart, HugeFileIsNotReadTheProgramStartsWithDefaultsAndTheUserIsTold) {
    f.fs.files[kIni] = Join(SoundLines());
    f.fs.sizes[kIni] = 1100ll << 20;
    f.fs.unreadable.insert(kIni);   // reading it would be the fault
    ASSERT_TRUE(Start());
    EXPECT_TRUE(form()->Visible());
    EXPECT_EQ(form()->Width(), 8445);
    EXPECT_EQ(form()->Height(), 7245);
    EXPECT_EQ(main->parts().transparency.value(), "0");
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text,
              "The settings file " + std::string(kIni) + " was not read: it is 1,100 MB, more than the 8 KB such a "
              "file may be.\r\n\r\nIt is left as it is for now, and Pagewick starts with its default settings. "
              "They are written over it when the settings are next saved.");
    EXPECT_EQ(f.ui.boxes[0].style, vbExclamation);
    EXPECT_TRUE(f.fs.writes.empty());
    f.fs.unreadable.clear();
    f.fs.sizes.clear();
    main->Command(mnuSavePrefs);
    EXPECT_EQ(CrLfLines(f.fs.files[kIni]).size(), 25u);
}

TEST_F(SettingsStart, FailedWriteIsReportedKeepsTheOldFileAndExitStillEnds) {
    f.fs.files[kIni] = Join(SoundLines());
    f.fs.unwritable.insert(kIni);
    ASSERT_TRUE(Start());
    main->Command(mnuExit);
    // The note was saved: settings alone do not hold the program, but the user is told.
    EXPECT_TRUE(form()->destroyed);
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_NE(f.ui.boxes[0].text.find(kIni), std::string::npos);
    EXPECT_NE(f.ui.boxes[0].text.find("Access is denied."), std::string::npos);
    EXPECT_NE(f.ui.boxes[0].text.find("The note was saved."), std::string::npos) << f.ui.boxes[0].text;
    EXPECT_EQ(f.fs.files[kIni], Join(SoundLines()));
}

}  // namespace
}  // namespace pw
