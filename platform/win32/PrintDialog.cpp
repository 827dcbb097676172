// The printer dialog: opens on the printer chosen last and hands back the printer, its
// settings and the number of copies. With no printer installed the dialog says so itself
// and returns as if cancelled.
#include <windows.h>
#include <commdlg.h>

#include <cstring>

#include "platform/win32/ComDlg.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32System.h"

namespace pw::win32 {

namespace {

HGLOBAL GlobalCopy(const void* data, size_t size) {
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!h) return nullptr;
    if (void* p = ::GlobalLock(h)) {
        std::memcpy(p, data, size);
        ::GlobalUnlock(h);
    }
    return h;
}

// DEVNAMES naming only the device.
HGLOBAL DevNamesFor(const std::string& device) {
    std::string block(sizeof(DEVNAMES), '\0');
    const WORD deviceOffset = static_cast<WORD>(sizeof(DEVNAMES) + 1);
    block += '\0';                        // empty driver name at offset sizeof(DEVNAMES)
    block += device;
    block += '\0';
    const WORD outputOffset = static_cast<WORD>(block.size());
    block += '\0';
    DEVNAMES names = {};
    names.wDriverOffset = static_cast<WORD>(sizeof(DEVNAMES));
    names.wDeviceOffset = deviceOffset;
    names.wOutputOffset = outputOffset;
    std::memcpy(&block[0], &names, sizeof(names));
    return GlobalCopy(block.data(), block.size());
}

bool Show(Handle owner, PrinterChoice& printer, bool startOnLast) {
    PRINTDLGA pd = {};
    pd.lStructSize = sizeof(pd);
    pd.hwndOwner = reinterpret_cast<HWND>(owner);
    pd.Flags = PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE;
    pd.nCopies = 1;
    if (startOnLast) {
        pd.hDevNames = DevNamesFor(Utf8ToAnsi(printer.deviceName));
        if (!printer.devMode.empty()) pd.hDevMode = GlobalCopy(printer.devMode.data(), printer.devMode.size());
    }
    const BOOL ok = comdlg::PrintDialog(&pd);
    if (ok) {
        if (pd.hDevNames) {
            if (auto* names = static_cast<DEVNAMES*>(::GlobalLock(pd.hDevNames))) {
                printer.deviceName = AnsiToUtf8(reinterpret_cast<const char*>(names) + names->wDeviceOffset);
                ::GlobalUnlock(pd.hDevNames);
            }
        }
        printer.devMode.clear();
        if (pd.hDevMode) {
            if (auto* dm = static_cast<DEVMODEA*>(::GlobalLock(pd.hDevMode))) {
                printer.devMode.assign(reinterpret_cast<const char*>(dm), dm->dmSize + dm->dmDriverExtra);
                ::GlobalUnlock(pd.hDevMode);
            }
        }
        printer.copies = pd.nCopies;
    }
    if (pd.hDevNames) ::GlobalFree(pd.hDevNames);
    if (pd.hDevMode) ::GlobalFree(pd.hDevMode);
    return ok != FALSE;
}

}  // namespace

bool Win32Dialogs::PickPrinter(Handle owner, PrinterChoice& printer) {
    if (printer.deviceName.empty()) return Show(owner, printer, false);
    if (Show(owner, printer, true)) return true;
    // The printer chosen last is gone: open on the default one instead.
    if (comdlg::ExtendedError() != PDERR_PRINTERNOTFOUND) return false;
    printer = {};
    return Show(owner, printer, false);
}

}  // namespace pw::win32
