#include "app/tray/Tray.h"

#include "platform/Icon32.h"
#include "platform/MenuIds.h"

namespace pw {

void Tray::AddIcon(const std::string& toolTip) {
    trayIcon_ = TrayIconData();
    trayIcon_.hWnd = form_->hWnd();
    // pagewick.ico when it reads as an icon, else the built-in one: never a blank entry.
    const TrayImage image = LoadTrayImage(p_, "AAA");
    iconFileImage_ = image.fromFile;
    trayIcon_.hIcon = image.shown;
    trayIcon_.szTip = FormatTip(toolTip);
    // Explorer broadcasts this after it restarts; the icon is then added again.
    taskbarCreated_ = p_.shell.RegisterMessage("TaskbarCreated");
    // Handing the icon to the tray is slow (7-30 ms under Wine). A window that is about to show
    // hands it over on a timer, which comes only after the window has painted: the icon shows a
    // moment after the window instead of holding the window back. A window that starts in the
    // tray needs its icon at once.
    if (form_->State() == vbMinimized) {
        NotifyTrayAdd();
    } else {
        trayAddPending_ = true;
        form_->StartTimer(kTrayIconTimer, 1);
    }
}

void Tray::NotifyTrayAdd() {
    if (trayAddPending_) form_->StopTimer(kTrayIconTimer);
    trayAddPending_ = false;
    if (trayAdded_) return;
    const auto record = trayIcon_.Pack();
    p_.shell.NotifyIcon(NIM_ADD_, record.data());
    trayAdded_ = true;
}

void Tray::AddPendingIcon() {
    if (trayAddPending_) NotifyTrayAdd();
}

void Tray::SetWindowIcons() {
    const Handle window = form_->hWnd();
    SetIcon(p_.shell, window, "AAA", true);
    // The file's own handle, so that an unreadable file still clears the small icon.
    ApplyIconFile(p_, window, iconFileImage_);
}

void Tray::RemoveIcon() {
    if (trayAddPending_) form_->StopTimer(kTrayIconTimer);
    trayAddPending_ = false;
    if (trayAdded_) {
        const auto record = trayIcon_.Pack();
        p_.shell.NotifyIcon(NIM_DELETE_, record.data());
        trayAdded_ = false;
    }
    // The window goes next; its combination is given back with the icon.
    VBHotKey1.Release();
}

void Tray::RestoreFromTray() {
    form_->SetState(vbNormal);
    form_->Show();
    form_->BringToFront();
}

bool Tray::Message(unsigned msg, unsigned long wParam, long lParam, long& result) {
    if (msg == WM_TRAYNOTIFY) {
        switch (DecodeTrayNotification(wParam, lParam, form_->State())) {
            case TrayAction::Restore: RestoreFromTray(); break;
            case TrayAction::PopupMenu: form_->PopupMenu(mnuPopup); break;
            case TrayAction::None: break;
        }
        result = 0;
        return true;
    }
    if (taskbarCreated_ != 0 && msg == taskbarCreated_) {
        if (trayAdded_) {
            const auto record = trayIcon_.Pack();
            p_.shell.NotifyIcon(NIM_ADD_, record.data());
        }
        result = 0;
        return true;
    }
    if (VBHotKey1.HandleMessage(msg, wParam)) {
        result = 0;
        return true;
    }
    return false;
}

void Tray::VBHotKey1_HotkeyPressed() {
    if (form_->State() != vbMinimized) {
        form_->SetState(vbMinimized);
        form_->Hide();
    } else {
        RestoreFromTray();
    }
}

void Tray::VBHotKey1_HotkeyWarning(const std::string& a, const std::string& b) {
    p_.ui.MsgBox("Warning: " + a + ", " + b, vbOKCancel + vbInformation, p_.app.Title());
}

}  // namespace pw
