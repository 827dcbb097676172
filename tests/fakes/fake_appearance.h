// The system's dark-app settings and the windows' looks, as a test sets and reads them.
#pragma once
#include <vector>

#include "platform/appearance.h"

namespace pw::fake {

class Appearance : public IAppearance {
public:
    bool HighContrast() override { return highContrast; }
    unsigned long WindowsBuild() override { return build; }
    bool SetPreferredAppMode(int mode) override {
        if (!hasAppMode) return false;
        appModes.push_back(mode);
        return true;
    }
    void Apply(const Palette& palette, const SystemLooks& looks) override { applied.push_back({palette, looks}); }

    struct Applied { Palette palette; SystemLooks looks; };
    bool highContrast = false;
    unsigned long build = 19045;   // Windows 10 22H2
    bool hasAppMode = true;        // uxtheme has ordinal 135
    std::vector<int> appModes;
    std::vector<Applied> applied;
};

}  // namespace pw::fake
