// The DLLs the program cannot start without (kernel32, user32, gdi32, advapi32, shell32) are
// imported; every other one is loaded by this file when first used, from the system folder
// only (SystemDll.h): the common controls, COM (Check Spelling through Word), CNG (Live
// Update's signatures and checksums) and WinINet (Live Update's downloads). An import would be
// looked for in the program's folder before the program's first line could say otherwise, and
// these DLLs and the ones they pull in cost start-up time (under Wine most of all).
//
// Each function the program calls gets a stand-in that loads the DLL and the function on its
// first call: where the header declares the function as imported, the import slot the linker
// would otherwise fill from the DLL's import library points at the stand-in; where it does not,
// the stand-in is the function itself. A DLL that cannot be loaded makes the call fail the way
// the feature already reports (Word missing, the download failing).
#include <windows.h>
#include <bcrypt.h>
#include <commctrl.h>
#include <oaidl.h>
#include <wininet.h>

#include <cstring>

#include "platform/win32/SystemDll.h"

namespace {

// The function once found (a lost race only looks it up twice).
template <typename F>
F Resolve(F& cache, const wchar_t* dll, const char* name) {
    if (!cache) cache = reinterpret_cast<F>(reinterpret_cast<void*>(pw::win32::SystemProc(dll, name)));
    return cache;
}

constexpr NTSTATUS kNoDll = static_cast<NTSTATUS>(0xC0000135);   // STATUS_DLL_NOT_FOUND

}  // namespace

// A stand-in reached through an import slot.
#define PW_LAZY(dll, ret, name, params, args, fail)                            \
    namespace {                                                                \
    using name##_t = ret(WINAPI*) params;                                      \
    name##_t name##_fn = nullptr;                                              \
    ret WINAPI Lazy##name params {                                             \
        if (name##_t fn_ = Resolve(name##_fn, dll, #name)) return fn_ args;    \
        fail;                                                                  \
    }                                                                          \
    }

