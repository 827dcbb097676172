// First-letter access keys for menus without ampersands (rules in platform/MenuAccess.h).
#pragma once
#include <windows.h>

namespace pw::win32 {

// The answer to WM_MENUCHAR for `menu` (wParam as the message carries it).
LRESULT MenuCharAnswer(HMENU menu, WPARAM wParam);

// Installs, once per UI thread, the message filter that moves the highlight of an open menu
// to the next of several entries sharing a letter. The menu loop itself only knows how to
// choose an entry from WM_MENUCHAR (Wine ignores the MNC_SELECT answer), so the filter does
// the moving with Down-arrow keys before the loop sees the letter.
void InstallMenuKeyFilter();

}  // namespace pw::win32
