#include "app/frmPagewick.h"

namespace pw {

void frmPagewick::mnuHotkey_Click() {}
void frmPagewick::UnloadHotkeyDialog() {}

}  // namespace pw
