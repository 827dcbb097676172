#include "platform/win32/ComDlg.h"

#include "platform/win32/SystemDll.h"

namespace pw::win32::comdlg {

namespace {

FARPROC Entry(const char* name) {
    static HMODULE module = LoadSystemDll(L"comdlg32.dll");
    return module ? ::GetProcAddress(module, name) : nullptr;
}

template <typename Fn>
Fn Get(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(Entry(name)));
}

}  // namespace

BOOL OpenFile(OPENFILENAMEW* ofn) {
    static auto fn = Get<BOOL(WINAPI*)(OPENFILENAMEW*)>("GetOpenFileNameW");
    return fn ? fn(ofn) : FALSE;
}

BOOL SaveFile(OPENFILENAMEW* ofn) {
    static auto fn = Get<BOOL(WINAPI*)(OPENFILENAMEW*)>("GetSaveFileNameW");
    return fn ? fn(ofn) : FALSE;
}

BOOL PickFont(CHOOSEFONTA* cf) {
    static auto fn = Get<BOOL(WINAPI*)(CHOOSEFONTA*)>("ChooseFontA");
    return fn ? fn(cf) : FALSE;
}

HWND ShowFind(FINDREPLACEW* fr) {
    static auto fn = Get<HWND(WINAPI*)(FINDREPLACEW*)>("FindTextW");
    return fn ? fn(fr) : nullptr;
}

HWND ShowReplace(FINDREPLACEW* fr) {
    static auto fn = Get<HWND(WINAPI*)(FINDREPLACEW*)>("ReplaceTextW");
    return fn ? fn(fr) : nullptr;
}

BOOL PrintDialog(PRINTDLGA* pd) {
    static auto fn = Get<BOOL(WINAPI*)(PRINTDLGA*)>("PrintDlgA");
    return fn ? fn(pd) : FALSE;
}

DWORD ExtendedError() {
    static auto fn = Get<DWORD(WINAPI*)()>("CommDlgExtendedError");
    return fn ? fn() : CDERR_INITIALIZATION;
}

}  // namespace pw::win32::comdlg
