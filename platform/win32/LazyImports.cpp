// COM (Check Spelling through Word) and WinINet (Live Update) are loaded when first used, not
// at every start: their DLLs and the ones they pull in cost start-up time (under Wine most of
// all) for features most runs never touch. Each function the program calls gets the import
// slot the linker would otherwise fill from the DLL's import library, pointing at a stand-in
// that loads the DLL and the function on its first call. A DLL that cannot be loaded makes the
// call fail the way the feature already reports (Word missing, the download failing).
#include <windows.h>
#include <oaidl.h>
#include <wininet.h>

#include <cstring>

namespace {

FARPROC Find(const char* dll, const char* name) {
    HMODULE module = ::GetModuleHandleA(dll);
    if (!module) module = ::LoadLibraryA(dll);
    return module ? ::GetProcAddress(module, name) : nullptr;
}

// The function once found (a lost race only looks it up twice).
template <typename F>
F Resolve(F& cache, const char* dll, const char* name) {
    if (!cache) cache = reinterpret_cast<F>(reinterpret_cast<void*>(Find(dll, name)));
    return cache;
}

#define PW_LAZY(dll, ret, name, params, args, fail)                        \
    using name##_t = ret(WINAPI*) params;                                  \
    name##_t name##_fn = nullptr;                                          \
    ret WINAPI Lazy##name params {                                         \
        if (name##_t fn_ = Resolve(name##_fn, dll, #name)) return fn_ args; \
        fail;                                                              \
    }

PW_LAZY("ole32.dll", HRESULT, CoInitialize, (LPVOID r), (r), return E_FAIL)
PW_LAZY("ole32.dll", void, CoUninitialize, (), (), return)
PW_LAZY("ole32.dll", HRESULT, CLSIDFromProgID, (LPCOLESTR p, LPCLSID c), (p, c), return CO_E_CLASSSTRING)
PW_LAZY("ole32.dll", HRESULT, CoCreateInstance, (REFCLSID c, LPUNKNOWN o, DWORD x, REFIID i, LPVOID* v),
        (c, o, x, i, v), { if (v) *v = nullptr; return REGDB_E_CLASSNOTREG; })
PW_LAZY("oleaut32.dll", HRESULT, VariantClear, (VARIANTARG* v), (v), return E_FAIL)
PW_LAZY("oleaut32.dll", void, VariantInit, (VARIANTARG* v), (v), { std::memset(v, 0, sizeof *v); return; })
PW_LAZY("wininet.dll", HINTERNET, InternetOpenA, (LPCSTR a, DWORD t, LPCSTR p, LPCSTR b, DWORD f), (a, t, p, b, f),
        { ::SetLastError(ERROR_MOD_NOT_FOUND); return nullptr; })
PW_LAZY("wininet.dll", HINTERNET, InternetOpenUrlA, (HINTERNET h, LPCSTR u, LPCSTR hd, DWORD n, DWORD f, DWORD_PTR c),
        (h, u, hd, n, f, c), { ::SetLastError(ERROR_MOD_NOT_FOUND); return nullptr; })
PW_LAZY("wininet.dll", BOOL, InternetReadFile, (HINTERNET h, LPVOID b, DWORD n, LPDWORD r), (h, b, n, r),
        { ::SetLastError(ERROR_MOD_NOT_FOUND); return FALSE; })
PW_LAZY("wininet.dll", BOOL, InternetCloseHandle, (HINTERNET h), (h), return FALSE)
PW_LAZY("wininet.dll", BOOL, InternetCrackUrlA, (LPCSTR u, DWORD n, DWORD f, LPURL_COMPONENTSA c), (u, n, f, c),
        { ::SetLastError(ERROR_MOD_NOT_FOUND); return FALSE; })
PW_LAZY("wininet.dll", BOOL, InternetCombineUrlA, (LPCSTR b, LPCSTR r, LPSTR o, LPDWORD n, DWORD f), (b, r, o, n, f),
        { ::SetLastError(ERROR_MOD_NOT_FOUND); return FALSE; })
PW_LAZY("wininet.dll", BOOL, HttpQueryInfoA, (HINTERNET h, DWORD i, LPVOID b, LPDWORD n, LPDWORD x), (h, i, b, n, x),
        { ::SetLastError(ERROR_MOD_NOT_FOUND); return FALSE; })

#undef PW_LAZY

}  // namespace

// The import slots, named as the import libraries name them (stdcall: argument bytes after '@').
extern "C" {
void* pw_imp_CoInitialize __asm__("__imp__CoInitialize@4") = reinterpret_cast<void*>(&LazyCoInitialize);
void* pw_imp_CoUninitialize __asm__("__imp__CoUninitialize@0") = reinterpret_cast<void*>(&LazyCoUninitialize);
void* pw_imp_CLSIDFromProgID __asm__("__imp__CLSIDFromProgID@8") = reinterpret_cast<void*>(&LazyCLSIDFromProgID);
void* pw_imp_CoCreateInstance __asm__("__imp__CoCreateInstance@20") = reinterpret_cast<void*>(&LazyCoCreateInstance);
void* pw_imp_VariantClear __asm__("__imp__VariantClear@4") = reinterpret_cast<void*>(&LazyVariantClear);
void* pw_imp_VariantInit __asm__("__imp__VariantInit@4") = reinterpret_cast<void*>(&LazyVariantInit);
void* pw_imp_InternetOpenA __asm__("__imp__InternetOpenA@20") = reinterpret_cast<void*>(&LazyInternetOpenA);
void* pw_imp_InternetOpenUrlA __asm__("__imp__InternetOpenUrlA@24") = reinterpret_cast<void*>(&LazyInternetOpenUrlA);
void* pw_imp_InternetReadFile __asm__("__imp__InternetReadFile@16") = reinterpret_cast<void*>(&LazyInternetReadFile);
void* pw_imp_InternetCloseHandle __asm__("__imp__InternetCloseHandle@4") =
    reinterpret_cast<void*>(&LazyInternetCloseHandle);
void* pw_imp_InternetCrackUrlA __asm__("__imp__InternetCrackUrlA@16") = reinterpret_cast<void*>(&LazyInternetCrackUrlA);
void* pw_imp_InternetCombineUrlA __asm__("__imp__InternetCombineUrlA@20") =
    reinterpret_cast<void*>(&LazyInternetCombineUrlA);
void* pw_imp_HttpQueryInfoA __asm__("__imp__HttpQueryInfoA@20") = reinterpret_cast<void*>(&LazyHttpQueryInfoA);
}
