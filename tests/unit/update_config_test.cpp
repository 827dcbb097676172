// The configuration-file reader, the version rule, the installer-name rule, numbered names,
// "#0.00" and SHA-256.
#include <gtest/gtest.h>

#include "update/UpdateConfig.h"

namespace pw {
namespace {

TEST(UpdateConfig, LinesEndAtCrLfOrLoneCrAndTheFileNameFollowsTheLastSlash) {
    UpdateConfig c = ParseUpdateConfig("Pagewick 1.5\r\n1.5.0\rhttps://h.example/a/b/setup.exe\r\n");
    EXPECT_EQ(c.lines, 3);
    EXPECT_EQ(c.updateName, "Pagewick 1.5");
    EXPECT_EQ(c.webVersion, "1.5.0");
    EXPECT_EQ(c.installerUrl, "https://h.example/a/b/setup.exe");
    EXPECT_EQ(c.installerFile, "setup.exe");
    EXPECT_EQ(c.sha256, "");

    // A lone LF stays inside its line, so a LF-only file is one long first line.
    c = ParseUpdateConfig("Name\n1.5\nhttp://x/y.exe\n");
    EXPECT_EQ(c.lines, 1);
    EXPECT_EQ(c.updateName, "Name\n1.5\nhttp://x/y.exe\n");
    EXPECT_EQ(c.webVersion, "");

    // No "/" on line 3: the whole line is the file name. The fourth line is the checksum;
    // later lines are ignored; the last line needs no line end.
    c = ParseUpdateConfig("N\r\n2\r\nsetup.exe\r\nABCD\r\nextra\r\nmore");
    EXPECT_EQ(c.lines, 6);
    EXPECT_EQ(c.installerFile, "setup.exe");
    EXPECT_EQ(c.sha256, "ABCD");

    c = ParseUpdateConfig("");
    EXPECT_EQ(c.lines, 0);
    EXPECT_EQ(c.installerFile, "");
    c = ParseUpdateConfig("N\r\n\r\nhttp://x/dir/");
    EXPECT_EQ(c.webVersion, "");
    EXPECT_EQ(c.installerFile, "");
}

TEST(UpdateConfig, VersionsCompareAsNumbersPartByPart) {
    EXPECT_TRUE(IsNewerVersion("1.4.0", "1.10.0"));
    EXPECT_TRUE(IsNewerVersion("1.4.0", "1.4.1"));
    EXPECT_TRUE(IsNewerVersion("1.4.0", "1.5"));
    EXPECT_TRUE(IsNewerVersion("1.4.0", "2"));
    EXPECT_TRUE(IsNewerVersion("1.4.0", " 1.5 "));      // spaces around are ignored
    EXPECT_TRUE(IsNewerVersion("1.4.0", "1.4.0.1"));
    EXPECT_FALSE(IsNewerVersion("1.4.0", "1.4"));       // 1.4 equals 1.4.0
    EXPECT_FALSE(IsNewerVersion("1.4.0", "1.4.0"));
    EXPECT_FALSE(IsNewerVersion("1.4.0", "1.4.0 "));
    EXPECT_FALSE(IsNewerVersion("1.4.0", "1.3.10"));
    EXPECT_FALSE(IsNewerVersion("1.4.0", "0.9"));
    for (const char* bad : {"", " ", "abc", "1.5a", "1..5", ".5", "1.5.", "v1.5", "1.5 beta", "1,5", "-2",
                            "1.5\n", "9999999999"}) {
        EXPECT_FALSE(IsNewerVersion("1.4.0", bad)) << bad;
    }
    std::vector<unsigned long> v;
    ASSERT_TRUE(ParseVersion("010.2", v));
    EXPECT_EQ(v, (std::vector<unsigned long>{10, 2}));
}

TEST(UpdateConfig, OnlyPlainExeOrMsiNamesAreSafe) {
    for (const char* ok : {"setup.exe", "Pagewick-1.5-setup.EXE", "pagewick 1.5.msi", "a.b.c.exe", "con1.exe",
                           "com10.exe", "lpt.exe"}) {
        EXPECT_EQ(InstallerNameProblem(ok), "") << ok;
    }
    for (const char* bad : {"", "..\\setup.exe", "sub\\setup.exe", "C:setup.exe", "setup..exe", "setup.exe.",
                            "setup.exe ", "setup.bat", "setup", "readme.txt", ".exe", " x.exe", "CON.exe",
                            "nul.msi", "com1.exe", "LPT9.exe", "aux .exe", "conin$.exe", "set\tup.exe",
                            "set\x7fup.exe", "setup.exe?x=1", "a*b.exe", "a|b.exe", "a\"b.exe"}) {
        EXPECT_NE(InstallerNameProblem(bad), "") << bad;
    }
}

TEST(UpdateConfig, FormatGivesTwoDecimalsAndAtLeastOneIntegerDigit) {
    EXPECT_EQ(Format00(0), "0.00");
    EXPECT_EQ(Format00(0.512), "0.51");
    EXPECT_EQ(Format00(999.999), "1000.00");
    EXPECT_EQ(Format00(1), "1.00");
    EXPECT_EQ(Format00(1234567.125), "1234567.13");
    EXPECT_EQ(Format00(0.005), "0.01");
}

TEST(UpdateConfig, ChecksumLinesAreSixtyFourHexDigits) {
    std::string hex;
    const std::string good(64, 'A');
    EXPECT_TRUE(ParseSha256Hex("  " + good + " ", hex));
    EXPECT_EQ(hex, std::string(64, 'a'));
    EXPECT_FALSE(ParseSha256Hex(std::string(63, 'a'), hex));
    EXPECT_FALSE(ParseSha256Hex(std::string(65, 'a'), hex));
    EXPECT_FALSE(ParseSha256Hex(std::string(63, 'a') + "g", hex));
    EXPECT_FALSE(ParseSha256Hex("", hex));
}

TEST(UpdateConfig, LineFiveIsTheSignatureAndLinesOneToFourAreWhatItSigns) {
    const std::string four = "N\r\n1.5\rhttps://h/s.exe\r\nabc\r\n";
    UpdateConfig c = ParseUpdateConfig(four + "c2ln\r\nmore\r\n");
    EXPECT_EQ(c.signature, "c2ln");
    EXPECT_EQ(c.signedBytes, four.size());
    EXPECT_EQ(c.lines, 6);
    // Line 4 without its line end is not all there.
    EXPECT_EQ(ParseUpdateConfig("N\r\n1.5\r\nu\r\nabc").signedBytes, 0u);
    EXPECT_EQ(ParseUpdateConfig("N\r\n1.5\r\nu\r\n").signedBytes, 0u);
}

TEST(UpdateConfig, TakenNamesAreNumberedBeforeTheExtension) {
    EXPECT_EQ(NumberedName("C:\\d\\setup.exe", 2), "C:\\d\\setup (2).exe");
    EXPECT_EQ(NumberedName("C:\\d\\pagewick-1.5-setup.exe", 10), "C:\\d\\pagewick-1.5-setup (10).exe");
    EXPECT_EQ(NumberedName("C:\\d.x\\setup", 3), "C:\\d.x\\setup (3)");   // a dot in the folder only
}

}  // namespace
}  // namespace pw
