#include "editor/CommonDialog.h"

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

}  // namespace pw
