// The common dialog library is loaded the first time a dialog opens, not at start: the
// program starts faster and smaller when the user only types.
#pragma once
#include <windows.h>
#include <commdlg.h>

namespace pw::win32::comdlg {

BOOL OpenFile(OPENFILENAMEA* ofn);
BOOL SaveFile(OPENFILENAMEA* ofn);
BOOL PickFont(CHOOSEFONTA* cf);
HWND ShowFind(FINDREPLACEW* fr);
HWND ShowReplace(FINDREPLACEW* fr);
BOOL PrintDialog(PRINTDLGA* pd);
DWORD ExtendedError();

}  // namespace pw::win32::comdlg
