#include "app/frmPagewick.h"

namespace pw {

void frmPagewick::mnuEditFont_Click() {}

}  // namespace pw
