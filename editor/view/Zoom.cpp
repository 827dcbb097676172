#include "editor/view/Zoom.h"

#include <algorithm>

#include "editor/view/StatusBar.h"
#include "editor/view/TopLine.h"
#include "platform/WinNumbers.h"

namespace pw {

bool Zoom::WheelMessage(unsigned msg, unsigned long wParam) {
    if (msg != WM_MOUSEWHEEL_ || !(wParam & MK_CONTROL_)) return false;
    const int delta = static_cast<short>((wParam >> 16) & 0xFFFF);
    wheelRest_ += delta;
    const int notches = wheelRest_ / WHEEL_DELTA_;
    wheelRest_ -= notches * WHEEL_DELTA_;
    if (notches != 0) ZoomChanged(level_ + notches * kStep);
    return true;
}

void Zoom::ZoomChanged(int level) {
    level = std::clamp(level, kMin, kMax);
    if (level == level_ && txtNote_->FontScale() == level) return;
    level_ = level;
    IControl& box = *txtNote_;
    const long top = TopChar(box);
    box.SetFontScale(level_);
    ScrollToTop(box, top);
    status_.ZoomChanged(level_);
}

}  // namespace pw
