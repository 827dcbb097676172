#include "app/Menus.h"

#include "app/frmPagewick.h"
#include "platform/MenuIds.h"

namespace pw {

const std::vector<MainCommand>& MainCommands() {
    using W = frmPagewick;
    static const std::vector<MainCommand> rows = {
        {{mnuFile, 0, "File", ""}},
        {{mnuNew, 1, "New", "Ctrl+N"}, &W::mnuNew_Click},
        {{mnuOpen, 1, "Open...", "Ctrl+O"}, &W::mnuOpen_Click},
        {{mnuSaveAs, 1, "Save As...", "Ctrl+S"}, &W::mnuSaveAs_Click},
        {{mnuPrint, 1, "Print...", "Ctrl+P"}, &W::mnuPrint_Click},
        {{0, 1, "-", ""}},
        {{mnuSpellcheck, 1, "Check Spelling", "Ctrl+W"}, &W::mnuSpellcheck_Click},
        {{mnuSpellAsYouType, 1, "Check Spelling As You Type", ""}, &W::mnuSpellAsYouType_Click},
        {{mnuHotkey, 1, "Global Hoktey...", "Ctrl+H"}, &W::mnuHotkey_Click},
        {{mnuTrans, 1, "Transparency...", "Ctrl+T"}, &W::mnuTrans_Click},
        {{0, 1, "-", ""}},
        {{mnuSavePrefs, 1, "Save Settings", "Ctrl+E"}, &W::mnuSavePrefs_Click},
        {{0, 1, "-", ""}},
        {{mnuOnTop, 1, "Always on Top", ""}, &W::mnuOnTop_Click},
        {{mnuStartup, 1, "Run at Startup", ""}, &W::mnuStartup_Click},
        {{0, 1, "-", ""}},
        {{mnuExit, 1, "Exit", "Ctrl+Q"}, &W::mnuExit_Click},
        {{mnuEdit, 0, "Edit", ""}},
        {{mnuEditUndo, 1, "Undo", "Ctrl+U"}, &W::mnuEditUndo_Click},
        {{0, 1, "-", ""}},
        {{mnuEditCut, 1, "Cut", "Ctrl+X"}, &W::mnuEditCut_Click},
        {{mnuEditCopy, 1, "Copy", "Ctrl+C"}, &W::mnuEditCopy_Click},
        {{mnuEditPaste, 1, "Paste", "Ctrl+V"}, &W::mnuEditPaste_Click},
        {{mnuEditDelete, 1, "Delete", "Ctrl+D"}, &W::mnuEditDelete_Click},
        {{0, 1, "-", ""}},
        {{mnuEditSelectAll, 1, "Select All", "Ctrl+A"}, &W::mnuEditSelectAll_Click},
        {{0, 1, "-", ""}},
        {{mnuEditFind, 1, "Find...", "Ctrl+F"}, &W::mnuEditFind_Click},
        {{mnuEditReplace, 1, "Replace...", "Ctrl+R"}, &W::mnuEditReplace_Click},
        {{mnuEditGoTo, 1, "Go To...", "Ctrl+G"}, &W::mnuEditGoTo_Click},
        {{0, 1, "-", ""}},
        {{mnuEditFont, 1, "Font...", "Ctrl+L"}, &W::mnuEditFont_Click},
        {{0, 1, "-", ""}},
        {{mnuEditTimeDate, 1, "Time/Date", "F5"}, &W::mnuEditTimeDate_Click},
        {{mnuView, 0, "View", ""}},
        {{mnuViewZoom, 1, "Zoom", ""}},
        {{mnuViewZoomIn, 2, "Zoom In", "Ctrl+Plus"}, &W::mnuViewZoomIn_Click},
        {{mnuViewZoomOut, 2, "Zoom Out", "Ctrl+Minus"}, &W::mnuViewZoomOut_Click},
        {{mnuViewZoomRestore, 2, "Restore Default Zoom", "Ctrl+0"}, &W::mnuViewZoomRestore_Click},
        {{mnuViewStatusBar, 1, "Status Bar", ""}, &W::mnuViewStatusBar_Click},
        {{mnuViewWordWrap, 1, "Word Wrap", ""}, &W::mnuViewWordWrap_Click},
        {{mnuHelp, 0, "Help", ""}},
        {{mnuHelpTopics, 1, "Help Topics", "F1"}, &W::mnuHelpTopics_Click},
        {{mnuAbout, 1, "About Pagewick", "F2"}, &W::mnuAbout_Click},
        {{0, 1, "-", ""}},
        {{mnuUpdate, 1, "Live Update...", "F3"}, &W::mnuUpdate_Click},
        {{mnuPopup, 0, "Popup", "", false}},
        {{mnuPopupRestore, 1, "Restore", ""}, &W::mnuPopupRestore_Click},
        {{mnuPopupExit, 1, "Exit", ""}, &W::mnuPopupExit_Click},
        // The number pad's keys for the zoom, and the word before the caret.
        {{mnuViewZoomIn, kKeyOnly, "", "Ctrl+Num +"}, &W::mnuViewZoomIn_Click},
        {{mnuViewZoomOut, kKeyOnly, "", "Ctrl+Num -"}, &W::mnuViewZoomOut_Click},
        {{mnuViewZoomRestore, kKeyOnly, "", "Ctrl+Num 0"}, &W::mnuViewZoomRestore_Click},
        {{keyDeleteWordBefore, kKeyOnly, "", "Ctrl+Backspace"}, &W::txtNote_CtrlBackspace},
    };
    return rows;
}

std::vector<MenuItem> MainMenu() {
    std::vector<MenuItem> items;
    for (const MainCommand& row : MainCommands()) items.push_back(row.entry);
    return items;
}

}  // namespace pw
