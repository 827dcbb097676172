#include "options/transparency/frmTrans.h"

#include "options/transparency/Transparency.h"
#include "platform/WinNumbers.h"

namespace pw {

namespace {

std::string Percent(long transparency) { return std::to_string(transparency) + "%"; }

}  // namespace

frmTrans::frmTrans(Platform& p, Target target) : OwnedForm(p), target_(std::move(target)) {}

frmTrans::~frmTrans() = default;

void frmTrans::Show() {
    if (Raise(true)) return;
    FormDef def;
    def.caption = "Transparency";
    def.clientWidth = 3945;
    def.clientHeight = 1425;
    def.style = fsFixedDialog | fsNoTaskbar | fsCenterOwner;
    def.font.size = 8.25f;   // the dialog font its design size is laid out for
    form_ = p_.ui.CreateForm(def, *this, target_.window->hWnd());
    // In tab order: the slider across the top, the button below it on the right.
    const ControlDef defs[4] = {
        {sliderTrans, ControlKind::Slider, "", 120, 120, 3705, 450, csTabStop | csClickable},
        {lblTrans, ControlKind::Label, "Transparency value:", 120, 795, 1665, 255, 0},
        {lblSlider, ControlKind::Label, "", 1800, 795, 405, 255, 0},
        {btnTrans, ControlKind::Button, "Set Transparency", 2265, 720, 1560, 390, csTabStop | csDefault},
    };
    for (int i = 0; i < 4; ++i) controls_[i] = &form_->AddControl(defs[i]);
    IControl& slider = Ctl(sliderTrans);
    slider.SetRange(kMinOpacity, kMaxOpacity);
    slider.Send(TBM_SETTICFREQ_, 10, 0);
    slider.Send(TBM_SETPAGESIZE_, 0, 10);
    Form_Load();
    ShowStoredValue();   // also when it first becomes active without the main window before it
    JoinDialogLoop();
    form_->Show();
}

void frmTrans::Form_Load() { SetIcons(); }

void frmTrans::Form_Activate(bool fromThisProgram) {
    // Coming back from another program keeps a slider move the user has not set yet.
    if (fromThisProgram) ShowStoredValue();
}

void frmTrans::ShowStoredValue() {
    const long transparency = TransparencyPercent(target_.value());
    Ctl(lblSlider).SetText(target_.value() + "%");
    Ctl(sliderTrans).SetValue(static_cast<int>(100 - transparency));
}

void frmTrans::Form_Unload() { LeaveDialogLoop(); }

void frmTrans::Command(int id) {
    switch (id) {
        case btnTrans: btnTrans_Click(); break;
        default: break;
    }
}

void frmTrans::Changed(int id) {
    if (id == sliderTrans) sliderTrans_Change();
}

void frmTrans::MouseMove(int id, int button) {
    (void)button;
    if (id == sliderTrans) sliderTrans_Change();
}

void frmTrans::sliderTrans_Change() { Ctl(lblSlider).SetText(Percent(100 - Ctl(sliderTrans).Value())); }

void frmTrans::btnTrans_Click() {
    const int opacity = Ctl(sliderTrans).Value();
    SetTransparency(*target_.window, p_.ui, p_.app.Title(), opacity);
    // Kept even when applying failed; written with the other settings at the next save.
    target_.setValue(std::to_string(100 - opacity));
}

}  // namespace pw
