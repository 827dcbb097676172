// The Live Update wizard and its window, on fakes: every step, text and failure.
#include "live_update_fixture.h"

namespace pw::fake {
namespace {

const std::string kNewer = Lines("1.5.0", kSetupUrl);

TEST_F(LiveUpdateTest, OpensModallyOverTheMainWindowInItsWelcomeStep) {
    Open();
    EXPECT_EQ(form().def.caption, "Pagewick - Live Update");
    EXPECT_EQ(form().def.clientWidth, 6000);
    EXPECT_EQ(form().def.clientHeight, 3750);
    EXPECT_EQ(form().owner, owner);
    EXPECT_EQ(f.ui.modal, std::vector<Handle>{form().hWnd()});
    EXPECT_TRUE(form().visible);
    // Window icons by the icon rule: the built-in icon in both sizes (twice: without an owner
    // of its own in the fakes, the window is its own top owner).
    int big = 0, small = 0;
    for (auto& s : f.shell.setIcons) {
        if (s.window != form().hWnd()) continue;
        (s.which == 1 ? big : small)++;
    }
    EXPECT_EQ(big, 2);
    EXPECT_EQ(small, 2);
    EXPECT_EQ(ctl().ConfigFileURL(), "https://www.pagewick.example/software/pagewick/pagewick.txt");

    EXPECT_EQ(ctl().Step(), 0);
    EXPECT_EQ(VisibleFrame(), 0);
    EXPECT_EQ(C(V::fraFRAME0).text, "Step 1 of 3");
    EXPECT_EQ(C(V::fraFRAME1).text, "Step 2 of 3");
    EXPECT_EQ(C(V::fraFRAME2).text, "Step 3 of 3");
    EXPECT_EQ(C(V::fraFRAME0).def.kind, ControlKind::Frame);
    EXPECT_TRUE(C(V::lblSTEP1).visible);
    EXPECT_EQ(C(V::lblSTEP1).text.substr(0, 24), "Welcome to Live Update. ");
    EXPECT_EQ(C(V::lblSTEP2).text, "Connecting to host site and retrieving version information...");
    EXPECT_EQ(C(V::lblYES).text,
              "A new update is available, click next to download the update or click Cancel to exit.");
    EXPECT_EQ(C(V::lblNO).text, "No update is required.  Click cancel to exit.");
    EXPECT_EQ(C(V::lblUPDATE).text, "Downloading update for: $n to $f");
    EXPECT_EQ(C(V::lblPROGRESS).text, " ");
    EXPECT_FALSE(C(V::lblYES).visible);
    EXPECT_FALSE(C(V::lblNO).visible);
    EXPECT_FALSE(C(V::lblSTEP2).visible);
    EXPECT_EQ(C(V::cmdNEXT).text, "&Next >>");
    EXPECT_EQ(C(V::cmdCANCEL).text, "&Cancel");
    EXPECT_TRUE(C(V::cmdNEXT).enabled);
    // Next comes before Cancel in the tab order.
    EXPECT_LT(C(V::cmdNEXT).def.id, C(V::cmdCANCEL).def.id);
    EXPECT_TRUE(C(V::cmdNEXT).def.style & csTabStop);
    EXPECT_TRUE(C(V::cmdCANCEL).def.style & csTabStop);
    // The face: Verdana 8.25, white labels, the banner across the top, labels placed in their frame.
    for (int i = 0; i < V::kPartCount; ++i) {
        Control& c = C(static_cast<V::Part>(i));
        EXPECT_EQ(c.font, (FontSpec{"Verdana", 8.25f})) << i;
        if (c.def.kind == ControlKind::Label) EXPECT_EQ(LightPalette().Resolve(c.backColor), RGBColor(255, 255, 255)) << i;
    }
    EXPECT_EQ(C(V::Image1).image, "UPDATEBANNER");
    EXPECT_EQ(C(V::Image1).left, -120);
    EXPECT_EQ(C(V::Image1).width, 6105);
    EXPECT_EQ(C(V::lblPROGRESS).left, 120 + 240);
    EXPECT_EQ(C(V::lblPROGRESS).top, 1080 + 600);
    EXPECT_EQ(C(V::cmdNEXT).left, 4680);
    EXPECT_EQ(C(V::cmdCANCEL).top, 3240);
}

TEST_F(LiveUpdateTest, InitialisationTakesTheFoldersAndTheVersion) {
    Open();
    EXPECT_EQ(ctl().TempFolder(), "C:\\Temp\\");
    EXPECT_EQ(ctl().DesktopFolder(), kDesktop);
    EXPECT_EQ(ctl().CurrentVersion(), PAGEWICK_VERSION_DOTTED);
    EXPECT_EQ(ctl().DownloadedFile(), "");
    EXPECT_EQ(ctl().TotalBytes(), 0);

    f.app.env["TEMP"] = "D:\\T\\";
    Open();
    EXPECT_EQ(ctl().TempFolder(), "D:\\T\\");
    // TEMP unset: the program folder; the configuration then lands there. A shell that cannot
    // name the desktop: the profile's own Desktop folder.
    f.app.env.erase("TEMP");
    f.app.desktop.clear();
    Open();
    EXPECT_EQ(ctl().TempFolder(), "C:\\Programs\\Pagewick\\");
    EXPECT_EQ(ctl().DesktopFolder(), "C:\\Users\\ann\\Desktop\\");
    Click(V::cmdNEXT);
    EXPECT_EQ(dl.started.back().request.target, "C:\\Programs\\Pagewick\\_vclu.txt");
}

TEST_F(LiveUpdateTest, CancelInTheWelcomeStepClosesWithNothingFetched) {
    Open();
    std::vector<std::string> raised;
    auto host = ctl().CloseRequest;
    ctl().CloseRequest = [&](std::string& file) { raised.push_back(file); host(file); };
    Click(V::cmdCANCEL);
    EXPECT_EQ(raised, std::vector<std::string>{""});
    EXPECT_FALSE(window->Loaded());
    EXPECT_TRUE(dl.started.empty());
    EXPECT_TRUE(f.fs.writes.empty());
}

TEST_F(LiveUpdateTest, NextFetchesTheConfigurationAndShowsItsProgressInBytes) {
    Open();
    Click(V::cmdNEXT);
    EXPECT_EQ(ctl().Step(), 1);
    EXPECT_EQ(VisibleFrame(), 1);
    EXPECT_FALSE(C(V::cmdNEXT).enabled);
    EXPECT_TRUE(C(V::cmdCANCEL).focused);
    ASSERT_EQ(dl.started.size(), 1u);
    EXPECT_EQ(dl.started[0].request.url, "https://www.pagewick.example/software/pagewick/pagewick.txt");
    EXPECT_EQ(dl.started[0].request.target, kConfig);
    EXPECT_EQ(dl.started[0].request.maxBytes, 64u * 1024);
    EXPECT_EQ(dl.started[0].request.saveTo, "");   // a small file: kept in memory
    dl.Progress(10, 0);   // size unknown: what has arrived
    EXPECT_EQ(C(V::lblPROGRESS).text, "10 bytes of configuration retreived.");
    dl.Progress(512, 1024);
    EXPECT_EQ(C(V::lblPROGRESS).text, "512 bytes of 1024 bytes of configuration retreived.");
}

TEST_F(LiveUpdateTest, ANewerVersionIsOfferedAndTheTemporaryFileIsDeleted) {
    Open();
    Check(kNewer);
    EXPECT_EQ(f.fs.writes, std::vector<std::string>{kConfig});
    EXPECT_EQ(f.fs.removed, std::vector<std::string>{kConfig});
    EXPECT_FALSE(f.fs.FileExists(kConfig));
    EXPECT_EQ(C(V::lblVERSION).text, VersionLine("1.5.0"));
    EXPECT_TRUE(C(V::lblYES).visible);
    EXPECT_FALSE(C(V::lblNO).visible);
    EXPECT_TRUE(C(V::cmdNEXT).enabled);
    EXPECT_TRUE(C(V::cmdNEXT).focused);
    EXPECT_EQ(ctl().InstallerFile(), "pagewick-1.5-setup.exe");
}

TEST_F(LiveUpdateTest, VersionsThatAreNotNewerAreNotOffered) {
    // Against the project's own version, whatever it is.
    const std::string M = std::to_string(PAGEWICK_VERSION_MAJOR), m = std::to_string(PAGEWICK_VERSION_MINOR),
                      r = std::to_string(PAGEWICK_VERSION_REVISION);
    struct Case { std::string version; bool offered; };
    const Case cases[] = {{M + "." + m + "." + r, false},
                          {PAGEWICK_VERSION_REVISION == 0 ? M + "." + m : M + "." + m + "." + r, false},
                          {M + "." + m + "." + std::to_string(PAGEWICK_VERSION_REVISION + 1), true},
                          {M + "." + std::to_string(PAGEWICK_VERSION_MINOR + 10) + ".0", true},
                          {std::to_string(PAGEWICK_VERSION_MAJOR + 1), true},
                          {" " + NewerVersion() + " ", true},
                          {NewerVersion() + " beta", false},
                          {"", false},
                          {"abc", false}};
    for (const Case& c : cases) {
        Open();
        Check(Lines(c.version, "https://h/s.exe"));
        EXPECT_EQ(C(V::lblYES).visible, c.offered) << c.version;
        EXPECT_EQ(C(V::lblNO).visible, !c.offered) << c.version;
        EXPECT_EQ(C(V::cmdNEXT).enabled, c.offered) << c.version;
        EXPECT_EQ(C(V::lblVERSION).text, VersionLine(c.version));
        if (!c.offered) {
            EXPECT_EQ(C(V::lblNO).text, "No update is required.  Click cancel to exit.");
            EXPECT_TRUE(C(V::cmdCANCEL).focused);
        }
    }
}

TEST_F(LiveUpdateTest, ALineFeedOnlyConfigurationIsNotSigned) {
    // One line for the reader, so lines 1 to 4 are not all there to be signed: not used. (An
    // empty configuration is a failed download: see the trust tests.)
    const std::string lf = "Name\n1.5\nhttps://h/s.exe\n" + Sha256Hex(kBody) + "\n";
    Open();
    CheckRaw(lf + SignBase64(lf, TestKeyPath()) + "\n");
    EXPECT_FALSE(C(V::lblYES).visible);
    EXPECT_FALSE(C(V::cmdNEXT).enabled);
    EXPECT_EQ(C(V::lblPROGRESS).text, kNotSigned);
    EXPECT_EQ(ctl().WebVersion(), "");
}

// A desktop whose path lies beyond ASCII (a profile named José): the file goes to the path as
// the system spells it, and the label, which speaks the ANSI code page, shows it in that.
TEST_F(LiveUpdateTest, ADesktopBeyondAsciiIsUsedAsItIsAndShownInTheLabelsCodePage) {
    f.app.desktop = u8"C:\\Users\\José\\Desktop";
    Open();
    CheckAndDownload(Lines("1.5", "https://www.pagewick.example/files/setup.exe"));
    ASSERT_EQ(dl.started.size(), 2u);
    EXPECT_EQ(dl.started[1].request.target, u8"C:\\Users\\José\\Desktop\\setup.exe");
    EXPECT_EQ(C(V::lblUPDATE).text, "Downloading update for: \r\nPagewick 1.5 to \r\nC:\\Users\\Jos\xE9\\Desktop\\setup.exe");
    dl.Complete(kBody);
    EXPECT_EQ(f.fs.files[u8"C:\\Users\\José\\Desktop\\setup.exe"], kBody);
}

TEST_F(LiveUpdateTest, TheInstallerIsDownloadedToTheDesktopWithProgressAndFinish) {
    Open();
    CheckAndDownload(Lines("1.5", "https://www.pagewick.example/files/setup.exe"));
    EXPECT_EQ(ctl().Step(), 2);
    EXPECT_EQ(VisibleFrame(), 2);
    EXPECT_FALSE(C(V::cmdNEXT).enabled);
    EXPECT_EQ(C(V::lblUPDATE).text, std::string("Downloading update for: \r\nPagewick 1.5 to \r\n") + kDesktop + "setup.exe");
    ASSERT_EQ(dl.started.size(), 2u);
    EXPECT_EQ(dl.started[1].request.url, "https://www.pagewick.example/files/setup.exe");
    EXPECT_EQ(dl.started[1].request.target, std::string(kDesktop) + "setup.exe");
    // Streamed into a file beside the target, at most 256 MiB.
    EXPECT_EQ(dl.started[1].request.saveTo, std::string(kDesktop) + "setup.exe.part");
    EXPECT_EQ(dl.started[1].request.maxBytes, 256u * 1024 * 1024);

    dl.Progress(500000, 999999);
    EXPECT_EQ(C(V::lblPROGRESSUPDATE).text, "500.00 KB of 1000.00 KB downloaded...");
    dl.Progress(250000, 1000000);
    EXPECT_EQ(C(V::lblPROGRESSUPDATE).text, "0.25 MB of 1.00 MB downloaded...");
    EXPECT_EQ(ctl().TotalBytes(), 1000000);
    std::string closedWith = "unset";
    auto host = ctl().CloseRequest;
    ctl().CloseRequest = [&](std::string& file) { closedWith = file; host(file); };
    dl.Complete(kBody);
    EXPECT_EQ(f.fs.files[std::string(kDesktop) + "setup.exe"], kBody);
    EXPECT_FALSE(f.fs.FileExists(std::string(kDesktop) + "setup.exe.part"));
    EXPECT_EQ(C(V::cmdCANCEL).text, "Finish");
    EXPECT_TRUE(C(V::cmdCANCEL).focused);
    EXPECT_EQ(C(V::lblPROGRESSUPDATE).text, "Download of 1.00 MB complete.");
    EXPECT_EQ(ctl().DownloadedFile(), std::string(kDesktop) + "setup.exe");

    Click(V::cmdCANCEL);
    EXPECT_EQ(closedWith, std::string(kDesktop) + "setup.exe");
    EXPECT_FALSE(window->Loaded());
    // Nothing is started.
    EXPECT_TRUE(f.shell.openedIn.empty());
    EXPECT_TRUE(f.app.launched.empty());
    EXPECT_TRUE(f.shell.opened.empty());
}

TEST_F(LiveUpdateTest, CompletionTextsUseTheLastTotalAndTheUsersDecimalSeparator) {
    Open();
    CheckAndDownload(Lines("1.5", kSetupUrl, "x"));
    dl.Progress(0, 1);
    dl.Complete("x");
    EXPECT_EQ(C(V::lblPROGRESSUPDATE).text, "Download of 0.00 KB complete.");

    f.app.decimalSeparator = ",";
    f.fs.files.clear();
    Open();
    CheckAndDownload(Lines("1.5", kSetupUrl, std::string(10, 'x')));
    dl.Progress(999990, 999999);
    EXPECT_EQ(C(V::lblPROGRESSUPDATE).text, "999,99 KB of 1000,00 KB downloaded...");
    dl.Complete(std::string(10, 'x'));
    EXPECT_EQ(C(V::lblPROGRESSUPDATE).text, "Download of 1000,00 KB complete.");
    EXPECT_EQ(C(V::cmdCANCEL).text, "Finish");
}

TEST_F(LiveUpdateTest, NoAddressShowsTheErrorAndLeavesOnlyCancel) {
    Open();
    ctl().SetConfigFileURL("");
    Click(V::cmdNEXT);
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text, "A configuration download URL was not provided.  Live Update cannot continue.");
    EXPECT_EQ(f.ui.boxes[0].style, 16);
    EXPECT_EQ(f.ui.boxes[0].title, "Error");
    EXPECT_EQ(ctl().Step(), 0);
    EXPECT_EQ(VisibleFrame(), 1);
    EXPECT_FALSE(C(V::cmdNEXT).enabled);
    EXPECT_TRUE(dl.started.empty());
}

TEST_F(LiveUpdateTest, ADownloadThatCannotStartShowsAWarning) {
    Open();
    dl.failStart = true;
    Click(V::cmdNEXT);
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text,
              "12005:Error in call to BeginDownload().\r\n\r\nError Description: The address is not a valid web address.");
    EXPECT_EQ(f.ui.boxes[0].style, 16);
    EXPECT_EQ(f.ui.boxes[0].title, "Warning");
    EXPECT_EQ(ctl().Step(), 1);
    EXPECT_FALSE(C(V::cmdNEXT).enabled);
}

