// The Help menu's own windows, opened modeless from the main window.
#include "help/HelpMenu.h"

#include "help/frmAbout.h"
#include "help/frmHelp.h"

namespace pw {

void OpenHelpTopics(Platform& p, Handle owner, OwnedWindows& windows) {
    windows.Reuse<frmHelp>([&] { return std::make_shared<frmHelp>(p); })->Open(owner);
}

void OpenAbout(Platform& p, Handle owner, OwnedWindows& windows) {
    windows.Reuse<frmAbout>([&] { return std::make_shared<frmAbout>(p); })->Open(owner);
}

}  // namespace pw
