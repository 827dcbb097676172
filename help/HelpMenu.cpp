// The Help menu's own windows, opened modeless from the main window.
#include "app/frmPagewick.h"

namespace pw {

void frmPagewick::mnuHelpTopics_Click() {
    if (!frmHelp_) frmHelp_ = std::make_unique<frmHelp>(p_);
    frmHelp_->Open(form_->hWnd());
}

void frmPagewick::mnuAbout_Click() {
    if (!frmAbout_) frmAbout_ = std::make_unique<frmAbout>(p_);
    frmAbout_->Open(form_->hWnd());
}

void frmPagewick::UnloadAbout() {
    if (frmAbout_) frmAbout_->Close();
}

void frmPagewick::UnloadHelp() {
    if (frmHelp_) frmHelp_->Close();
}

}  // namespace pw
