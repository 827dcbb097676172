// Forms' window states, showing and hiding, and their activation with the keyboard focus it
// brings.
#include "platform/win32/Win32Ui.h"

namespace pw::win32 {

int Win32Form::State() const {
    if (!hwnd_ || !::IsWindowVisible(hwnd_)) return state_;
    if (::IsIconic(hwnd_)) return vbMinimized;
    if (::IsZoomed(hwnd_)) return vbMaximized;
    return vbNormal;
}

void Win32Form::SetState(int state) {
    if (!hwnd_) return;
    bool visible = ::IsWindowVisible(hwnd_) != 0;
    int current = State();
    state_ = state;
    if (!visible || current == state) return;  // a hidden window takes its state when shown
    ::ShowWindow(hwnd_, state == vbMinimized ? SW_MINIMIZE : state == vbMaximized ? SW_MAXIMIZE : SW_RESTORE);
}

bool Win32Form::Visible() const { return hwnd_ && ::IsWindowVisible(hwnd_); }

void Win32Form::Show() {
    if (!hwnd_ || ::IsWindowVisible(hwnd_)) return;
    if (!shownOnce_) FitToText();
    if (!shownOnce_ && (def_.style & (fsCenterOwner | fsCenterScreen))) {
        RECT owner;
        HWND o = ::GetWindow(hwnd_, GW_OWNER);
        if ((def_.style & fsCenterScreen) || !o || !::IsWindowVisible(o)) {
            ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &owner, 0);
        } else {
            ::GetWindowRect(o, &owner);
        }
        RECT me = PixelsRect();
        int w = me.right - me.left, h = me.bottom - me.top;
        ::SetWindowPos(hwnd_, nullptr, owner.left + (owner.right - owner.left - w) / 2,
                       owner.top + (owner.bottom - owner.top - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    shownOnce_ = true;
    if (state_ == vbMinimized) {
        // A window shown minimised goes straight on to where the resize step puts it.
        events_.Form_Resize();
        return;
    }
    if (::IsIconic(hwnd_) && state_ == vbNormal) {
        // Back to the normal window even when it was maximised before it was minimised.
        WINDOWPLACEMENT wp = {};
        wp.length = sizeof(wp);
        ::GetWindowPlacement(hwnd_, &wp);
        wp.flags &= ~static_cast<UINT>(WPF_RESTORETOMAXIMIZED);
        wp.showCmd = SW_SHOWNORMAL;
        ::SetWindowPlacement(hwnd_, &wp);
    } else if (::IsIconic(hwnd_) || ::IsZoomed(hwnd_)) {
        ::ShowWindow(hwnd_, state_ == vbMaximized ? SW_SHOWMAXIMIZED : SW_RESTORE);
    } else {
        ::ShowWindow(hwnd_, state_ == vbMaximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    }
    ::SetForegroundWindow(hwnd_);
    events_.Form_Resize();
}

void Win32Form::Hide() {
    if (!hwnd_) return;
    state_ = State();
    ::ShowWindow(hwnd_, SW_HIDE);
}

void Win32Form::BringToFront() {
    if (!hwnd_) return;
    if (!::IsWindowVisible(hwnd_)) Show();
    if (::IsIconic(hwnd_)) ::ShowWindow(hwnd_, SW_RESTORE);
    ::BringWindowToTop(hwnd_);
    ::SetForegroundWindow(hwnd_);
}

bool Win32Form::Activate(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) != WA_INACTIVE) {
        // lParam: the window that was active before, when it belongs to this thread.
        DWORD pid = 0;
        if (lParam) ::GetWindowThreadProcessId(reinterpret_cast<HWND>(lParam), &pid);
        events_.Form_Activate(pid == ::GetCurrentProcessId());
    }
    // Every window keeps the keyboard on a control, as the dialog manager does: the one focused
    // when the window was left, else the first tab stop (the main window's note box).
    HWND focus = ::GetFocus();
    if (LOWORD(wParam) == WA_INACTIVE) {
        if (focus && ::IsChild(hwnd_, focus)) lastFocus_ = focus;
        return false;
    }
    if (HIWORD(wParam)) return false;   // minimised
    HWND to = (lastFocus_ && ::IsWindow(lastFocus_) && ::IsChild(hwnd_, lastFocus_))
                  ? lastFocus_
                  : ::GetNextDlgTabItem(hwnd_, nullptr, FALSE);
    if (!to) return false;
    ::SetFocus(to);
    return true;
}

}  // namespace pw::win32
