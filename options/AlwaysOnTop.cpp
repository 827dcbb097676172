// File > Always on Top. The check mark on the entry is the only record of the choice; it
// is never saved, so every run starts in the normal stacking order.
#include "options/AlwaysOnTop.h"

#include "app/frmPagewick.h"

namespace pw {

namespace {
constexpr long HWND_TOPMOST_ = -1;
constexpr long HWND_NOTOPMOST_ = -2;
}  // namespace

void MakeTopMost(IForm& window) { window.SetZOrder(HWND_TOPMOST_); }

void MakeNormal(IForm& window) { window.SetZOrder(HWND_NOTOPMOST_); }

void frmPagewick::mnuOnTop_Click() {
    if (!form_->MenuChecked(mnuOnTop)) {
        MakeTopMost(*form_);
        form_->SetMenuChecked(mnuOnTop, true);
    } else {
        MakeNormal(*form_);
        form_->SetMenuChecked(mnuOnTop, false);
    }
}

}  // namespace pw
