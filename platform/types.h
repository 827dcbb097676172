// Small value types shared by the program's logic and the platform layer.
// Nothing here depends on <windows.h>: the logic and its tests build anywhere.
#pragma once
#include <cstdint>
#include <string>

namespace pw {

// An opaque window, icon or other system handle (an HWND, HICON, ... on Windows).
using Handle = std::uintptr_t;

// Window states, with the numbers the settings and the handlers use.
enum WindowState : int { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };

// Close reasons passed to Form_QueryUnload.
enum CloseReason : int {
    vbFormControlMenu = 0,   // the user closed the window (close box, system menu, Alt+F4)
    vbFormCode = 1,          // the program closed it
    vbAppWindows = 2,        // Windows is logging off or shutting down
    vbAppTaskManager = 3,    // the task manager closed it
};

struct FontSpec {
    std::string name = "Tahoma";
    float size = 9.75f;      // points
    bool bold = false;
    bool italic = false;
    bool operator==(const FontSpec& o) const {
        return name == o.name && size == o.size && bold == o.bold && italic == o.italic;
    }
};

// Colours are 0x00BBGGRR; with the top bit set the low byte names a system colour
// (0x8000000F = button face, 0x80000008 = window text).
using Color = std::uint32_t;
constexpr Color SystemColor(int index) { return 0x80000000u | static_cast<Color>(index); }
constexpr Color RGBColor(int r, int g, int b) {
    return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}
constexpr int COLOR_BTNFACE_INDEX = 15;
constexpr int COLOR_WINDOWTEXT_INDEX = 8;

// Message-box styles and answers.
enum MsgBoxStyle : int {
    vbOKOnly = 0, vbOKCancel = 1, vbYesNoCancel = 3, vbYesNo = 4,
    vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64,
    vbSystemModal = 4096,
};
enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

}  // namespace pw
