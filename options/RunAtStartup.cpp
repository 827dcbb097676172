#include "app/frmPagewick.h"

namespace pw {

// Registering the program to run at logon comes with its own change; until then the menu entry does nothing.
void frmPagewick::mnuStartup_Click() {}

}  // namespace pw
