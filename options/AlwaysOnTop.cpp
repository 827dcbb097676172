#include "app/frmPagewick.h"

namespace pw {

void frmPagewick::mnuOnTop_Click() {}

}  // namespace pw
