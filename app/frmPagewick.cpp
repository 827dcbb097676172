#include "app/frmPagewick.h"

#include <cstdlib>

#include "app/Menus.h"
#include "app/WindowGeometry.h"
#include "editor/frmGoTo.h"
#include "platform/MenuIds.h"
#include "help/HelpMenu.h"
#include "options/AlwaysOnTop.h"
#include "options/hotkey/HotkeyMenu.h"
#include "options/spelling/SpellCommand.h"
#include "options/startup/RunAtStartup.h"
#include "update/LiveUpdate.h"

namespace pw {

namespace {

constexpr int kTxtNote = WordWrap::kNoteBoxId;
constexpr float kDesignClientWidth = 8370, kDesignClientHeight = 6465;
constexpr float kDefaultWidth = 8445, kDefaultHeight = 7245;

}  // namespace

frmPagewick::frmPagewick(Platform& platform)
    : p_(platform), parts_(std::make_unique<MainParts>(NoteWindow{p_, form_, txtNote_}, unloaded_)) {}

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
    txtNote_ = &form_->AddControl(NoteBoxDef(kTxtNote, kDesignClientWidth, kDesignClientHeight, true));
    txtNote_->SetFont(FontSpec());  // Tahoma 9.75 until the settings say otherwise
    form_->SetMenu(MainMenu());

    Form_Load();
    if (unloaded_) {
        form_->Destroy();
        return false;
    }
    return true;
}

void frmPagewick::Form_Load() {
    // 1. One copy per program folder: a second start ends at once.
    if (p_.app.PrevInstance()) {
        unloaded_ = true;
        return;
    }
    // 2. Started at logon: centred, and straight to the tray.
    if (p_.app.Command() == "/background") {
        CenterOnScreen(*form_, p_.ui);
        form_->SetState(vbMinimized);
    }
    // 3-4. Tray icon and window icons.
    parts_->tray.AddIcon("Pagewick");
    parts_->tray.SetWindowIcons();
    // 5. The note. Its text goes into the box once the window has its final size (after
    // the settings), since a multi-line box wraps its whole text again at every new width.
    std::string note = parts_->safety.LoadNoteAtStart();
    // 7. Run at Startup mark.
    if (RunValuePresent(p_.registry, p_.app)) form_->SetMenuChecked(mnuStartup, true);
    // 8. Settings, or the default geometry.
    parts_->settings.ReadSettingsOrDefaults();
    parts_->safety.MakeWindowUsable();
    // 5-6 completed: the note in the box, caret at its end.
    if (!note.empty()) txtNote_->SetText(note);
    txtNote_->SetSelStart(static_cast<int>(note.size()));
    std::string().swap(note);
    parts_->statusBar.Refresh();
    // 9. Transparency.
    parts_->transparency.ApplyAtStart(p_, *form_);
    // 10. Show; a minimised window goes on to the tray through the resize step.
    form_->Show();
}

void frmPagewick::Form_Resize() {
    if (form_->State() == vbMinimized) {
        parts_->tray.AddPendingIcon();   // hidden before its icon went to the tray
        p_.app.SetTaskVisible(false);
        form_->Hide();
        parts_->safety.KeepRecoveryCopy();
        return;
    }
    parts_->statusBar.Layout();
}

void frmPagewick::Form_QueryUnload(bool& cancel, int reason) {
    if (reason == vbFormControlMenu) {
        parts_->tray.AddPendingIcon();
        form_->SetState(vbMinimized);
        p_.app.SetTaskVisible(false);
        form_->Hide();
        cancel = true;
    } else if (reason == vbAppWindows) {
        // Exit saves and unloads; the window is gone when this returns (or kept when the
        // note could not be saved), so the caller's own close must not go on.
        parts_->safety.SessionEnding();
        mnuExit_Click();
        cancel = true;
    }
}

void frmPagewick::Form_Unload() {
    unloaded_ = true;
    parts_->tray.RemoveIcon();
    parts_->windows.CloseAll();
}

void frmPagewick::UnloadMe() { RunClose(*this, *form_, vbFormCode); }

bool frmPagewick::SaveNoteAndSettings() {
    bool ok = parts_->safety.Save();
    if (form_->State() == vbMinimized) {
        // Position and size are then those of the normal window.
        form_->SetState(vbNormal);
        form_->Show();
        form_->Hide();
    }
    if (!parts_->settings.WriteSettings()) ok = false;
    return ok;
}

