#include "options/startup/RunAtStartup.h"

#include "options/startup/Registry.h"
#include "platform/MenuIds.h"

namespace pw {

const char* const kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string RunValueText(const IApp& app) {
    std::string folder = app.Path();
    // A program at a drive root has a folder that already ends with its backslash.
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return "\"" + folder + app.ExeName() + ".exe\" /background";
}

bool RunValuePresent(IRegistry& reg, const IApp& app) {
    return GetKeyValue(reg, HKEY_CURRENT_USER_, kRunKeyPath, app.Title()) == RunValueText(app);
}

void ToggleRunAtStartup(Platform& p, IForm& window) {
    // The statuses are not looked at: the mark always follows the click.
    if (!window.MenuChecked(mnuStartup)) {
        SetKeyValue(p.registry, HKEY_CURRENT_USER_, kRunKeyPath, p.app.Title(), RunValueText(p.app), REG_SZ_);
        window.SetMenuChecked(mnuStartup, true);
    } else {
        DeleteKeyValue(p.registry, HKEY_CURRENT_USER_, kRunKeyPath, p.app.Title());
        window.SetMenuChecked(mnuStartup, false);
    }
}

}  // namespace pw
