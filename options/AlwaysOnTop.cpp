// File > Always on Top. The check mark on the entry is the only record of the choice; it
// is never saved, so every run starts in the normal stacking order.
#include "options/AlwaysOnTop.h"

#include "platform/MenuIds.h"
#include "platform/WinNumbers.h"

namespace pw {

void MakeTopMost(IForm& window) { window.SetZOrder(HWND_TOPMOST_); }

void MakeNormal(IForm& window) { window.SetZOrder(HWND_NOTOPMOST_); }

void ToggleOnTop(IForm& window) {
    if (!window.MenuChecked(mnuOnTop)) {
        MakeTopMost(window);
        window.SetMenuChecked(mnuOnTop, true);
    } else {
        MakeNormal(window);
        window.SetMenuChecked(mnuOnTop, false);
    }
}

}  // namespace pw