void frmPagewick::mnuExit_Click() {
    // Keep the text rather than quit without it; settings that could not be written alone
    // do not hold the program (the user has been told).
    parts_->safety.SetExiting(true);
    const bool saved = SaveNoteAndSettings();
    parts_->safety.SetExiting(false);
    if (!saved && !parts_->safety.NoteSaved()) return;
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

void frmPagewick::Changed(int id) {
    if (id != kTxtNote) return;
    parts_->safety.TextChanged();
    parts_->statusBar.TextChanged();
    parts_->marks.TextChanged();
}

void frmPagewick::SelChange(int id) {
    if (id == kTxtNote) parts_->statusBar.CaretMoved();
}

bool frmPagewick::Message(unsigned msg, unsigned long wParam, long lParam, long& result) {
    if (msg == 0x0113 /* WM_TIMER */ && wParam == Tray::kTrayIconTimer) {
        parts_->tray.AddPendingIcon();
        return true;
    }
    if (parts_->theme.Message(msg, wParam, lParam)) return true;
    if (parts_->editor.FindReplaceMessage(msg, wParam, lParam, result)) return true;
    if (parts_->safety.TimerMessage(msg, wParam)) return true;
    if (parts_->statusBar.TimerMessage(msg, wParam)) return true;
    if (parts_->marks.TimerMessage(msg, wParam)) return true;
    if (parts_->zoom.WheelMessage(msg, wParam)) return true;
    return parts_->tray.Message(msg, wParam, lParam, result);
}

void frmPagewick::Command(int id) {
    for (const MainCommand& row : MainCommands()) {
        if (row.entry.id == id && row.click) return (this->*row.click)();
    }
}

// The menus' commands, each handed to the feature that owns it.
void frmPagewick::mnuNew_Click() { parts_->editor.New(); }
void frmPagewick::mnuOpen_Click() { parts_->editor.Open(); }
void frmPagewick::mnuSaveAs_Click() { parts_->editor.SaveAs(); }
void frmPagewick::mnuPrint_Click() { parts_->printer.Print(); }
void frmPagewick::mnuSpellcheck_Click() { SpellCheck(p_, *txtNote_, form_->hWnd()); parts_->marks.UserWordsChanged(); }
void frmPagewick::mnuSpellAsYouType_Click() { parts_->marks.Toggle(); }
void frmPagewick::mnuHotkey_Click() { OpenHotkeyDialog(p_, parts_->VBHotKey1, form_->hWnd(), parts_->windows); }
void frmPagewick::mnuTrans_Click() { parts_->transparency.OpenDialog(p_, *form_, parts_->windows); }
void frmPagewick::mnuOnTop_Click() { ToggleOnTop(*form_); }
void frmPagewick::mnuStartup_Click() { ToggleRunAtStartup(p_, *form_); }
void frmPagewick::mnuEdit_Click() { parts_->editor.EditMenuOpening(); }
void frmPagewick::mnuEditUndo_Click() { parts_->editor.Undo(); }
void frmPagewick::mnuEditCut_Click() { parts_->editor.Cut(); }
void frmPagewick::mnuEditCopy_Click() { parts_->editor.Copy(); }
void frmPagewick::mnuEditPaste_Click() { parts_->editor.Paste(); }
void frmPagewick::mnuEditDelete_Click() { parts_->editor.Delete(); }
void frmPagewick::mnuEditSelectAll_Click() { parts_->editor.SelectAll(); }
void frmPagewick::mnuEditFind_Click() { parts_->editor.Find(); }
void frmPagewick::mnuEditReplace_Click() { parts_->editor.Replace(); }
void frmPagewick::mnuEditFont_Click() { parts_->editor.Font(); }
void frmPagewick::mnuEditGoTo_Click() { OpenGoTo(p_, form_->hWnd(), *txtNote_, parts_->windows); }
void frmPagewick::mnuEditTimeDate_Click() { parts_->editor.TimeDate(); }
void frmPagewick::txtNote_CtrlBackspace() { parts_->editor.DeleteWordBefore(); }
void frmPagewick::mnuViewZoomIn_Click() { parts_->zoom.In(); }
void frmPagewick::mnuViewZoomOut_Click() { parts_->zoom.Out(); }
void frmPagewick::mnuViewZoomRestore_Click() { parts_->zoom.Restore(); }
void frmPagewick::mnuViewStatusBar_Click() { parts_->statusBar.Toggle(); }
void frmPagewick::mnuViewWordWrap_Click() { parts_->wordWrap.Toggle(); }
void frmPagewick::mnuHelpTopics_Click() { OpenHelpTopics(p_, form_->hWnd(), parts_->windows); }
void frmPagewick::mnuAbout_Click() { OpenAbout(p_, form_->hWnd(), parts_->windows); }
void frmPagewick::mnuUpdate_Click() { OpenLiveUpdate(p_, form_->hWnd(), parts_->windows); }

}  // namespace pw
