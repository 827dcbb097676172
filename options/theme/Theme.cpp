#include "options/theme/Theme.h"

#include <cstring>

namespace pw {

namespace {

constexpr unsigned kWmSettingChange = 0x001A;
constexpr unsigned long kSpiSetHighContrast = 0x0043;
constexpr unsigned long kKeyQueryValue = 0x0001;
constexpr int kAppModeDefault = 0, kAppModeForceDark = 2;

constexpr unsigned kInkIndex(Ink i) { return static_cast<unsigned>(i); }

}  // namespace

Palette DarkPalette() {
    Palette p = LightPalette();
    p.dark = true;
    p.pictures = "_DARK";
    const Color window = RGBColor(33, 33, 33), windowText = RGBColor(232, 232, 232);
    const Color face = RGBColor(41, 41, 41), faceText = RGBColor(240, 240, 240);
    p.system[kColorWindow] = window;
    p.system[kColorWindowText] = windowText;
    p.system[kColorMenu] = face;
    p.system[kColorMenuText] = faceText;
    p.system[kColorBtnFace] = face;
    p.system[kColorBtnText] = faceText;
    p.system[kColorBtnShadow] = RGBColor(90, 90, 90);
    p.system[kColorBtnHighlight] = RGBColor(70, 70, 70);
    p.system[kColorGrayText] = RGBColor(160, 160, 160);
    p.system[kColorInfoBk] = face;
    p.system[kColorInfoText] = faceText;
    p.ink[kInkIndex(Ink::Panel)] = window;
    p.ink[kInkIndex(Ink::Link)] = RGBColor(138, 180, 248);
    p.ink[kInkIndex(Ink::LinkPressed)] = RGBColor(255, 150, 140);
    return p;
}

Theme::Theme(Platform& p) : p_(p) {}

ThemeMode Theme::Read() const {
    if (!p_.appearance) return ThemeMode::Light;
    if (p_.appearance->HighContrast()) return ThemeMode::HighContrast;
    Handle key = 0;
    if (p_.registry.OpenKey(HKEY_CURRENT_USER_, kPersonalizeKey, kKeyQueryValue, key) != 0) return ThemeMode::Light;
    unsigned char data[4] = {};
    unsigned long type = 0, size = sizeof(data);
    const long status = p_.registry.QueryValue(key, kLightValue, type, data, size);
    p_.registry.CloseKey(key);
    if (status != 0 || type != REG_DWORD_ || size != 4) return ThemeMode::Light;
    const unsigned long light = data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<unsigned long>(data[3]) << 24);
    return light == 0 ? ThemeMode::Dark : ThemeMode::Light;
}

void Theme::Follow() {
    const ThemeMode now = Read();
    if (applied_ && now == mode_) return;
    Apply(now);
}

void Theme::Apply(ThemeMode mode) {
    mode_ = mode;
    applied_ = true;
    if (!p_.appearance) return;
    IAppearance& a = *p_.appearance;
    const bool dark = mode == ThemeMode::Dark;
    SystemLooks looks;
    // The system's dark parts exist from build 17763 on; a light program that never was dark
    // leaves them alone, exactly as before.
    const unsigned long build = a.WindowsBuild();
    if (build >= kFirstDarkBuild && (dark || systemDark_)) {
        looks.titleBarAttribute = build >= kFinalAttributeBuild ? 20 : 19;
        looks.darkTitleBar = dark;
        if (a.SetPreferredAppMode(dark ? kAppModeForceDark : kAppModeDefault)) looks.scrollBars = dark ? 1 : 2;
        systemDark_ = dark;
    }
    a.Apply(dark ? DarkPalette() : LightPalette(), looks);
}

bool Theme::Message(unsigned msg, unsigned long wParam, long lParam) {
    if (msg != kWmSettingChange) return false;
    const char* area = reinterpret_cast<const char*>(lParam);
    const bool colours = area && std::strcmp(area, "ImmersiveColorSet") == 0;
    if (!colours && wParam != kSpiSetHighContrast) return false;
    Follow();
    return true;
}

}  // namespace pw
