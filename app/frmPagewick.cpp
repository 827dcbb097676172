#include "app/frmPagewick.h"

#include <cstdlib>

#include "app/Menus.h"
#include "options/startup/RunAtStartup.h"
#include "options/transparency/Transparency.h"
#include "storage/NoteFile.h"

namespace pw {

namespace {

constexpr int kTxtNote = 1;
constexpr float kDesignClientWidth = 8370, kDesignClientHeight = 6465;
constexpr float kDefaultWidth = 8445, kDefaultHeight = 7245;

}  // namespace

frmPagewick::frmPagewick(Platform& platform)
    : p_(platform),
      noteKeeper_(std::make_unique<NoteKeeper>(p_.fs, NotePath(p_.app.Path()))),
      recovery_(std::make_unique<Recovery>(p_.fs, NotePath(p_.app.Path()))) {}

frmPagewick::~frmPagewick() = default;

bool frmPagewick::Load() {
    p_.app.InitCommonControls();
    FormDef def;
    def.caption = "Pagewick";
    def.clientWidth = kDesignClientWidth;
    def.clientHeight = kDesignClientHeight;
    def.style = fsSizable;
    def.className = "Pagewick";
    form_ = p_.ui.CreateForm(def, *this, 0);
    txtNote_ = &form_->AddControl({kTxtNote, ControlKind::TextBox, "", 0, 0, kDesignClientWidth,
                                   kDesignClientHeight, csMultiLine | csVScroll | csTabStop});
    txtNote_->SetFont(FontSpec());  // Tahoma 9.75 until the settings say otherwise
    form_->SetMenu(MainMenu());

    Form_Load();
    if (endProcess_) {
        unloaded_ = true;
        form_->Destroy();
        return false;
    }
    return true;
}

void frmPagewick::CenterOnScreen() {
    const float top = p_.ui.ScreenHeight() / 2 - form_->Height() / 2;
    const float left = p_.ui.ScreenWidth() / 2 - form_->Width() / 2;
    form_->Move(left, top, form_->Width(), form_->Height());
}

void frmPagewick::Form_Load() {
    // 1. One copy per program folder: a second start ends at once.
    if (p_.app.PrevInstance()) {
        endProcess_ = true;
        return;
    }
    // 2. Started at logon: centred, and straight to the tray.
    if (p_.app.Command() == "/background") {
        CenterOnScreen();
        form_->SetState(vbMinimized);
    }
    // 3-4. Tray icon and window icons.
    AddIcon("Pagewick");
    SetWindowIcons();
    // 5. The note. Its text goes into the box once the window has its final size (after
    // the settings), since a multi-line box wraps its whole text again at every new width.
    std::string note = LoadNoteAtStart();
    // 7. Run at Startup mark.
    if (RunValuePresent(p_.registry, p_.app)) form_->SetMenuChecked(mnuStartup, true);
    // 8. Settings, or the default geometry.
    ReadSettingsOrDefaults();
    MakeWindowUsable();
    // 5-6 completed: the note in the box, caret at its end.
    if (!note.empty()) txtNote_->SetText(note);
    txtNote_->SetSelStart(static_cast<int>(note.size()));
    std::string().swap(note);
    // 9. Transparency.
    ApplyTransparencyAtStart();
    // 10. Show; a minimised window goes on to the tray through the resize step.
    form_->Show();
}

void frmPagewick::ApplyTransparencyAtStart() {
    // The settings reader keeps only whole values from 0 to 90; 0 leaves the window unlayered.
    const long value = TransparencyPercent(transparency_);
    if (value != 0) pw::SetTransparency(*form_, p_.ui, p_.app.Title(), 100 - value);
}

void frmPagewick::Form_Resize() {
    if (form_->State() == vbMinimized) {
        p_.app.SetTaskVisible(false);
        form_->Hide();
        KeepRecoveryCopy();
        return;
    }
    txtNote_->Move(0, 0, form_->ScaleWidth(), form_->ScaleHeight());
}

void frmPagewick::Form_QueryUnload(bool& cancel, int reason) {
    if (reason == vbFormControlMenu) {
        form_->SetState(vbMinimized);
        p_.app.SetTaskVisible(false);
        form_->Hide();
        cancel = true;
    } else if (reason == vbAppWindows) {
        // Exit saves and unloads; the window is gone when this returns (or kept when the
        // note could not be saved), so the caller's own close must not go on.
        mnuExit_Click();
        cancel = true;
    }
}

void frmPagewick::Form_Unload() {
    unloaded_ = true;
    RemoveIcon();
    UnloadOtherWindows();
}

void frmPagewick::UnloadOtherWindows() {
    UnloadAbout();
    UnloadHelp();
    UnloadHotkeyDialog();
    UnloadTransDialog();
    UnloadUpdate();
}

void frmPagewick::UnloadMe() { RunClose(*this, *form_, vbFormCode); }

bool frmPagewick::SaveNoteAndSettings() {
    bool ok = noteSaved_ = SaveNoteFile();
    if (form_->State() == vbMinimized) {
        // Position and size are then those of the normal window.
        form_->SetState(vbNormal);
        form_->Show();
        form_->Hide();
    }
    if (!WriteSettings()) ok = false;
    return ok;
}

void frmPagewick::mnuExit_Click() {
    // Keep the text rather than quit without it; settings that could not be written alone
    // do not hold the program (the user has been told).
    exiting_ = true;
    const bool saved = SaveNoteAndSettings();
    exiting_ = false;
    if (!saved && !noteSaved_) return;
    UnloadMe();
}

void frmPagewick::mnuSavePrefs_Click() { SaveNoteAndSettings(); }

void frmPagewick::mnuPopupRestore_Click() {
    form_->SetState(vbNormal);
    form_->Show();
}

void frmPagewick::mnuPopupExit_Click() { mnuExit_Click(); }

void frmPagewick::MenuOpening(int id) {
    if (id == mnuEdit) mnuEdit_Click();
}

bool frmPagewick::Message(unsigned msg, unsigned long wParam, long lParam, long& result) {
    if (FindReplaceMessage(msg, wParam, lParam, result)) return true;
    if (msg == 0x0113 /* WM_TIMER */ && wParam == kRecoveryTimer) {
        form_->StopTimer(kRecoveryTimer);
        KeepRecoveryCopy();
        return true;
    }
    return TrayMessage(msg, wParam, lParam, result);
}

void frmPagewick::Command(int id) {
    switch (id) {
        case mnuNew: mnuNew_Click(); break;
        case mnuOpen: mnuOpen_Click(); break;
        case mnuSaveAs: mnuSaveAs_Click(); break;
        case mnuPrint: mnuPrint_Click(); break;
        case mnuSpellcheck: mnuSpellcheck_Click(); break;
        case mnuHotkey: mnuHotkey_Click(); break;
        case mnuTrans: mnuTrans_Click(); break;
        case mnuSavePrefs: mnuSavePrefs_Click(); break;
        case mnuOnTop: mnuOnTop_Click(); break;
        case mnuStartup: mnuStartup_Click(); break;
        case mnuExit: mnuExit_Click(); break;
        case mnuEditUndo: mnuEditUndo_Click(); break;
        case mnuEditCut: mnuEditCut_Click(); break;
        case mnuEditCopy: mnuEditCopy_Click(); break;
        case mnuEditPaste: mnuEditPaste_Click(); break;
        case mnuEditDelete: mnuEditDelete_Click(); break;
        case mnuEditSelectAll: mnuEditSelectAll_Click(); break;
        case mnuEditFind: mnuEditFind_Click(); break;
        case mnuEditReplace: mnuEditReplace_Click(); break;
        case mnuEditFont: mnuEditFont_Click(); break;
        case mnuHelpTopics: mnuHelpTopics_Click(); break;
        case mnuAbout: mnuAbout_Click(); break;
        case mnuUpdate: mnuUpdate_Click(); break;
        case mnuPopupRestore: mnuPopupRestore_Click(); break;
        case mnuPopupExit: mnuPopupExit_Click(); break;
        default: break;
    }
}

}  // namespace pw
