// The main window's features, each owning its state. The window's handlers hand over to them;
// the window itself keeps the note box and the order of the load and unload steps.
#pragma once
#include "app/MainSettings.h"
#include "app/NoteSafety.h"
#include "app/tray/Tray.h"
#include "editor/Editor.h"
#include "editor/printing/Print.h"
#include "editor/view/StatusBar.h"
#include "editor/view/WordWrap.h"
#include "editor/view/Zoom.h"
#include "options/hotkey/VBHotKey.h"
#include "options/spelling/SpellMarks.h"
#include "options/theme/Theme.h"
#include "options/transparency/Transparency.h"
#include "platform/NoteWindow.h"
#include "platform/OwnedWindows.h"

namespace pw {

struct MainParts {
    // unloaded: the main window's unload step has run.
    MainParts(const NoteWindow& window, const bool& unloaded);

    Theme theme;                        // dark, light or high contrast: every window's colours
    VBHotKey VBHotKey1;                 // the system-wide hotkey
    Editor editor;                      // File and Edit commands, the common dialog, Find/Replace
    PrintCommand printer;               // File > Print...
    TransparencyOption transparency;    // the kept transparency value
    OwnedWindows windows;               // About, Help Topics, Global Hotkey, Transparency, Live Update
    Tray tray;                          // tray icon, window icons, the hotkey's messages
    NoteSafety safety;                  // note file rules, recovery copy
    StatusBar statusBar;                // View > Status Bar, and the client area's layout
    Zoom zoom;                          // View > Zoom
    WordWrap wordWrap;                  // View > Word Wrap
    SpellMarks marks;                   // File > Check Spelling As You Type
    MainSettings settings;              // the settings file
};

}  // namespace pw
