// Forms' menus and accelerators, and the message loop that routes keys to them and to the
// modeless dialogs.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/win32/Win32Ui.h"

namespace pw::win32 {

namespace {

// "Ctrl+N", "F1" -> an accelerator entry.
bool ParseShortcut(const char* text, WORD id, ACCEL& out) {
    std::string s = text;
    if (s.empty()) return false;
    out.fVirt = FVIRTKEY;
    out.cmd = id;
    if (s.compare(0, 5, "Ctrl+") == 0) {
        out.fVirt |= FCONTROL;
        s = s.substr(5);
    }
    if (s.size() == 1) {
        out.key = static_cast<WORD>(s[0]);
        return true;
    }
    static const struct { const char* name; WORD key; } named[] = {
        {"Plus", VK_OEM_PLUS}, {"Minus", VK_OEM_MINUS}, {"Backspace", VK_BACK},
        {"Num +", VK_ADD}, {"Num -", VK_SUBTRACT}, {"Num 0", VK_NUMPAD0},
    };
    for (const auto& n : named) {
        if (s != n.name) continue;
        out.key = n.key;
        return true;
    }
    if (s[0] == 'F') {
        out.key = static_cast<WORD>(VK_F1 + std::atoi(s.c_str() + 1) - 1);
        return true;
    }
    return false;
}

}  // namespace

void Win32Form::SetMenu(const std::vector<MenuItem>& items) {
    menuBar_ = ::CreateMenu();
    std::vector<ACCEL> accels;
    HMENU parents[4] = {menuBar_, nullptr, nullptr, nullptr};
    for (const MenuItem& it : items) {
        if (it.level == kKeyOnly) {
            ACCEL a;
            if (ParseShortcut(it.shortcut, static_cast<WORD>(it.id), a)) accels.push_back(a);
            continue;
        }
        HMENU parent = it.level == 0 ? (it.visible ? menuBar_ : nullptr) : parents[it.level];
        bool hasChildren = false;
        const MenuItem* next = &it + 1;
        if (next < items.data() + items.size() && next->level > it.level) hasChildren = true;
        if (std::string(it.caption) == "-") {
            ::AppendMenuA(parent, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::string caption = it.caption;
        if (*it.shortcut) caption += std::string("\t") + it.shortcut;
        if (hasChildren) {
            HMENU sub = ::CreatePopupMenu();
            if (parent) ::AppendMenuA(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), caption.c_str());
            dropDowns_[it.id] = sub;
            if (it.level + 1 < 4) parents[it.level + 1] = sub;
        } else if (parent) {
            ::AppendMenuA(parent, MF_STRING, static_cast<UINT_PTR>(it.id), caption.c_str());
            ACCEL a;
            if (ParseShortcut(it.shortcut, static_cast<WORD>(it.id), a)) accels.push_back(a);
        }
    }
    ::SetMenu(hwnd_, menuBar_);
    if (!accels.empty()) accel_ = ::CreateAcceleratorTableA(accels.data(), static_cast<int>(accels.size()));
    accelList_ = accels;
    // Keep the designed client area with the menu bar added.
    RECT r = {0, 0, ui_.ToPxX(def_.clientWidth), ui_.ToPxY(def_.clientHeight)};
    ::AdjustWindowRectEx(&r, static_cast<DWORD>(::GetWindowLongA(hwnd_, GWL_STYLE)), TRUE,
                         static_cast<DWORD>(::GetWindowLongA(hwnd_, GWL_EXSTYLE)));
    ::SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Form::SetMenuEnabled(int id, bool enabled) {
    UINT flags = MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
    if (menuBar_) ::EnableMenuItem(menuBar_, static_cast<UINT>(id), flags);
    for (auto& kv : dropDowns_) ::EnableMenuItem(kv.second, static_cast<UINT>(id), flags);
}

bool Win32Form::MenuEnabled(int id) const {
    for (auto& kv : dropDowns_) {
        UINT s = ::GetMenuState(kv.second, static_cast<UINT>(id), MF_BYCOMMAND);
        if (s != 0xFFFFFFFFu) return !(s & (MF_GRAYED | MF_DISABLED));
    }
    return true;
}

bool Win32Form::IsGreyedShortcut(const MSG& msg) const {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    const bool alt = ::GetKeyState(VK_MENU) < 0;
    for (const ACCEL& a : accelList_) {
        if (a.key != msg.wParam || ((a.fVirt & FCONTROL) != 0) != ctrl || shift || alt) continue;
        return !MenuEnabled(a.cmd);
    }
    return false;
}

void Win32Form::SetMenuChecked(int id, bool checked) {
    for (auto& kv : dropDowns_)
        ::CheckMenuItem(kv.second, static_cast<UINT>(id), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool Win32Form::MenuChecked(int id) const {
    for (auto& kv : dropDowns_) {
        UINT s = ::GetMenuState(kv.second, static_cast<UINT>(id), MF_BYCOMMAND);
        if (s != 0xFFFFFFFFu) return (s & MF_CHECKED) != 0;
    }
    return false;
}

void Win32Form::PopupMenu(int id) {
    auto it = dropDowns_.find(id);
    if (it == dropDowns_.end()) return;
    POINT pt;
    ::GetCursorPos(&pt);
    ::SetForegroundWindow(hwnd_);
    ::TrackPopupMenu(it->second, TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd_, nullptr);
    ::PostMessageA(hwnd_, WM_NULL, 0, 0);
}

void Win32Ui::AddModeless(Handle dialog) {
    HWND h = reinterpret_cast<HWND>(dialog);
    if (h && std::find(modeless_.begin(), modeless_.end(), h) == modeless_.end()) modeless_.push_back(h);
}

void Win32Ui::RemoveModeless(Handle dialog) {
    modeless_.erase(std::remove(modeless_.begin(), modeless_.end(), reinterpret_cast<HWND>(dialog)), modeless_.end());
}

bool Win32Ui::PreTranslate(MSG& msg) {
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) && msg.hwnd) {
        HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
        for (Win32Form* f : forms_)
            if (f != main_ && f->hwnd() == root && f->DialogKey(msg)) return true;
    }
    for (HWND d : modeless_)
        if (::IsWindow(d) && ::IsDialogMessageW(d, &msg)) return true;
    if (main_ && main_->hwnd() && main_->accelerators()) {
        HWND root = msg.hwnd ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (root == main_->hwnd() && !main_->IsGreyedShortcut(msg) &&
            ::TranslateAcceleratorW(root, main_->accelerators(), &msg))
            return true;
    }
    return false;
}

int Win32Ui::Run() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (PreTranslate(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace pw::win32
