// The monitors' work areas, for a window that must come up where it can be seen.
#include "platform/win32/Win32Ui.h"

namespace pw::win32 {

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    if (::GetMonitorInfoA(monitor, &mi)) {
        RECT r = mi.rcWork;
        reinterpret_cast<std::vector<RECT>*>(list)->push_back(r);
    }
    return TRUE;
}

}  // namespace

std::vector<IUi::Area> Win32Ui::Monitors() const {
    std::vector<RECT> rects;
    ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&rects));
    std::vector<Area> areas;
    for (const RECT& r : rects)
        areas.push_back({r.left * tppX_, r.top * tppY_, (r.right - r.left) * tppX_, (r.bottom - r.top) * tppY_});
    if (areas.empty()) areas.push_back({0, 0, ScreenWidth(), ScreenHeight()});
    return areas;
}

}  // namespace pw::win32
