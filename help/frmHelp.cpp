#include "help/frmHelp.h"

#include "help/HelpTexts.h"
#include "platform/WinNumbers.h"

namespace pw {

frmHelp::frmHelp(Platform& platform) : OwnedForm(platform) {}

frmHelp::~frmHelp() = default;

void frmHelp::Open(Handle owner) {
    if (Raise(false)) return;
    FormDef def;
    def.caption = "Help Topics";
    def.clientWidth = 5160;
    def.clientHeight = 4665;
    def.style = fsFixedDialog | fsCenterOwner;
    def.font = FontSpec{"Tahoma", 8.25f};
    form_ = p_.ui.CreateForm(def, *this, owner);

    tabStrip1_ = &form_->AddControl({kTabStrip1, ControlKind::TabStrip, "", 0, 15, 4215, 300, csTabStop});
    for (int i = 1; i <= kHelpTopicCount; ++i) tabStrip1_->AddItem(HelpTopicCaption(i));
    tabStrip1_->SetValue(1);

    txthelp_ = &form_->AddControl({kTxthelp, ControlKind::TextBox, "", 120, 360, 5010, 4275,
                                   csMultiLine | csVScroll | csReadOnly | csTabStop});

    Form_Load();
    form_->Show();
    JoinDialogLoop();
}

void frmHelp::Form_Load() {
    SetIcons();
    txthelp_->SetBackColor(SystemColor(COLOR_BTNFACE_INDEX));
    TabStrip1_Click();
}

void frmHelp::Form_Unload() {
    LeaveDialogLoop();
}

void frmHelp::Changed(int id) {
    if (id == kTabStrip1) TabStrip1_Click();
}

void frmHelp::TabStrip1_Click() {
    const int index = tabStrip1_->Value();
    for (int i = 1; i <= kHelpTopicCount; ++i) {
        if (index != i) continue;
        txthelp_->SetText(HelpTopicText(i));
        // A new topic is read from its first line, whatever was scrolled before.
        txthelp_->SetSelStart(0);
        txthelp_->Send(WM_VSCROLL_, SB_TOP_, 0);
    }
}

}  // namespace pw
