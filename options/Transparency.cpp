#include "options/Transparency.h"

#include <cmath>

#include "app/frmPagewick.h"

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

// The Transparency dialog comes with its own change; until then the entry does nothing.
void frmPagewick::mnuTrans_Click() {}

}  // namespace pw
