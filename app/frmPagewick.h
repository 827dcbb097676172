// The main window: the note, every menu, the tray icon, the hotkey, and the start-up,
// close and save rules around them.
#pragma once
#include <memory>
#include <string>

#include "app/MenuIds.h"
#include "editor/CommonDialog.h"
#include "editor/FindReplace.h"
#include "help/frmAbout.h"
#include "help/frmHelp.h"
#include "platform/platform.h"
#include "app/TrayIcon.h"
#include "options/VBHotKey.h"
#include "storage/NoteKeeper.h"
#include "storage/NoteLimits.h"
#include "storage/Recovery.h"

namespace pw {

class frmPagewick : public FormEvents {
public:
    explicit frmPagewick(Platform& platform);
    ~frmPagewick() override;

    // Creates the window with its text box and menus, runs the load step and shows the
    // window. Returns false when this process is to end (another copy is running).
    bool Load();

    IForm& form() { return *form_; }
    IControl& txtNote() { return *txtNote_; }
    Platform& platform() { return p_; }
    const std::string& Transparency() const { return transparency_; }
    void SetTransparency(const std::string& value) { transparency_ = value; }
    bool Unloaded() const { return unloaded_; }

    // Window events.
    void Form_Load();
    void Form_Resize() override;
    void Form_QueryUnload(bool& cancel, int reason) override;
    void Form_Unload() override;
    void Command(int id) override;
    void Changed(int id) override;
    void MenuOpening(int id) override;
    bool Message(unsigned msg, unsigned long wParam, long lParam, long& result) override;

    // Saves the note, then the settings. Returns false when the note or the settings could
    // not be written (the user has been told).
    bool SaveNoteAndSettings();
    // Closes the main window by program (reason 1): the unload step runs and the process ends.
    void UnloadMe();

    // File menu.
    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSaveAs_Click();
    void mnuPrint_Click();
    void mnuSpellcheck_Click();
    void mnuHotkey_Click();
    void mnuTrans_Click();
    void mnuSavePrefs_Click();
    void mnuOnTop_Click();
    void mnuStartup_Click();
    void mnuExit_Click();
    // Edit menu.
    void mnuEdit_Click();
    void mnuEditUndo_Click();
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void mnuEditDelete_Click();
    void mnuEditSelectAll_Click();
    void mnuEditFind_Click();
    void mnuEditReplace_Click();
    void mnuEditFont_Click();
    // Help menu.
    void mnuHelpTopics_Click();
    void mnuAbout_Click();
    void mnuUpdate_Click();
    // Tray pop-up.
    void mnuPopupRestore_Click();
    void mnuPopupExit_Click();

    CommonDialog CommonDialog_;

private:
    // Load-step pieces that live with their features.
    void AddIcon(const std::string& toolTip);
    void SetWindowIcons();
    void ReadSettingsOrDefaults();
    bool WriteSettings();
    void RemoveIcon();
    void UnloadOtherWindows();
    void UnloadAbout();
    void UnloadHelp();
    void UnloadHotkeyDialog();
    void ApplyTransparencyAtStart();
    void CenterOnScreen();
    // Messages owned by features (tray callback, TaskbarCreated, hotkey, find/replace).
    bool TrayMessage(unsigned msg, unsigned long wParam, long lParam, long& result);
    bool FindReplaceMessage(unsigned msg, unsigned long wParam, long lParam, long& result);

    Platform& p_;
    std::unique_ptr<IForm> form_;
    IControl* txtNote_ = nullptr;
    std::string transparency_ = "0";
    bool unloaded_ = false;
    bool endProcess_ = false;

    // --- tray icon, window icons, hotkey, settings ---
public:
    VBHotKey VBHotKey1{p_.hotkeys};
    const TrayIconData& trayIconData() const { return trayIcon_; }
    // WM_HOTKEY for VBHotKey1's combination.
    void VBHotKey1_HotkeyPressed();
    void VBHotKey1_HotkeyWarning(const std::string& a, const std::string& b);
    class frmHotkey* HotkeyDialog() { return frmHotkey_.get(); }

private:
    void RestoreFromTray();
    void ApplySettings(const struct Settings& s, int validLines);
    struct Settings CurrentSettings() const;
    TrayIconData trayIcon_;
    Handle iconFileImage_ = 0;      // pagewick.ico as read at start; 0: missing or unreadable
    bool trayAdded_ = false;
    unsigned taskbarCreated_ = 0;   // registered "TaskbarCreated": the tray was rebuilt
    std::shared_ptr<class frmHotkey> frmHotkey_;
    // --- editing: find and replace, file commands, font ---
public:
    FindReplace FindReplace_{p_};   // the one Find/Replace state of the run
private:
    // The save prompt of New and Open..., with the save on Yes. answer: vbYes, vbNo or
    // vbCancel. False when the command is to stop (Cancel, or a save that did not happen).
    bool AskToSave(int& answer);
    // Writes the note and CR LF to the chosen file; tells the user when that fails.
    bool WriteNoteTo(const std::string& path);
    // Open... tells why a file was not opened.
    void RefuseFile(const std::string& path, const NoteFit& fit);
    // --- help, about, always on top ---
    std::unique_ptr<frmHelp> frmHelp_;
    std::unique_ptr<frmAbout> frmAbout_;
    // --- transparency ---
public:
    class frmTrans* TransDialog() { return frmTrans_.get(); }
private:
    void UnloadTransDialog();
    std::shared_ptr<class frmTrans> frmTrans_;
    // --- live update ---
    void UnloadUpdate();
    std::shared_ptr<class frmUpdate> frmUpdate_;
    // --- the note's safety: limits, a note not loaded, the recovery copy (app/NoteSafety.cpp) ---
public:
    static constexpr int kRecoveryTimer = 13;
    static constexpr unsigned kRecoveryPauseMs = 3000;   // typing paused this long: copy
    const NoteKeeper& noteKeeper() const { return *noteKeeper_; }
    const Recovery& recovery() const { return *recovery_; }
private:
    // Load step 5: the note's text for the box, or empty when it is not to be loaded (the
    // user is told), then the offer of a recovery copy a previous run left.
    std::string LoadNoteAtStart();
    // Writes the box to the note file under the rule for a note that was not loaded.
    bool SaveNoteFile();
    // Writes the recovery copy when the text changed since the last one.
    void KeepRecoveryCopy();
    // Tells the user a text was refused; false when it fits.
    bool RefuseUnfit(const NoteFit& fit, const std::string& what);
    // Puts the saved window bounds to use: unusable values replaced, brought on screen.
    void MakeWindowUsable();
    std::unique_ptr<NoteKeeper> noteKeeper_;
    std::unique_ptr<Recovery> recovery_;
    bool noteSaved_ = false;   // the last SaveNoteAndSettings wrote (or rightly kept) the note
    bool exiting_ = false;     // SaveNoteAndSettings runs for Exit or a shutdown
};

}  // namespace pw
