#include "update/frmUpdate.h"

namespace pw {

const char* const kLiveUpdateConfigUrl = "https://www.pagewick.example/software/pagewick/pagewick.txt";

frmUpdate::frmUpdate(Platform& p) : OwnedForm(p) {}

frmUpdate::~frmUpdate() {
    Close();
}

void frmUpdate::ShowModal(Handle owner) {
    if (Loaded()) return;   // already open (the modal loop is running)
    FormDef def;
    def.caption = "Pagewick - Live Update";
    def.clientWidth = 6000;
    def.clientHeight = 3750;
    def.style = fsFixedDialog | fsNoTaskbar | fsCenterOwner;
    def.font = FontSpec{"Verdana", 8.25f};
    // The previous wizard (if any) goes with its window's controls; a new one starts at step 1.
    vcUPDATECTL1_.reset();
    form_ = p_.ui.CreateForm(def, *this, owner);
    vcUPDATECTL1_ = std::make_unique<vcUPDATECTL>(p_, *form_, kUpdateCtlBase, 0.0f, 0.0f);
    vcUPDATECTL1_->SetConfigFileURL(kLiveUpdateConfigUrl);
    vcUPDATECTL1_->CloseRequest = [this](std::string& file) { vcUPDATECTL1_CloseRequest(file); };
    Form_Load();
    p_.ui.RunModal(*form_);
}

void frmUpdate::Form_Load() {
    SetIcons();
}

void frmUpdate::Form_Unload() {
    // No report of a running download may reach the wizard once its window is gone.
    if (vcUPDATECTL1_ && p_.downloads) p_.downloads->CancelAll(*vcUPDATECTL1_);
}

void frmUpdate::Command(int id) {
    if (vcUPDATECTL1_) vcUPDATECTL1_->Command(id);
}

void frmUpdate::vcUPDATECTL1_CloseRequest(std::string& DownloadedFile) {
    // Downloaded or not, the window closes; the installer stays where it is and starting
    // it is left to the user.
    (void)DownloadedFile;
    Close();
}

void frmUpdate::LaunchInstaller(const std::string& path) {
    if (path.empty()) return;
    long result = p_.shell.ShellOpenIn(path, p_.app.Path());
    if (result >= 0 && result <= 32) p_.ui.MsgBox("Error jumping to:" + path, vbExclamation, "Warning");
}

}  // namespace pw
