#include "platform/win32/Win32Appearance.h"

#include "platform/win32/SystemDll.h"

namespace pw::win32 {

namespace {

template <typename F>
F Proc(const wchar_t* dll, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(SystemProc(dll, name)));
}

}  // namespace

bool Win32Appearance::HighContrast() {
    HIGHCONTRASTW hc = {};
    hc.cbSize = sizeof(hc);
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(hc), &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON);
}

unsigned long Win32Appearance::WindowsBuild() {
    // RtlGetVersion tells the truth where GetVersionEx answers by the manifest.
    struct VersionInfo {
        ULONG size, major, minor, build, platform;
        WCHAR csd[128];
    } v = {};
    v.size = sizeof(v);
    using RtlGetVersionFn = LONG(WINAPI*)(VersionInfo*);
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    auto fn = ntdll ? reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")))
                    : nullptr;
    if (!fn || fn(&v) != 0) return 0;
    return v.build;
}

bool Win32Appearance::SetPreferredAppMode(int mode) {
    using SetModeFn = int(WINAPI*)(int);
    using FlushFn = void(WINAPI*)();
    auto set = Proc<SetModeFn>(L"uxtheme.dll", MAKEINTRESOURCEA(135));
    if (!set) return false;
    set(mode);
    if (auto flush = Proc<FlushFn>(L"uxtheme.dll", MAKEINTRESOURCEA(136))) flush();
    return true;
}

void ApplyTitleBar(HWND window, const SystemLooks& looks) {
    if (!looks.titleBarAttribute) return;
    using SetAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    static auto set = Proc<SetAttributeFn>(L"dwmapi.dll", "DwmSetWindowAttribute");
    if (!set) return;
    const BOOL dark = looks.darkTitleBar ? TRUE : FALSE;
    set(window, static_cast<DWORD>(looks.titleBarAttribute), &dark, sizeof(dark));
}

void ApplyScrollBars(HWND control, const SystemLooks& looks) {
    if (!looks.scrollBars) return;
    using SetThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    static auto set = Proc<SetThemeFn>(L"uxtheme.dll", "SetWindowTheme");
    if (set) set(control, looks.scrollBars == 1 ? L"DarkMode_Explorer" : nullptr, nullptr);
}

}  // namespace pw::win32
