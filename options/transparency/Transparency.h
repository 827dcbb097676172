// Window transparency: a layered window with one constant alpha.
#pragma once
#include <string>

#include "platform/OwnedWindows.h"
#include "platform/platform.h"

namespace pw {

constexpr int kMinOpacity = 10, kMaxOpacity = 100;   // the slider's range, in per cent
constexpr long kMaxTransparency = 100 - kMinOpacity;

// Rounds to the nearest whole number, halves to the even neighbour.
long RoundHalfEven(double value);
// The alpha byte for an opacity percentage: p x 2.55, rounded half to even.
int AlphaFor(int opacityPercent);
// Makes the window layered with the alpha for the opacity percentage p (10-100). A value
// outside 0-100 does not fit in a byte: the user is told and nothing changes.
void SetTransparency(IForm& window, IUi& ui, const std::string& title, long opacityPercent);

// The whole percentage a kept value stands for, 0..90.
long TransparencyPercent(const std::string& value);

// The main window's transparency: the kept value ("0" to "90", as the settings file holds
// it), put to use at start and changed with the Transparency dialog.
class TransparencyOption {
public:
    const std::string& value() const { return transparency_; }
    void set(const std::string& value) { transparency_ = value; }
    // Load step 9: the kept value on the window; 0 leaves it unlayered.
    void ApplyAtStart(Platform& p, IForm& window) const;
    // File > Transparency...: one dialog at a time; an open one is shown again.
    void OpenDialog(Platform& p, IForm& window, OwnedWindows& windows);

private:
    std::string transparency_ = "0";
};

}  // namespace pw
