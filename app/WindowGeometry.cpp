#include "app/WindowGeometry.h"

#include <algorithm>
#include <cmath>

namespace pw {

namespace {

bool UsablePosition(float v, float limit) { return std::isfinite(v) && std::fabs(v) <= limit; }
bool UsableSize(float v, float limit) { return std::isfinite(v) && v > 0 && v <= limit; }

// Squared distance between two rectangles (0 when they overlap).
double Gap(const WindowBounds& b, const IUi::Area& m) {
    const double dx = std::max({0.0, static_cast<double>(m.left) - (b.left + b.width), b.left - (static_cast<double>(m.left) + m.width)});
    const double dy = std::max({0.0, static_cast<double>(m.top) - (b.top + b.height), b.top - (static_cast<double>(m.top) + m.height)});
    return dx * dx + dy * dy;
}

bool Overlaps(const WindowBounds& b, const IUi::Area& m) {
    return b.left < m.left + m.width && m.left < b.left + b.width && b.top < m.top + m.height &&
           m.top < b.top + b.height;
}

// Within [lo, lo + room - size], or at lo when the window is larger than the room.
float Clamp(float v, float size, float lo, float room) {
    if (size >= room) return lo;
    return std::min(std::max(v, lo), lo + room - size);
}

}  // namespace

WindowBounds SanitizeBounds(const WindowBounds& wanted, const WindowBounds& defaults, float twipsPerPixelX,
                            float twipsPerPixelY) {
    const float limitX = kMaxWindowPixels * twipsPerPixelX, limitY = kMaxWindowPixels * twipsPerPixelY;
    WindowBounds b = wanted;
    if (!UsablePosition(b.left, limitX)) b.left = defaults.left;
    if (!UsablePosition(b.top, limitY)) b.top = defaults.top;
    if (!UsableSize(b.width, limitX)) b.width = defaults.width;
    if (!UsableSize(b.height, limitY)) b.height = defaults.height;
    return b;
}

WindowBounds BringOnScreen(const WindowBounds& b, const std::vector<IUi::Area>& monitors) {
    if (monitors.empty()) return b;
    const IUi::Area* nearest = &monitors.front();
    for (const IUi::Area& m : monitors) {
        if (Overlaps(b, m)) return b;
        if (Gap(b, m) < Gap(b, *nearest)) nearest = &m;
    }
    WindowBounds r = b;
    r.left = Clamp(b.left, b.width, nearest->left, nearest->width);
    r.top = Clamp(b.top, b.height, nearest->top, nearest->height);
    return r;
}

void CenterOnScreen(IForm& window, IUi& ui) {
    const float top = ui.ScreenHeight() / 2 - window.Height() / 2;
    const float left = ui.ScreenWidth() / 2 - window.Width() / 2;
    window.Move(left, top, window.Width(), window.Height());
}

}  // namespace pw
