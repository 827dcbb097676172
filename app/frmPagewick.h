// The main window: the note box, every menu's handler (each hands over to the feature that
// owns the command, in MainParts; the table in Menus.cpp says which id runs which), and the
// order of the load and unload steps.
#pragma once
#include <memory>
#include <string>

#include "app/MainParts.h"
#include "platform/MenuIds.h"
#include "platform/platform.h"

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
    MainParts& parts() { return *parts_; }
    bool Unloaded() const { return unloaded_; }

    // Window events.
    void Form_Load();
    void Form_Resize() override;
    void Form_QueryUnload(bool& cancel, int reason) override;
    void Form_Unload() override;
    void Command(int id) override;
    void Changed(int id) override;
    void MenuOpening(int id) override;
    void SelChange(int id) override;
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
    void mnuSpellAsYouType_Click();
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
    void mnuEditGoTo_Click();
    void mnuEditTimeDate_Click();
    void txtNote_CtrlBackspace();
    // View menu.
    void mnuViewZoomIn_Click();
    void mnuViewZoomOut_Click();
    void mnuViewZoomRestore_Click();
    void mnuViewStatusBar_Click();
    void mnuViewWordWrap_Click();
    // Help menu.
    void mnuHelpTopics_Click();
    void mnuAbout_Click();
    void mnuUpdate_Click();
    // Tray pop-up.
    void mnuPopupRestore_Click();
    void mnuPopupExit_Click();

private:
    Platform& p_;
    std::unique_ptr<IForm> form_;
    IControl* txtNote_ = nullptr;
    bool unloaded_ = false;   // the unload step has run, or the load step ended the process
    std::unique_ptr<MainParts> parts_;
};

}  // namespace pw
