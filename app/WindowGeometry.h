// The main window's saved place and size, made usable: values that are not numbers, lie beyond
// any screen by orders of magnitude or give no window at all fall back to the defaults, and a
// window wholly outside every monitor comes back on the nearest one. A window partly on a
// monitor stays exactly where it was saved.
#pragma once
#include <vector>

#include "platform/ui.h"

namespace pw {

struct WindowBounds {
    float left = 0, top = 0, width = 0, height = 0;   // twips
};

// Coordinates and sizes beyond this many pixels cannot belong to any screen (Windows keeps
// window coordinates within 16 bits).
constexpr float kMaxWindowPixels = 32767;

// Each value of wanted that is not usable is replaced by the same value of defaults.
WindowBounds SanitizeBounds(const WindowBounds& wanted, const WindowBounds& defaults, float twipsPerPixelX,
                            float twipsPerPixelY);

// b moved (not resized) onto the nearest monitor's work area when it touches none of them.
WindowBounds BringOnScreen(const WindowBounds& b, const std::vector<IUi::Area>& monitors);

// Moves the window to the middle of the screen, its size unchanged.
void CenterOnScreen(IForm& window, IUi& ui);

}  // namespace pw
