// The registry routines against the fake registry, the Run value's text, and the
// "Run at Startup" entry with the start-up check.
#include <gtest/gtest.h>

#include "app/frmPagewick.h"
#include "fakes/fake_platform.h"
#include "fakes/main_window_fixture.h"
#include "options/startup/Registry.h"
#include "options/startup/RunAtStartup.h"

namespace pw {
namespace {

const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kOwn = "\"C:\\Programs\\Pagewick\\pagewick.exe\" /background";

TEST(Registry, SetKeyValueWritesTextWithItsNullOrFourBytesIntoAnExistingKeyOnly) {
    fake::Registry reg;
    EXPECT_EQ(SetKeyValue(reg, HKEY_CURRENT_USER_, kRun, "Text", std::string("abc"), REG_SZ_), 0);
    ASSERT_EQ(reg.opens.size(), 1u);
    EXPECT_EQ(reg.opens[0].root, 0x80000001u);
    EXPECT_EQ(reg.opens[0].path, kRun);
    EXPECT_EQ(reg.opens[0].access, 0x3Fu);
    EXPECT_EQ(reg.values[kRun + "\\Text"].type, 1u);
    EXPECT_EQ(reg.values[kRun + "\\Text"].data, std::string("abc\0", 4));   // size = length + 1
    EXPECT_EQ(SetKeyValue(reg, HKEY_CURRENT_USER_, kRun, "Empty", std::string(), REG_SZ_), 0);
    EXPECT_EQ(reg.values[kRun + "\\Empty"].data, std::string(1, '\0'));

    EXPECT_EQ(SetKeyValue(reg, HKEY_CURRENT_USER_, kRun, "N", std::int32_t(0x01020304), REG_DWORD_), 0);
    EXPECT_EQ(reg.values[kRun + "\\N"].type, 4u);
    EXPECT_EQ(reg.values[kRun + "\\N"].data, std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(SetKeyValue(reg, HKEY_CURRENT_USER_, kRun, "M", std::string("-2"), REG_DWORD_), 0);
    EXPECT_EQ(reg.values[kRun + "\\M"].data, std::string("\xFE\xFF\xFF\xFF", 4));
    EXPECT_EQ(SetKeyValue(reg, HKEY_CURRENT_USER_, kRun, "X", std::string("many"), REG_DWORD_), 87);
    // Other types: nothing is written, status 0.
    EXPECT_EQ(SetKeyValue(reg, HKEY_CURRENT_USER_, kRun, "B", std::string("ab"), 3), 0);
    EXPECT_FALSE(reg.values.count(kRun + "\\X"));
    EXPECT_FALSE(reg.values.count(kRun + "\\B"));
    EXPECT_TRUE(reg.open.empty());   // every key closed again
    EXPECT_EQ(reg.closes, 6);

    // A missing key: its status, nothing written, the key is not made.
    EXPECT_EQ(SetKeyValue(reg, HKEY_CURRENT_USER_, "Software\\Nowhere", "Text", std::string("x"), REG_SZ_), 2);
    EXPECT_FALSE(reg.keys.count("Software\\Nowhere"));
    EXPECT_EQ(reg.values.size(), 4u);
    EXPECT_EQ(reg.closes, 6);
    // A failed write returns the platform's status.
    reg.readOnly = true;
    EXPECT_EQ(SetKeyValue(reg, HKEY_CURRENT_USER_, kRun, "Text", std::string("new"), REG_SZ_), 5);
    EXPECT_TRUE(reg.open.empty());
}

TEST(Registry, GetKeyValueStripsTheStoredNullAndGivesEmptyTextForWhatItCannotRead) {
    fake::Registry reg;
    reg.values[kRun + "\\Text"] = "abc";                                 // stored with its null
    reg.values[kRun + "\\Bare"] = fake::Registry::Value(1, "abc");      // someone wrote no null
    reg.values[kRun + "\\Empty"] = fake::Registry::Value(1, "");
    reg.values[kRun + "\\N"] = fake::Registry::Value(4, std::string("\x05\0\0\0", 4));
    reg.values[kRun + "\\Exp"] = fake::Registry::Value(2, std::string("%TEMP%\0", 7));
    EXPECT_EQ(GetKeyValue(reg, HKEY_CURRENT_USER_, kRun, "Text"), "abc");
    EXPECT_EQ(GetKeyValue(reg, HKEY_CURRENT_USER_, kRun, "Bare"), "ab");
    EXPECT_EQ(GetKeyValue(reg, HKEY_CURRENT_USER_, kRun, "Empty"), "");
    EXPECT_EQ(GetKeyValue(reg, HKEY_CURRENT_USER_, kRun, "N"), "");
    EXPECT_EQ(GetKeyValue(reg, HKEY_CURRENT_USER_, kRun, "Exp"), "");
    EXPECT_EQ(GetKeyValue(reg, HKEY_CURRENT_USER_, kRun, "Missing"), "");
    EXPECT_EQ(reg.opens.back().access, 0x3Fu);
    EXPECT_TRUE(reg.open.empty());
    // A key that cannot be opened is neither queried nor closed.
    const int queries = reg.queries, closes = reg.closes;
    EXPECT_EQ(GetKeyValue(reg, HKEY_CURRENT_USER_, "Software\\Nowhere", "Text"), "");
    EXPECT_EQ(reg.queries, queries);
    EXPECT_EQ(reg.closes, closes);
}

TEST(Registry, ReadValueKeepsTheNullReadsNumbersAndLeavesOtherTypesUntouched) {
    fake::Registry reg;
    reg.values[kRun + "\\Text"] = "Pagewick";
    reg.values[kRun + "\\N"] = fake::Registry::Value(4, std::string("\xFF\xFF\xFF\xFF", 4));
    reg.values[kRun + "\\Bin"] = fake::Registry::Value(3, "xy");
    Handle key = 0;
    ASSERT_EQ(reg.OpenKey(HKEY_CURRENT_USER_, kRun, kRegistryAccess, key), 0);
    RegValue v = std::string("before");
    EXPECT_EQ(ReadValue(reg, key, "Text", v), 0);
    EXPECT_EQ(std::get<std::string>(v), std::string("Pagewick\0", 9));
    EXPECT_EQ(ReadValue(reg, key, "N", v), 0);
    EXPECT_EQ(std::get<std::int32_t>(v), -1);
    v = std::string("before");
    EXPECT_EQ(ReadValue(reg, key, "Bin", v), kRegistryOtherType);
    EXPECT_EQ(std::get<std::string>(v), "before");
    EXPECT_EQ(ReadValue(reg, key, "Missing", v), 2);
    EXPECT_EQ(std::get<std::string>(v), "before");
    reg.CloseKey(key);

    EXPECT_EQ(StripNull(""), "");
    EXPECT_EQ(StripNull("a"), "");
    EXPECT_EQ(StripNull(std::string("ab\0", 3)), "ab");
}

TEST(Registry, DeleteKeyValueRemovesOneValueAndReportsWhatIsMissing) {
    fake::Registry reg;
    reg.values[kRun + "\\Pagewick"] = "x";
    reg.values[kRun + "\\Other"] = "y";
    EXPECT_EQ(DeleteKeyValue(reg, HKEY_CURRENT_USER_, kRun, "Pagewick"), 0);
    EXPECT_FALSE(reg.values.count(kRun + "\\Pagewick"));
    EXPECT_EQ(DeleteKeyValue(reg, HKEY_CURRENT_USER_, kRun, "Pagewick"), 2);   // changes nothing
    EXPECT_EQ(DeleteKeyValue(reg, HKEY_CURRENT_USER_, "Software\\Nowhere", "Other"), 2);
    EXPECT_EQ(reg.values.size(), 1u);
    EXPECT_EQ(reg.opens.back().access, 0x3Fu);
    EXPECT_TRUE(reg.open.empty());
}

TEST(RunAtStartup, TheRunValueQuotesTheFullExePathAndAddsTheSwitch) {
    fake::App app;
    EXPECT_EQ(RunValueText(app), kOwn);
    app.path = "C:\\";   // a program at a drive root
    app.exeName = "Pagewick";
    EXPECT_EQ(RunValueText(app), "\"C:\\Pagewick.exe\" /background");
    app.path = "C:\\Program Files\\Page Wick";
    app.exeName = "my notes";
    EXPECT_EQ(RunValueText(app), "\"C:\\Program Files\\Page Wick\\my notes.exe\" /background");
}

class RunMenu : public fake::MainWindowTest {
protected:
    fake::Form* form() { return static_cast<fake::Form*>(&main->form()); }
    const fake::Registry::Value* Stored() {
        auto it = f.registry.values.find(kRun + "\\Pagewick");
        return it == f.registry.values.end() ? nullptr : &it->second;
    }
    void Restart() {
        main.reset();
        f.hotkeys.armed.clear();
        ASSERT_TRUE(Start());
    }
};

TEST_F(RunMenu, CheckingWritesTheExactValueUncheckingDeletesItAndARestartShowsTheMark) {
    ASSERT_TRUE(Start());
    EXPECT_FALSE(form()->MenuChecked(mnuStartup));
    main->Command(mnuStartup);
    EXPECT_TRUE(form()->MenuChecked(mnuStartup));
    ASSERT_NE(Stored(), nullptr);
    EXPECT_EQ(Stored()->type, 1u);
    EXPECT_EQ(Stored()->data, kOwn + '\0');
    Restart();
    EXPECT_TRUE(form()->MenuChecked(mnuStartup));
    main->Command(mnuStartup);
    EXPECT_FALSE(form()->MenuChecked(mnuStartup));
    EXPECT_EQ(Stored(), nullptr);
    Restart();
    EXPECT_FALSE(form()->MenuChecked(mnuStartup));
    EXPECT_TRUE(f.registry.open.empty());
    EXPECT_TRUE(f.ui.boxes.empty());
}

TEST_F(RunMenu, AnotherCommandLineLeavesTheMarkOffAndAClickWritesOurOwn) {
    for (const char* other : {"\"C:\\Programs\\Pagewick\\pagewick.exe\"", "\"C:\\Old\\pagewick.exe\" /background",
                              "\"C:\\Programs\\Pagewick\\PAGEWICK.exe\" /background", "C:\\Programs\\Pagewick\\pagewick.exe /background"}) {
        f.registry.values[kRun + "\\Pagewick"] = other;
        Restart();
        EXPECT_FALSE(form()->MenuChecked(mnuStartup)) << other;
        main->Command(mnuStartup);
        EXPECT_TRUE(form()->MenuChecked(mnuStartup)) << other;
        EXPECT_EQ(Stored()->data, kOwn + '\0') << other;
    }
    // A program at a drive root finds its own value too.
    f.app.path = "D:\\";
    f.registry.values[kRun + "\\Pagewick"] = "\"D:\\pagewick.exe\" /background";
    Restart();
    EXPECT_TRUE(form()->MenuChecked(mnuStartup));
}

TEST_F(RunMenu, ARunKeyThatCannotBeOpenedChangesNothingButTheMarkFollowsTheClick) {
    f.registry.denied.insert(kRun);
    ASSERT_TRUE(Start());
    main->Command(mnuStartup);
    EXPECT_TRUE(form()->MenuChecked(mnuStartup));
    EXPECT_TRUE(f.registry.values.empty());
    f.registry.denied.clear();
    f.registry.values[kRun + "\\Pagewick"] = kOwn;
    f.registry.denied.insert(kRun);
    main->Command(mnuStartup);
    EXPECT_FALSE(form()->MenuChecked(mnuStartup));
    EXPECT_NE(Stored(), nullptr);
    EXPECT_TRUE(f.ui.boxes.empty());
}

}  // namespace
}  // namespace pw
