#include "platform/win32/Win32MenuKeys.h"

#include <string>
#include <vector>

#include "platform/MenuAccess.h"

namespace pw::win32 {

namespace {

constexpr UINT kMnGetHmenu = 0x01E1;   // MN_GETHMENU: the menu a pop-up menu window shows

std::vector<MenuKeyEntry> EntriesOf(HMENU menu, int* highlighted) {
    std::vector<MenuKeyEntry> out;
    *highlighted = -1;
    const int n = ::GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        char text[256] = {};
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        mii.dwTypeData = text;
        mii.cch = sizeof(text) - 1;
        MenuKeyEntry e;
        if (::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mii)) {
            e.caption = text;
            e.separator = (mii.fType & MFT_SEPARATOR) != 0;
            e.enabled = !(mii.fState & (MFS_GRAYED | MFS_DISABLED));
            if (mii.fState & MFS_HILITE) *highlighted = i;
        } else {
            e.separator = true;
        }
        out.push_back(e);
    }
    return out;
}

BOOL CALLBACK TopPopup(HWND hwnd, LPARAM lp) {
    char cls[16] = {};
    if (::GetClassNameA(hwnd, cls, sizeof(cls)) && lstrcmpA(cls, "#32768") == 0 && ::IsWindowVisible(hwnd)) {
        // Thread windows come top of the z-order first: the first visible one is the menu
        // opened last, the one that takes the keys.
        *reinterpret_cast<HWND*>(lp) = hwnd;
        return FALSE;
    }
    return TRUE;
}

LRESULT CALLBACK MenuKeyFilter(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_MENU) {
        MSG* msg = reinterpret_cast<MSG*>(lParam);
        if ((msg->message == WM_CHAR || msg->message == WM_SYSCHAR) && msg->wParam > ' ') {
            HWND popup = nullptr;
            ::EnumThreadWindows(::GetCurrentThreadId(), TopPopup, reinterpret_cast<LPARAM>(&popup));
            HMENU menu = popup ? reinterpret_cast<HMENU>(::SendMessageA(popup, kMnGetHmenu, 0, 0)) : nullptr;
            if (menu) {
                int current = -1;
                const std::vector<MenuKeyEntry> entries = EntriesOf(menu, &current);
                const MenuKeyAnswer a = MenuKeyFor(entries, static_cast<char>(msg->wParam), current);
                if (a.kind == MenuKeyAnswer::Select) {
                    const int steps = DownStepsTo(entries, current, a.index);
                    for (int i = 0; i < steps; ++i) ::PostMessageA(msg->hwnd, WM_KEYDOWN, VK_DOWN, 0);
                    return TRUE;   // the letter is used up
                }
            }
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

LRESULT MenuCharAnswer(HMENU menu, WPARAM wParam) {
    int current = -1;
    const std::vector<MenuKeyEntry> entries = EntriesOf(menu, &current);
    const MenuKeyAnswer a = MenuKeyFor(entries, static_cast<char>(LOWORD(wParam)), current);
    switch (a.kind) {
        case MenuKeyAnswer::Execute: return MAKELRESULT(a.index, MNC_EXECUTE);
        case MenuKeyAnswer::Select: return MAKELRESULT(a.index, MNC_SELECT);
        default: return MAKELRESULT(0, MNC_IGNORE);
    }
}

void InstallMenuKeyFilter() {
    static HHOOK hook = nullptr;
    if (!hook) hook = ::SetWindowsHookExA(WH_MSGFILTER, MenuKeyFilter, nullptr, ::GetCurrentThreadId());
}

}  // namespace pw::win32
