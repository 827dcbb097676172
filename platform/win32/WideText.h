// Text at the Win32 boundary. Every path and name the program's logic hands the platform is
// UTF-8 in a std::string; the adapters call the W functions, converting here and nowhere else,
// so a folder named in any script works whatever the system's ANSI code page is.
#pragma once
#include <windows.h>

#include <cwchar>
#include <string>

#include "platform/TextCodec.h"

namespace pw::win32 {

// UTF-8 to UTF-16 for a W call. A lone surrogate (which a UTF-16 name may hold) comes back as
// it went out.
inline std::wstring Wide(const std::string& utf8) {
    const std::u16string units = Utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

// UTF-16 from a W call to UTF-8: n units, or up to the terminating null.
inline std::string Utf8(const wchar_t* text, std::size_t n) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t");
    return text ? Utf16ToUtf8(reinterpret_cast<const char16_t*>(text), n) : std::string();
}
inline std::string Utf8(const wchar_t* text) { return text ? Utf8(text, std::wcslen(text)) : std::string(); }
inline std::string Utf8(const std::wstring& text) { return Utf8(text.data(), text.size()); }

// For the few A functions left (the printer's device names): text in the system's ANSI code
// page to UTF-8 and back.
inline std::string AnsiToUtf8(const std::string& ansi) {
    if (ansi.empty()) return {};
    const int n = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    if (n <= 0) return ansi;
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0], n);
    return Utf8(wide);
}
inline std::string Utf8ToAnsi(const std::string& utf8) {
    const std::wstring wide = Wide(utf8);
    if (wide.empty()) return {};
    const int w = static_cast<int>(wide.size());
    const int n = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), w, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string ansi(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), w, &ansi[0], n, nullptr, nullptr);
    return ansi;
}

}  // namespace pw::win32
