// Showing and greying controls, frames, and modal windows.
#include "platform/win32/Win32Ui.h"

#include <commctrl.h>

namespace pw::win32 {

namespace {

LRESULT CALLBACK FrameProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR form) {
    if (msg == WM_ERASEBKGND) {
        RECT r;
        ::GetClientRect(h, &r);
        ::FillRect(reinterpret_cast<HDC>(wParam), &r, reinterpret_cast<Win32Form*>(form)->backBrush());
        return 1;
    }
    return ::DefSubclassProc(h, msg, wParam, lParam);
}

}  // namespace

void Win32Form::PrepareFrame(HWND frame) {
    ::SetWindowSubclass(frame, &FrameProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

void Win32Control::SetVisible(bool visible) { ::ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }
bool Win32Control::Visible() const { return (::GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }
void Win32Control::SetEnabled(bool enabled) { ::EnableWindow(hwnd_, enabled ? TRUE : FALSE); }
bool Win32Control::Enabled() const { return ::IsWindowEnabled(hwnd_) != FALSE; }

void Win32Ui::RunModal(IForm& form) {
    HWND dlg = reinterpret_cast<HWND>(form.hWnd());
    if (!dlg) return;
    HWND owner = ::GetWindow(dlg, GW_OWNER);
    // The owner takes no input while the window is open; Tab and Enter work inside it.
    if (owner) ::EnableWindow(owner, FALSE);
    AddModeless(form.hWnd());
    form.Show();
    MSG msg;
    bool quit = false;
    while (::IsWindow(dlg)) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            quit = true;
            break;
        }
        if (PreTranslate(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (owner && ::IsWindow(owner)) {
        ::EnableWindow(owner, TRUE);
        if (::IsWindowVisible(owner)) ::SetActiveWindow(owner);
    }
    RemoveModeless(reinterpret_cast<Handle>(dlg));
    // The outer loop must see the end of the program too.
    if (quit) ::PostQuitMessage(static_cast<int>(msg.wParam));
}

}  // namespace pw::win32
