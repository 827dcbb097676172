#include "help/frmAbout.h"

namespace pw {

const char* const kAuthorSiteUrl = "http://www.pagewick.example/";
const char* const kIconSiteUrl = "http://icons.example.org/";

namespace {

const FontSpec kTahoma825{"Tahoma", 8.25f};

}  // namespace

frmAbout::frmAbout(Platform& platform) : OwnedForm(platform) {}

frmAbout::~frmAbout() = default;

void frmAbout::Open(Handle owner) {
    if (Raise(false)) return;
    FormDef def;
    def.caption = "About Pagewick";
    def.clientWidth = 4440;
    def.clientHeight = 4455;
    def.style = fsFixedDialog | fsCenterOwner;
    def.font = kTahoma825;
    def.backColor = kAboutBackColor;
    form_ = p_.ui.CreateForm(def, *this, owner);
    IForm& f = *form_;

    // Every control takes the mouse for itself (kOwnMouse), so that a pointer over a plain
    // label or a picture does not count as the window background. That holds for the faded
    // sheet too: it is drawn as the labels' backdrop (it comes first and lies beneath them,
    // so the labels over it still take the mouse themselves), but it is a picture.
    constexpr unsigned kOwnMouse = csClickable;
    f.AddControl(ControlDef{kImage1, ControlKind::Picture, "", 2040, 240, 2175, 2175, csBackdrop | kOwnMouse})
        .SetImage("NOTESHEET");
    f.AddControl(ControlDef{kImgPagewick, ControlKind::Picture, "", 480, 480, 690, 1395, kOwnMouse}).SetImage("PROGRAM");
    f.AddControl(ControlDef{kLblProduct, ControlKind::Label, "Pagewick 1.4", 1440, 600, 2400, 240, kOwnMouse});
    f.AddControl(ControlDef{kLblRights, ControlKind::Label, "\xA9 2026 Pagewick developers.\r\nAll rights reserved.",
                     1440, 900, 2880, 420, kOwnMouse});
    // Labels whose text needs more room at the screen's DPI are widened by the window when
    // it is shown (the address, the credit line), so every word stays readable.
    lblVelmorUrl_ = &f.AddControl(ControlDef{kLblVelmorUrl, ControlKind::Label, kAuthorSiteUrl, 1440,
                                      1440, 1560, 315, csUnderline | csClickable});
    lblVelmorUrl_->SetToolTip(kAuthorSiteUrl);
    lblVelmorUrl_->SetHandCursor("HAND");

    IControl& imgBrask = f.AddControl(
        ControlDef{kImgBrask, ControlKind::Picture, "", 1035, 2880, 2370, 780, csClickable});
    imgBrask.SetImage("ICONSITE");
    imgBrask.SetToolTip(kIconSiteUrl);
    imgBrask.SetHandCursor("HAND");

    f.AddControl(ControlDef{kLblBraskTxt, ControlKind::Label, "Program icon courtesy of", 698, 3720, 1800, 195, kOwnMouse});
    lblBraskUrl_ = &f.AddControl(ControlDef{kLblBraskUrl, ControlKind::Label, "BRASK's icons.", 2618,
                                     3720, 1125, 195, csUnderline | csClickable});
    lblBraskUrl_->SetToolTip(kIconSiteUrl);
    lblBraskUrl_->SetHandCursor("HAND");

    for (int id = kLblProduct; id <= kLblBraskUrl; ++id) {
        if (IControl* c = f.Control(id)) c->SetFont(kTahoma825);
    }

    Form_Load();
    f.Show();
    JoinDialogLoop();
}

void frmAbout::Form_Load() {
    SetIcons();
}

void frmAbout::Form_Unload() {
    LeaveDialogLoop();
}

void frmAbout::Navigate(std::string NavTo) {
    p_.shell.ShellOpen(NavTo);
}

void frmAbout::Command(int id) {
    switch (id) {
        case kLblVelmorUrl: lblVelmorUrl_Click(); break;
        case kLblBraskUrl: lblBraskUrl_Click(); break;
        case kImgBrask: imgBrask_Click(); break;
        default: break;
    }
}

void frmAbout::MouseMove(int id, int button) {
    (void)button;
    switch (id) {
        case 0: Form_MouseMove(); break;
        case kLblVelmorUrl: lblVelmorUrl_MouseMove(); break;
        case kLblBraskUrl: lblBraskUrl_MouseMove(); break;
        case kImgBrask: imgBrask_MouseMove(); break;
        default: break;
    }
}

void frmAbout::MouseDown(int id, int button) {
    (void)button;
    if (id == kLblVelmorUrl) lblVelmorUrl_MouseDown();
}

void frmAbout::lblVelmorUrl_Click() { Navigate(lblVelmorUrl_->Text()); }
void frmAbout::lblBraskUrl_Click() { Navigate(kIconSiteUrl); }
void frmAbout::imgBrask_Click() { Navigate(kIconSiteUrl); }

void frmAbout::lblVelmorUrl_MouseMove() {
    // A pressed link keeps its red until the pointer reaches the window background, even
    // when it still moves over the link after the click.
    if (lblVelmorUrl_->ForeColor() != kPressedColor) lblVelmorUrl_->SetForeColor(kLinkColor);
}

void frmAbout::lblVelmorUrl_MouseDown() { lblVelmorUrl_->SetForeColor(kPressedColor); }
void frmAbout::lblBraskUrl_MouseMove() { lblBraskUrl_->SetForeColor(kLinkColor); }
void frmAbout::imgBrask_MouseMove() { lblBraskUrl_->SetForeColor(kLinkColor); }

void frmAbout::Form_MouseMove() {
    lblVelmorUrl_->SetForeColor(kNormalColor);
    lblBraskUrl_->SetForeColor(kNormalColor);
}

}  // namespace pw
