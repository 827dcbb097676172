#include "editor/CommonDialog.h"

#include <cstdint>

namespace pw {

CommonDialog::Result CommonDialog::Cancel(bool clearName) {
    if (CancelError_) return CancelError;
    if (clearName) FileName.clear();
    return Cancelled;
}

CommonDialog::Result CommonDialog::ShowOpen(IDialogs& dialogs, Handle owner) {
    std::string name = FileName;
    if (!dialogs.OpenFile(owner, Filter, name)) return Cancel(true);
    FileName = name;
    return Chosen;
}

CommonDialog::Result CommonDialog::ShowSave(IDialogs& dialogs, Handle owner) {
    std::string name = FileName;
    if (!dialogs.SaveFile(owner, Filter, name)) return Cancel(true);
    FileName = name;
    return Chosen;
}

CommonDialog::Result CommonDialog::ShowFont(IDialogs& dialogs, Handle owner) {
    FontSpec chosen = Font;
    if (!dialogs.PickFont(owner, Flags, chosen)) return Cancel(false);
    Font = chosen;
    return Chosen;
}

CommonDialog::Result CommonDialog::ShowPrinter(IDialogs& dialogs, Handle owner) {
    PrinterChoice chosen = Printer;
    if (!dialogs.PickPrinter(owner, chosen)) return Cancel(false);
    Printer = chosen;
    Copies = static_cast<std::int16_t>(chosen.copies);
    return Chosen;
}

}  // namespace pw
