// Keeping a window above all windows that are not top-most themselves. Position and size
// never change.
#pragma once
#include "platform/ui.h"

namespace pw {

void MakeTopMost(IForm& window);   // SetWindowPos HWND_TOPMOST, SWP_NOSIZE | SWP_NOMOVE
void MakeNormal(IForm& window);    // SetWindowPos HWND_NOTOPMOST, SWP_NOSIZE | SWP_NOMOVE
// File > Always on Top: the main window (with that menu entry) to the other state, its
// check mark following.
void ToggleOnTop(IForm& window);

}  // namespace pw