TEST_F(LiveUpdateTest, AFailedConnectionWritesNothingAndLeavesOnlyCancel) {
    Open();
    Click(V::cmdNEXT);
    dl.Fail("HTTP status 404");
    EXPECT_EQ(C(V::lblPROGRESS).text, kConnectError);
    EXPECT_FALSE(C(V::cmdNEXT).enabled);
    EXPECT_FALSE(C(V::lblYES).visible);
    EXPECT_TRUE(f.fs.writes.empty());
    EXPECT_EQ(ctl().Step(), 1);

    // The same in the downloading step: no installer, no Finish.
    Open();
    CheckAndDownload(kNewer);
    dl.Progress(10, 100);
    dl.Fail("the connection ended after 10 of 100 bytes");
    EXPECT_EQ(C(V::lblPROGRESSUPDATE).text, kConnectError);
    EXPECT_EQ(C(V::cmdCANCEL).text, "&Cancel");
    EXPECT_FALSE(C(V::cmdNEXT).enabled);
    EXPECT_EQ(ctl().DownloadedFile(), "");
    EXPECT_FALSE(f.fs.FileExists(std::string(kDesktop) + "pagewick-1.5-setup.exe"));
}

TEST_F(LiveUpdateTest, UnsafeInstallerNamesAreRefusedBeforeAnythingIsDownloaded) {
    for (const char* line : {"https://h/..\\..\\evil.exe", "https://h/a:b.exe", "https://h/", "https://h/CON.exe",
                             "https://h/readme.txt", "https://h/setup.exe?v=2", "https://h/C:\\evil.exe"}) {
        Open();
        Check(Lines("1.5", line));
        EXPECT_TRUE(C(V::lblNO).visible) << line;
        EXPECT_FALSE(C(V::lblYES).visible) << line;
        EXPECT_NE(C(V::lblNO).text.find("installer name"), std::string::npos) << line;
        EXPECT_FALSE(C(V::cmdNEXT).enabled) << line;
        Click(V::cmdNEXT);   // greyed in the real window; even a stray click starts nothing
    }
    EXPECT_EQ(dl.started.size(), 7u);   // only the configuration downloads
}

