// The editing commands of the main window's menus: New, Open... and Save As... (FileCommands),
// the Edit menu with Find and Replace (EditMenu), and Font... (FontCommand). Owns the window's
// one common dialog and its one Find/Replace state.
#pragma once
#include <functional>
#include <string>

#include "editor/CommonDialog.h"
#include "editor/FindReplace.h"
#include "platform/NoteWindow.h"
#include "storage/NoteLimits.h"

namespace pw {

class Editor : private NoteWindow {
public:
    explicit Editor(const NoteWindow& window) : NoteWindow(window) {}

    CommonDialog CommonDialog_;     // shared by Open, Save As, Font and Print
    // The note file: a file dialog's choice that leads to it is saved as the note is (its
    // rules for a version to keep aside first), and the box and the file then agree.
    std::function<bool(const std::string&)> IsNoteFile;
    std::function<bool()> SaveNoteFile;
    FindReplace FindReplace_{p_};   // the one Find/Replace state of the run

    // File menu.
    void New();
    void Open();
    void SaveAs();
    // Edit menu: greys what cannot act now, as the menu opens.
    void EditMenuOpening();
    void Undo();
    void Cut();
    void Copy();
    void Paste();
    void Delete();
    void SelectAll();
    void Find();
    void Replace();
    void Font();
    // Edit > Time/Date: the user's short time and short date in place of the selection.
    void TimeDate();
    // Ctrl+Backspace: the word before the caret goes (or the selection, when there is one).
    void DeleteWordBefore();
    // The Find and Replace dialogs' registered message, when it comes to the main window.
    bool FindReplaceMessage(unsigned msg, unsigned long wParam, long lParam, long& result);

private:
    // The save prompt of New and Open..., with the save on Yes. answer: vbYes, vbNo or
    // vbCancel. False when the command is to stop (Cancel, or a save that did not happen).
    bool AskToSave(int& answer);
    // Writes the note and CR LF to the chosen file; tells the user when that fails.
    bool WriteNoteTo(const std::string& path);
    // Open... tells why a file was not opened.
    void RefuseFile(const std::string& path, const NoteFit& fit);
};

// Tells the user a text was refused (what: "Paste", ...); false when it fits.
bool RefuseUnfit(Platform& p, const NoteFit& fit, const std::string& what);

}  // namespace pw
