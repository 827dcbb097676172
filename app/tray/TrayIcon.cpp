#include "app/tray/TrayIcon.h"

namespace pw {

namespace {

void Put32(unsigned char* at, std::uint32_t v) {
    at[0] = static_cast<unsigned char>(v);
    at[1] = static_cast<unsigned char>(v >> 8);
    at[2] = static_cast<unsigned char>(v >> 16);
    at[3] = static_cast<unsigned char>(v >> 24);
}

}  // namespace

std::array<unsigned char, 88> TrayIconData::Pack() const {
    std::array<unsigned char, 88> r{};
    Put32(&r[0], cbSize);
    Put32(&r[4], static_cast<std::uint32_t>(hWnd));
    Put32(&r[8], uID);
    Put32(&r[12], uFlags);
    Put32(&r[16], uCallbackMessage);
    Put32(&r[20], static_cast<std::uint32_t>(hIcon));
    for (size_t i = 0; i < szTip.size(); ++i) r[24 + i] = static_cast<unsigned char>(szTip[i]);
    return r;
}

std::array<char, 64> FormatTip(const std::string& toolTip) {
    std::array<char, 64> tip;
    tip.fill(' ');
    const size_t n = toolTip.size() < 63 ? toolTip.size() : 63;
    for (size_t i = 0; i < n; ++i) tip[i] = toolTip[i];
    tip[n] = '\0';
    return tip;
}

TrayAction DecodeTrayNotification(unsigned long wParam, long lParam, int windowState) {
    if (wParam != kTrayIconId || windowState != vbMinimized) return TrayAction::None;
    switch (static_cast<unsigned long>(lParam) & 0xFFFFu) {
        case WM_LBUTTONDOWN_: return TrayAction::Restore;
        case WM_RBUTTONUP_: return TrayAction::PopupMenu;
        default: return TrayAction::None;
    }
}

}  // namespace pw