TEST_F(LiveUpdateTest, AChecksumLineGuardsTheInstaller) {
    const std::string body = "the real installer";
    const std::string target = std::string(kDesktop) + "setup.exe";
    // Matching (upper-case hex, spaces around): saved.
    Open();
    std::string sha = Sha256Hex(body);
    for (char& c : sha) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    CheckAndDownload("N\r\n1.5\r\nhttps://h/setup.exe\r\n " + sha + " \r\n");
    dl.Complete(body);
    EXPECT_EQ(f.fs.files[target], body);
    EXPECT_EQ(C(V::cmdCANCEL).text, "Finish");

    // Wrong bytes: not saved, said so, no Finish.
    f.fs.files.clear();
    Open();
    CheckAndDownload("N\r\n1.5\r\nhttps://h/setup.exe\r\n" + Sha256Hex(body) + "\r\n");
    dl.Complete(body.substr(0, 10));
    EXPECT_FALSE(f.fs.FileExists(target));
    EXPECT_FALSE(f.fs.FileExists(target + ".part"));
    EXPECT_NE(C(V::lblPROGRESSUPDATE).text.find("does not match"), std::string::npos);
    EXPECT_EQ(C(V::cmdCANCEL).text, "&Cancel");
    EXPECT_EQ(ctl().DownloadedFile(), "");

    // A fourth line that is no checksum, or an empty one, although signed: the update is refused.
    for (const char* line4 : {"not-a-hash", ""}) {
        Open();
        Check(std::string("N\r\n1.5\r\nhttps://h/setup.exe\r\n") + line4 + "\r\n");
        EXPECT_TRUE(C(V::lblNO).visible) << line4;
        EXPECT_NE(C(V::lblNO).text.find("checksum"), std::string::npos) << line4;
        EXPECT_FALSE(C(V::cmdNEXT).enabled) << line4;
    }
}

