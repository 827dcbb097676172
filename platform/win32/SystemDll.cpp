#include "platform/win32/SystemDll.h"

#include <string>

namespace pw::win32 {

namespace {

// Whether LoadLibraryExW knows the LOAD_LIBRARY_SEARCH_* flags: they came with
// SetDefaultDllDirectories, in the same update.
bool SearchFlagsKnown() {
    static const bool known = ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    return known;
}

std::wstring SystemFolderPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    const UINT n = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return std::wstring();
    std::wstring path(folder, n);
    if (path.back() != L'\\') path += L'\\';
    return path + name;
}

HMODULE LoadFromSystemFolder(const wchar_t* name) {
    if (SearchFlagsKnown()) return ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // A full path, with the DLL's own imports looked for beside it rather than beside the exe.
    const std::wstring path = SystemFolderPath(name);
    return path.empty() ? nullptr : ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// What a system DLL loads later by bare name (its delayed imports), some of it only when a
// control is first drawn or a connection first made. Not every loader keeps such a load out of
// the program's folder: Wine's does not for any DLL's delayed imports, nor does Windows 7
// without its loader update for anything. Loaded first from the system folder, with the DLL
// that brings them, they are found already loaded then.
struct Companions {
    const wchar_t* dll;
    const wchar_t* brings[2];
};
const Companions kCompanions[] = {
    {L"comctl32.dll", {L"uxtheme.dll", L"msimg32.dll"}},   // the visual styles, and the blending they draw with
    {L"wininet.dll", {L"secur32.dll", L"crypt32.dll"}},    // TLS and the certificates of https://
};

}  // namespace

void RestrictDllSearch() {
    using SetDefaultFn = BOOL(WINAPI*)(DWORD);
    const auto setDefault = reinterpret_cast<SetDefaultFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    // Older systems: at least the current folder leaves the search; the program folder
    // stays in it, so LoadSystemDll names every DLL by its full path there.
    ::SetDllDirectoryW(L"");
}

HMODULE LoadSystemDll(const wchar_t* name) {
    for (const Companions& c : kCompanions) {
        if (::lstrcmpiW(name, c.dll) != 0) continue;
        for (const wchar_t* other : c.brings)
            if (other) LoadFromSystemFolder(other);
    }
    if (::lstrcmpiW(name, L"comctl32.dll") != 0) return LoadFromSystemFolder(name);
    // By name, so the manifest's redirection to version 6 applies: a full path would bypass it.
    return SearchFlagsKnown() ? ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32) : ::LoadLibraryW(name);
}

FARPROC SystemProc(const wchar_t* dll, const char* name) {
    HMODULE module = LoadSystemDll(dll);
    return module ? ::GetProcAddress(module, name) : nullptr;
}

}  // namespace pw::win32
