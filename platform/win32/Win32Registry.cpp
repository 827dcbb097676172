#include "platform/win32/Win32Registry.h"

#include <cstring>
#include <vector>

#include "platform/win32/WideText.h"

namespace pw::win32 {

namespace {

HKEY Key(Handle h) { return reinterpret_cast<HKEY>(h); }

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// A string value's data as UTF-8 with its terminating null, read as the registry holds it
// (UTF-16). ERROR_SUCCESS, or the registry's status.
LONG ReadText(HKEY key, const std::wstring& name, std::string& utf8) {
    DWORD type = 0, size = 0;
    LONG r = ::RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
    for (int attempt = 0; r == ERROR_SUCCESS && attempt < 3; ++attempt) {
        std::vector<wchar_t> units(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = size;
        r = ::RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(units.data()), &got);
        if (r == ERROR_MORE_DATA) {   // it grew meanwhile
            size = got;
            r = ERROR_SUCCESS;
            continue;
        }
        if (r != ERROR_SUCCESS) break;
        std::size_t n = got / sizeof(wchar_t);
        while (n > 0 && units[n - 1] == L'\0') --n;   // its own null (or a missing one)
        utf8 = Utf8(units.data(), n);
        utf8.push_back('\0');
        return ERROR_SUCCESS;
    }
    return r;
}

}  // namespace

long Win32Registry::OpenKey(Handle root, const std::string& path, unsigned long access, Handle& key) {
    HKEY k = nullptr;
    const LONG r = ::RegOpenKeyExW(Key(root), Wide(path).c_str(), 0, access, &k);
    key = r == ERROR_SUCCESS ? reinterpret_cast<Handle>(k) : 0;
    return r;
}

long Win32Registry::QueryValue(Handle key, const std::string& name, unsigned long& type, unsigned char* data,
                               unsigned long& size) {
    const std::wstring wname = Wide(name);
    DWORD t = 0;
    LONG r = ::RegQueryValueExW(Key(key), wname.c_str(), nullptr, &t, nullptr, nullptr);
    type = t;
    if (r != ERROR_SUCCESS) return r;
    if (IsText(t)) {
        // Sizes and data in UTF-8, as the caller holds its texts.
        std::string text;
        r = ReadText(Key(key), wname, text);
        if (r != ERROR_SUCCESS) return r;
        const unsigned long room = size;
        size = static_cast<unsigned long>(text.size());
        if (!data) return ERROR_SUCCESS;
        if (text.size() > room) return ERROR_MORE_DATA;
        std::memcpy(data, text.data(), text.size());
        return ERROR_SUCCESS;
    }
    DWORD n = data ? size : 0;
    r = ::RegQueryValueExW(Key(key), wname.c_str(), nullptr, &t, data, &n);
    type = t;
    size = n;
    return r;
}

long Win32Registry::SetValue(Handle key, const std::string& name, unsigned long type, const unsigned char* data,
                             unsigned long size) {
    const std::wstring wname = Wide(name);
    if (IsText(type)) {
        std::string text(reinterpret_cast<const char*>(data), size);
        while (!text.empty() && text.back() == '\0') text.pop_back();
        const std::wstring units = Wide(text);
        return ::RegSetValueExW(Key(key), wname.c_str(), 0, type, reinterpret_cast<const BYTE*>(units.c_str()),
                                static_cast<DWORD>((units.size() + 1) * sizeof(wchar_t)));
    }
    return ::RegSetValueExW(Key(key), wname.c_str(), 0, type, data, size);
}

long Win32Registry::DeleteValue(Handle key, const std::string& name) {
    return ::RegDeleteValueW(Key(key), Wide(name).c_str());
}

long Win32Registry::CloseKey(Handle key) { return ::RegCloseKey(Key(key)); }

}  // namespace pw::win32
