#include "app/frmPagewick.h"

namespace pw {

// Spell checking comes with its own change; until then the menu entry does nothing.
void frmPagewick::mnuSpellcheck_Click() {}

}  // namespace pw
