// Help > Live Update...: the modal Live Update window, and its place in the unload step.
#include "app/frmPagewick.h"
#include "update/frmUpdate.h"

namespace pw {

void frmPagewick::mnuUpdate_Click() {
    if (!frmUpdate_) frmUpdate_ = std::make_shared<frmUpdate>(p_);
    // Kept alive by this call even if the window is unloaded while it runs.
    std::shared_ptr<frmUpdate> window = frmUpdate_;
    window->ShowModal(form_->hWnd());
}

void frmPagewick::UnloadUpdate() {
    if (frmUpdate_) frmUpdate_->Close();
}

}  // namespace pw
