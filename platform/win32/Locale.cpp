// The user's number format, for the settings file.
#include <windows.h>

#include <string>

namespace pw {

std::string UserDecimalSeparator() {
    char buf[8] = {0};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, sizeof buf) <= 1) return ".";
    return buf;
}

}  // namespace pw
