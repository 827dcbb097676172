// The main window in the notification area: its tray icon (with the icon file beside the
// program), the window's own icons, the way back from the tray, and VBHotKey1's messages.
#pragma once
#include <string>

#include "platform/TimerIds.h"
#include "app/tray/TrayIcon.h"
#include "options/hotkey/VBHotKey.h"
#include "platform/NoteWindow.h"

namespace pw {

class Tray : private NoteWindow {
public:
    Tray(const NoteWindow& window, VBHotKey& hotkey) : NoteWindow(window), VBHotKey1(hotkey) {}

    // Load steps 3 and 4. A window that shows at start gets its icon on kTrayIconTimer, after
    // it has painted; one that starts in the tray gets it at once.
    void AddIcon(const std::string& toolTip);
    static constexpr int kTrayIconTimer = timerTrayIcon;
    // The timer's work, also done first when the window goes to the tray before it came.
    void AddPendingIcon();
    void SetWindowIcons();
    // The unload step: the icon goes, and the hotkey's combination is given back.
    void RemoveIcon();
    void RestoreFromTray();
    // The tray callback, TaskbarCreated and WM_HOTKEY; false for any other message.
    bool Message(unsigned msg, unsigned long wParam, long lParam, long& result);
    // VBHotKey1's events.
    void VBHotKey1_HotkeyPressed();
    void VBHotKey1_HotkeyWarning(const std::string& a, const std::string& b);

private:
    void NotifyTrayAdd();
    VBHotKey& VBHotKey1;
    TrayIconData trayIcon_;
    Handle iconFileImage_ = 0;      // pagewick.ico as read at start; 0: missing or unreadable
    bool trayAdded_ = false;
    bool trayAddPending_ = false;   // the icon goes to the tray once the shown window has painted
    unsigned taskbarCreated_ = 0;   // registered "TaskbarCreated": the tray was rebuilt
};

}  // namespace pw
