#include "editor/frmGoTo.h"

#include "editor/NoteLines.h"

namespace pw {

frmGoTo::~frmGoTo() { Close(); }

void frmGoTo::ShowModal(Handle owner, IControl& note) {
    if (Loaded()) return;   // already open (the modal loop is running)
    note_ = &note;
    FormDef def;
    def.caption = "Go To Line";
    def.clientWidth = 3900;
    def.clientHeight = 1560;
    def.style = fsFixedDialog | fsNoTaskbar | fsCenterOwner;
    def.font.size = 8.25f;
    form_ = p_.ui.CreateForm(def, *this, owner);
    const ControlDef defs[4] = {
        {lblLine, ControlKind::Label, "Line number:", 180, 150, 3540, 255, 0},
        {txtLine, ControlKind::TextBox, "", 180, 420, 3540, 345, csTabStop | csNumber},
        {cmdGoTo, ControlKind::Button, "Go To", 1410, 1005, 1110, 375, csTabStop | csDefault},
        {cmdCancel, ControlKind::Button, "Cancel", 2610, 1005, 1110, 375, csTabStop},
    };
    for (int i = 0; i < 4; ++i) controls_[i] = &form_->AddControl(defs[i]);
    Form_Load();
    p_.ui.RunModal(*form_);
}

void frmGoTo::Form_Load() {
    SetIcons();
    // The caret's line, ready to be typed over.
    const LineColumn at = LineColumnAt(note_->Text(), static_cast<size_t>(note_->SelStart()));
    IControl& box = Ctl(txtLine);
    box.SetText(std::to_string(at.line));
    box.SetSelStart(0);
    box.SetSelLength(static_cast<int>(box.Text().size()));
    box.SetFocus();
}

void frmGoTo::Command(int id) {
    switch (id) {
        case cmdGoTo: cmdGoTo_Click(); break;
        case cmdCancel: Close(); break;
        default: break;
    }
}

void frmGoTo::cmdGoTo_Click() {
    if (!note_) return;
    IControl& box = Ctl(txtLine);
    const std::string typed = box.Text();
    long line = 0;
    bool number = !typed.empty() && typed.size() <= 9;
    for (char c : typed) {
        if (c < '0' || c > '9') number = false;
        else line = line * 10 + (c - '0');
    }
    const std::string text = note_->Text();
    const size_t start = number ? LineStart(text, line) : std::string::npos;
    if (start == std::string::npos) {
        p_.ui.MsgBox(kBeyondText, vbOKOnly, kTitle);
        box.SetSelStart(0);
        box.SetSelLength(static_cast<int>(typed.size()));
        box.SetFocus();
        return;
    }
    note_->SetSelStart(static_cast<int>(start));
    Close();
}

void OpenGoTo(Platform& p, Handle owner, IControl& note, OwnedWindows& windows) {
    // Kept alive by this call even if the window is unloaded while it runs.
    std::shared_ptr<frmGoTo> window = windows.OpenOrMake<frmGoTo>([&] { return std::make_shared<frmGoTo>(p); });
    window->ShowModal(owner, note);
}

}  // namespace pw
