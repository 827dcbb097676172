#include "options/transparency/Transparency.h"

#include <cmath>
#include <cstdlib>

#include "app/frmPagewick.h"
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

void frmPagewick::mnuTrans_Click() {
    // One dialog at a time: an open one is shown again.
    if (frmTrans_ && frmTrans_->Loaded()) {
        frmTrans_->Show();
        return;
    }
    frmTrans::Target target;
    target.window = form_.get();
    target.value = [this] { return transparency_; };
    target.setValue = [this](const std::string& v) { transparency_ = v; };
    frmTrans_ = std::make_shared<frmTrans>(p_, std::move(target));
    frmTrans_->Show();
}

void frmPagewick::UnloadTransDialog() {
    if (frmTrans_) frmTrans_->Unload();
}

}  // namespace pw
