#include "app/frmPagewick.h"

namespace pw {

void frmPagewick::mnuEdit_Click() {}
void frmPagewick::mnuEditUndo_Click() {}
void frmPagewick::mnuEditCut_Click() {}
void frmPagewick::mnuEditCopy_Click() {}
void frmPagewick::mnuEditPaste_Click() {}
void frmPagewick::mnuEditDelete_Click() {}
void frmPagewick::mnuEditSelectAll_Click() {}
void frmPagewick::mnuEditFind_Click() {}
void frmPagewick::mnuEditReplace_Click() {}
bool frmPagewick::FindReplaceMessage(unsigned, unsigned long, long, long&) { return false; }

}  // namespace pw
