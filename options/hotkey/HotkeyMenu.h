// File > Global Hotkey...: the dialog that sets VBHotKey1's combination.
#pragma once
#include "options/hotkey/VBHotKey.h"
#include "platform/OwnedWindows.h"

namespace pw {

// One dialog at a time, owned by `owner`: an open one is shown again as it is.
void OpenHotkeyDialog(Platform& p, VBHotKey& hotkey, Handle owner, OwnedWindows& windows);

}  // namespace pw
