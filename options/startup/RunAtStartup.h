// Run at Startup: the program's value in the current user's Run key.
#pragma once
#include <string>

#include "platform/platform.h"

namespace pw {

extern const char* const kRunKeyPath;   // below HKEY_CURRENT_USER

// The command line Windows runs at logon: the quoted full path of this executable and
// " /background". Both the menu entry's writer and the start-up check use it.
std::string RunValueText(const IApp& app);

// True when the Run value of this program holds exactly RunValueText.
bool RunValuePresent(IRegistry& reg, const IApp& app);

// File > Run at Startup: writes or deletes the value; the check mark on the main window's
// (`window`) entry follows the click whatever the registry answers.
void ToggleRunAtStartup(Platform& p, IForm& window);

}  // namespace pw
