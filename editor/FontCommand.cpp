#include "editor/Editor.h"
#include "platform/WinNumbers.h"

namespace pw {

void Editor::Font() {
    CommonDialog_.Font = txtNote_->Font();
    CommonDialog_.Flags = CF_SCREENFONTS_;
    // A cancel leaves the font alone, whatever the cancel-error switch says.
    if (CommonDialog_.ShowFont(p_.dialogs, form_->hWnd()) != CommonDialog::Chosen) return;
    FontSpec font = txtNote_->Font();
    font.name = CommonDialog_.Font.name;
    font.size = CommonDialog_.Font.size;
    font.bold = CommonDialog_.Font.bold;
    font.italic = CommonDialog_.Font.italic;
    txtNote_->SetFont(font);
}

}  // namespace pw
