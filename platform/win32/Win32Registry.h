// Win32 adapter for the registry: the advapi32 calls, one for one.
#pragma once
#include <windows.h>

#include "platform/system.h"

namespace pw::win32 {

class Win32Registry : public IRegistry {
public:
    long OpenKey(Handle root, const std::string& path, unsigned long access, Handle& key) override;
    long QueryValue(Handle key, const std::string& name, unsigned long& type, unsigned char* data,
                    unsigned long& size) override;
    long SetValue(Handle key, const std::string& name, unsigned long type, const unsigned char* data,
                  unsigned long size) override;
    long DeleteValue(Handle key, const std::string& name) override;
    long CloseKey(Handle key) override;
};

}  // namespace pw::win32
