// vcUPDATECTL: the Live Update wizard as a reusable control. It lays its face onto a host
// form at a given place, fetches the configuration file named by ConfigFileURL, compares
// versions and, when the user agrees, saves the offered installer to the desktop. Only a
// configuration signed by the publisher is used, only https:// addresses are fetched, and a
// file already on the desktop is never replaced. It never starts the installer;
// Cancel/Finish raises CloseRequest with the installer's path (or "").
#pragma once
#include <functional>
#include <string>

#include "platform/platform.h"

namespace pw {

class vcUPDATECTL : public IDownloadSink {
public:
    // Control ids on the host form: idBase + these.
    enum Part : int {
        Image1 = 0, fraFRAME0, fraFRAME1, fraFRAME2, lblSTEP1, lblSTEP2, lblPROGRESS, lblVERSION,
        lblYES, lblNO, lblUPDATE, lblPROGRESSUPDATE, cmdNEXT, cmdCANCEL, kPartCount
    };
    static constexpr float kWidth = 5970, kHeight = 3735;

    // Builds the face on `host` with its top-left corner at (left, top) and initialises the
    // fields (the control's Initialize).
    vcUPDATECTL(Platform& p, IForm& host, int idBase, float left, float top);
    ~vcUPDATECTL() override;

    // The host forwards its Command events here; true when the id was one of ours.
    bool Command(int id);

    const std::string& ConfigFileURL() const { return ConfigFileURL_; }
    void SetConfigFileURL(const std::string& url) { ConfigFileURL_ = url; }
    // The key a configuration must be signed with (X then Y): the one this build carries,
    // PublisherKey(), unless set; "" trusts nothing and fetches nothing.
    void SetTrustedKey(const std::string& keyXY) { TrustedKey_ = keyXY; }
    // Raised by Cancel/Finish with DownloadedFile.
    std::function<void(std::string& DownloadedFile)> CloseRequest;

    IControl& C(Part part) { return *parts_[part]; }
    int Step() const { return Step_; }
    const std::string& TempFolder() const { return TempFolder_; }
    const std::string& DesktopFolder() const { return DesktopFolder_; }
    const std::string& CurrentVersion() const { return CurrentVersion_; }
    const std::string& WebVersion() const { return WebVersion_; }
    const std::string& InstallerFile() const { return InstallerFile_; }
    const std::string& DownloadedFile() const { return DownloadedFile_; }
    long long TotalBytes() const { return TotalBytes_; }
    // The file the installer is streamed into until it has been checked.
    const std::string& PartFile() const { return PartFile_; }

    void cmdNEXT_Click();
    void cmdCANCEL_Click();

    // Download service reports (on the UI thread).
    void DownloadProgress(const std::string& target, std::uint64_t bytesRead, std::uint64_t bytesMax) override;
    void DownloadComplete(const std::string& target, const DownloadResult& result) override;

    // The procedures of the wizard.
    bool BeginDownload(const DownloadRequest& request);
    void ShowProgress(std::uint64_t bytesRead, std::uint64_t bytesMax, const std::string& target);
    void DownloadFinished(const std::string& target);
    void ReadConfigFile();
    void ErrorMessage();

private:
    std::string ConfigPath() const { return TempFolder_ + "_vclu.txt"; }
    std::string Units(double bytes) const;
    void ShowFrame(int index);
    // A text that may need several lines, in a label of one line's height.
    void ShowLongText(Part label, const std::string& text);
    // Checks the configuration before an update is offered; "" or the reason it is refused.
    std::string RefusalReason();
    void SaveInstaller(const std::string& target, const DownloadResult& result);
    // Why a download failed, in the words of the step it failed in.
    std::string FailureText(const DownloadResult& result, bool installer) const;

    Platform& p_;
    IForm& host_;
    int idBase_;
    float left_, top_;
    IControl* parts_[kPartCount] = {};

    std::string TempFolder_, ConfigFileURL_, CurrentVersion_, UpdateName_, WebVersion_,
        InstallerURL_, DesktopFolder_, InstallerFile_, DownloadedFile_, Sha256_, PartFile_, TrustedKey_;
    bool Unsigned_ = false;   // the configuration last read lacked the publisher's signature
    int Step_ = 0;
    long long TotalBytes_ = 0;
};

}  // namespace pw
