#include "options/hotkey/HotkeyMenu.h"

#include "options/hotkey/frmHotkey.h"

namespace pw {

void OpenHotkeyDialog(Platform& p, VBHotKey& hotkey, Handle owner, OwnedWindows& windows) {
    windows.OpenOrMake<frmHotkey>([&] { return std::make_shared<frmHotkey>(p, hotkey, owner); })->Show();
}

}  // namespace pw
