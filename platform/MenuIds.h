// Command ids of the main window's menu entries, grouped by menu.
#pragma once

namespace pw {

enum MenuId : int {
    mnuFile = 100, mnuNew, mnuOpen, mnuSaveAs, mnuPrint, mnuSpellcheck, mnuHotkey, mnuTrans,
    mnuSavePrefs, mnuOnTop, mnuStartup, mnuExit, mnuSpellAsYouType,
    mnuEdit = 200, mnuEditUndo, mnuEditCut, mnuEditCopy, mnuEditPaste, mnuEditDelete,
    mnuEditSelectAll, mnuEditFind, mnuEditReplace, mnuEditFont, mnuEditGoTo, mnuEditTimeDate,
    mnuHelp = 300, mnuHelpTopics, mnuAbout, mnuUpdate,
    mnuPopup = 400, mnuPopupRestore, mnuPopupExit,
    mnuView = 500, mnuViewZoom, mnuViewZoomIn, mnuViewZoomOut, mnuViewZoomRestore, mnuViewStatusBar,
    mnuViewWordWrap,
    // Shortcuts without a menu entry of their own.
    keyDeleteWordBefore = 600,
};

}  // namespace pw
