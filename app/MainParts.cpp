#include "app/MainParts.h"

#include "help/frmAbout.h"
#include "help/frmHelp.h"
#include "options/hotkey/frmHotkey.h"
#include "options/transparency/frmTrans.h"
#include "update/frmUpdate.h"

namespace pw {

MainParts::MainParts(const NoteWindow& window, const bool& unloaded)
    : VBHotKey1(window.p_.hotkeys),
      editor(window),
      printer(window, editor.CommonDialog_),
      tray(window, VBHotKey1),
      safety(window, unloaded),
      settings(window, VBHotKey1, tray, transparency, safety) {
    // Save As... onto the note file saves the note, under its rules.
    editor.IsNoteFile = [this](const std::string& path) { return safety.IsNoteFile(path); };
    editor.SaveNoteFile = [this] { return safety.Save(); };
    // The unload step closes the owned windows in this order.
    windows.Order<frmAbout, frmHelp, frmHotkey, frmTrans, frmUpdate>();
}

}  // namespace pw
