// The user's number, time and date formats.
#include <windows.h>

#include <string>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32System.h"

namespace pw {

std::string UserDecimalSeparator() {
    char buf[8] = {0};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, sizeof buf) <= 1) return ".";
    return buf;
}

namespace win32 {

void Win32App::ShortTimeAndDate(std::string& time, std::string& date) const {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    wchar_t t[128] = {}, d[128] = {};
    if (::GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &now, nullptr, t, 128) <= 0) t[0] = 0;
    if (::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, d, 128) <= 0) d[0] = 0;
    time = Utf8(t);
    date = Utf8(d);
}

}  // namespace win32

}  // namespace pw
