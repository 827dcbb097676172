// The theme: whether the program is dark, light or in high contrast, the palette that follows,
// and the system's looks (title bars, menus, scroll bars) where Windows offers dark ones. Every
// window asks the palette in force for its colours; none keeps colours of its own.
//
// Windows keeps the user's choice of dark apps as AppsUseLightTheme (0: dark) under
// HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize and says it changed with
// WM_SETTINGCHANGE "ImmersiveColorSet". No value: light, as the program has always looked.
// High contrast wins over both: the system's colours.
#pragma once
#include <string>

#include "platform/Palette.h"
#include "platform/platform.h"

namespace pw {

enum class ThemeMode { Light, Dark, HighContrast };

// Dark apps' colours: every text at least 7:1 against its background, and greys an 8-bit
// picture keeps exactly (#212121, #292929), so the pictures drawn for dark meet the window
// without an edge.
Palette DarkPalette();

class Theme {
public:
    explicit Theme(Platform& p);

    // Reads the user's choice and paints every window after it (at start, and whenever the
    // system says the choice changed).
    void Follow();
    // WM_SETTINGCHANGE: "ImmersiveColorSet" or a change of high contrast reads the choice
    // again. True when the message was this one (handled).
    bool Message(unsigned msg, unsigned long wParam, long lParam);

    ThemeMode mode() const { return mode_; }
    // The choice as the system holds it now.
    ThemeMode Read() const;

    static constexpr const char* kPersonalizeKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
    static constexpr const char* kLightValue = "AppsUseLightTheme";
    // The first builds with a dark title bar attribute (19) and with its final number (20).
    static constexpr unsigned long kFirstDarkBuild = 17763, kFinalAttributeBuild = 18985;

private:
    void Apply(ThemeMode mode);

    Platform& p_;
    ThemeMode mode_ = ThemeMode::Light;
    bool applied_ = false;
    bool systemDark_ = false;   // the system's parts were once made dark (undo on the way back)
};

}  // namespace pw
