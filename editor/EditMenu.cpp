#include "app/frmPagewick.h"

namespace pw {

namespace {
constexpr unsigned WM_CUT_ = 0x0300, WM_COPY_ = 0x0301, WM_PASTE_ = 0x0302, WM_CLEAR_ = 0x0303,
                   WM_UNDO_ = 0x0304, EM_CANUNDO_ = 0x00C6;
}  // namespace

// Greys what cannot act now; shortcuts follow their entries until the menu opens again.
void frmPagewick::mnuEdit_Click() {
    const bool hasSelection = txtNote_->SelLength() > 0;
    const bool hasText = !txtNote_->Text().empty();
    form_->SetMenuEnabled(mnuEditUndo, txtNote_->Send(EM_CANUNDO_, 0, 0) != 0);
    form_->SetMenuEnabled(mnuEditCut, hasSelection);
    form_->SetMenuEnabled(mnuEditCopy, hasSelection);
    form_->SetMenuEnabled(mnuEditPaste, p_.clipboard.HasText());
    form_->SetMenuEnabled(mnuEditDelete, hasSelection);
    form_->SetMenuEnabled(mnuEditFind, hasText);
    form_->SetMenuEnabled(mnuEditReplace, hasText);
    form_->SetMenuEnabled(mnuEditSelectAll, hasText);
}

void frmPagewick::mnuEditUndo_Click() { txtNote_->Send(WM_UNDO_, 0, 0); }
void frmPagewick::mnuEditCut_Click() { txtNote_->Send(WM_CUT_, 0, 0); }
void frmPagewick::mnuEditCopy_Click() { txtNote_->Send(WM_COPY_, 0, 0); }
void frmPagewick::mnuEditPaste_Click() {
    // A paste that would take the note past what the box can hold is refused as a whole.
    if (p_.clipboard.HasText()) {
        const std::string text = txtNote_->Text();
        const size_t start = static_cast<size_t>(txtNote_->SelStart());
        const NoteFit fit =
            CheckSplicedFits(text, start, start + static_cast<size_t>(txtNote_->SelLength()), p_.clipboard.GetText());
        if (RefuseUnfit(fit, "Paste")) return;
    }
    txtNote_->Send(WM_PASTE_, 0, 0);
}
void frmPagewick::mnuEditDelete_Click() { txtNote_->Send(WM_CLEAR_, 0, 0); }

void frmPagewick::mnuEditSelectAll_Click() {
    txtNote_->SetSelStart(0);
    txtNote_->SetSelLength(static_cast<int>(txtNote_->Text().size()));
}

void frmPagewick::mnuEditFind_Click() { FindReplace_.ShowFind(*txtNote_, form_->hWnd()); }

void frmPagewick::mnuEditReplace_Click() { FindReplace_.ShowReplace(*txtNote_, form_->hWnd()); }

// Our procedure in front of the window's takes the dialogs' message; should it not be in
// place, the message still arrives here.
bool frmPagewick::FindReplaceMessage(unsigned msg, unsigned long, long lParam, long& result) {
    const unsigned number = FindReplace_.FindReplaceMsg();
    if (number == 0 || msg != number) return false;
    FindReplace_.Notify(lParam);
    result = 0;
    return true;
}

}  // namespace pw
