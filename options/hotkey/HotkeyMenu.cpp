#include "app/frmPagewick.h"
#include "options/hotkey/frmHotkey.h"

namespace pw {

void frmPagewick::mnuHotkey_Click() {
    // One dialog at a time: an open one is shown again as it is.
    if (frmHotkey_ && frmHotkey_->Loaded()) {
        frmHotkey_->Show();
        return;
    }
    frmHotkey_ = std::make_shared<frmHotkey>(p_, VBHotKey1, form_->hWnd());
    frmHotkey_->Show();
}

void frmPagewick::UnloadHotkeyDialog() {
    if (frmHotkey_) frmHotkey_->Unload();
}

}  // namespace pw
