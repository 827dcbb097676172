// Process entry: builds the Win32 platform, runs start-up and the message loop.
// The program's headers come first: commdlg.h defines FR_* as macros.
#include "app/modMain.h"

#include <windows.h>
#include "platform/win32/Win32Appearance.h"
#include "platform/win32/Win32Automation.h"
#include "platform/win32/Win32FindDialogs.h"
#include "platform/win32/Win32FolderWatch.h"
#include "platform/win32/Win32Printer.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32Ui.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/WinInetDownloads.h"
#include "platform/win32/BcryptCrypto.h"
#include "platform/win32/SystemDll.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace pw::win32;
    // Before anything else: no DLL from the program's folder, ever.
    RestrictDllSearch();
    Win32Ui ui(instance);
    Win32App app(instance, ui);
    Win32FileSystem fs;
    Win32Registry registry;
    Win32Clipboard clipboard;
    Win32CodePage codePage;
    Win32Shell shell(instance);
    Win32Hotkeys hotkeys;
    Win32Dialogs dialogs;
    pw::Platform platform{app, ui, fs, registry, clipboard, shell, hotkeys, dialogs};
    Win32FindDialogs findDialogs;
    platform.findDialogs = &findDialogs;
    platform.codePage = &codePage;
    Win32Printing printing;
    platform.printing = &printing;
    WinInetDownloads downloads(instance);
    platform.downloads = &downloads;
    BcryptSignatureCheck signatures;
    platform.signatures = &signatures;
    Win32Automation automation;
    Win32Resources resources(instance);
    platform.automation = &automation;
    platform.resources = &resources;
    Win32FolderWatch folderWatch(instance);
    platform.folderWatch = &folderWatch;
    Win32Appearance appearance(ui);
    platform.appearance = &appearance;
    auto main = pw::Main(platform);
    if (!main) return 0;
    return ui.Run();
}
