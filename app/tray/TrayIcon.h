// The notification-area icon record and the decoding of its mouse notifications.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "platform/WinNumbers.h"
#include "platform/types.h"

namespace pw {

constexpr unsigned NIF_MESSAGE_ICON_TIP = 7;
// The shell posts the icon's mouse messages to the main window as this private message,
// with wParam = the icon id and lParam = the mouse message.
constexpr unsigned WM_TRAYNOTIFY = 0x8001;   // WM_APP + 1
constexpr unsigned kTrayIconId = 1;

// The single-byte NOTIFYICONDATA record, 88 bytes as the shell reads it.
struct TrayIconData {
    std::uint32_t cbSize = 88;
    Handle hWnd = 0;
    std::uint32_t uID = kTrayIconId;
    std::uint32_t uFlags = NIF_MESSAGE_ICON_TIP;
    std::uint32_t uCallbackMessage = WM_TRAYNOTIFY;
    Handle hIcon = 0;
    std::array<char, 64> szTip{};

    // Little-endian, 32-bit handles, the tip at offset 24.
    std::array<unsigned char, 88> Pack() const;
};

// The tip field: the text, a NUL, then spaces up to 64 characters; a longer text is cut so
// that the field still ends in a NUL the shell can stop at.
std::array<char, 64> FormatTip(const std::string& toolTip);

enum class TrayAction { None, Restore, PopupMenu };

// What a notification asks for: left button down restores, right button up opens the
// pop-up menu, both only while the window is minimised (hidden in the tray).
TrayAction DecodeTrayNotification(unsigned long wParam, long lParam, int windowState);

}  // namespace pw
