#include "app/frmPagewick.h"

namespace pw {

// The Live Update wizard comes with its own change; until then the menu entry does nothing.
void frmPagewick::mnuUpdate_Click() {}

}  // namespace pw
