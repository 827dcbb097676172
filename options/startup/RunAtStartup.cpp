#include "options/startup/RunAtStartup.h"

#include "app/frmPagewick.h"
#include "options/startup/Registry.h"

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

void frmPagewick::mnuStartup_Click() {
    // The statuses are not looked at: the mark always follows the click.
    if (!form_->MenuChecked(mnuStartup)) {
        SetKeyValue(p_.registry, HKEY_CURRENT_USER_, kRunKeyPath, p_.app.Title(), RunValueText(p_.app), REG_SZ_);
        form_->SetMenuChecked(mnuStartup, true);
    } else {
        DeleteKeyValue(p_.registry, HKEY_CURRENT_USER_, kRunKeyPath, p_.app.Title());
        form_->SetMenuChecked(mnuStartup, false);
    }
}

}  // namespace pw
