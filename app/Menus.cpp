#include "app/Menus.h"

#include "platform/MenuIds.h"

namespace pw {

const std::vector<MenuItem>& MainMenu() {
    static const std::vector<MenuItem> items = {
        {mnuFile, 0, "File", ""},
        {mnuNew, 1, "New", "Ctrl+N"},
        {mnuOpen, 1, "Open...", "Ctrl+O"},
        {mnuSaveAs, 1, "Save As...", "Ctrl+S"},
        {mnuPrint, 1, "Print...", "Ctrl+P"},
        {0, 1, "-", ""},
        {mnuSpellcheck, 1, "Check Spelling", "Ctrl+W"},
        {mnuHotkey, 1, "Global Hoktey...", "Ctrl+H"},
        {mnuTrans, 1, "Transparency...", "Ctrl+T"},
        {0, 1, "-", ""},
        {mnuSavePrefs, 1, "Save Settings", "Ctrl+E"},
        {0, 1, "-", ""},
        {mnuOnTop, 1, "Always on Top", ""},
        {mnuStartup, 1, "Run at Startup", ""},
        {0, 1, "-", ""},
        {mnuExit, 1, "Exit", "Ctrl+Q"},
        {mnuEdit, 0, "Edit", ""},
        {mnuEditUndo, 1, "Undo", "Ctrl+U"},
        {0, 1, "-", ""},
        {mnuEditCut, 1, "Cut", "Ctrl+X"},
        {mnuEditCopy, 1, "Copy", "Ctrl+C"},
        {mnuEditPaste, 1, "Paste", "Ctrl+V"},
        {mnuEditDelete, 1, "Delete", "Ctrl+D"},
        {0, 1, "-", ""},
        {mnuEditSelectAll, 1, "Select All", "Ctrl+A"},
        {0, 1, "-", ""},
        {mnuEditFind, 1, "Find...", "Ctrl+F"},
        {mnuEditReplace, 1, "Replace...", "Ctrl+R"},
        {0, 1, "-", ""},
        {mnuEditFont, 1, "Font...", "Ctrl+L"},
        {mnuHelp, 0, "Help", ""},
        {mnuHelpTopics, 1, "Help Topics", "F1"},
        {mnuAbout, 1, "About Pagewick", "F2"},
        {0, 1, "-", ""},
        {mnuUpdate, 1, "Live Update...", "F3"},
        {mnuPopup, 0, "Popup", "", false},
        {mnuPopupRestore, 1, "Restore", ""},
        {mnuPopupExit, 1, "Exit", ""},
    };
    return items;
}

}  // namespace pw
