// The Live Update window on fakes, shared by the wizard's tests and its trust tests: a fake
// download service that streams into the fake files, and OpenSSL checking signatures as the
// system's cryptography does on Windows.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fakes/fake_downloads.h"
#include "fakes/main_window_fixture.h"
#include "fakes/openssl_signatures.h"
#include "pagewick_version.h"
#include "update/frmUpdate.h"

namespace pw::fake {

using V = vcUPDATECTL;
inline const char kConfig[] = "C:\\Temp\\_vclu.txt";
// The desktop as the shell knows it: moved off the profile, as a synced desktop is.
inline const char kDesktop[] = "D:\\Sync\\ann\\Desktop\\";
inline const char kConnectError[] = "Error connecting to host.  Unable to complete Live Update.";
inline const char kNotSigned[] =
    "The update information is not signed by the publisher, so it was not used.  Click cancel to exit.";
// The installer the tests' servers offer, and a configuration offering it as a newer version.
inline const char kBody[] = "MZ installer bytes";
inline const char kSetupUrl[] = "https://www.pagewick.example/files/pagewick-1.5-setup.exe";

// "Your version: <the project's version>    Web version: <web>"
inline std::string VersionLine(const std::string& web) {
    return std::string("Your version: ") + PAGEWICK_VERSION_DOTTED + "    Web version: " + web;
}
// A version newer than the running one, by one minor step.
inline std::string NewerVersion() {
    return std::to_string(PAGEWICK_VERSION_MAJOR) + "." + std::to_string(PAGEWICK_VERSION_MINOR + 1) + ".0";
}
// Lines 1 to 4 of a configuration: name, version, address, the SHA-256 of `body`.
inline std::string Lines(const std::string& version, const std::string& url, const std::string& body = kBody) {
    return "Pagewick " + version + "\r\n" + version + "\r\n" + url + "\r\n" + Sha256Hex(body) + "\r\n";
}
// The lines with line 5, the signature with `key` (the publisher's test key by default).
inline std::string Signed(const std::string& lines, const std::string& key = TestKeyPath()) {
    return lines + SignBase64(lines, key) + "\r\n";
}

class LiveUpdateTest : public ::testing::Test {
protected:
    Fakes f;
    Downloads dl{&f.fs};
    OpenSslSignatureCheck signatures;
    std::unique_ptr<frmUpdate> window;
    Handle owner = 0x42;

    void SetUp() override {
        f.platform.downloads = &dl;
        f.platform.signatures = &signatures;
        f.app.env["TEMP"] = "C:\\Temp";
        f.app.env["USERPROFILE"] = "C:\\Users\\ann";
        f.app.desktop = "D:\\Sync\\ann\\Desktop";
        ASSERT_NE(SignBase64("x", TestKeyPath()), "") << "cannot read " << TestKeyPath();
    }
    void Open() {
        window = std::make_unique<frmUpdate>(f.platform);
        window->ShowModal(owner);
    }
    V& ctl() { return *window->updateCtl(); }
    Control& C(V::Part part) { return static_cast<Control&>(ctl().C(part)); }
    Form& form() { return *static_cast<Form*>(window->form()); }
    void Click(V::Part part) { window->Command(frmUpdate::kUpdateCtlBase + part); }
    int VisibleFrame() {
        int shown = -1, count = 0;
        for (int i = 0; i < 3; ++i)
            if (C(static_cast<V::Part>(V::fraFRAME0 + i)).visible) shown = i, ++count;
        return count == 1 ? shown : -2;
    }
    // Next, then the configuration arrives as it is.
    void CheckRaw(const std::string& config) {
        Click(V::cmdNEXT);
        dl.Complete(config);
    }
    // Next, then the configuration arrives signed by the publisher.
    void Check(const std::string& lines) { CheckRaw(Signed(lines)); }
    void CheckAndDownload(const std::string& lines) {
        Check(lines);
        ASSERT_TRUE(C(V::cmdNEXT).enabled) << C(V::lblNO).text << C(V::lblPROGRESS).text;
        Click(V::cmdNEXT);
    }
    // Only these files are left (the fakes' files, apart from the note's folder).
    std::vector<std::string> DesktopFiles() {
        std::vector<std::string> out;
        for (auto& kv : f.fs.files)
            if (kv.first.rfind(kDesktop, 0) == 0) out.push_back(kv.first.substr(sizeof kDesktop - 1));
        return out;
    }
};

}  // namespace pw::fake
