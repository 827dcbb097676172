#include "app/frmPagewick.h"

namespace pw {

void frmPagewick::mnuHelpTopics_Click() {}
void frmPagewick::mnuAbout_Click() {}
void frmPagewick::UnloadAbout() {}
void frmPagewick::UnloadHelp() {}

}  // namespace pw