TEST_F(LiveUpdateTest, AFailedWriteIsReportedNotCompleted) {
    Open();
    CheckAndDownload(kNewer);
    const std::string target = std::string(kDesktop) + "pagewick-1.5-setup.exe";
    // The streamed file cannot be given its name: removed, said so.
    f.fs.unwritable.insert(target + ".part");
    dl.Progress(5, 5);
    dl.Complete(kBody);
    EXPECT_EQ(C(V::lblPROGRESSUPDATE).text,
              "The update could not be saved to " + target + ": Access is denied.  Unable to complete Live Update.");
    EXPECT_EQ(C(V::cmdCANCEL).text, "&Cancel");
    EXPECT_EQ(ctl().DownloadedFile(), "");
    EXPECT_TRUE(DesktopFiles().empty());

    // The service cannot create the file to stream into.
    Open();
    CheckAndDownload(kNewer);
    dl.Fail("Access is denied.", DownloadError::Write);
    EXPECT_EQ(C(V::lblPROGRESSUPDATE).text, "The update could not be saved to " + target +
                                                ".part: Access is denied.  Unable to complete Live Update.");

    // An unwritable temporary folder stops the check with a text, not with "no update".
    f.fs.unwritable.insert(kConfig);
    Open();
    Check(kNewer);
    EXPECT_NE(C(V::lblPROGRESS).text.find("could not be saved"), std::string::npos);
    EXPECT_FALSE(C(V::lblNO).visible);
    EXPECT_FALSE(C(V::cmdNEXT).enabled);
}

