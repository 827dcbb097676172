#include "app/frmPagewick.h"

namespace pw {

void frmPagewick::ReadSettingsOrDefaults() {
    // No settings file: centred with the design size, then the default size.
    CenterOnScreen();
    form_->Move(form_->Left(), form_->Top(), 8445, 7245);
    transparency_ = "0";
}

bool frmPagewick::WriteSettings() { return true; }

}  // namespace pw
