#include "update/vcUPDATECTL.h"

#include "pagewick_version.h"
#include "update/UpdateConfig.h"
#include "update/UpdateSignature.h"

namespace pw {

namespace {

const FontSpec kVerdana825{"Verdana", 8.25f};
constexpr Color kPanel = InkColor(Ink::Panel);   // white in light
constexpr float kFrameLeft = 120, kFrameTop = 1080, kFrameWidth = 5775, kFrameHeight = 2055;
const char* const kConnectError = "Error connecting to host.  Unable to complete Live Update.";
const char* const kNotSigned =
    "The update information is not signed by the publisher, so it was not used.  Click cancel to exit.";
const char* const kNoKey =
    "This copy of Pagewick was built without its publisher's key, so it cannot tell a genuine update from a "
    "forged one and does not look for any.  Click cancel to exit.";
const char* const kNotHttps =
    "Live Update uses secure (https://) addresses only, and this one is not.  Unable to complete Live Update.";
// Marks a file as downloaded from the Internet, so Windows checks it before it runs.
const char* const kZoneStream = ":Zone.Identifier";
const char* const kInternetZone = "[ZoneTransfer]\r\nZoneId=3\r\n";
// How many numbered names are tried when the installer's name is taken on the desktop.
constexpr int kMaxNumberedNames = 99;

// A text of ours (UTF-8: paths, the system's error texts) as a label holds it, in the ANSI code
// page; what the code page cannot hold shows as "?".
std::string ForLabel(const ICodePage& cp, const std::string& utf8) {
    std::string ansi;
    cp.ToAnsi(utf8, ansi);
    return ansi;
}

// Control characters of an untrusted text made visible, so a label shows it on one line.
std::string Printable(const std::string& s) {
    std::string out;
    for (char c : s) out += (static_cast<unsigned char>(c) < 32 || c == 127) ? '?' : c;
    return out;
}

}  // namespace

vcUPDATECTL::vcUPDATECTL(Platform& p, IForm& host, int idBase, float left, float top)
    : p_(p), host_(host), idBase_(idBase), left_(left), top_(top) {
    struct Face { Part part; ControlKind kind; const char* caption; bool inFrame; float l, t, w, h; };
    static const Face kFace[] = {
        {Image1, ControlKind::Picture, "", false, -120, -120, 6105, 1035},
        {fraFRAME0, ControlKind::Frame, "Step 1 of 3", false, kFrameLeft, kFrameTop, kFrameWidth, kFrameHeight},
        {fraFRAME1, ControlKind::Frame, "Step 2 of 3", false, kFrameLeft, kFrameTop, kFrameWidth, kFrameHeight},
        {fraFRAME2, ControlKind::Frame, "Step 3 of 3", false, kFrameLeft, kFrameTop, kFrameWidth, kFrameHeight},
        {lblSTEP1, ControlKind::Label,
         "Welcome to Live Update.  This wizard will walk you through checking for new updates of this "
         "software by connecting to the web and comparing version information.  This is done without "
         "sending any information to the host site.  Click Next to continue with the Live Update process.",
         true, 240, 360, 5295, 1575},
        {lblSTEP2, ControlKind::Label, "Connecting to host site and retrieving version information...", true, 240,
         360, 5295, 255},
        {lblPROGRESS, ControlKind::Label, " ", true, 240, 600, 5295, 255},
        {lblVERSION, ControlKind::Label, " ", true, 240, 960, 5295, 255},
        {lblYES, ControlKind::Label,
         "A new update is available, click next to download the update or click Cancel to exit.", true, 120, 1320,
         5295, 615},
        {lblNO, ControlKind::Label, "No update is required.  Click cancel to exit.", true, 240, 1320, 5295, 615},
        {lblUPDATE, ControlKind::Label, "Downloading update for: $n to $f", true, 120, 240, 5535, 1095},
        {lblPROGRESSUPDATE, ControlKind::Label, " ", true, 120, 1200, 5535, 255},
        {cmdNEXT, ControlKind::Button, "&Next >>", false, 4680, 3240, 1215, 375},
        {cmdCANCEL, ControlKind::Button, "&Cancel", false, 3360, 3240, 1215, 375},
    };
    for (const Face& f : kFace) {
        float l = left + f.l + (f.inFrame ? kFrameLeft : 0);
        float t = top + f.t + (f.inFrame ? kFrameTop : 0);
        unsigned style = f.kind == ControlKind::Button ? static_cast<unsigned>(csTabStop) : 0u;
        IControl& c = host_.AddControl(ControlDef{idBase_ + f.part, f.kind, f.caption, l, t, f.w, f.h, style});
        c.SetFont(kVerdana825);
        if (f.kind == ControlKind::Label) c.SetBackColor(kPanel);
        parts_[f.part] = &c;
    }
    C(Image1).SetImage("UPDATEBANNER");
    C(lblYES).SetVisible(false);
    C(lblNO).SetVisible(false);
    ShowFrame(0);

    // Initialisation.
    TempFolder_ = p_.app.Environ("TEMP");
    if (TempFolder_.empty()) TempFolder_ = p_.app.Path();
    if (TempFolder_.empty() || TempFolder_.back() != '\\') TempFolder_ += "\\";
    Step_ = 0;
    // The desktop the shell shows, wherever it lives (moved, redirected, synced); the profile's
    // own Desktop folder only when the system cannot say.
    DesktopFolder_ = p_.app.DesktopFolder();
    if (DesktopFolder_.empty()) DesktopFolder_ = p_.app.Environ("USERPROFILE") + "\\Desktop";
    if (DesktopFolder_.back() != '\\') DesktopFolder_ += "\\";
    CurrentVersion_ = std::to_string(PAGEWICK_VERSION_MAJOR) + "." + std::to_string(PAGEWICK_VERSION_MINOR) + "." +
                      std::to_string(PAGEWICK_VERSION_REVISION);
    DownloadedFile_.clear();
    TrustedKey_ = PublisherKey();
}

vcUPDATECTL::~vcUPDATECTL() {
    if (p_.downloads) p_.downloads->CancelAll(*this);
}

bool vcUPDATECTL::Command(int id) {
    switch (id - idBase_) {
        case cmdNEXT: cmdNEXT_Click(); return true;
        case cmdCANCEL: cmdCANCEL_Click(); return true;
        default: return id - idBase_ >= 0 && id - idBase_ < kPartCount;
    }
}

void vcUPDATECTL::ShowFrame(int index) {
    // A frame's labels come and go with it.
    static const Part kMembers[3][6] = {
        {lblSTEP1, kPartCount},
        {lblSTEP2, lblPROGRESS, lblVERSION, kPartCount},
        {lblUPDATE, lblPROGRESSUPDATE, kPartCount},
    };
    for (int i = 0; i < 3; ++i) {
        const bool on = i == index;
        C(static_cast<Part>(fraFRAME0 + i)).SetVisible(on);
        for (const Part* m = kMembers[i]; *m != kPartCount; ++m) C(*m).SetVisible(on);
    }
    if (index != 1) {
        C(lblYES).SetVisible(false);
        C(lblNO).SetVisible(false);
    }
}

void vcUPDATECTL::ShowLongText(Part label, const std::string& text) {
    // Room for three lines: down to the yes/no texts in the checking step (whose version
    // line is empty or stale then), down to the frame's edge in the downloading step.
    if (label == lblPROGRESS) {
        C(lblVERSION).SetVisible(false);
        C(lblPROGRESS).Move(left_ + kFrameLeft + 240, top_ + kFrameTop + 600, 5295, 720);
    } else {
        C(lblPROGRESSUPDATE).Move(left_ + kFrameLeft + 120, top_ + kFrameTop + 1200, 5535, 735);
    }
    C(label).SetText(ForLabel(p_.CodePage(), text));
}

void vcUPDATECTL::cmdNEXT_Click() {
    if (!C(cmdNEXT).Enabled()) return;   // a greyed button takes no click, whatever sent it
    C(cmdCANCEL).SetFocus();
    C(cmdNEXT).SetEnabled(false);
    ++Step_;
    ShowFrame(Step_);
    if (Step_ == 1) {
        if (!ConfigFileURL_.empty() && TrustedKey_.empty()) {
            ShowLongText(lblPROGRESS, kNoKey);
        } else if (!ConfigFileURL_.empty() && !IsHttpsUrl(ConfigFileURL_)) {
            ShowLongText(lblPROGRESS, kNotHttps);
        } else if (!ConfigFileURL_.empty()) {
            BeginDownload(DownloadRequest{ConfigFileURL_, ConfigPath(), kMaxConfigBytes, ""});
        } else {
            p_.ui.MsgBox("A configuration download URL was not provided.  Live Update cannot continue.", vbCritical,
                         "Error");
            Step_ = 0;
        }
    } else if (Step_ == 2) {
        std::string caption = C(lblUPDATE).Text();
        auto replaceAll = [&caption](const std::string& what, const std::string& with) {
            for (std::size_t at = caption.find(what); at != std::string::npos; at = caption.find(what, at + with.size()))
                caption.replace(at, what.size(), with);
        };
        replaceAll("$n", "\r\n" + UpdateName_);
        replaceAll("$f", "\r\n" + ForLabel(p_.CodePage(), DesktopFolder_ + InstallerFile_));
        C(lblUPDATE).SetText(caption);
        // Streamed into a file of its own beside the target until its checksum is known.
        const std::string target = DesktopFolder_ + InstallerFile_;
        PartFile_ = target + ".part";
        for (int n = 2; p_.fs.FileExists(PartFile_) && n <= kMaxNumberedNames; ++n)
            PartFile_ = NumberedName(target, n) + ".part";
        if (!BeginDownload(DownloadRequest{InstallerURL_, target, kMaxInstallerBytes, PartFile_})) PartFile_.clear();
    }
}

void vcUPDATECTL::cmdCANCEL_Click() {
    std::string file = DownloadedFile_;
    if (CloseRequest) CloseRequest(file);
}

bool vcUPDATECTL::BeginDownload(const DownloadRequest& request) {
    long number = 0;
    std::string text = "The download service is not available.";
    if (p_.downloads && p_.downloads->Start(request, *this, number, text)) return true;
    p_.ui.MsgBox(std::to_string(number) + ":Error in call to BeginDownload().\r\n\r\nError Description: " + text,
                 vbCritical, "Warning");
    return false;
}

void vcUPDATECTL::DownloadProgress(const std::string& target, std::uint64_t bytesRead, std::uint64_t bytesMax) {
    // Without a size from the server the line shows what has arrived so far.
    ShowProgress(bytesRead, bytesMax, target);
}

std::string vcUPDATECTL::Units(double value) const {
    std::string s = Format00(value);
    const std::string sep = p_.app.DecimalSeparator();
    if (sep != ".") {
        std::size_t dot = s.find('.');
        if (dot != std::string::npos) s.replace(dot, 1, sep);
    }
    return s;
}

void vcUPDATECTL::ShowProgress(std::uint64_t bytesRead, std::uint64_t bytesMax, const std::string& target) {
    if (target == ConfigPath()) {
        C(lblPROGRESS).SetText(bytesMax == 0 ? std::to_string(bytesRead) + " bytes of configuration retreived."
                                             : std::to_string(bytesRead) + " bytes of " + std::to_string(bytesMax) +
                                                   " bytes of configuration retreived.");
        return;
    }
    const double read = static_cast<double>(bytesRead), total = static_cast<double>(bytesMax);
    if (bytesMax == 0) {
        C(lblPROGRESSUPDATE).SetText(read / 1000 >= 1000 ? Units(read / 1000000) + " MB downloaded..."
                                                         : Units(read / 1000) + " KB downloaded...");
        return;
    }
    if (total / 1000 >= 1000) {
        C(lblPROGRESSUPDATE).SetText(Units(read / 1000000) + " MB of " + Units(total / 1000000) + " MB downloaded...");
    } else {
        C(lblPROGRESSUPDATE).SetText(Units(read / 1000) + " KB of " + Units(total / 1000) + " KB downloaded...");
    }
    TotalBytes_ = static_cast<long long>(bytesMax);
}

void vcUPDATECTL::DownloadComplete(const std::string& target, const DownloadResult& result) {
    // A refused or reset connection, an error status, an empty, short or oversized body, an
    // address that is not https://: nothing is kept.
    if (!result.ok) {
        // The service has deleted what it wrote; a file it could not create is not ours.
        const bool installer = target != ConfigPath();
        if (result.failure == DownloadError::None || result.failure == DownloadError::Connection ||
            result.failure == DownloadError::Empty) {
            ErrorMessage();
        } else {
            ShowLongText(installer ? lblPROGRESSUPDATE : lblPROGRESS, FailureText(result, installer));
        }
        return;
    }
    if (target == ConfigPath()) {
        FileError err = p_.fs.WriteFile(target, result.bytes);
        if (err.failed) {
            ShowLongText(lblPROGRESS, "The version information could not be saved to " + target + ": " + err.reason +
                                          "  Unable to complete Live Update.");
            return;
        }
    } else {
        SaveInstaller(target, result);
        return;
    }
    DownloadFinished(target);
}

std::string vcUPDATECTL::FailureText(const DownloadResult& result, bool installer) const {
    switch (result.failure) {
        case DownloadError::TooLarge:
            return installer ? "The server offered a file larger than the " +
                                   std::to_string(kMaxInstallerBytes / (1024 * 1024)) +
                                   " MB an update may have, so it was not kept.  Unable to complete Live Update."
                             : "The server offered version information larger than " +
                                   std::to_string(kMaxConfigBytes / 1024) +
                                   " KB, so it was not used.  Unable to complete Live Update.";
        case DownloadError::NotHttps:
            return "The server sent Live Update on to an address that is not secure (https://), so nothing was "
                   "downloaded.  Unable to complete Live Update.";
        case DownloadError::Write:
            return "The update could not be saved to " + PartFile_ + ": " + result.error +
                   "  Unable to complete Live Update.";
        default:
            return kConnectError;
    }
}

void vcUPDATECTL::SaveInstaller(const std::string& target, const DownloadResult& result) {
    const std::string part = PartFile_;
    PartFile_.clear();
    if (Sha256_.empty() || result.sha256 != Sha256_) {
        p_.fs.RemoveFile(part);
        ShowLongText(lblPROGRESSUPDATE,
                     "The downloaded file does not match the update's checksum, so it was not kept.  "
                     "Unable to complete Live Update.");
        return;
    }
    // The checked file takes the installer's name, or the first free numbered one: a file
    // already on the desktop is never replaced.
    std::string saved = target;
    FileError err;
    for (int n = 2;; ++n) {
        if (!p_.fs.FileExists(saved)) {
            err = p_.fs.Rename(part, saved);
            // Done, or failed for another reason than a file that appeared meanwhile.
            if (!err.failed || !p_.fs.FileExists(saved)) break;
        }
        if (n > kMaxNumberedNames) {
            err = FileError{true, "Every name up to \"" + NumberedName(InstallerFile_, kMaxNumberedNames) +
                                      "\" is taken."};
            break;
        }
        saved = NumberedName(target, n);
    }
    if (err.failed) {
        p_.fs.RemoveFile(part);
        ShowLongText(lblPROGRESSUPDATE, "The update could not be saved to " + saved + ": " + err.reason +
                                            "  Unable to complete Live Update.");
        return;
    }
    // Where the file system keeps streams; a file that cannot be marked is still kept.
    if (p_.fs.KeepsStreams(saved)) p_.fs.WriteFile(saved + kZoneStream, kInternetZone);
    if (TotalBytes_ == 0) TotalBytes_ = static_cast<long long>(result.size);
    DownloadFinished(saved);
    if (saved != target) {
        ShowLongText(lblPROGRESSUPDATE, C(lblPROGRESSUPDATE).Text() + "  Saved as " + saved + ", since " +
                                            InstallerFile_ + " is already on the desktop.");
    }
}

void vcUPDATECTL::DownloadFinished(const std::string& target) {
    if (target == ConfigPath()) {
        ReadConfigFile();
        if (Unsigned_) {
            ShowLongText(lblPROGRESS, kNotSigned);
            C(cmdCANCEL).SetFocus();
            return;
        }
        C(lblVERSION).SetText("Your version: " + CurrentVersion_ + "    Web version: " + WebVersion_);
        if (IsNewerVersion(CurrentVersion_, WebVersion_)) {
            const std::string refusal = RefusalReason();
            if (!refusal.empty()) {
                C(lblNO).SetText(refusal);
                C(lblNO).SetVisible(true);
                C(cmdCANCEL).SetFocus();
                return;
            }
            C(lblYES).SetVisible(true);
            C(cmdNEXT).SetEnabled(true);
            C(cmdNEXT).SetFocus();
        } else {
            C(lblNO).SetVisible(true);
            C(cmdCANCEL).SetFocus();
        }
        return;
    }
    C(cmdCANCEL).SetText("Finish");
    C(cmdCANCEL).SetFocus();
    const double total = static_cast<double>(TotalBytes_);
    if (total / 1000 >= 1000) {
        C(lblPROGRESSUPDATE).SetText("Download of " + Units(total / 1000000) + " MB complete.");
    } else {
        C(lblPROGRESSUPDATE).SetText("Download of " + Units(total / 1000) + " KB complete.");
    }
    DownloadedFile_ = target;
}

std::string vcUPDATECTL::RefusalReason() {
    if (!IsHttpsUrl(InstallerURL_))
        return "This update cannot be downloaded: its installer's address is not a secure (https://) one.  Click "
               "cancel to exit.";
    const std::string problem = InstallerNameProblem(InstallerFile_);
    if (!problem.empty()) {
        return "This update cannot be downloaded: its installer name \"" + Printable(InstallerFile_) + "\" is unsafe (" +
               problem + ").  Click cancel to exit.";
    }
    std::string hex;
    if (!ParseSha256Hex(Sha256_, hex))
        return "This update cannot be downloaded: its checksum line is not a SHA-256 value.  Click cancel to exit.";
    Sha256_ = hex;
    return "";
}

void vcUPDATECTL::ReadConfigFile() {
    const std::string path = ConfigPath();
    std::string text;
    Unsigned_ = false;
    FileError err = p_.fs.ReadAll(path, text);
    if (err.failed) return;   // fields keep what they held
    UpdateName_.clear();
    WebVersion_.clear();
    InstallerURL_.clear();
    Sha256_.clear();
    const UpdateConfig cfg = ParseUpdateConfig(text);
    // Only what the publisher signed is taken over.
    Unsigned_ = !p_.signatures ||
                CheckConfigSignature(text, cfg, TrustedKey_, *p_.signatures) != SignatureVerdict::Good;
    if (Unsigned_) {
        p_.fs.RemoveFile(path);
        return;
    }
    UpdateName_ = cfg.updateName;
    WebVersion_ = cfg.webVersion;
    InstallerURL_ = cfg.installerUrl;
    if (cfg.lines >= 3) InstallerFile_ = cfg.installerFile;
    if (cfg.sha256.find_first_not_of(" \t") != std::string::npos) Sha256_ = cfg.sha256;
    p_.fs.RemoveFile(path);
}

void vcUPDATECTL::ErrorMessage() {
    ShowLongText(Step_ == 1 ? lblPROGRESS : lblPROGRESSUPDATE, kConnectError);
}

}  // namespace pw
