// What a text box tells its form besides its own notifications: that its caret or selection
// may have moved (an edit control reports no such change), and Ctrl with the mouse wheel,
// which the form's events decide about.
#include "platform/win32/Win32Ui.h"

namespace pw::win32 {

namespace {

const char* const kBoxProp = "PagewickTextBox";
const char* const kBoxOldProcProp = "PagewickTextBoxProc";

// Messages after which the caret may stand elsewhere: keys, the mouse, and the program's own
// changes of the text or the selection.
bool MayMoveCaret(UINT msg, WPARAM wParam) {
    switch (msg) {
        case WM_KEYDOWN: case WM_CHAR: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
        case EM_SETSEL: case EM_REPLACESEL: case WM_SETTEXT: case WM_UNDO: case EM_UNDO:
        case WM_CUT: case WM_PASTE: case WM_CLEAR:
            return true;
        case WM_MOUSEMOVE:
            return (wParam & MK_LBUTTON) != 0;
        default:
            return false;
    }
}

template <bool Wide>
LRESULT CALLBACK TextBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* box = static_cast<Win32Control*>(::GetPropA(hwnd, kBoxProp));
    auto old = reinterpret_cast<WNDPROC>(::GetPropA(hwnd, kBoxOldProcProp));
    const auto call = [&] {
        return Wide ? ::CallWindowProcW(old, hwnd, msg, wParam, lParam) : ::CallWindowProcA(old, hwnd, msg, wParam, lParam);
    };
    if (msg == WM_NCDESTROY || !box) {
        if (msg == WM_NCDESTROY) {
            if (Wide) ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
            else ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
            ::RemovePropA(hwnd, kBoxProp);
            ::RemovePropA(hwnd, kBoxOldProcProp);
        }
        return call();
    }
    if (msg == WM_MOUSEWHEEL && (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL)) {
        long result = 0;
        if (box->Events().Message(msg, static_cast<unsigned long>(wParam), static_cast<long>(lParam), result))
            return result;
    }
    const LRESULT r = call();
    if (MayMoveCaret(msg, wParam)) box->Events().SelChange(box->def().id);
    return r;
}

}  // namespace

void Win32Form::WatchTextBox(Win32Control& box) {
    HWND h = box.hwnd();
    ::SetPropA(h, kBoxProp, &box);
    LONG_PTR old;
    if (::IsWindowUnicode(h))
        old = ::SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TextBoxProc<true>));
    else
        old = ::SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TextBoxProc<false>));
    ::SetPropA(h, kBoxOldProcProp, reinterpret_cast<HANDLE>(old));
}

}  // namespace pw::win32
