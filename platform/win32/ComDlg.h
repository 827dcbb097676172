// The common dialog library is loaded the first time a dialog opens, not at start, and from
// the system folder only (SystemDll.h): the program starts faster and smaller when the user
// only types.
#pragma once
#include <windows.h>
#include <commdlg.h>

namespace pw::win32::comdlg {

BOOL OpenFile(OPENFILENAMEW* ofn);
BOOL SaveFile(OPENFILENAMEW* ofn);
BOOL PickFont(CHOOSEFONTA* cf);
HWND ShowFind(FINDREPLACEW* fr);
HWND ShowReplace(FINDREPLACEW* fr);
BOOL PrintDialog(PRINTDLGA* pd);
DWORD ExtendedError();

}  // namespace pw::win32::comdlg