TEST_F(LiveUpdateTest, AnUnreadableConfigurationKeepsTheFieldsAndShowsNoUpdate) {
    Open();
    f.fs.unreadable.insert(kConfig);
    Check(kNewer);
    EXPECT_EQ(ctl().WebVersion(), "");
    EXPECT_TRUE(C(V::lblNO).visible);
}

TEST_F(LiveUpdateTest, ClosingDropsARunningDownloadAndReopeningStartsAfresh) {
    Open();
    CheckAndDownload(kNewer);
    dl.Progress(1, 100);
    Click(V::cmdCANCEL);
    EXPECT_FALSE(window->Loaded());
    EXPECT_FALSE(dl.started.back().live);
    dl.Complete(kBody);   // nobody listens any more
    EXPECT_TRUE(f.fs.writes.size() == 1);
    EXPECT_TRUE(DesktopFiles().empty());

    window->ShowModal(owner);
    EXPECT_TRUE(window->Loaded());
    EXPECT_EQ(ctl().Step(), 0);
    EXPECT_EQ(VisibleFrame(), 0);
    EXPECT_EQ(C(V::cmdCANCEL).text, "&Cancel");
    EXPECT_TRUE(C(V::cmdNEXT).enabled);
    EXPECT_EQ(C(V::lblUPDATE).text, "Downloading update for: $n to $f");
}

