// The one place where the program's path texts become the wide paths the file calls take.
#pragma once
#include <windows.h>

#include <string>

namespace pw::win32 {

// A path as the program holds it, for the ...W file calls.
std::wstring WidePath(const std::string& path);
// A wide path the system gave back, as the program holds paths.
std::string NarrowPath(const std::wstring& path);

}  // namespace pw::win32
