// Where the program's DLLs come from. Windows looks for a DLL in the program's own folder
// first, and a program run from Downloads or a USB stick shares that folder with whatever
// else landed there: a file named like a system DLL would run as the user. So the first thing
// the process does is RestrictDllSearch, and every DLL it loads after that comes through
// LoadSystemDll, from the system folder only. The exe itself imports only DLLs that Windows
// always takes from the system (kernel32, user32, gdi32, advapi32, shell32).
#pragma once
#include <windows.h>

namespace pw::win32 {

// Takes the program folder (and the current folder) out of the DLL search for the rest of the
// process: SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) where the system has it
// (Windows 8 on, Windows 7 with its loader update), SetDllDirectoryW(L"") where it does not.
void RestrictDllSearch();

// A DLL by name (L"wininet.dll") from the system folder, with the DLLs it imports; null when
// it cannot be loaded. A name that the program's manifest redirects (comctl32.dll, to the
// version 6 common controls) still goes where the manifest says.
HMODULE LoadSystemDll(const wchar_t* name);

// An entry point of a system DLL, or null.
FARPROC SystemProc(const wchar_t* dll, const char* name);

}  // namespace pw::win32
