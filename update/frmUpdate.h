// frmUpdate, "Pagewick - Live Update": the modal window that hosts the Live Update wizard and
// closes when the wizard asks for it. Every opening starts a fresh wizard.
#pragma once
#include <memory>
#include <string>

#include "platform/OwnedWindows.h"
#include "update/vcUPDATECTL.h"

namespace pw {

// Where Live Update finds its configuration file; fixed when the program is built.
extern const char* const kLiveUpdateConfigUrl;

class frmUpdate : public OwnedForm {
public:
    static constexpr int kUpdateCtlBase = 100;   // control ids of vcUPDATECTL1

    explicit frmUpdate(Platform& p);
    ~frmUpdate() override;

    // Creates the window over `owner`, loads it and shows it modally: returns when it has
    // been closed (with a fake UI, as soon as it is shown).
    void ShowModal(Handle owner);

    IForm* form() { return Loaded() ? form_.get() : nullptr; }
    vcUPDATECTL* updateCtl() { return vcUPDATECTL1_.get(); }

    void Form_Load();
    void Form_Unload() override;
    void Command(int id) override;
    void vcUPDATECTL1_CloseRequest(std::string& DownloadedFile);
    // Opens a downloaded installer with the shell. Kept for a later decision: nothing calls it.
    void LaunchInstaller(const std::string& path);

private:
    std::unique_ptr<vcUPDATECTL> vcUPDATECTL1_;
};

}  // namespace pw
