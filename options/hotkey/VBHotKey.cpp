#include "options/hotkey/VBHotKey.h"

#include <cstdio>

namespace pw {

namespace {

std::string KeyName(long vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return std::string(1, static_cast<char>(vk));
    if (vk >= 112 && vk <= 135) return "F" + std::to_string(vk - 111);
    char buf[32];
    std::snprintf(buf, sizeof buf, "key code %ld", vk);
    return buf;
}

}  // namespace

void VBHotKey::SetWindow(Handle window) {
    if (window_ == window) return;
    Release();
    window_ = window;
    Changed();
}

unsigned VBHotKey::Modifiers() const {
    return (alt_ ? 1u : 0u) | (ctrl_ ? 2u : 0u) | (shift_ ? 4u : 0u) | (win_ ? 8u : 0u);
}

std::string VBHotKey::Describe() const {
    std::string s;
    if (ctrl_) s += "Ctrl+";
    if (alt_) s += "Alt+";
    if (shift_) s += "Shift+";
    if (win_) s += "Windows+";
    return s + KeyName(vkey_);
}

void VBHotKey::Changed() {
    if (updating_ > 0) {
        pending_ = true;
        return;
    }
    Arm();
}

void VBHotKey::EndUpdate() {
    if (updating_ > 0 && --updating_ == 0 && pending_) {
        pending_ = false;
        Arm();
    }
}

void VBHotKey::Release() {
    if (armed_) hotkeys_.Unregister(window_, kId);
    armed_ = false;
}

void VBHotKey::Arm() {
    Release();
    if (!enabled_ || window_ == 0) return;
    auto warn = [this](const std::string& a, const std::string& b) {
        if (HotkeyWarning) HotkeyWarning(a, b);
    };
    const std::string what = "The hotkey " + Describe() + " could not be activated";
    if (Modifiers() == 0) {
        // A bare key armed system-wide would swallow that key in every program.
        warn(what, "it needs at least one of Alt, Ctrl, Shift or Windows");
        return;
    }
    if (vkey_ < 1 || vkey_ > 254) {
        warn(what, "the key code is not a key");
        return;
    }
    const unsigned long err = hotkeys_.Register(window_, kId, Modifiers(), static_cast<unsigned>(vkey_));
    if (err == 0) {
        armed_ = true;
        return;
    }
    if (err == 1409) {
        warn(what, "another program already uses it");
    } else {
        char buf[64];
        std::snprintf(buf, sizeof buf, "the system refused it (error %lu)", err);
        warn(what, buf);
    }
}

bool VBHotKey::HandleMessage(unsigned msg, unsigned long wParam) {
    if (msg != WM_HOTKEY_ || wParam != static_cast<unsigned long>(kId)) return false;
    if (armed_ && HotkeyPressed) HotkeyPressed();
    return true;
}

}  // namespace pw
