#include "editor/Editor.h"
#include "editor/NoteLines.h"
#include "platform/MenuIds.h"

namespace pw {

// Greys what cannot act now; shortcuts follow their entries until the menu opens again.
void Editor::EditMenuOpening() {
    const bool hasSelection = txtNote_->SelLength() > 0;
    const bool hasText = !txtNote_->Text().empty();
    form_->SetMenuEnabled(mnuEditUndo, txtNote_->CanUndo());
    form_->SetMenuEnabled(mnuEditCut, hasSelection);
    form_->SetMenuEnabled(mnuEditCopy, hasSelection);
    form_->SetMenuEnabled(mnuEditPaste, p_.clipboard.HasText());
    form_->SetMenuEnabled(mnuEditDelete, hasSelection);
    form_->SetMenuEnabled(mnuEditFind, hasText);
    form_->SetMenuEnabled(mnuEditReplace, hasText);
    form_->SetMenuEnabled(mnuEditSelectAll, hasText);
}

void Editor::Undo() { txtNote_->Undo(); }
void Editor::Cut() { txtNote_->Cut(); }
void Editor::Copy() { txtNote_->Copy(); }
void Editor::Paste() {
    // A paste that would take the note past what the box can hold is refused as a whole.
    if (p_.clipboard.HasText()) {
        const std::string text = txtNote_->Text();
        const size_t start = static_cast<size_t>(txtNote_->SelStart());
        const NoteFit fit =
            CheckSplicedFits(text, start, start + static_cast<size_t>(txtNote_->SelLength()), p_.clipboard.GetText());
        if (RefuseUnfit(p_, fit, "Paste")) return;
    }
    txtNote_->Paste();
}
void Editor::Delete() { txtNote_->Clear(); }

void Editor::SelectAll() {
    txtNote_->SetSelStart(0);
    txtNote_->SetSelLength(static_cast<int>(txtNote_->Text().size()));
}

void Editor::TimeDate() {
    std::string time, date;
    p_.app.ShortTimeAndDate(time, date);
    const std::string stamp = time + " " + date;
    const std::string text = txtNote_->Text();
    const size_t start = static_cast<size_t>(txtNote_->SelStart());
    const NoteFit fit = CheckSplicedFits(text, start, start + static_cast<size_t>(txtNote_->SelLength()), stamp);
    if (RefuseUnfit(p_, fit, "Time/Date")) return;
    txtNote_->SetSelText(stamp);   // one step for Undo, as typing it would be
}

void Editor::DeleteWordBefore() {
    if (txtNote_->SelLength() == 0) {
        const int caret = txtNote_->SelStart();
        const ICharRules& rules = p_.findDialogs ? p_.findDialogs->CharRules() : BuiltInCharRules();
        const int from = static_cast<int>(WordStartBefore(txtNote_->Text(), static_cast<size_t>(caret), rules));
        if (from == caret) return;
        txtNote_->SetSelStart(from);
        txtNote_->SetSelLength(caret - from);
    }
    txtNote_->SetSelText("");
}

void Editor::Find() { FindReplace_.ShowFind(*txtNote_, form_->hWnd()); }

void Editor::Replace() { FindReplace_.ShowReplace(*txtNote_, form_->hWnd()); }

// Our procedure in front of the window's takes the dialogs' message; should it not be in
// place, the message still arrives here.
bool Editor::FindReplaceMessage(unsigned msg, unsigned long, long lParam, long& result) {
    const unsigned number = FindReplace_.FindReplaceMsg();
    if (number == 0 || msg != number) return false;
    FindReplace_.Notify(lParam);
    result = 0;
    return true;
}

bool RefuseUnfit(Platform& p, const NoteFit& fit, const std::string& what) {
    if (fit.fits()) return false;
    p.ui.MsgBox(what + " was refused: with it the note would not fit the window, " + WhyItDoesNotFit(fit) +
                    ".\r\nThe note is unchanged.",
                vbExclamation, p.app.Title());
    return true;
}

}  // namespace pw
