// Help > Live Update...: the modal Live Update window, and its place in the unload step.
#include "update/LiveUpdate.h"

#include "update/frmUpdate.h"

namespace pw {

void OpenLiveUpdate(Platform& p, Handle owner, OwnedWindows& windows) {
    // Kept alive by this call even if the window is unloaded while it runs.
    std::shared_ptr<frmUpdate> window = windows.Reuse<frmUpdate>([&] { return std::make_shared<frmUpdate>(p); });
    window->ShowModal(owner);
}

}  // namespace pw
