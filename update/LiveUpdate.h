// Help > Live Update...: the modal Live Update window over the main window (`owner`).
#pragma once
#include "platform/OwnedWindows.h"

namespace pw {

void OpenLiveUpdate(Platform& p, Handle owner, OwnedWindows& windows);

}  // namespace pw
