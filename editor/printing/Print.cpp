#include <memory>

#include "editor/printing/CWordWrap.h"
#include "editor/printing/Print.h"

namespace pw {

// File, Print...: the printer dialog, then one job per copy of the selection (or of the whole
// note when nothing is selected) in the note's face and size. A cancelled dialog ends the
// command quietly, and so does cancelling a file printer's own file-name prompt; a printer
// that refuses a job is named to the user with its reason, since a print that silently does
// nothing reads as a print that worked.
void PrintCommand::Print() {
    if (!p_.printing) return;
    CommonDialog_.CancelError_ = true;
    if (CommonDialog_.ShowPrinter(p_.dialogs, form_->hWnd()) != CommonDialog::Chosen) return;
    IPrinterSurface& printer = p_.printing->Printer();
    printer.UsePrinter(CommonDialog_.Printer);
    std::unique_ptr<CWordWrap> wordWrap;
    for (int copy = 1; copy <= CommonDialog_.Copies; ++copy) {
        printer.Print(" ");
        const FontSpec font = txtNote_->Font();
        printer.SetFontName(font.name);
        printer.SetFontSize(font.size);
        if (!wordWrap) wordWrap = std::make_unique<CWordWrap>(*p_.printing, p_.ui);
        wordWrap->SetHeaderText("");
        const std::string text = txtNote_->SelLength() > 0 ? txtNote_->SelText() : txtNote_->Text();
        if (!wordWrap->PrintText(text)) {
            const CWordWrap::PrintFailure& f = wordWrap->Failure();
            if (f.cancelled) return;   // as a cancelled printer dialog: quietly, no further copies
            p_.ui.MsgBox("The note could not be printed on " + f.printer + ":\r\n" + f.reason,
                         vbExclamation, p_.app.Title());
            return;
        }
    }
}

}  // namespace pw
