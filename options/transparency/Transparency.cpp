#include "options/transparency/Transparency.h"

#include <cmath>
#include <cstdlib>

#include "options/transparency/frmTrans.h"

namespace pw {

long RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double diff = value - floor;
    long result = static_cast<long>(floor);
    if (diff > 0.5 || (diff == 0.5 && (result % 2 != 0))) ++result;
    return result;
}

int AlphaFor(int opacityPercent) { return static_cast<int>(RoundHalfEven(opacityPercent * 2.55)); }

void SetTransparency(IForm& window, IUi& ui, const std::string& title, long opacityPercent) {
    if (opacityPercent < 0 || opacityPercent > 100) {
        ui.MsgBox("Overflow Source : Transparency", vbOKOnly, title);
        return;
    }
    window.SetOpacity(true, AlphaFor(static_cast<int>(opacityPercent)));
}

namespace {

long HoldToRange(double value) {
    if (!std::isfinite(value) || value <= 0) return 0;
    if (value >= kMaxTransparency) return kMaxTransparency;
    return RoundHalfEven(value);
}

}  // namespace

long TransparencyPercent(const std::string& value) { return HoldToRange(std::strtod(value.c_str(), nullptr)); }

void TransparencyOption::ApplyAtStart(Platform& p, IForm& window) const {
    // The settings reader keeps only whole values from 0 to 90; 0 leaves the window unlayered.
    const long value = TransparencyPercent(transparency_);
    if (value != 0) pw::SetTransparency(window, p.ui, p.app.Title(), 100 - value);
}

void TransparencyOption::OpenDialog(Platform& p, IForm& window, OwnedWindows& windows) {
    windows.OpenOrMake<frmTrans>([&] {
        frmTrans::Target target;
        target.window = &window;
        target.value = [this] { return transparency_; };
        target.setValue = [this](const std::string& v) { transparency_ = v; };
        return std::make_shared<frmTrans>(p, std::move(target));
    })->Show();
}

}  // namespace pw
