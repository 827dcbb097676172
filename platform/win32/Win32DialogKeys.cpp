// Enter and Esc in every window of the program but the main one, by one rule that does not
// depend on the ids of the controls: Esc closes the window as its close box does; Enter presses
// the focused push button, else the window's default button. A text box that takes line
// breaks keeps Enter, and a combo box with its list open keeps both keys.
#include "platform/win32/Win32Ui.h"

namespace pw::win32 {

namespace {

bool IsClass(HWND h, const char* name) {
    char cls[32] = {};
    return h && ::GetClassNameA(h, cls, sizeof cls) && ::lstrcmpiA(cls, name) == 0;
}

}  // namespace

bool Win32Form::DialogKey(const MSG& msg) {
    HWND focus = msg.hwnd;
    HWND combo = IsClass(focus, "ComboBox") ? focus : IsClass(::GetParent(focus), "ComboBox") ? ::GetParent(focus) : nullptr;
    if (combo && ::SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) return false;
    if (msg.wParam == VK_ESCAPE) {
        ::PostMessageA(hwnd_, WM_CLOSE, 0, 0);
        return true;
    }
    const LONG style = ::GetWindowLongA(focus, GWL_STYLE);
    if (IsClass(focus, "Edit") && (style & ES_MULTILINE) && (style & ES_WANTRETURN) && !(style & ES_READONLY))
        return false;
    Win32Control* pressed = ByHwnd(focus);
    if (!pressed || pressed->def().kind != ControlKind::Button) {
        pressed = nullptr;
        for (auto& c : controls_)
            if (c->def().style & csDefault) pressed = c.get();
    }
    if (pressed && ::IsWindowEnabled(pressed->hwnd()) && ::IsWindowVisible(pressed->hwnd()))
        events_.Command(pressed->def().id);
    return true;
}

}  // namespace pw::win32
