// What a broken or hostile server cannot do to Live Update: get an unsigned configuration
// used, end the program with a size, leave an empty or oversized file, lead it to a plain
// http:// address, or overwrite a file on the desktop.
#include "live_update_fixture.h"
#include "update/UpdateSignature.h"

namespace pw::fake {
namespace {

const std::string kNewer = Lines("1.5.0", kSetupUrl);
const std::string kTarget = std::string(kDesktop) + "pagewick-1.5-setup.exe";

// --- The signature -------------------------------------------------------------------------

TEST(UpdateSignature, OnlyThePublishersSignatureOverTheExactLinesIsGood) {
    OpenSslSignatureCheck check;
    auto verdict = [&](const std::string& text) {
        return CheckConfigSignature(text, ParseUpdateConfig(text), PublisherKey(), check);
    };
    const std::string signedText = Signed(kNewer);
    EXPECT_EQ(verdict(signedText), SignatureVerdict::Good);
    // Lines after the fifth are ignored, as before.
    EXPECT_EQ(verdict(signedText + "anything\r\n"), SignatureVerdict::Good);
    // One byte changed in any line, line ends included.
    for (std::size_t at = 0; at < kNewer.size(); ++at) {
        std::string t = signedText;
        t[at] = static_cast<char>(t[at] == 'A' ? 'B' : 'A');
        EXPECT_NE(verdict(t), SignatureVerdict::Good) << "byte " << at;
    }
    // In line 5: a changed base64 digit gives another (bad or malformed) signature.
    std::string t = signedText;
    const std::size_t sig = kNewer.size() + 20;
    t[sig] = static_cast<char>(t[sig] == 'A' ? 'B' : 'A');
    EXPECT_NE(verdict(t), SignatureVerdict::Good);
    EXPECT_EQ(verdict(kNewer), SignatureVerdict::Missing);
    EXPECT_EQ(verdict(kNewer + "\r\n"), SignatureVerdict::Missing);
    // Signed without line 4: the signature lands on line 4 and nothing is signed.
    const std::string three = "Pagewick 1.5\r\n1.5\r\nhttps://h/s.exe\r\n";
    EXPECT_EQ(verdict(three + SignBase64(three, TestKeyPath()) + "\r\n"), SignatureVerdict::Missing);
    EXPECT_EQ(verdict(Signed(kNewer, OtherKeyPath())), SignatureVerdict::Bad);
    EXPECT_EQ(verdict(kNewer + "not base64!\r\n"), SignatureVerdict::Malformed);
    EXPECT_EQ(verdict(kNewer + "AAAA\r\n"), SignatureVerdict::Malformed);
    // A lone CR ends lines too; the signature covers the bytes as served.
    std::string cr = kNewer;
    for (std::size_t at = cr.find("\r\n"); at != std::string::npos; at = cr.find("\r\n", at)) cr.erase(at + 1, 1);
    EXPECT_EQ(verdict(Signed(cr)), SignatureVerdict::Good);
}

// The signed lines are hashed by the system's SHA-256, through the interface: a system that
// cannot hash trusts nothing, and a build without a key trusts nothing either.
TEST(UpdateSignature, TheSystemsHashAndABuiltInKeyAreBothNeeded) {
    OpenSslSignatureCheck check;
    const std::string text = Signed(kNewer);
    const UpdateConfig config = ParseUpdateConfig(text);
    EXPECT_EQ(CheckConfigSignature(text, config, PublisherKey(), check), SignatureVerdict::Good);
    check.hashFails = true;
    EXPECT_EQ(CheckConfigSignature(text, config, PublisherKey(), check), SignatureVerdict::Bad);
    check.hashFails = false;
    EXPECT_EQ(CheckConfigSignature(text, config, "", check), SignatureVerdict::NoKey);
}

TEST(UpdateSignature, Base64AndDerAreReadStrictly) {
    std::string bytes;
    EXPECT_TRUE(Base64Decode("TWFu", bytes));
    EXPECT_EQ(bytes, "Man");
    EXPECT_TRUE(Base64Decode("TWE=", bytes));
    EXPECT_EQ(bytes, "Ma");
    EXPECT_TRUE(Base64Decode("TQ==", bytes));
    EXPECT_EQ(bytes, "M");
    for (const char* bad : {"", "TWF", "TW=u", "T===", "TWFu\n", "TW-u", "TWFu TWFu"})
        EXPECT_FALSE(Base64Decode(bad, bytes)) << bad;

    // SEQUENCE { INTEGER 1, INTEGER 0x00FF (a leading zero keeps it positive) }.
    std::string rs;
    ASSERT_TRUE(DerSignatureToRS(std::string("\x30\x07\x02\x01\x01\x02\x02\x00\xff", 9), rs));
    ASSERT_EQ(rs.size(), 64u);
    EXPECT_EQ(rs[31], 1);
    EXPECT_EQ(static_cast<unsigned char>(rs[63]), 0xff);
    EXPECT_EQ(rs.substr(0, 31), std::string(31, '\0'));
    const std::string tooLong = std::string("\x30\x26\x02\x21", 4) + std::string(33, '\x01') + std::string("\x02\x01\x01", 3);
    for (const std::string& bad : {std::string(), std::string("\x30\x03\x02\x01\x01", 5),
                                   std::string("\x30\x06\x02\x01\x01\x02\x01\x81", 8),    // negative s
                                   std::string("\x30\x07\x02\x01\x01\x02\x01\x01\x00", 9),  // trailing byte
                                   std::string("\x31\x06\x02\x01\x01\x02\x01\x01", 8), tooLong})
        EXPECT_FALSE(DerSignatureToRS(bad, rs));
}

TEST_F(LiveUpdateTest, ASignedConfigurationIsCheckedWithTheBuiltInKey) {
    Open();
    Check(kNewer);
    EXPECT_EQ(signatures.calls, 1);
    EXPECT_TRUE(C(V::lblYES).visible);
    EXPECT_TRUE(C(V::cmdNEXT).enabled);
}

TEST_F(LiveUpdateTest, AConfigurationWithoutTheSignatureIsRefusedAndNothingIsDownloaded) {
    const std::string changedVersion = [] {
        std::string t = Signed(kNewer);
        t.replace(t.find("1.5.0\r\n"), 5, "9.9.9");   // a newer version put in after signing
        return t;
    }();
    const std::string three = "Pagewick 1.5\r\n1.5\r\n" + std::string(kSetupUrl) + "\r\n";
    for (const std::string& text : {kNewer, changedVersion, Signed(kNewer, OtherKeyPath()), kNewer + "#\r\n",
                                    three + SignBase64(three, TestKeyPath()) + "\r\n"}) {
        Open();
        CheckRaw(text);
        EXPECT_EQ(C(V::lblPROGRESS).text, kNotSigned) << text;
        EXPECT_FALSE(C(V::lblYES).visible);
        EXPECT_FALSE(C(V::lblNO).visible);
        EXPECT_FALSE(C(V::cmdNEXT).enabled);
        EXPECT_TRUE(C(V::cmdCANCEL).focused);
        EXPECT_EQ(ctl().WebVersion(), "");   // nothing of it is taken over
        EXPECT_FALSE(f.fs.FileExists(kConfig));
        Click(V::cmdNEXT);   // a stray click starts nothing
    }
    EXPECT_EQ(dl.started.size(), 5u);   // the configuration, each time; never an installer

    // Without the system's check nothing can be trusted.
    f.platform.signatures = nullptr;
    Open();
    Check(kNewer);
    EXPECT_EQ(C(V::lblPROGRESS).text, kNotSigned);
}

// A copy built without the publisher's key says so at Next and fetches nothing: no answer of
// any server could be told from a forged one.
TEST_F(LiveUpdateTest, ABuildWithoutThePublishersKeyFetchesNothingAndSaysWhy) {
    Open();
    ctl().SetTrustedKey("");
    Click(V::cmdNEXT);
    EXPECT_EQ(VisibleFrame(), 1);
    EXPECT_EQ(C(V::lblPROGRESS).text,
              "This copy of Pagewick was built without its publisher's key, so it cannot tell a genuine update "
              "from a forged one and does not look for any.  Click cancel to exit.");
    EXPECT_TRUE(dl.started.empty());
    EXPECT_FALSE(C(V::cmdNEXT).enabled);
    EXPECT_TRUE(C(V::cmdCANCEL).focused);
    EXPECT_TRUE(f.ui.boxes.empty());
}

// --- Bounds ----------------------------------------------------------------------------------

TEST(DownloadBounds, SizesArePassedOrRefusedBeforeAndWhileReading) {
    BodyBound b(100);
    EXPECT_EQ(b.Announce(100), DownloadError::None);
    EXPECT_TRUE(b.Take(60));
    EXPECT_FALSE(b.Take(41));   // would pass the limit: none taken
    EXPECT_EQ(b.received(), 60u);
    EXPECT_EQ(b.Finish(), DownloadError::Connection);   // shorter than announced
    EXPECT_TRUE(b.Take(40));
    EXPECT_EQ(b.Finish(), DownloadError::None);

    EXPECT_EQ(BodyBound(100).Announce(101), DownloadError::TooLarge);
    EXPECT_EQ(BodyBound(256ull << 20).Announce(3000000000ull), DownloadError::TooLarge);
    EXPECT_EQ(BodyBound(100).Finish(), DownloadError::Empty);   // no size, no bytes
    BodyBound zero(100);
    zero.Announce(0);
    EXPECT_EQ(zero.Finish(), DownloadError::Empty);
    BodyBound endless(100);   // no size: taken up to the limit, then cut off
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(endless.Take(10));
    EXPECT_FALSE(endless.Take(1));
    EXPECT_FALSE(BodyBound(100).Take(~std::uint64_t(0)));

    std::uint64_t n = 0;
    EXPECT_TRUE(ParseContentLength("3000000000", n));
    EXPECT_EQ(n, 3000000000ull);
    EXPECT_TRUE(ParseContentLength(" 0 ", n));
    EXPECT_EQ(n, 0u);
    EXPECT_TRUE(ParseContentLength("9999999999999999999", n));   // 19 digits still fit
    for (const char* bad : {"", " ", "-1", "12a", "1 2", "0x10", "99999999999999999999"})
        EXPECT_FALSE(ParseContentLength(bad, n)) << bad;
}

TEST_F(LiveUpdateTest, OversizedAnswersAreRefusedWithATextAndNoFile) {
    // A configuration larger than 64 KiB, announced or not.
    Open();
    Click(V::cmdNEXT);
    dl.Complete(std::string(64 * 1024 + 1, 'x'), -1);
    EXPECT_NE(C(V::lblPROGRESS).text.find("larger than 64 KB"), std::string::npos) << C(V::lblPROGRESS).text;
    EXPECT_TRUE(f.fs.writes.empty());
    EXPECT_FALSE(C(V::cmdNEXT).enabled);

    // An installer that announces 3000000000 bytes: refused before a byte is read.
    Open();
    CheckAndDownload(kNewer);
    dl.Complete("", 3000000000ll);
    EXPECT_NE(C(V::lblPROGRESSUPDATE).text.find("larger than the 256 MB"), std::string::npos)
        << C(V::lblPROGRESSUPDATE).text;
    EXPECT_EQ(C(V::cmdCANCEL).text, "&Cancel");
    EXPECT_EQ(ctl().DownloadedFile(), "");
    EXPECT_TRUE(DesktopFiles().empty());
    EXPECT_TRUE(window->Loaded());
}

TEST_F(LiveUpdateTest, AnEmptyAnswerIsAFailedDownload) {
    Open();
    Click(V::cmdNEXT);
    dl.Complete("");
    EXPECT_EQ(C(V::lblPROGRESS).text, kConnectError);
    EXPECT_TRUE(f.fs.writes.empty());

    Open();
    CheckAndDownload(Lines("1.5", kSetupUrl, ""));   // even when the checksum is that of nothing
    dl.Complete("");
    EXPECT_EQ(C(V::lblPROGRESSUPDATE).text, kConnectError);
    EXPECT_EQ(C(V::cmdCANCEL).text, "&Cancel");
    EXPECT_TRUE(DesktopFiles().empty());
}

TEST_F(LiveUpdateTest, WithoutASizeTheProgressShowsWhatHasArrived) {
    const std::string body(2500000, 'z');
    Open();
    CheckAndDownload(Lines("1.5", kSetupUrl, body));
    dl.Progress(1500, 0);
    EXPECT_EQ(C(V::lblPROGRESSUPDATE).text, "1.50 KB downloaded...");
    dl.Progress(2500000, 0);
    EXPECT_EQ(C(V::lblPROGRESSUPDATE).text, "2.50 MB downloaded...");
    dl.Complete(body, -1);   // judged by the checksum
    EXPECT_EQ(C(V::lblPROGRESSUPDATE).text, "Download of 2.50 MB complete.");
    EXPECT_EQ(f.fs.files[kTarget], body);
}

// --- HTTPS only --------------------------------------------------------------------------------

TEST(HttpsOnly, OnlyHttpsAddressesWithAHostPass) {
    for (const char* good : {"https://www.pagewick.example/a.exe", "HTTPS://h/x", "https://h:8443/x"})
        EXPECT_TRUE(IsHttpsUrl(good)) << good;
    for (const char* bad : {"http://h/x", "https:/h/x", "https://", "https:///x", "ftp://h/x", "//h/x",
                            " https://h/x", "https:\\\\h\\x", "file://C:/x.exe", "C:\\x.exe"})
        EXPECT_FALSE(IsHttpsUrl(bad)) << bad;
}

TEST_F(LiveUpdateTest, PlainHttpAddressesAreRefusedWithNothingWritten) {
    // The configuration's own address.
    Open();
    ctl().SetConfigFileURL("http://www.pagewick.example/software/pagewick/pagewick.txt");
    Click(V::cmdNEXT);
    EXPECT_TRUE(dl.started.empty());
    EXPECT_NE(C(V::lblPROGRESS).text.find("secure (https://) addresses only"), std::string::npos);
    EXPECT_FALSE(C(V::cmdNEXT).enabled);

    // Line 3, although signed: refused before anything is downloaded.
    Open();
    Check(Lines("1.5", "http://www.pagewick.example/files/setup.exe"));
    EXPECT_TRUE(C(V::lblNO).visible);
    EXPECT_NE(C(V::lblNO).text.find("not a secure (https://) one"), std::string::npos);
    EXPECT_FALSE(C(V::cmdNEXT).enabled);
    EXPECT_EQ(dl.started.size(), 1u);

    // A redirect to http:// while downloading.
    Open();
    CheckAndDownload(kNewer);
    dl.Fail("not an https:// address: http://evil/", DownloadError::NotHttps);
    EXPECT_NE(C(V::lblPROGRESSUPDATE).text.find("not secure (https://)"), std::string::npos);
    EXPECT_EQ(ctl().DownloadedFile(), "");
    EXPECT_TRUE(DesktopFiles().empty());
}

// --- The desktop -----------------------------------------------------------------------------

TEST_F(LiveUpdateTest, AFileOnTheDesktopIsNeverReplaced) {
    f.fs.files[kTarget] = "the user's own file";
    f.fs.files[std::string(kDesktop) + "pagewick-1.5-setup (2).exe"] = "an older download";
    Open();
    CheckAndDownload(kNewer);
    dl.Complete(kBody);
    const std::string saved = std::string(kDesktop) + "pagewick-1.5-setup (3).exe";
    EXPECT_EQ(f.fs.files[kTarget], "the user's own file");
    EXPECT_EQ(f.fs.files[std::string(kDesktop) + "pagewick-1.5-setup (2).exe"], "an older download");
    EXPECT_EQ(f.fs.files[saved], kBody);
    EXPECT_EQ(ctl().DownloadedFile(), saved);
    EXPECT_EQ(C(V::lblPROGRESSUPDATE).text, "Download of 0.02 KB complete.  Saved as " + saved +
                                                ", since pagewick-1.5-setup.exe is already on the desktop.");
    EXPECT_EQ(C(V::cmdCANCEL).text, "Finish");

    // A leftover ".part" file is not reused either.
    f.fs.files.clear();
    f.fs.files[kTarget + ".part"] = "left from an earlier run";
    Open();
    CheckAndDownload(kNewer);
    EXPECT_EQ(dl.started.back().request.saveTo, std::string(kDesktop) + "pagewick-1.5-setup (2).exe.part");
    dl.Complete(kBody);
    EXPECT_EQ(f.fs.files[kTarget], kBody);
    EXPECT_EQ(f.fs.files[kTarget + ".part"], "left from an earlier run");
    EXPECT_EQ(C(V::lblPROGRESSUPDATE).text, "Download of 0.02 KB complete.");
}

TEST_F(LiveUpdateTest, TheSavedInstallerIsMarkedAsFromTheInternet) {
    Open();
    CheckAndDownload(kNewer);
    dl.Complete(kBody);
    EXPECT_EQ(f.fs.files[kTarget + ":Zone.Identifier"], "[ZoneTransfer]\r\nZoneId=3\r\n");

    // Where the mark cannot be written, the download still counts.
    f.fs.files.clear();
    f.fs.unwritable.insert(kTarget + ":Zone.Identifier");
    Open();
    CheckAndDownload(kNewer);
    dl.Complete(kBody);
    EXPECT_EQ(f.fs.files[kTarget], kBody);
    EXPECT_EQ(ctl().DownloadedFile(), kTarget);
    EXPECT_EQ(C(V::cmdCANCEL).text, "Finish");

    // A file system without streams gets no mark (it would be a file of its own there).
    f.fs.files.clear();
    f.fs.unwritable.clear();
    f.fs.streams = false;
    Open();
    CheckAndDownload(kNewer);
    dl.Complete(kBody);
    EXPECT_EQ(DesktopFiles(), std::vector<std::string>{"pagewick-1.5-setup.exe"});
}

}  // namespace
}  // namespace pw::fake
