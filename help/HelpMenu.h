// The Help menu's own windows, opened modeless over the main window (`owner`); an open one
// comes to the front.
#pragma once
#include "platform/OwnedWindows.h"

namespace pw {

void OpenHelpTopics(Platform& p, Handle owner, OwnedWindows& windows);
void OpenAbout(Platform& p, Handle owner, OwnedWindows& windows);

}  // namespace pw
