#include "platform/win32/Win32FindDialogs.h"
#include "platform/win32/ComDlg.h"

#include <windows.h>
#include <commdlg.h>

namespace pw::win32 {

namespace {

// One record for every dialog: the dialog reads and writes it for as long as it is open.
FINDREPLACEA g_record;
FindProcTarget* g_target = nullptr;

LRESULT CALLBACK InstalledProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (g_target)
        return g_target->FindReplaceProc(reinterpret_cast<Handle>(hwnd), msg,
                                         static_cast<unsigned long>(wParam), static_cast<long>(lParam));
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND Hwnd(Handle h) { return reinterpret_cast<HWND>(h); }

}  // namespace

unsigned Win32FindDialogs::RegisterMessage() { return ::RegisterWindowMessageA(FINDMSGSTRINGA); }

std::uintptr_t Win32FindDialogs::InstallProc(Handle window, FindProcTarget& target) {
    g_target = &target;
    return static_cast<std::uintptr_t>(static_cast<ULONG>(
        ::SetWindowLongA(Hwnd(window), GWL_WNDPROC, static_cast<LONG>(reinterpret_cast<LONG_PTR>(&InstalledProc)))));
}

void Win32FindDialogs::RestoreProc(Handle window, std::uintptr_t previous) {
    if (::IsWindow(Hwnd(window)))
        ::SetWindowLongA(Hwnd(window), GWL_WNDPROC, static_cast<LONG>(previous));
    g_target = nullptr;
}

long Win32FindDialogs::CallPrevious(std::uintptr_t previous, Handle window, unsigned msg,
                                    unsigned long wParam, long lParam) {
    return static_cast<long>(::CallWindowProcA(reinterpret_cast<WNDPROC>(previous), Hwnd(window), msg,
                                               static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)));
}

Handle Win32FindDialogs::Show(const FindRecord& r, bool replace) {
    ZeroMemory(&g_record, sizeof g_record);
    g_record.lStructSize = sizeof g_record;
    g_record.hwndOwner = Hwnd(r.owner);
    g_record.Flags = r.flags;
    g_record.lpstrFindWhat = r.findWhat;
    g_record.wFindWhatLen = r.findWhatLen;
    g_record.lpstrReplaceWith = r.replaceWith;
    g_record.wReplaceWithLen = r.replaceWithLen;
    HWND dialog = replace ? comdlg::ShowReplace(&g_record) : comdlg::ShowFind(&g_record);
    return reinterpret_cast<Handle>(dialog);
}

unsigned long Win32FindDialogs::ExtendedError() { return comdlg::ExtendedError(); }

bool Win32FindDialogs::ReadRecord(long lParam, FindRecord& r) {
    if (reinterpret_cast<const FINDREPLACEA*>(static_cast<LONG_PTR>(lParam)) != &g_record) return false;
    FINDREPLACEA copy = g_record;
    r.owner = reinterpret_cast<Handle>(copy.hwndOwner);
    r.flags = copy.Flags;
    r.findWhat = copy.lpstrFindWhat;
    r.findWhatLen = copy.wFindWhatLen;
    r.replaceWith = copy.lpstrReplaceWith;
    r.replaceWithLen = copy.wReplaceWithLen;
    return true;
}

void Win32FindDialogs::Close(Handle dialog) {
    if (::IsWindow(Hwnd(dialog))) ::DestroyWindow(Hwnd(dialog));
}

void Win32FindDialogs::CharTables(unsigned char lower[256], bool alnum[256]) {
    for (int b = 0; b < 256; ++b) {
        char c = static_cast<char>(b);
        if (b != 0) ::CharLowerBuffA(&c, 1);
        lower[b] = static_cast<unsigned char>(c);
        alnum[b] = b != 0 && ::IsCharAlphaNumericA(static_cast<CHAR>(b));
    }
}

}  // namespace pw::win32
