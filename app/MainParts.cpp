#include "app/MainParts.h"

#include "help/frmAbout.h"
#include "help/frmHelp.h"
#include "options/hotkey/frmHotkey.h"
#include "platform/MenuIds.h"
#include "options/transparency/frmTrans.h"
#include "update/frmUpdate.h"

namespace pw {

MainParts::MainParts(const NoteWindow& window, const bool& unloaded)
    : theme(window.p_),
      VBHotKey1(window.p_.hotkeys),
      editor(window),
      printer(window, editor.CommonDialog_),
      tray(window, VBHotKey1),
      safety(window, unloaded),
      statusBar(window, [this] { return safety.noteKeeper().encoding(); }),
      zoom(window, statusBar),
      wordWrap(window, statusBar),
      marks(window),
      settings(window, VBHotKey1, tray, transparency, safety, statusBar, wordWrap, marks) {
    // Find and Replace search the box they were opened on: a new box takes its place.
    wordWrap.BoxReplaced = [this](IControl& box) {
        editor.FindReplace_.SetTarget(box);
        marks.Attach(box);
    };
    // A marked word's menu ends with the Edit menu's own commands.
    marks.EditCommand = [this](int id) {
        switch (id) {
            case mnuEditUndo: editor.Undo(); break;
            case mnuEditCut: editor.Cut(); break;
            case mnuEditCopy: editor.Copy(); break;
            case mnuEditPaste: editor.Paste(); break;
            case mnuEditDelete: editor.Delete(); break;
            case mnuEditSelectAll: editor.SelectAll(); break;
            default: break;
        }
    };
    // Save As... onto the note file saves the note, under its rules.
    editor.IsNoteFile = [this](const std::string& path) { return safety.IsNoteFile(path); };
    editor.SaveNoteFile = [this] { return safety.Save(); };
    // The unload step closes the owned windows in this order.
    windows.Order<frmAbout, frmHelp, frmHotkey, frmTrans, frmUpdate>();
    // Every window is made in the user's choice of dark or light apps.
    theme.Follow();
}

}  // namespace pw
