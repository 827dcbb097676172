#include "app/frmPagewick.h"

namespace pw {

void frmPagewick::mnuNew_Click() {}
void frmPagewick::mnuOpen_Click() {}
void frmPagewick::mnuSaveAs_Click() {}

}  // namespace pw
