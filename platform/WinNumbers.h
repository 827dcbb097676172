// The Win32 numbers the program's logic passes through the platform interfaces: messages,
// styles and codes, in one place. They carry a trailing underscore so that they never meet the
// <windows.h> macros of the same names in the Win32 adapters.
#pragma once
#include "platform/types.h"

namespace pw {

// Window messages.
constexpr unsigned WM_TIMER_ = 0x0113;
constexpr unsigned WM_VSCROLL_ = 0x0115;
constexpr unsigned WM_CUT_ = 0x0300, WM_COPY_ = 0x0301, WM_PASTE_ = 0x0302, WM_CLEAR_ = 0x0303,
                   WM_UNDO_ = 0x0304;
constexpr unsigned WM_HOTKEY_ = 0x312;
constexpr unsigned WM_LBUTTONDOWN_ = 0x201, WM_RBUTTONUP_ = 0x205;
constexpr unsigned WM_MOUSEWHEEL_ = 0x020A;
constexpr unsigned long MK_CONTROL_ = 0x0008;   // the wheel's key state: Ctrl held
constexpr int WHEEL_DELTA_ = 120;               // one notch of the wheel
// Edit control messages.
constexpr unsigned EM_SETLIMITTEXT_ = 0x00C5, EM_CANUNDO_ = 0x00C6;
constexpr unsigned EM_LINESCROLL_ = 0x00B6, EM_GETMODIFY_ = 0x00B8, EM_SETMODIFY_ = 0x00B9,
                   EM_LINEINDEX_ = 0x00BB, EM_LINEFROMCHAR_ = 0x00C9, EM_GETFIRSTVISIBLELINE_ = 0x00CE,
                   EM_GETLIMITTEXT_ = 0x00D5;
constexpr unsigned EM_SETSEL_ = 0x00B1, EM_GETLINECOUNT_ = 0x00BA, EM_LINELENGTH_ = 0x00C1,
                   EM_POSFROMCHAR_ = 0x00D6;
// Scroll bar codes.
constexpr unsigned long SB_TOP_ = 6;
// Trackbar messages (WM_USER + n).
constexpr unsigned TBM_SETTICFREQ_ = 0x0400 + 20;
constexpr unsigned TBM_SETPAGESIZE_ = 0x0400 + 21;
// SetWindowPos's place in the stacking order.
constexpr long HWND_TOPMOST_ = -1;
constexpr long HWND_NOTOPMOST_ = -2;
// System metrics: the big and small icon sizes.
constexpr int SM_CXICON_ = 11, SM_CYICON_ = 12, SM_CXSMICON_ = 49, SM_CYSMICON_ = 50;
// Shell_NotifyIcon actions.
constexpr unsigned NIM_ADD_ = 0, NIM_DELETE_ = 2;
// ChooseFont flags.
constexpr unsigned CF_SCREENFONTS_ = 1;
// The registry: the current user's root key, value types, and an error code.
constexpr Handle HKEY_CURRENT_USER_ = 0x80000001u;
constexpr unsigned long REG_SZ_ = 1, REG_DWORD_ = 4;
constexpr long ERROR_INVALID_PARAMETER_ = 87;

}  // namespace pw
