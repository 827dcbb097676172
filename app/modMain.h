// The process entry's logic: manifest, common controls, then the main window.
#pragma once
#include <memory>

#include "app/frmPagewick.h"
#include "platform/platform.h"

namespace pw {

// The common-controls initialisation record: size 8, ICC_USEREX_CLASSES.
constexpr unsigned kIccSize = 8;
constexpr unsigned kIccUserExClasses = 0x200;

bool InitControls(IApp& app);

// Runs start-up. Returns the loaded main window, or nothing when this process is to end
// now (relaunched for the manifest, or another copy is running).
std::unique_ptr<frmPagewick> Main(Platform& platform);

}  // namespace pw
