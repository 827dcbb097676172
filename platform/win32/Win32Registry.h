// Win32 adapter for the registry: the advapi32 W calls, one for one; string values travel as
// UTF-8 (with their terminating null) and are held by the registry as UTF-16.
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
