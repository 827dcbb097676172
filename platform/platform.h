// Everything the program's logic reaches the system through, bundled so a form can be
// handed the whole set at once. The Win32 build fills it with real adapters, the tests
// with fakes.
#pragma once
#include "platform/appearance.h"
#include "platform/automation.h"
#include "platform/dialogs.h"
#include "platform/downloads.h"
#include "platform/finddialogs.h"
#include "platform/printer.h"
#include "platform/system.h"
#include "platform/TextCodec.h"
#include "platform/ui.h"

namespace pw {

struct Platform {
    IApp& app;
    IUi& ui;
    IFileSystem& fs;
    IRegistry& registry;
    IClipboard& clipboard;
    IShell& shell;
    IHotkeys& hotkeys;
    IDialogs& dialogs;
    // Find and Replace dialogs; set after the bundle is made (null: Find and Replace are off).
    IFindDialogs* findDialogs = nullptr;
    // The printer surface and the date for printing (null: Print... does nothing).
    IPrinting* printing = nullptr;
    // Background downloads for Live Update (null: Live Update cannot fetch anything).
    IDownloads* downloads = nullptr;
    // The system's signature check for what Live Update fetches (null: nothing is trusted).
    ISignatureCheck* signatures = nullptr;
    // Automation objects (Word for spell checking) and the executable's data resources
    // (the built-in word list); null: not available.
    IAutomation* automation = nullptr;
    IResources* resources = nullptr;
    // Changes to files in a folder by any program (null: nothing is watched).
    IFolderWatch* folderWatch = nullptr;
    // Dark apps: the system's settings and the looks of every window (null: the program keeps
    // the system's colours, as ever).
    IAppearance* appearance = nullptr;
    // The system's ANSI code page (null: Windows-1252).
    const ICodePage* codePage = nullptr;

    const ICodePage& CodePage() const { return codePage ? *codePage : Windows1252(); }
};

}  // namespace pw