// A stand-in that is the function itself.
#define PW_LAZY_SELF(dll, ret, name, params, args, fail)                       \
    namespace {                                                                \
    using name##_t = ret(WINAPI*) params;                                      \
    name##_t name##_fn = nullptr;                                              \
    }                                                                          \
    extern "C" ret WINAPI name params {                                        \
        if (name##_t fn_ = Resolve(name##_fn, dll, #name)) return fn_ args;    \
        fail;                                                                  \
    }

PW_LAZY(L"comctl32.dll", void, InitCommonControls, (), (), return)
PW_LAZY(L"comctl32.dll", BOOL, InitCommonControlsEx, (const INITCOMMONCONTROLSEX* i), (i), return FALSE)
PW_LAZY_SELF(L"comctl32.dll", BOOL, SetWindowSubclass, (HWND w, SUBCLASSPROC p, UINT_PTR i, DWORD_PTR d),
             (w, p, i, d), return FALSE)
PW_LAZY_SELF(L"comctl32.dll", LRESULT, DefSubclassProc, (HWND w, UINT m, WPARAM wp, LPARAM lp), (w, m, wp, lp),
             return ::DefWindowProcW(w, m, wp, lp))

PW_LAZY(L"ole32.dll", HRESULT, CoInitialize, (LPVOID r), (r), return E_FAIL)
PW_LAZY(L"ole32.dll", void, CoUninitialize, (), (), return)
PW_LAZY(L"ole32.dll", HRESULT, CLSIDFromProgID, (LPCOLESTR p, LPCLSID c), (p, c), return CO_E_CLASSSTRING)
PW_LAZY(L"ole32.dll", HRESULT, CoCreateInstance, (REFCLSID c, LPUNKNOWN o, DWORD x, REFIID i, LPVOID* v),
        (c, o, x, i, v), { if (v) *v = nullptr; return REGDB_E_CLASSNOTREG; })
PW_LAZY(L"oleaut32.dll", HRESULT, VariantClear, (VARIANTARG* v), (v), return E_FAIL)
PW_LAZY(L"oleaut32.dll", void, VariantInit, (VARIANTARG* v), (v), { std::memset(v, 0, sizeof *v); return; })

PW_LAZY_SELF(L"bcrypt.dll", NTSTATUS, BCryptOpenAlgorithmProvider,
             (BCRYPT_ALG_HANDLE* a, LPCWSTR id, LPCWSTR impl, ULONG f), (a, id, impl, f), return kNoDll)
PW_LAZY_SELF(L"bcrypt.dll", NTSTATUS, BCryptCloseAlgorithmProvider, (BCRYPT_ALG_HANDLE a, ULONG f), (a, f),
             return kNoDll)
PW_LAZY_SELF(L"bcrypt.dll", NTSTATUS, BCryptGetProperty,
             (BCRYPT_HANDLE h, LPCWSTR p, PUCHAR b, ULONG n, ULONG* r, ULONG f), (h, p, b, n, r, f), return kNoDll)
PW_LAZY_SELF(L"bcrypt.dll", NTSTATUS, BCryptCreateHash,
             (BCRYPT_ALG_HANDLE a, BCRYPT_HASH_HANDLE* h, PUCHAR o, ULONG n, PUCHAR s, ULONG sn, ULONG f),
             (a, h, o, n, s, sn, f), return kNoDll)
PW_LAZY_SELF(L"bcrypt.dll", NTSTATUS, BCryptHashData, (BCRYPT_HASH_HANDLE h, PUCHAR b, ULONG n, ULONG f),
             (h, b, n, f), return kNoDll)
PW_LAZY_SELF(L"bcrypt.dll", NTSTATUS, BCryptFinishHash, (BCRYPT_HASH_HANDLE h, PUCHAR b, ULONG n, ULONG f),
             (h, b, n, f), return kNoDll)
PW_LAZY_SELF(L"bcrypt.dll", NTSTATUS, BCryptDestroyHash, (BCRYPT_HASH_HANDLE h), (h), return kNoDll)
PW_LAZY_SELF(L"bcrypt.dll", NTSTATUS, BCryptImportKeyPair,
             (BCRYPT_ALG_HANDLE a, BCRYPT_KEY_HANDLE i, LPCWSTR t, BCRYPT_KEY_HANDLE* k, PUCHAR b, ULONG n, ULONG f),
             (a, i, t, k, b, n, f), return kNoDll)
PW_LAZY_SELF(L"bcrypt.dll", NTSTATUS, BCryptVerifySignature,
             (BCRYPT_KEY_HANDLE k, VOID* p, PUCHAR h, ULONG hn, PUCHAR s, ULONG sn, ULONG f), (k, p, h, hn, s, sn, f),
             return kNoDll)
PW_LAZY_SELF(L"bcrypt.dll", NTSTATUS, BCryptDestroyKey, (BCRYPT_KEY_HANDLE k), (k), return kNoDll)

PW_LAZY(L"wininet.dll", HINTERNET, InternetOpenA, (LPCSTR a, DWORD t, LPCSTR p, LPCSTR b, DWORD f), (a, t, p, b, f),
        { ::SetLastError(ERROR_MOD_NOT_FOUND); return nullptr; })
PW_LAZY(L"wininet.dll", HINTERNET, InternetOpenUrlA, (HINTERNET h, LPCSTR u, LPCSTR hd, DWORD n, DWORD f, DWORD_PTR c),
        (h, u, hd, n, f, c), { ::SetLastError(ERROR_MOD_NOT_FOUND); return nullptr; })
PW_LAZY(L"wininet.dll", BOOL, InternetReadFile, (HINTERNET h, LPVOID b, DWORD n, LPDWORD r), (h, b, n, r),
        { ::SetLastError(ERROR_MOD_NOT_FOUND); return FALSE; })
PW_LAZY(L"wininet.dll", BOOL, InternetCloseHandle, (HINTERNET h), (h), return FALSE)
PW_LAZY(L"wininet.dll", BOOL, InternetCrackUrlA, (LPCSTR u, DWORD n, DWORD f, LPURL_COMPONENTSA c), (u, n, f, c),
        { ::SetLastError(ERROR_MOD_NOT_FOUND); return FALSE; })
PW_LAZY(L"wininet.dll", BOOL, InternetCombineUrlA, (LPCSTR b, LPCSTR r, LPSTR o, LPDWORD n, DWORD f), (b, r, o, n, f),
        { ::SetLastError(ERROR_MOD_NOT_FOUND); return FALSE; })
PW_LAZY(L"wininet.dll", BOOL, HttpQueryInfoA, (HINTERNET h, DWORD i, LPVOID b, LPDWORD n, LPDWORD x), (h, i, b, n, x),
        { ::SetLastError(ERROR_MOD_NOT_FOUND); return FALSE; })

#undef PW_LAZY
#undef PW_LAZY_SELF

// The import slots, named as the import libraries name them (stdcall: argument bytes after '@').
#define PW_SLOT(name, bytes) \
    extern "C" {                \
    void* pw_imp_##name __asm__("__imp__" #name "@" #bytes) = reinterpret_cast<void*>(&Lazy##name); \
    }

PW_SLOT(InitCommonControls, 0)
PW_SLOT(InitCommonControlsEx, 4)
PW_SLOT(CoInitialize, 4)
PW_SLOT(CoUninitialize, 0)
PW_SLOT(CLSIDFromProgID, 8)
PW_SLOT(CoCreateInstance, 20)
PW_SLOT(VariantClear, 4)
PW_SLOT(VariantInit, 4)
PW_SLOT(InternetOpenA, 20)
PW_SLOT(InternetOpenUrlA, 24)
PW_SLOT(InternetReadFile, 16)
PW_SLOT(InternetCloseHandle, 4)
PW_SLOT(InternetCrackUrlA, 16)
PW_SLOT(InternetCombineUrlA, 20)
PW_SLOT(HttpQueryInfoA, 20)

#undef PW_SLOT
