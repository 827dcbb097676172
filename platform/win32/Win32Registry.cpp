#include "platform/win32/Win32Registry.h"

namespace pw::win32 {

namespace {

HKEY Key(Handle h) { return reinterpret_cast<HKEY>(h); }

}  // namespace

long Win32Registry::OpenKey(Handle root, const std::string& path, unsigned long access, Handle& key) {
    HKEY k = nullptr;
    const LONG r = ::RegOpenKeyExA(Key(root), path.c_str(), 0, access, &k);
    key = r == ERROR_SUCCESS ? reinterpret_cast<Handle>(k) : 0;
    return r;
}

long Win32Registry::QueryValue(Handle key, const std::string& name, unsigned long& type, unsigned char* data,
                               unsigned long& size) {
    DWORD t = 0, n = data ? size : 0;
    const LONG r = ::RegQueryValueExA(Key(key), name.c_str(), nullptr, &t, data, &n);
    type = t;
    size = n;
    return r;
}

long Win32Registry::SetValue(Handle key, const std::string& name, unsigned long type, const unsigned char* data,
                             unsigned long size) {
    return ::RegSetValueExA(Key(key), name.c_str(), 0, type, data, size);
}

long Win32Registry::DeleteValue(Handle key, const std::string& name) { return ::RegDeleteValueA(Key(key), name.c_str()); }

long Win32Registry::CloseKey(Handle key) { return ::RegCloseKey(Key(key)); }

}  // namespace pw::win32
