// VBHotKey1: the system-wide hotkey of the main window. Six properties describe the
// combination; while `enabled` is true the combination is armed on the window, and each
// property change re-arms it at once. A press of the armed combination raises
// HotkeyPressed; a combination that cannot be armed raises HotkeyWarning.
#pragma once
#include <functional>
#include <string>

#include "platform/WinNumbers.h"
#include "platform/system.h"

namespace pw {

class VBHotKey {
public:
    explicit VBHotKey(IHotkeys& hotkeys) : hotkeys_(hotkeys) {}

    std::function<void()> HotkeyPressed;
    std::function<void(const std::string&, const std::string&)> HotkeyWarning;

    // The window the combination is armed on; arms it when it is enabled already.
    void SetWindow(Handle window);

    bool altkey() const { return alt_; }
    bool ctrlkey() const { return ctrl_; }
    bool enabled() const { return enabled_; }
    bool shiftkey() const { return shift_; }
    long vkey() const { return vkey_; }
    bool winkey() const { return win_; }
    void set_altkey(bool v) { alt_ = v; Changed(); }
    void set_ctrlkey(bool v) { ctrl_ = v; Changed(); }
    void set_enabled(bool v) { enabled_ = v; Changed(); }
    void set_shiftkey(bool v) { shift_ = v; Changed(); }
    void set_vkey(long v) { vkey_ = v; Changed(); }
    void set_winkey(bool v) { win_ = v; Changed(); }

    // Several properties set in a row (the settings, the dialog) arm only the final
    // combination: between BeginUpdate and EndUpdate nothing is armed and nothing warned.
    void BeginUpdate() { ++updating_; }
    void EndUpdate();

    // Gives the combination back (the window is going away). The properties stay.
    void Release();
    bool Armed() const { return armed_; }

    // WM_HOTKEY for this control: raises HotkeyPressed. False for other messages.
    bool HandleMessage(unsigned msg, unsigned long wParam);

    // "Ctrl+Shift+S", for the warning texts.
    std::string Describe() const;
    unsigned Modifiers() const;

private:
    void Changed();
    void Arm();

    IHotkeys& hotkeys_;
    Handle window_ = 0;
    bool alt_ = false, ctrl_ = true, enabled_ = false, shift_ = true, win_ = false;
    long vkey_ = 83;
    int updating_ = 0;
    bool pending_ = false;
    bool armed_ = false;
    static constexpr int kId = 1;
};

}  // namespace pw