TEST_F(LiveUpdateTest, TheLauncherOpensAFileWithTheShellButNothingCallsIt) {
    Open();
    window->LaunchInstaller("");
    EXPECT_TRUE(f.shell.openedIn.empty());
    window->LaunchInstaller("C:\\d\\setup.exe");
    ASSERT_EQ(f.shell.openedIn.size(), 1u);
    EXPECT_EQ(f.shell.openedIn[0].first, "C:\\d\\setup.exe");
    EXPECT_EQ(f.shell.openedIn[0].second, "C:\\Programs\\Pagewick");
    EXPECT_TRUE(f.ui.boxes.empty());
    f.shell.shellOpenResult = 2;
    window->LaunchInstaller("C:\\d\\setup.exe");
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text, "Error jumping to:C:\\d\\setup.exe");
    EXPECT_EQ(f.ui.boxes[0].style, 48);
    EXPECT_EQ(f.ui.boxes[0].title, "Warning");
}

class LiveUpdateMenuTest : public MainWindowTest {};

TEST_F(LiveUpdateMenuTest, TheMenuOpensTheWindowAndTheUnloadStepClosesItLast) {
    Downloads dl;
    f.platform.downloads = &dl;
    ASSERT_TRUE(Start());
    std::vector<std::string> log;
    f.ui.sharedLog = &log;
    main->Command(mnuAbout);
    main->Command(mnuUpdate);
    ASSERT_EQ(f.ui.modal.size(), 1u);
    Form* update = nullptr;
    for (Form* fm : f.ui.forms)
        if (fm->def.caption == "Pagewick - Live Update") update = fm;
    ASSERT_NE(update, nullptr);
    EXPECT_EQ(update->owner, main->form().hWnd());
    update->events.Command(frmUpdate::kUpdateCtlBase + V::cmdNEXT);
    ASSERT_EQ(dl.started.size(), 1u);

    main->UnloadMe();
    std::vector<std::string> destroyed;
    for (auto& e : log)
        if (e.rfind("destroy:", 0) == 0) destroyed.push_back(e.substr(8));
    ASSERT_GE(destroyed.size(), 3u);
    EXPECT_EQ(destroyed[0], "About Pagewick");
    EXPECT_EQ(destroyed[destroyed.size() - 2], "Pagewick - Live Update");
    EXPECT_EQ(destroyed.back(), "Pagewick");
    EXPECT_FALSE(dl.started[0].live);
}

}  // namespace
}  // namespace pw::fake
