// What the window system offers for dark apps beyond the program's own painting: the high
// contrast setting, the Windows build, uxtheme's app mode for the system's menus and scroll
// bars, and the title bars (DWM). The theme (options/theme/) decides; this only carries out.
#pragma once

#include "platform/Palette.h"

namespace pw {

// How the system draws the parts of every window the program does not paint itself.
struct SystemLooks {
    // DwmSetWindowAttribute's attribute for a dark title bar (20, or 19 on builds before
    // 18985), set to `darkTitleBar` on every window; 0: the title bars are left alone.
    int titleBarAttribute = 0;
    bool darkTitleBar = false;
    // Scrolling controls (the note box, list and combo boxes) take the system's dark scroll
    // bars ("DarkMode_Explorer"): 0 leave them, 1 dark, 2 back to the default.
    int scrollBars = 0;
};

class IAppearance {
public:
    virtual ~IAppearance() = default;
    // SPI_GETHIGHCONTRAST: high contrast is on.
    virtual bool HighContrast() = 0;
    // The Windows build number (RtlGetVersion), 0 when unknown.
    virtual unsigned long WindowsBuild() = 0;
    // uxtheme's SetPreferredAppMode (ordinal 135) with `mode` (0 default, 1 allow dark, 2 force
    // dark, 3 force light), then FlushMenuThemes (ordinal 136) where it exists. False, with
    // nothing called, where the system has no such ordinal.
    virtual bool SetPreferredAppMode(int mode) = 0;
    // Every window of the program, open now and made later, takes these colours and looks;
    // the open ones repaint at once, keeping their state (caret, selection, scroll place).
    virtual void Apply(const Palette& palette, const SystemLooks& looks) = 0;
};

}  // namespace pw
