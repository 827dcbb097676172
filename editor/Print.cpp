#include "app/frmPagewick.h"

namespace pw {

// Printing comes with its own change; until then the menu entry does nothing.
void frmPagewick::mnuPrint_Click() {}

}  // namespace pw
