// frmHotkey, "Global Hotkey": the modifiers and the key of VBHotKey1, modeless, owned by
// the main window. Each opening reads the control afresh; "Activate Hotkey" writes it.
#pragma once
#include <memory>
#include <string>

#include "options/hotkey/VBHotKey.h"
#include "platform/OwnedWindows.h"

namespace pw {

// The key list's text for a key code: "A".."Z", "0".."9", "F1".."F12", else "".
std::string KeyTextFor(long vkey);
// The key code for a key text, or false when the text leaves the code as it is
// ("F13", "Fx", "FOO"; every text beginning with "F" except "F" itself and F1..F12).
// An empty text gives false too.
bool VkeyFor(const std::string& text, long& vkey);

class frmHotkey : public OwnedForm {
public:
    enum Id { chkAlt = 11, chkCtrl, chkShift, chkWindows, cmb_key, btnHotkey };

    frmHotkey(Platform& p, VBHotKey& hotkey, Handle owner);
    ~frmHotkey() override;

    // Creates and shows the window (the load step), or shows the open one again.
    void Show();
    IForm* form() { return form_.get(); }

    void Form_Load();
    void Form_Unload() override;
    void Command(int id) override;
    void btnHotkey_Click();
    void AddKey(const std::string& text);
    void FillKeyList();

private:
    VBHotKey& hotkey_;
    Handle owner_;
    IControl* controls_[6] = {};
    IControl& C(int id) { return *controls_[id - chkAlt]; }
};

}  // namespace pw
