#include "app/frmPagewick.h"

namespace pw {

// Tray icon: filled in with the tray change.
void frmPagewick::AddIcon(const std::string&) {}
void frmPagewick::RemoveIcon() {}
bool frmPagewick::TrayMessage(unsigned, unsigned long, long, long&) { return false; }

}  // namespace pw
