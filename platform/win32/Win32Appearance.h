// IAppearance on Win32: the system's settings, uxtheme's app mode and the looks of the
// program's windows (Win32Ui). dwmapi and uxtheme are loaded from the system folder, when first
// needed (SystemDll.h).
#pragma once
#include "platform/appearance.h"
#include "platform/win32/Win32Ui.h"

namespace pw::win32 {

class Win32Appearance : public IAppearance {
public:
    explicit Win32Appearance(Win32Ui& ui) : ui_(ui) {}
    bool HighContrast() override;
    unsigned long WindowsBuild() override;
    bool SetPreferredAppMode(int mode) override;
    void Apply(const Palette& palette, const SystemLooks& looks) override { ui_.SetLooks(palette, looks); }

private:
    Win32Ui& ui_;
};

}  // namespace pw::win32
