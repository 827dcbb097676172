#include "options/hotkey/frmHotkey.h"

#include "platform/WinNumbers.h"

namespace pw {

std::string KeyTextFor(long vkey) {
    if ((vkey >= 'A' && vkey <= 'Z') || (vkey >= '0' && vkey <= '9')) return std::string(1, static_cast<char>(vkey));
    if (vkey >= 112 && vkey <= 123) return "F" + std::to_string(vkey - 111);
    return "";
}

bool VkeyFor(const std::string& text, long& vkey) {
    if (text.empty()) return false;
    for (int n = 1; n <= 12; ++n) {
        if (text == "F" + std::to_string(n)) {
            vkey = 111 + n;
            return true;
        }
    }
    if (text[0] != 'F') {
        vkey = static_cast<unsigned char>(text[0]);
        return true;
    }
    if (text == "F") {
        vkey = 'F';
        return true;
    }
    return false;
}

frmHotkey::frmHotkey(Platform& p, VBHotKey& hotkey, Handle owner) : OwnedForm(p), hotkey_(hotkey), owner_(owner) {}

frmHotkey::~frmHotkey() = default;

void frmHotkey::Show() {
    if (Raise(true)) return;
    FormDef def;
    def.caption = "Global Hotkey";
    def.clientWidth = 3645;
    def.clientHeight = 1485;
    def.style = fsFixedDialog | fsNoTaskbar | fsCenterOwner;
    form_ = p_.ui.CreateForm(def, *this, owner_);
    // In tab order: the modifiers in a row along the top, the key below, the button beside it.
    const ControlDef defs[6] = {
        {chkAlt, ControlKind::CheckBox, "Alt", 120, 180, 735, 315, csTabStop},
        {chkCtrl, ControlKind::CheckBox, "CTRL", 915, 180, 855, 315, csTabStop},
        {chkShift, ControlKind::CheckBox, "Shift", 1830, 180, 735, 315, csTabStop},
        {chkWindows, ControlKind::CheckBox, "Windows", 2625, 180, 960, 315, csTabStop},
        {cmb_key, ControlKind::ComboBox, "", 120, 780, 1335, 315, csDropDown | csTabStop},
        {btnHotkey, ControlKind::Button, "Activate Hotkey", 1575, 735, 1950, 420, csTabStop | csDefault},
    };
    for (int i = 0; i < 6; ++i) controls_[i] = &form_->AddControl(defs[i]);
    Form_Load();
    JoinDialogLoop();
    form_->Show();
}

void frmHotkey::Form_Load() {
    SetIcons();
    FillKeyList();
    C(chkAlt).SetValue(hotkey_.altkey() ? 1 : 0);
    C(chkCtrl).SetValue(hotkey_.ctrlkey() ? 1 : 0);
    C(chkShift).SetValue(hotkey_.shiftkey() ? 1 : 0);
    C(chkWindows).SetValue(hotkey_.winkey() ? 1 : 0);
    C(cmb_key).SetText(KeyTextFor(hotkey_.vkey()));
}

void frmHotkey::AddKey(const std::string& text) { C(cmb_key).AddItem(text); }

void frmHotkey::FillKeyList() {
    for (int n = 1; n <= 12; ++n) AddKey("F" + std::to_string(n));
    for (char c = 'A'; c <= 'Z'; ++c) AddKey(std::string(1, c));
    for (char c = '0'; c <= '9'; ++c) AddKey(std::string(1, c));
}

void frmHotkey::Form_Unload() { LeaveDialogLoop(); }

void frmHotkey::Command(int id) {
    switch (id) {
        case btnHotkey: btnHotkey_Click(); break;
        default: break;
    }
}

void frmHotkey::btnHotkey_Click() {
    const int alt = C(chkAlt).Value(), ctrl = C(chkCtrl).Value();
    const int shift = C(chkShift).Value(), win = C(chkWindows).Value();
    const std::string key = C(cmb_key).Text();
    if (key.empty() || alt + ctrl + shift + win < 1) {
        p_.ui.MsgBox("Invalid Hotkey combination...", vbSystemModal + vbInformation, p_.app.Title());
        return;
    }
    // One re-arm for the whole change, so only the final combination can warn.
    hotkey_.BeginUpdate();
    hotkey_.set_enabled(true);
    long vkey = hotkey_.vkey();
    if (VkeyFor(key, vkey)) hotkey_.set_vkey(vkey);
    hotkey_.set_altkey(alt == 1);
    hotkey_.set_ctrlkey(ctrl == 1);
    hotkey_.set_shiftkey(shift == 1);
    hotkey_.set_winkey(win == 1);
    hotkey_.EndUpdate();
}

}  // namespace pw
