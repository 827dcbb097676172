#include "app/modMain.h"

#include "app/Manifest.h"

namespace pw {

bool InitControls(IApp& app) { return app.InitCommonControlsEx(kIccSize, kIccUserExClasses); }

std::unique_ptr<frmPagewick> Main(Platform& platform) {
    if (EnsureManifest(platform.app, platform.fs) == ManifestOutcome::Relaunched) return nullptr;
    InitControls(platform.app);
    auto main = std::make_unique<frmPagewick>(platform);
    if (!main->Load()) return nullptr;
    return main;
}

}  // namespace pw
